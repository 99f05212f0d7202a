// Showing an association: every stored position in its field, the lists, and the emptying.
#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QTabWidget>

#include "platform/components/utilitaires/composant_utilitaires.h"
#include "platform/engine/dynarray.h"
#include "platform/toolkit/qtext.h"
#include "store/variables.h"
#include "tests/control/association_fixture.h"

namespace {

std::string day(const char* date) {
    return toolkit::fromQ(
        Composant_Utilitaires::Instance().DateVersJour(QString::fromLatin1(date)));
}

// A distinct value in every position the screen shows; a second value where only the first one
// belongs on screen.
std::string everyPosition() {
    // clang-format off
    std::string text = recordOf({
        "1=TOUS CHAMPS;SECOND SIGLE", "2=RAISON DEUX;SECONDE RAISON", "3=3 RUE DES TROIS",
        "4=BATIMENT QUATRE", "5=LIEU-DIT CINQ", "6=49000", "7=CEDEX 07", "8=ANGERS",
        "10=02 41 00 00 10", "11=06 00 00 00 11", "12=02 41 00 00 12", "13=49007",
        "14=123456782;X", "15=BANQUE QUINZE;AGENCE QUINZE", "16=30004", "17=00016",
        "18=00000000018", "19=19", "20=FR7630004000160000000001819", "21=BNPAFRPPXXX",
        "22=FR22ZZZ000022", "23=AGREMENT LIGNE DEUX", "24=04", "25=1", "27=1200;1350;1400",
        "28=875;1025;1100", "29=202311;202412;202506", "30=M. TRENTE;X", "31=2550;;1000",
        "32=M;;A", "33=CENTRE TRENTE-TROIS", "34=AFFIL-34", "35=contact35@exemple.fr",
        "36=FR36000000036;X", "37=FINESS037", "38=DPH", "39=IDENT-39", "41=AGREMENT LIGNE UN",
        "42=14JUI", "43=10.20.30.40:2121", "44=login44", "45=motdepasse45", "46=460046",
        "47=470047", "49=1", "50=1", "51=0251515151", "52=MOI LIGNE 52", "53=LIGNE 53", "54=1",
        "55=1", "58=1", "59=1", "60=1", "64=02 41 64 64 64", "65=paie65@exemple.fr"});
    // clang-format on
    mv::replace(text, 40, 3, day("15/07/2025"));
    mv::replace(text, 56, day("01/03/2009"));
    return text;
}

// Where each of them shows; the address and bank-details components read their blocks.
// clang-format off
const std::vector<const char*> kEveryField = {
    "Txt_SigleAssoc=TOUS CHAMPS", "Txt_RaisonAssoc=RAISON DEUX", "Txt_Ligne1=3 RUE DES TROIS",
    "Txt_Ligne2=BATIMENT QUATRE", "Txt_Ligne3=LIEU-DIT CINQ", "Txt_CodePostal=49000",
    "Txt_Mention=CEDEX 07", "Cbo_Commune=ANGERS", "Txt_Telephone=02 41 00 00 10",
    "Txt_Portable=06 00 00 00 11", "Txt_Telecopie=02 41 00 00 12", "Etq_CodeInsee=49007",
    "Txt_SirenAssoc=123456782", "Txt_Banque=BANQUE QUINZE", "Txt_Domiciliation=AGENCE QUINZE",
    "Txt_CodeBanque=30004", "Txt_CodeGuichet=00016", "Txt_NumCompte=00000000018", "Txt_CleRib=19",
    "Txt_Bic=BNPAFRPPXXX", "Txt_Ics=FR22ZZZ000022", "Txt_AgrAuto2=AGREMENT LIGNE DEUX",
    "cbo_RespPaie=04 - Responsable des ressources humaines", "Chk_DecalagePaie=1",
    "Txt_RespPerso=M. TRENTE", "Txt_MontantM=25,50", "Txt_MontantP=", "Txt_MontantI=10,00",
    "Opt_MoisAnniM=1", "Opt_AnneeCivileM=0", "Opt_AnneeCivileP=0", "Opt_MoisAnniP=0",
    "Opt_AnneeCivileI=1", "Txt_CentreAssedic=CENTRE TRENTE-TROIS", "Txt_NumAffilAssedic=AFFIL-34",
    "Txt_Email=contact35@exemple.fr", "Txt_NumTVA=FR36000000036", "Txt_Finess=FINESS037",
    "Cac_Telegestion=1", "Txt_Systeme=DPH", "Cbo_Systeme=DOMICILE PHONE SERVICES",
    "Txt_Ident=IDENT-39", "Txt_AgrAuto1=AGREMENT LIGNE UN", "Cbo_JourSol=14 juillet",
    "Cac_EnvoiAuto=1", "Opt_AdrIP=1", "Txt_AdrSvrCESU=10", "Txt_AdrSvrCESU1=20",
    "Txt_AdrSvrCESU2=30", "Txt_AdrSvrCESU3=40", "Txt_LoginUtil=login44", "Txt_Mtp=motdepasse45",
    "Txt_CodeTeletransmettant=460046", "Txt_CodeIntervenant=470047", "Cac_PreImpBulltPaie=1",
    "Cac_PreImpFact=1", "Txt_NumSysTelegest=0251515151", "Txt_Moi=MOI LIGNE 52",
    "Txt_LigneCarteTelGest=LIGNE 53", "Cac_LogoBullPaie=1", "Cac_LogoFact=1",
    "Txt_DateGrilleAggir2008=01/03/2009", "Cac_TelMobile=1", "Cac_PresentSimpl=1", "Cac_CET=1",
    "Txt_TelRespPaie=02 41 64 64 64", "Txt_MailRespPaie=paie65@exemple.fr"};
// clang-format on

}  // namespace

