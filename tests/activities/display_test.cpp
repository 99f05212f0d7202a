// Opening the activities window, finding an activity by code and by name, and what each type
// shows and lets the user change.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTextBrowser>

#include "platform/engine/dynarray.h"
#include "store/layout/association.h"
#include "tests/activities/activities_fixture.h"

TEST_F(ActivitiesTest, OpensFromTheAssociationScreenAndGivesItBack) {
    start();
    enterCode("001");
    EXPECT_TRUE(inWindow(
        "Frm_Activite", [&] { clickButton("Cmd_Activite"); },
        [&](QWidget* win) {
            EXPECT_EQ(win->windowTitle(), "Activités - Entité juridique 001 ASD BOCAGE");
            EXPECT_EQ(child<QLabel>(win, "Etq_CodeAssoc")->text(), "001");
            EXPECT_EQ(child<QLabel>(win, "Etq_SigleAssoc")->text(), "ASD BOCAGE");
            // The association screen waits under the hourglass; the window is worked normally.
            EXPECT_FALSE(screen()->isEnabled());
            EXPECT_EQ(screen()->cursor().shape(), Qt::WaitCursor);
            EXPECT_TRUE(win->isEnabled());
            EXPECT_EQ(QApplication::overrideCursor(), nullptr);
            EXPECT_EQ(
                items(child<QComboBox>(win, "Cbo_LibActivite")),
                QStringList({"AIDE MENAGERE", "AUXILIAIRE DE VIE", "MANDATAIRE AIDE A DOMICILE",
                             "MISE EN RELATION", "SOINS INFIRMIERS A DOMICILE"}));
            EXPECT_FALSE(child<QWidget>(win, "Cmd_IntegrationComptable")->isEnabled());
            // Neither the frame nor Escape closes it: "Sortir" does.
            win->close();
            QTest::keyClick(win, Qt::Key_Escape);
            settle();
            EXPECT_TRUE(win->isVisible());
            click(child<QPushButton>(win, "Cmd_Sortir"));
        }));
    EXPECT_EQ(topLevel("Frm_Activite"), nullptr);
    EXPECT_TRUE(screen()->isEnabled());
    EXPECT_NE(screen()->cursor().shape(), Qt::WaitCursor);
}

TEST_F(ActivitiesTest, ShowsAnActivityByCodeOrByName) {
    open();
    typeCode("1");
    expectShowing({"Txt_CodActivite=001", "Txt_LibActivite=AIDE MENAGERE", "Txt_SectAnalActiv=100",
                   "Cbo_SectAnalActiv=AIDE A DOMICILE PRESTATAIRE", "Txt_CodeTVA=1",
                   "Cbo_CodeTVA=TAUX REDUIT 5,5 %", "Txt_TauxTVA=5,5", "Opt_Autre=1",
                   "Txt_ServiceActiv=AMN", "Cbo_ServiceActiv=AIDE MENAGERE",
                   "Txt_Finess=", "Txt_LibTarif=Participation Conseil départemental", "Cac_Exo=1"});
    // Without bank details of its own, the association's are shown.
    EXPECT_EQ(showing("Txt_Banque").toStdString(),
              association("001").Value(store::layout::association::kRib, 1));
    expectUsable({"Txt_CodActivite"}, false);
    expectUsable({"Txt_LibActivite", "Cmd_Ok", "Cmd_Annuler", "Cmd_IntegrationComptable"}, true);
    EXPECT_FALSE(a("Cbo_LibActivite")->isVisible());

    press("Cmd_Annuler");
    expectShowing({"Txt_CodActivite=", "Cbo_LibActivite=", "Txt_SectAnalActiv=", "Opt_Autre=0"});
    expectUsable({"Txt_CodActivite"}, true);
    expectUsable({"Cmd_Ok", "Cmd_IntegrationComptable", "Txt_LibActivite"}, false);
    EXPECT_EQ(focused(), "Txt_CodActivite");

    // By name: the activity with bank details of its own shows them.
    pick("Cbo_LibActivite", 4);
    expectShowing({"Txt_CodActivite=005", "Txt_LibActivite=SOINS INFIRMIERS A DOMICILE",
                   "Opt_SSIAD=1", "Txt_Banque=BANQUE DES MAUGES", "Txt_Ics=FR95SSI412587",
                   "Txt_Finess=490009784", "Txt_CodeTVA=0", "Txt_TauxTVA=0"});
    press("Cmd_Annuler");

    // The type-ahead keeps to this association: 002 has a "MISE EN RELATION TOURAINE" too.
    auto* names = a<QComboBox>("Cbo_LibActivite");
    typeIn("Cbo_LibActivite", "mis");
    pressEnter(names);
    EXPECT_EQ(items(names), QStringList({"MISE EN RELATION"}));
    answers.expect("Aucune activité commençant par ZZ", QMessageBox::Warning);
    names->setEditText(QString());
    typeIn("Cbo_LibActivite", "zz");
    pressEnter(names);
    EXPECT_TRUE(answers.done());
    EXPECT_EQ(items(names), QStringList({"MISE EN RELATION"})) << "the list stays";
    answers.expect("La saisie de minuscule accentuée est interdite sur cette zone.",
                   QMessageBox::Warning);
    typeIn("Cbo_LibActivite", "é");
    EXPECT_TRUE(answers.done());
    pick("Cbo_LibActivite", 0);
    expectShowing({"Txt_CodActivite=004", "Opt_Intermed=1", "Txt_ServiceActiv=INT"});
    press("Cmd_Annuler");

    answers.expect(
        "Cette activité n'existe pas, vous devez d'abord cliquer sur Ajouter pour "
        "créer une nouvelle activité.",
        QMessageBox::Warning);
    typeCode("9");
    EXPECT_TRUE(answers.done());
    expectShowing({"Txt_CodActivite="});
    EXPECT_EQ(focused(), "Txt_CodActivite");
}

