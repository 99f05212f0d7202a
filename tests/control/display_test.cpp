// Showing an association: every stored position in its field, the lists, and the emptyings.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <map>

#include "platform/components/utilitaires/composant_utilitaires.h"
#include "platform/engine/dynarray.h"
#include "platform/toolkit/qtext.h"
#include "store/variables.h"
#include "tests/control/association_fixture.h"

namespace {

using Values = std::vector<std::string>;

// A record from its attributes, each given as its values.
std::string record(const std::map<int, Values>& attributes) {
    std::string text;
    for (const auto& [attribute, values] : attributes) {
        for (size_t i = 0; i < values.size(); ++i)
            mv::replace(text, attribute, static_cast<int>(i) + 1, values[i]);
    }
    return text;
}

std::string day(const char* date) {
    return toolkit::fromQ(
        Composant_Utilitaires::Instance().DateVersJour(QString::fromLatin1(date)));
}

// One record with a distinct value in every position the screen shows; a second value where
// only the first one belongs on screen.
std::string everyPosition() {
    return record({
        {1, {"TOUS CHAMPS", "SECOND SIGLE"}},
        {2, {"RAISON DEUX", "SECONDE RAISON"}},
        {3, {"3 RUE DES TROIS"}},
        {4, {"BATIMENT QUATRE"}},
        {5, {"LIEU-DIT CINQ"}},
        {6, {"49000"}},
        {7, {"CEDEX 07"}},
        {8, {"ANGERS"}},
        {10, {"02 41 00 00 10"}},
        {11, {"06 00 00 00 11"}},
        {12, {"02 41 00 00 12"}},
        {13, {"49007"}},
        {14, {"123456782", "X"}},
        {15, {"BANQUE QUINZE", "AGENCE QUINZE"}},
        {16, {"30004"}},
        {17, {"00016"}},
        {18, {"00000000018"}},
        {19, {"19"}},
        {20, {"FR7630004000160000000001819"}},
        {21, {"BNPAFRPPXXX"}},
        {22, {"FR22ZZZ000022"}},
        {23, {"AGREMENT LIGNE DEUX"}},
        {24, {"04"}},
        {25, {"1"}},
        {27, {"1200", "1350", "1400"}},
        {28, {"875", "1025", "1100"}},
        {29, {"202311", "202412", "202506"}},
        {30, {"M. TRENTE", "X"}},
        {31, {"2550", "", "1000"}},
        {32, {"M", "", "A"}},
        {33, {"CENTRE TRENTE-TROIS"}},
        {34, {"AFFIL-34"}},
        {35, {"contact35@exemple.fr"}},
        {36, {"FR36000000036", "X"}},
        {37, {"FINESS037"}},
        {38, {"DPH"}},
        {39, {"IDENT-39"}},
        {40, {"", "", day("15/07/2025")}},
        {41, {"AGREMENT LIGNE UN"}},
        {42, {"14JUI"}},
        {43, {"10.20.30.40:2121"}},
        {44, {"login44"}},
        {45, {"motdepasse45"}},
        {46, {"460046"}},
        {47, {"470047"}},
        {49, {"1"}},
        {50, {"1"}},
        {51, {"0251515151"}},
        {52, {"MOI LIGNE 52"}},
        {53, {"LIGNE 53"}},
        {54, {"1"}},
        {55, {"1"}},
        {56, {day("01/03/2009")}},
        {58, {"1"}},
        {59, {"1"}},
        {60, {"1"}},
        {64, {"02 41 64 64 64"}},
        {65, {"paie65@exemple.fr"}},
    });
}

QString noBlanks(QString text) {
    return text.remove(QLatin1Char(' '));
}

}  // namespace

