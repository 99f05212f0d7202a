// Creating and saving establishments: the counter that numbers them, the address rule, the
// checks before writing, the field rules, and a save over another workstation's change.
#include <QComboBox>

#include "platform/engine/dynarray.h"
#include "tests/establishments/etablissement_fixture.h"

class WorkflowTest : public EtablissementTest {
  protected:
    // What a new establishment cannot be saved without, typed where the user finds it.
    void fillRequired(const QString& sigle) {
        retype("Txt_SigleEtabl", sigle);
        retype("Txt_RaisonEtabl", QStringLiteral("ETABLISSEMENT ") + sigle);
        showTab(Frm_Etablissement::kAutres);
        retype("Txt_SiretEtabl", QStringLiteral("77541267900042"));
        retype("Txt_CodNafEtabl", QStringLiteral("8810A"));
        retype("Txt_HorHebdoEtabl", QStringLiteral("35.5"));
        retype("Txt_NoAffUrssaf", QStringLiteral("527123456704"));
    }
    std::string counter() { return mv::extract(stored("COMPTEUR", "001"), 4); }
    void setCounter(const char* last) {
        std::string text = stored("COMPTEUR", "001");
        mv::replace(text, 4, 1, last);
        writeRecord("COMPTEUR", "001", text);
    }
};

TEST_F(WorkflowTest, CreationWithItsOwnAddressOrTheAssociations) {
    open();
    add(toolkit::Answer::No);
    EXPECT_EQ(win()->mode(), Frm_Etablissement::kCreationAdressePropre);
    expectEnabled({"Txt_CodeEtabl", "Cmd_Ajouter", "Cmd_Sortir"}, false);
    expectEnabled({"Cmd_Ok", "Cmd_Annuler", "Ong_Etabl"}, true);
    EXPECT_EQ(focusName(), "Txt_SigleEtabl");
    expectShown({"Opt_URSSAF=1", "Cbo_Mois=DÉCEMBRE", "Txt_Ligne1="});
    fillRequired(QStringLiteral("nouvelle antenne"));
    expectShown({"Txt_HorHebdoEtabl=35,50"});
    showTab(Frm_Etablissement::kCoordonnees);
    retype("Txt_Ligne1", QStringLiteral("5 rue Neuve"));
    type(w<QComboBox>("Cbo_Commune"), QStringLiteral("TRÉMENTINES"));
    clickButton("Cmd_Ok");
    expectBackToSearch();
    // clang-format off
    expectStored("001004", {"1=NOUVELLE ANTENNE", "2=ETABLISSEMENT nouvelle antenne",
        "3=5 rue Neuve", "8=TRÉMENTINES", "14=77541267900042", "15=8810A", "16=3550",
        "20=527123456704", "22=0", "24=12", "26=", "28=", "33=U", "35=0", "36="});
    // clang-format on
    EXPECT_EQ(counter(), "004");
    EXPECT_TRUE(items(w<QComboBox>("Cbo_SigleEtabl")).contains("NOUVELLE ANTENNE"));

    // The association's address: nothing of its own is written, even typed over, and the
    // association's is shown again.
    add(toolkit::Answer::Yes);
    EXPECT_EQ(win()->mode(), Frm_Etablissement::kCreationAdresseEntite);
    expectShown({"Txt_Ligne1=12 rue du Devau"});
    fillRequired(QStringLiteral("AUTRE ANTENNE"));
    showTab(Frm_Etablissement::kCoordonnees);
    retype("Txt_Ligne1", QStringLiteral("7 rue Autre"));
    clickButton("Cmd_Ok");
    expectStored("001005", {"1=AUTRE ANTENNE",
                            "3=", "4=", "5=", "6=", "7=", "8=", "9=", "10=", "11=", "12=", "13="});
    EXPECT_EQ(counter(), "005");
    enterCode("5");
    expectShown({"Txt_SigleEtabl=AUTRE ANTENNE", "Txt_Ligne1=12 rue du Devau"});
}