TEST_F(ActivitiesTest, EachTypeEnablesItsOwnFields) {
    struct Case {
        const char* code;
        const char* option;
        bool prestataire;  // the cost type heading and the accounting button
    };
    open();
    for (const Case& c : {Case{"001", "Opt_Autre", true}, Case{"003", "Opt_Mandataire", false},
                          Case{"004", "Opt_Intermed", false}, Case{"005", "Opt_SSIAD", false}}) {
        SCOPED_TRACE(c.code);
        typeCode(c.code);
        EXPECT_EQ(showing(c.option), "1");
        expectUsable({"Txt_ServiceActiv", "Cbo_ServiceActiv", "Cdr_CoutHoraire", "Lst_Cout",
                      "Cmd_AjoutCout", "Cdr_Type", "Cac_Exo"},
                     true);
        expectUsable({"Txt_Cout", "Txt_Date", "Txt_CoutMajore", "Cmd_OkCout", "Cmd_SuppCout"},
                     false);
        EXPECT_EQ(a("Etq_Type")->isEnabled(), c.prestataire);
        EXPECT_EQ(a("Cmd_IntegrationComptable")->isEnabled(), c.prestataire);
        EXPECT_EQ(a<QListWidget>("Lst_Cout")->count() > 0, c.prestataire);
        press("Cmd_Annuler");
    }

    // Without the accounting switch of COMPTEUR "999" the button stays off.
    writeRecord("COMPTEUR", "999", "");
    typeCode("001");
    expectUsable({"Cmd_IntegrationComptable"}, false);
}

TEST_F(ActivitiesTest, StoredFormsTheScreenCannotShowAreNoChange) {
    // A type no option stands for, the service "0" for none, a label longer than its box, cost
    // lines out of date order.
    std::string text = stored("ACTIVITES", "001003");
    mv::replace(text, 12, "X");
    mv::replace(text, 13, "0");
    mv::replace(text, 21, "LIBELLE PLUS LONG QUE LES 35 CARACTERES DE LA ZONE");
    writeRecord("ACTIVITES", "001003", text);
    open();
    typeCode("003");
    expectShowing({"Opt_SSIAD=1", "Txt_ServiceActiv=", "Cbo_ServiceActiv=",
                   "Txt_LibTarif=LIBELLE PLUS LONG QUE LES 35 CARACTERES DE LA ZONE"});
    press("Cmd_Sortir");
    EXPECT_FALSE(isOpen()) << "closed without a question";

    reopen();
    typeCode("001");  // its demo lines are stored oldest first
    EXPECT_EQ(rows("Lst_Date"),
              QStringList({"01/01/2026", "01/03/2025", "01/01/2025", "01/01/2024"}));
    press("Cmd_Sortir");
    EXPECT_FALSE(isOpen());
    EXPECT_EQ(stored("ACTIVITES", "001003"), text);
}

TEST_F(ActivitiesTest, AnOnlyActivityIsShownAtOnce) {
    for (const char* id : {"005001", "005002", "005004"})
        deleteRecord("ACTIVITES", id);
    open("005");
    expectShowing({"Txt_CodActivite=003", "Txt_LibActivite=SSIAD DU PERCHE", "Opt_SSIAD=1",
                   "Etq_CodeAssoc=005", "Etq_SigleAssoc=PSP"});
}

TEST_F(ActivitiesTest, TheRightClickMenuShowsTheHistoryAndTheHelp) {
    open();
    typeCode("003");
    retypeIn("Txt_LibTarif", "Tarif mandataire");
    press("Cmd_Ok");
    typeCode("003");
    retypeIn("Txt_Finess", "490009786");
    press("Cmd_Ok");
    typeCode("003");
    QMenu* menu = rightClick(a("Cdr_RIB"));
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->objectName(), "Mnu_Aide");
    menu->hide();
    const QStringList rows = history(rightClick(a("Cdr_Type")));
    ASSERT_GE(rows.size(), 2);
    EXPECT_EQ(rows[0], "admin|Numéro FINESS||490009786");
    EXPECT_EQ(rows[1], "admin|Libellé ajustement tarifaire sur facture aidé||Tarif mandataire");

    // Nothing shown, no history to look at; the help is always there.
    press("Cmd_Annuler");
    menu = rightClick(a("Cdr_Type"));
    ASSERT_TRUE(menu);
    EXPECT_FALSE(menu->findChild<QAction*>("Mnu_Historique")->isEnabled());
    QAction* sommaire = menu->findChild<QAction*>("Mnu_Sommaire");
    ASSERT_TRUE(sommaire);
    EXPECT_EQ(sommaire->text(), "Aide_MERIDOVAL");
    QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier,
                      menu->actionGeometry(sommaire).center());
    ASSERT_TRUE(waitFor([] { return topLevel("Frm_Aide") != nullptr; }));
    auto* help = qobject_cast<QTextBrowser*>(topLevel("Frm_Aide"));
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->source().toString().endsWith("AssocActivites.htm"));
    help->close();
}

TEST_F(ActivitiesTest, CaptureShowsAnActivity) {
    start();
    EXPECT_EQ(capture("activites", "001"), "");
    answers.expect("Cette activité n'existe pas", QMessageBox::Warning);
    EXPECT_EQ(capture("activites", "009"), "L'activité 009 n'existe pas.");
    EXPECT_TRUE(answers.done());
    EXPECT_TRUE(screen()->isEnabled());
}