TEST_F(CtrAssociationTest, EveryStoredPositionReachesItsField) {
    const std::string text = everyPosition();
    writeRecord("ASSOCIATION", "900", text);
    writeRecord("ACTIVITES", "900001", record({{1, {"AIDE"}}, {12, {"P"}}}));
    writeRecord("ACTIVITES", "900002", record({{1, {"SOINS"}}, {12, {"S"}}}));
    start();
    enterCode("900");

    auto text_of = [this](const char* name) { return w<QLineEdit>(name)->text(); };
    auto checked = [this](const char* name) { return w<QCheckBox>(name)->isChecked(); };

    EXPECT_EQ(text_of("Txt_SigleAssoc"), "TOUS CHAMPS");
    EXPECT_EQ(text_of("Txt_RaisonAssoc"), "RAISON DEUX");
    // The address and bank-details components read their blocks.
    EXPECT_EQ(text_of("Txt_Ligne1"), "3 RUE DES TROIS");
    EXPECT_EQ(text_of("Txt_Ligne2"), "BATIMENT QUATRE");
    EXPECT_EQ(text_of("Txt_Ligne3"), "LIEU-DIT CINQ");
    EXPECT_EQ(text_of("Txt_CodePostal"), "49000");
    EXPECT_EQ(text_of("Txt_Mention"), "CEDEX 07");
    EXPECT_EQ(w<QComboBox>("Cbo_Commune")->currentText(), "ANGERS");
    EXPECT_EQ(text_of("Txt_Telephone"), "02 41 00 00 10");
    EXPECT_EQ(text_of("Txt_Portable"), "06 00 00 00 11");
    EXPECT_EQ(text_of("Txt_Telecopie"), "02 41 00 00 12");
    EXPECT_TRUE(w<QLabel>("Etq_CodeInsee")->text().contains("49007"));
    EXPECT_EQ(text_of("Txt_SirenAssoc"), "123456782");
    EXPECT_EQ(text_of("Txt_Banque"), "BANQUE QUINZE");
    EXPECT_EQ(text_of("Txt_Domiciliation"), "AGENCE QUINZE");
    EXPECT_EQ(text_of("Txt_CodeBanque"), "30004");
    EXPECT_EQ(text_of("Txt_CodeGuichet"), "00016");
    EXPECT_EQ(text_of("Txt_NumCompte"), "00000000018");
    EXPECT_EQ(text_of("Txt_CleRib"), "19");
    EXPECT_EQ(noBlanks(text_of("Txt_Iban")), "FR7630004000160000000001819");
    EXPECT_EQ(text_of("Txt_Bic"), "BNPAFRPPXXX");
    EXPECT_EQ(text_of("Txt_Ics"), "FR22ZZZ000022");
    EXPECT_EQ(text_of("Txt_AgrAuto2"), "AGREMENT LIGNE DEUX");
    EXPECT_EQ(w<QComboBox>("cbo_RespPaie")->currentText(),
              "04 - Responsable des ressources humaines");
    EXPECT_EQ(w<QComboBox>("cbo_RespPaie")->count(), 5);
    EXPECT_TRUE(checked("Chk_DecalagePaie"));
    // Workforce: date, 4 blanks, persons on 6, 10 blanks, full-time equivalents on 7. A period
    // stands for the first day of the next month; a dated count shows its date.
    EXPECT_EQ(items(w<QComboBox>("Cbo_Effectif")), (QStringList{"01/12/2023"
                                                                "    "
                                                                "    12"
                                                                "          "
                                                                "   8,75",
                                                                "01/01/2025"
                                                                "    "
                                                                " 13,50"
                                                                "          "
                                                                "  10,25",
                                                                "15/07/2025"
                                                                "    "
                                                                "    14"
                                                                "          "
                                                                "  11,00"}));
    EXPECT_EQ(w<QComboBox>("Cbo_Effectif")->currentIndex(), 2);
    EXPECT_EQ(w<QComboBox>("Cbo_Effectif")->font().fixedPitch(),
              w<QLabel>("Etq_EnteteEffectif")->font().fixedPitch());
    EXPECT_EQ(text_of("Txt_RespPerso"), "M. TRENTE");
    EXPECT_EQ(text_of("Txt_MontantM"), "25,50");
    EXPECT_EQ(text_of("Txt_MontantP"), "");
    EXPECT_EQ(text_of("Txt_MontantI"), "10,00");
    EXPECT_TRUE(w<QRadioButton>("Opt_MoisAnniM")->isChecked());
    EXPECT_FALSE(w<QRadioButton>("Opt_AnneeCivileP")->isChecked() ||
                 w<QRadioButton>("Opt_MoisAnniP")->isChecked());
    EXPECT_TRUE(w<QRadioButton>("Opt_AnneeCivileI")->isChecked());
    EXPECT_EQ(text_of("Txt_CentreAssedic"), "CENTRE TRENTE-TROIS");
    EXPECT_EQ(text_of("Txt_NumAffilAssedic"), "AFFIL-34");
    EXPECT_EQ(text_of("Txt_Email"), "contact35@exemple.fr");
    EXPECT_EQ(text_of("Txt_NumTVA"), "FR36000000036");
    EXPECT_EQ(text_of("Txt_Finess"), "FINESS037");
    EXPECT_TRUE(checked("Cac_Telegestion"));
    EXPECT_TRUE(w<QComboBox>("Cbo_Systeme")->isEnabled());
    EXPECT_EQ(w<QComboBox>("Cbo_Systeme")->currentText(), "DOMICILE PHONE SERVICES");
    EXPECT_EQ(text_of("Txt_Systeme"), "DPH");
    EXPECT_EQ(text_of("Txt_Ident"), "IDENT-39");
    EXPECT_EQ(text_of("Txt_AgrAuto1"), "AGREMENT LIGNE UN");
    EXPECT_EQ(w<QComboBox>("Cbo_JourSol")->currentText(), "14 juillet");
    EXPECT_TRUE(checked("Cac_EnvoiAuto"));
    EXPECT_TRUE(w<QRadioButton>("Opt_AdrIP")->isChecked());
    EXPECT_EQ(text_of("Txt_AdrSvrCESU"), "10");
    EXPECT_EQ(text_of("Txt_AdrSvrCESU1"), "20");
    EXPECT_EQ(text_of("Txt_AdrSvrCESU2"), "30");
    EXPECT_EQ(text_of("Txt_AdrSvrCESU3"), "40");
    EXPECT_EQ(text_of("Txt_Port"), "2121");
    EXPECT_TRUE(w<QLineEdit>("Txt_AdrSvrCESU")->isEnabled());
    EXPECT_FALSE(w<QLineEdit>("Txt_Domaine")->isEnabled());
    EXPECT_EQ(text_of("Txt_LoginUtil"), "login44");
    EXPECT_EQ(text_of("Txt_Mtp"), "motdepasse45");
    EXPECT_EQ(text_of("Txt_CodeTeletransmettant"), "460046");
    EXPECT_EQ(text_of("Txt_CodeIntervenant"), "470047");
    EXPECT_TRUE(checked("Cac_PreImpBulltPaie"));
    EXPECT_TRUE(checked("Cac_PreImpFact"));
    EXPECT_EQ(text_of("Txt_NumSysTelegest"), "0251515151");
    EXPECT_EQ(text_of("Txt_Moi"), "MOI LIGNE 52");
    EXPECT_EQ(text_of("Txt_LigneCarteTelGest"), "LIGNE 53");
    EXPECT_TRUE(checked("Cac_LogoBullPaie"));
    EXPECT_TRUE(checked("Cac_LogoFact"));
    EXPECT_EQ(text_of("Txt_DateGrilleAggir2008"), "01/03/2009");
    EXPECT_TRUE(checked("Cac_TelMobile"));
    EXPECT_TRUE(checked("Cac_PresentSimpl"));
    EXPECT_TRUE(checked("Cac_CET"));
    EXPECT_EQ(text_of("Txt_TelRespPaie"), "02 41 64 64 64");
    EXPECT_EQ(text_of("Txt_MailRespPaie"), "paie65@exemple.fr");

    // The fee frames follow the activities: P gives the provider's, S the agent's.
    EXPECT_TRUE(w<QGroupBox>("Cdr_Mandat")->isEnabled());
    EXPECT_TRUE(w<QGroupBox>("Cdr_Prest")->isEnabled());
    EXPECT_FALSE(w<QGroupBox>("Cdr_Inter")->isEnabled());

    EXPECT_EQ(stored("ASSOCIATION", "900"), text) << "showing writes nothing";
}