TEST_F(WorkflowTest, MandatoryFieldsStopTheCreationInTheirOrder) {
    struct Step {
        const char* message;
        int tab;  // -1: the tab shown stays
        const char* field;
        const char* typed;  // then typed into the field
    };
    const Step steps[] = {
        {"Le sigle doit être renseigné.", -1, "Txt_SigleEtabl", "   "},
        {"Le sigle doit être renseigné.", -1, "Txt_SigleEtabl", "ESSAI"},
        {"La raison sociale de l'entité doit être renseignée.", -1, "Txt_RaisonEtabl", "ESSAI"},
        {"Le numéro de SIRET doit être renseigné.", 2, "Txt_SiretEtabl", "77541267900042"},
        {"Le code NAF doit être renseigné.", 2, "Txt_CodNafEtabl", "8810A"},
        {"L'horaire hebdo doit être renseigné.", 2, "Txt_HorHebdoEtabl", "35"},
        {"Le numéro d'affiliation URSSAF doit être renseigné.", 2, "Txt_NoAffUrssaf", ""},
    };
    open();
    add(toolkit::Answer::No);
    for (const Step& s : steps) {
        SCOPED_TRACE(s.message);
        showTab(Frm_Etablissement::kCoordonnees);
        clickAnswering("Cmd_Ok", QString::fromUtf8(s.message), QMessageBox::Information);
        EXPECT_EQ(tab(), s.tab < 0 ? 0 : s.tab);
        EXPECT_EQ(focusName(), s.field);
        retype(s.field, QString::fromUtf8(s.typed));
    }
    // The number serves both schemes; the message names the one chosen.
    click(w("Opt_MSA"));
    clickAnswering("Cmd_Ok", "Le numéro d'affiliation MSA doit être renseigné.",
                   QMessageBox::Information);
    EXPECT_EQ(counter(), "003") << "no code taken";
    EXPECT_EQ(etab("001004"), "");
    retype("Txt_NoAffUrssaf", QStringLiteral("79123456799"));
    clickButton("Cmd_Ok");
    expectStored("001004", {"1=ESSAI", "16=3500", "20=79123456799", "33=M", "35=0"});
    EXPECT_EQ(counter(), "004");
}

TEST_F(WorkflowTest, UpdateChecksStopOnTheirTabAndWriteNothing) {
    const std::string base = etab("001003");
    // Each case breaks its rule's field and the field of the rule checked next: the first rule
    // is the one told.
    struct Case {
        int attribute;
        const char* value;
        int next;  // emptied too
        const char* message;
        int tab;
        const char* focus;  // null: the bank-details component focuses its own field
    };
    const Case cases[] = {
        {40, "15", 1, "La clé RIB ne correspond pas", 3, nullptr},
        {14, "7754126790003", 15, "La longueur du numéro de SIRET doit être de 14 caractères.", 2,
         "Txt_SiretEtabl"},
        {24, "", 20,
         "Le mois de fin de modulation des contrats de travail annualisés doit être "
         "renseigné.",
         2, "Cbo_Mois"},
    };
    open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        writeRecord("ETABLISSEMENT", "001003", base);
        writeRecord("ETABLISSEMENT", "001003", with("001003", c.attribute, 1, c.value));
        const std::string text = with("001003", c.next, 1, "");
        writeRecord("ETABLISSEMENT", "001003", text);
        enterCode("3");
        clickAnswering("Cmd_Ok", QString::fromUtf8(c.message),
                       c.tab == 3 ? QMessageBox::Warning : QMessageBox::Information);
        EXPECT_EQ(tab(), c.tab);
        if (c.focus) {
            EXPECT_EQ(focusName(), c.focus);
        }
        EXPECT_EQ(etab("001003"), text) << "nothing written";
        // A short SIRET is put right before leaving it, as the field asks.
        if (c.attribute == 14)
            retype("Txt_SiretEtabl", QStringLiteral("77541267900034"));
        clickButton("Cmd_Annuler");
    }
}

TEST_F(WorkflowTest, UpdateWritesWhatChangedAndKeepsTheAssociationsAddress) {
    open();
    std::string expected = with("001002", 16, 1, "3600");
    enterCode("2");
    showTab(Frm_Etablissement::kAutres);
    retype("Txt_HorHebdoEtabl", QStringLiteral("36"));
    clickButton("Cmd_Ok");
    EXPECT_EQ(etab("001002"), expected);
    expectBackToSearch();
    // The write heads the history, by the field's caption.
    enterCode("2");
    const QStringList history = this->history();
    ASSERT_FALSE(history.isEmpty());
    EXPECT_EQ(history[0], "admin|Horaire Hebdomadaire|3500|3600");
    clickButton("Cmd_Annuler");

    // Shown with the association's address, saved without it unless the user changed it.
    enterCode("1");
    retype("Txt_RaisonEtabl", QStringLiteral("SIEGE"));
    clickButton("Cmd_Ok");
    expectStored("001001", {"2=SIEGE", "3=", "8="});
    enterCode("1");
    retype("Txt_Ligne1", QStringLiteral("14 rue du Devau"));
    clickButton("Cmd_Ok");
    expectStored("001001", {"3=14 rue du Devau", "6=49300", "8=CHOLET"});
}