TEST_F(CtrAssociationTest, EveryStoredPositionReachesItsField) {
    writeRecord("ASSOCIATION", "900", everyPosition());
    writeRecord("ACTIVITES", "900001", recordOf({"1=AIDE", "12=P"}));
    writeRecord("ACTIVITES", "900002", recordOf({"1=SOINS", "12=S"}));
    start();
    enterCode("900");

    expectShown(kEveryField);
    expectShown({"Txt_Port=2121"});
    EXPECT_EQ(text("Txt_Iban").remove(QLatin1Char(' ')), "FR7630004000160000000001819");
    EXPECT_EQ(w<QComboBox>("cbo_RespPaie")->count(), 5);
    // Workforce: date, 4 blanks, persons on 6, 10 blanks, full-time equivalents on 7. A period
    // stands for the first day of the next month; a dated count shows its date.
    EXPECT_EQ(items(w<QComboBox>("Cbo_Effectif")),
              (QStringList{"01/12/2023        12             8,75",
                           "01/01/2025     13,50            10,25",
                           "15/07/2025        14            11,00"}));
    EXPECT_EQ(w<QComboBox>("Cbo_Effectif")->currentIndex(), 2);
    EXPECT_EQ(w("Cbo_Effectif")->font().fixedPitch(), w("Etq_EnteteEffectif")->font().fixedPitch());
    // The fee frames follow the activities: P gives the provider's, S the agent's.
    expectEnabled({"Cbo_Systeme", "Txt_AdrSvrCESU", "Cdr_Mandat", "Cdr_Prest"}, true);
    expectEnabled({"Txt_Domaine", "Cdr_Inter"}, false);
    EXPECT_EQ(stored("ASSOCIATION", "900"), everyPosition()) << "showing writes nothing";
}

TEST_F(CtrAssociationTest, EmptyingThenEmptyPositionsShowNothing) {
    const std::string text =
        recordOf({"1=VIDE", "2=PRESQUE VIDE", "24=00", "43=SERVEURCESU", "49=0", "60=0"});
    writeRecord("ASSOCIATION", "901", text);
    start();
    // The fullest demo association first, so that anything left over would show.
    enterCode("1");
    const QString date = this->text("Txt_DateGrilleAggir2008");
    const QString port = this->text("Txt_Port");
    ASSERT_FALSE(date.isEmpty());
    ASSERT_EQ(shown("Cac_TelMobile"), "1");
    showTab(kTelegestion);
    clickButton("Cmd_Annuler");
    // Every field empty but those named; labels are left for the next display, which sets them.
    const auto expectEmptyBut = [this](const std::map<std::string, QString>& filled) {
        for (const char* item : kEveryField) {
            const std::string name = std::string(item).substr(0, std::string(item).find('='));
            const auto f = filled.find(name);
            const bool box = qobject_cast<QAbstractButton*>(w(name.c_str())) != nullptr;
            if (!qobject_cast<QLabel*>(w(name.c_str()))) {
                EXPECT_EQ(shown(name.c_str()), f != filled.end() ? f->second
                                               : box             ? "0"
                                                                 : "")
                    << name;
            }
        }
        EXPECT_EQ(w<QComboBox>("Cbo_Effectif")->count(), 0);
    };
    EXPECT_EQ(w<QTabWidget>("Ong_Assoc")->currentIndex(), kCoordonnees);
    expectShown({"Cbo_SigleAssoc="});
    expectEmptyBut({{"Opt_AdrIP", "1"}, {"Cac_EnvoiAuto", "1"}, {"Txt_DateGrilleAggir2008", date}});
    expectEnabled({"Txt_RaisonAssoc"}, false);
    EXPECT_EQ(this->text("Txt_Port"), port);

    enterCode("901");
    // Quality "00" is no quality; a server name without a dot is a domain.
    expectEmptyBut(
        {{"Txt_SigleAssoc", "VIDE"}, {"Txt_RaisonAssoc", "PRESQUE VIDE"}, {"Cac_EnvoiAuto", "1"}});
    expectShown({"Opt_Domaine=1", "Txt_Domaine=SERVEURCESU"});
    expectEnabled({"Txt_Domaine"}, true);
    expectEnabled({"Txt_AdrSvrCESU", "Cbo_Systeme", "Cdr_Mandat", "Cdr_Prest", "Cdr_Inter"}, false);
    type(w("Cbo_JourSol"), "1");
    EXPECT_EQ(w<QComboBox>("Cbo_JourSol")->currentIndex(), -1) << "the day is chosen, not typed";

    // Remote management shown unchecked; the record in memory says "0", the file is untouched.
    ASSERT_TRUE(store::Variables::Get().association);
    EXPECT_EQ(store::Variables::Get().association->Value(58), "0");
    EXPECT_EQ(stored("ASSOCIATION", "901"), text);
}