TEST_F(CtrAssociationTest, EmptyPositionsShowNothing) {
    const std::string text = record({{1, {"VIDE"}},
                                     {2, {"PRESQUE VIDE"}},
                                     {24, {"00"}},
                                     {43, {"SERVEURCESU"}},
                                     {49, {"0"}},
                                     {60, {"0"}}});
    writeRecord("ASSOCIATION", "901", text);
    start();
    // The fullest demo association first, so that anything left over would show.
    enterCode("1");
    click(w<QPushButton>("Cmd_Annuler"));
    enterCode("901");
    EXPECT_EQ(w<QLineEdit>("Txt_RaisonAssoc")->text(), "PRESQUE VIDE");

    for (const char* name : {"Txt_SirenAssoc",
                             "Txt_NumTVA",
                             "Txt_Finess",
                             "Txt_Email",
                             "Txt_CentreAssedic",
                             "Txt_NumAffilAssedic",
                             "Txt_RespPerso",
                             "Txt_TelRespPaie",
                             "Txt_MailRespPaie",
                             "Txt_AgrAuto1",
                             "Txt_AgrAuto2",
                             "Txt_DateGrilleAggir2008",
                             "Txt_Systeme",
                             "Txt_Ident",
                             "Txt_NumSysTelegest",
                             "Txt_Moi",
                             "Txt_LigneCarteTelGest",
                             "Txt_AdrSvrCESU",
                             "Txt_LoginUtil",
                             "Txt_Mtp",
                             "Txt_CodeTeletransmettant",
                             "Txt_CodeIntervenant",
                             "Txt_MontantM",
                             "Txt_MontantP",
                             "Txt_MontantI",
                             "Txt_Ligne1",
                             "Txt_Banque"}) {
        EXPECT_TRUE(w<QLineEdit>(name)->text().isEmpty()) << name;
    }
    for (const char* name :
         {"Chk_DecalagePaie", "Cac_CET", "Cac_Telegestion", "Cac_TelMobile", "Cac_PresentSimpl",
          "Cac_PreImpBulltPaie", "Cac_LogoBullPaie", "Cac_PreImpFact", "Cac_LogoFact"}) {
        EXPECT_FALSE(w<QCheckBox>(name)->isChecked()) << name;
    }
    for (const char* name : {"Opt_AnneeCivileM", "Opt_MoisAnniM", "Opt_AnneeCivileI"})
        EXPECT_FALSE(w<QRadioButton>(name)->isChecked()) << name;
    EXPECT_EQ(w<QComboBox>("cbo_RespPaie")->currentIndex(), -1) << "quality 00 is no quality";
    EXPECT_EQ(w<QComboBox>("Cbo_JourSol")->currentIndex(), -1);
    type(w<QComboBox>("Cbo_JourSol"), "1");
    EXPECT_EQ(w<QComboBox>("Cbo_JourSol")->currentIndex(), -1) << "the day is chosen, not typed";
    EXPECT_EQ(w<QComboBox>("Cbo_Systeme")->currentIndex(), -1);
    EXPECT_FALSE(w<QComboBox>("Cbo_Systeme")->isEnabled());
    EXPECT_EQ(w<QComboBox>("Cbo_Effectif")->count(), 0);
    // A server name without a dot is a domain.
    EXPECT_TRUE(w<QCheckBox>("Cac_EnvoiAuto")->isChecked());
    EXPECT_TRUE(w<QRadioButton>("Opt_Domaine")->isChecked());
    EXPECT_EQ(w<QLineEdit>("Txt_Domaine")->text(), "SERVEURCESU");
    EXPECT_TRUE(w<QLineEdit>("Txt_Domaine")->isEnabled());
    EXPECT_FALSE(w<QLineEdit>("Txt_AdrSvrCESU")->isEnabled());
    for (const char* name : {"Cdr_Mandat", "Cdr_Prest", "Cdr_Inter"})
        EXPECT_FALSE(w<QGroupBox>(name)->isEnabled()) << name << ": no activities";

    // Remote management shown unchecked; the record in memory says "0", the file is untouched.
    ASSERT_TRUE(store::Variables::Get().association);
    EXPECT_EQ(store::Variables::Get().association->Value(58), "0");
    EXPECT_EQ(stored("ASSOCIATION", "901"), text);
}