TEST_F(WorkflowTest, SchemeAndFieldRules) {
    open();
    enterCode("2");
    showTab(Frm_Etablissement::kAutres);
    // A SIRET that is not 14 characters long is refused on leaving; an empty one passes.
    retype("Txt_SiretEtabl", QStringLiteral("775412679"));
    answers.expect("Le numéro de SIRET doit comporter 14 caractères.", QMessageBox::Warning);
    focusOn(field("Txt_CodNafEtabl"));
    EXPECT_TRUE(answers.waitAnswered());
    settle();
    EXPECT_EQ(focusName(), "Txt_SiretEtabl");
    retype("Txt_SiretEtabl", QString());
    focusOn(field("Txt_CodNafEtabl"));
    EXPECT_EQ(focusName(), "Txt_CodNafEtabl");
    retype("Txt_SiretEtabl", QStringLiteral("77541267900026"));

    // Choosing a scheme clears the territorial flag; MSA also locks it.
    click(w("Cac_CollecTerri"));
    expectShown({"Cac_CollecTerri=1"});
    click(w("Opt_MSA"));
    expectShown({"Cac_CollecTerri=0"});
    expectEnabled({"Cac_CollecTerri"}, false);
    click(w("Opt_URSSAF"));
    expectEnabled({"Cac_CollecTerri"}, true);
    click(w("Cac_CollecTerri"));
    click(w("Opt_MSA"));

    // Amounts: a comma for a point and only one; some never stay empty.
    showTab(Frm_Etablissement::kParametresPaie);
    retype("Txt_TauxHoraire", QStringLiteral("12.5,3"));
    retype("Txt_GarantieHorMin", QString());
    retype("Txt_Abattement", QString());
    focusOn(field("Txt_IdCCN"));
    expectShown({"Txt_TauxHoraire=12,53", "Txt_GarantieHorMin=0,00", "Txt_Abattement="});
    clickButton("Cmd_Ok");
    expectStored("001002", {"33=M", "35=0", "31=1253", "26=0", "28="});
    enterCode("2");
    expectShown({"Opt_MSA=1"});
    expectEnabled({"Cac_CollecTerri"}, false);
}

TEST_F(WorkflowTest, CounterGivesOnlyFreeCodesUpTo999) {
    setCounter("999");
    open();
    add(toolkit::Answer::No);
    fillRequired(QStringLiteral("UNE DE TROP"));
    clickAnswering("Cmd_Ok",
                   "Impossible de créer un nouvel établissement : le dernier code possible, 999, "
                   "a déjà été attribué pour l'entité juridique 001.",
                   QMessageBox::Warning);
    EXPECT_EQ(win()->mode(), Frm_Etablissement::kCreationAdressePropre);
    EXPECT_EQ(counter(), "999");
    EXPECT_EQ(db->Select("SSELECT ETABLISSEMENT", "ETABLISSEMENT", "0").DCount(), 14);

    // Behind the records: the taken codes are passed, the next free one offered.
    setCounter("001");
    const std::string taken = etab("001002");
    clickAnswering("Cmd_Ok", "Le code d'établissement 002 a déjà été attribué",
                   QMessageBox::Question, toolkit::Answer::Yes);
    expectStored("001004", {"1=UNE DE TROP"});
    EXPECT_EQ(etab("001002"), taken);
    EXPECT_EQ(counter(), "004");

    // Annuler asks before dropping a creation.
    add(toolkit::Answer::Yes);
    clickAnswering("Cmd_Annuler", "Etes-vous sûr de vouloir quitter cette création ?",
                   QMessageBox::Warning, toolkit::Answer::No);
    EXPECT_EQ(win()->mode(), Frm_Etablissement::kCreationAdresseEntite);
    clickAnswering("Cmd_Annuler", "Etes-vous sûr de vouloir quitter cette création ?",
                   QMessageBox::Warning, toolkit::Answer::Yes);
    expectBackToSearch();
    expectShown({"Txt_Ligne1="});
}

TEST_F(WorkflowTest, SaveOverAnotherWorkstationsChangeCanReloadIt) {
    open();
    enterCode("2");
    writeRecord("ETABLISSEMENT", "001002", with("001002", 2, 1, "RAISON D'UN AUTRE POSTE"));
    showTab(Frm_Etablissement::kAutres);
    retype("Txt_HorHebdoEtabl", QStringLiteral("36"));
    clickAnswering("Cmd_Ok", "Raison Sociale", QMessageBox::Warning, toolkit::Answer::No);
    expectShown({"Txt_CodeEtabl=002", "Txt_RaisonEtabl=RAISON D'UN AUTRE POSTE",
                 "Txt_HorHebdoEtabl=35,00"});
    showTab(Frm_Etablissement::kAutres);
    retype("Txt_HorHebdoEtabl", QStringLiteral("36"));
    clickButton("Cmd_Ok");
    expectStored("001002", {"2=RAISON D'UN AUTRE POSTE", "16=3600"});
}