TEST_F(CtrAssociationTest, EmptyingClearsTheScreen) {
    start();
    enterCode("1");
    const QString date = w<QLineEdit>("Txt_DateGrilleAggir2008")->text();
    const QString port = w<QLineEdit>("Txt_Port")->text();
    ASSERT_FALSE(date.isEmpty());
    ASSERT_TRUE(w<QCheckBox>("Cac_EnvoiAuto")->isChecked());
    w<QTabWidget>("Ong_Assoc")->setCurrentIndex(3);
    click(w<QPushButton>("Cmd_Annuler"));
    // The next display sets these again.
    EXPECT_EQ(w<QLineEdit>("Txt_DateGrilleAggir2008")->text(), date);
    EXPECT_EQ(w<QLineEdit>("Txt_Port")->text(), port);
    EXPECT_TRUE(w<QCheckBox>("Cac_EnvoiAuto")->isChecked());
    EXPECT_EQ(w<QTabWidget>("Ong_Assoc")->currentIndex(), 0);
    for (const char* name : {"Txt_SigleAssoc", "Txt_RaisonAssoc", "Txt_SirenAssoc", "Txt_Ligne1",
                             "Txt_Banque", "Txt_AgrAuto1", "Txt_CentreAssedic", "Txt_Ident",
                             "Txt_MontantM", "Txt_CodeIntervenant", "Txt_AdrSvrCESU"}) {
        EXPECT_TRUE(w<QLineEdit>(name)->text().isEmpty()) << name;
    }
    EXPECT_EQ(w<QComboBox>("Cbo_SigleAssoc")->currentText(), QString());
    EXPECT_FALSE(w<QCheckBox>("Cac_Telegestion")->isChecked());
    EXPECT_FALSE(w<QCheckBox>("Cac_CET")->isChecked());
    EXPECT_EQ(w<QComboBox>("Cbo_JourSol")->currentIndex(), -1);
    EXPECT_TRUE(w<QRadioButton>("Opt_AdrIP")->isChecked());
    EXPECT_FALSE(w<QLineEdit>("Txt_RaisonAssoc")->isEnabled());
}

TEST_F(CtrAssociationTest, MissingQualitiesAreReported) {
    deleteRecord("TABLES", "QUALITERESPPAIE");
    start();
    answers.expect("Erreur de lecture des qualités de responsable de paie", QMessageBox::Warning);
    enterCode("1");
    EXPECT_TRUE(answers.done());
    EXPECT_EQ(w<QComboBox>("cbo_RespPaie")->count(), 0);
    EXPECT_EQ(w<QLineEdit>("Txt_RaisonAssoc")->text(), "AIDE ET SOINS DU BOCAGE")
        << "the rest of the screen is shown";
}
