// Opening the establishments window and finding an establishment in it: the opening from the
// association screen, the list, the look-ups by code and by sigle, and what a display shows.
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>

#include "store/layout/parametres.h"
#include "tests/establishments/etablissement_fixture.h"

using DisplayTest = EtablissementTest;

TEST_F(DisplayTest, OpensFromTheAssociationScreenAndGivesItBack) {
    start();
    CtrAssociationTest::enterCode("1");
    // The window is modal: it is looked at from inside its own event loop, then left.
    bool seen = false;
    QTimer inside;
    QObject::connect(&inside, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (seen || !modal || modal->objectName() != "Frm_Etablissement")
            return;
        seen = true;
        EXPECT_FALSE(screen()->isEnabled());
        EXPECT_EQ(screen()->cursor().shape(), Qt::WaitCursor);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the window is worked normally";
        EXPECT_EQ(modal->findChild<QLabel*>("Etq_CodeAssoc")->text(), "001");
        EXPECT_EQ(modal->findChild<QLabel*>("Etq_SigleAssoc")->text(), "ASD BOCAGE");
        EXPECT_EQ(items(modal->findChild<QComboBox*>("Cbo_SigleEtabl")),
                  QStringList({"ANTENNE BEAUPREAU", "ASD BOCAGE SIEGE", "SSIAD BOCAGE"}));
        // Neither the frame nor Escape closes it.
        modal->close();
        QTest::keyClick(modal, Qt::Key_Escape);
        EXPECT_TRUE(modal->isVisible());
        click(modal->findChild<QWidget*>("Cmd_Sortir"));
    });
    inside.start(10);
    CtrAssociationTest::clickButton("Cmd_Etablissement");
    EXPECT_TRUE(seen);
    EXPECT_TRUE(screen()->isEnabled());
    EXPECT_NE(screen()->cursor().shape(), Qt::WaitCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(DisplayTest, CaptureShowsAnEstablishmentOnATab) {
    start();
    const QString png = QDir::temp().filePath("etablissement-capture-test.png");
    QString error;
    ASSERT_TRUE(window()->screenshot(png, "001", 2, error, "etablissements", "2"))
        << error.toStdString();
    EXPECT_FALSE(QImage(png).isNull());
    QFile::remove(png);
    EXPECT_FALSE(window()->screenshot(png, "001", 4, error, "etablissements", "002"));
    EXPECT_EQ(error, "L'onglet 4 n'existe pas (0 à 3).");
    EXPECT_TRUE(screen()->isEnabled());
}

TEST_F(DisplayTest, FindsByCodeAndBySigleOfItsOwnAssociationOnly) {
    open();
    expectBackToSearch();
    enterCode("2");
    expectShown({"Txt_CodeEtabl=002", "Txt_SigleEtabl=ANTENNE BEAUPREAU"});
    expectEnabled({"Txt_CodeEtabl", "Cmd_Ajouter"}, false);
    expectEnabled({"Cmd_Ok", "Cmd_Annuler", "Ong_Etabl"}, true);
    clickButton("Cmd_Annuler");
    expectBackToSearch();

    answers.expect(
        "Cet établissement n'existe pas, vous devez d'abord cliquer sur Ajouter pour "
        "créer un nouvel établissement.",
        QMessageBox::Warning);
    enterCode("7");
    EXPECT_TRUE(answers.done());
    expectBackToSearch();

    lookUpSigle("ssiad");
    EXPECT_EQ(items(w<QComboBox>("Cbo_SigleEtabl")), QStringList({"SSIAD BOCAGE"}));
    choose("Cbo_SigleEtabl", 0);
    expectShown({"Txt_CodeEtabl=003", "Txt_SigleEtabl=SSIAD BOCAGE"});
    clickButton("Cmd_Annuler");

    // Another association's establishments are not offered ("SAD TOURS" belongs to 002).
    answers.expect("Aucun établissement commençant par SAD", QMessageBox::Warning);
    lookUpSigle("sad");
    EXPECT_TRUE(answers.done());
}

TEST_F(DisplayTest, ShowsEveryTabOfTheRecord) {
    writeRecord("ETABLISSEMENT", "001001", with("001001", 17, 2, "123456"));
    writeRecord("ETABLISSEMENT", "001001", with("001001", 18, 2, ""));
    open();
    enterCode("2");
    // clang-format off
    expectShown({"Txt_RaisonEtabl=AIDE ET SOINS DU BOCAGE - ANTENNE DE BEAUPREAU",
        "Txt_Ligne1=3 place du Château", "Cbo_Commune=BEAUPRÉAU-EN-MAUGES",
        "Txt_CodeInsee=49023", "Txt_GarantieHorMin=11,88", "Txt_MinorationReducSs=",
        "Txt_Abattement=", "Txt_AidePerenne=1,50", "Txt_AideIncitative=",
        "Txt_TauxHoraire=12,03", "Txt_IdCCN=2941", "Txt_SiretEtabl=77541267900026",
        "Txt_CodNafEtabl=8810A", "Txt_HorHebdoEtabl=35,00", "Cbo_Mois=DÉCEMBRE",
        "Chk_CarteOrange=0", "Opt_URSSAF=1", "Opt_MSA=0", "Cac_CollecTerri=0",
        "Txt_CodUrssaf=527", "Txt_NoAffUrssaf=527123456702",
        "Txt_CentreUrssaf=URSSAF PAYS DE LA LOIRE", "Txt_Fraction=02", "Txt_Banque="});
    // clang-format on
    EXPECT_EQ(tab(), Frm_Etablissement::kCoordonnees);
    auto* mois = w<QComboBox>("Cbo_Mois");
    EXPECT_EQ(mois->itemText(1), "FÉVRIER");
    EXPECT_EQ(mois->count(), 12);
    // The pay pair of the other period can be neither seen filled nor typed into.
    expectEnabled({"Txt_Multiplicateur", "Txt_SmicMensuel"}, false);
    clickButton("Cmd_Annuler");

    // Without an address of its own, the association's; its own bank details.
    enterCode("3");
    expectShown({"Txt_Ligne1=27 avenue Gambetta", "Txt_CodeBanque=17906", "Txt_CleRib=69"});
    clickButton("Cmd_Annuler");
    expectShown({"Txt_Ligne1=", "Txt_CodeBanque=", "Cbo_Effectif="});
    enterCode("1");
    expectShown({"Txt_Ligne1=12 rue du Devau", "Cbo_Commune=CHOLET", "Txt_CodeBanque="});

    // Each period ends on its month's last day, a leap February included; each count takes the
    // width of 4 integer digits and 2 decimals, so the columns hold whatever the count; the first
    // line is chosen.
    const QStringList lines = items(w<QComboBox>("Cbo_Effectif"));
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], "31/12/2022    39,00             28,70");
    EXPECT_EQ(lines[1], "31/12/2023  1234,56              0,00");
    EXPECT_EQ(lines[2], "29/02/2024    41,00             30,10");
    EXPECT_EQ(shown("Cbo_Effectif"), lines[0]);
}

TEST_F(DisplayTest, PayPeriodChoosesWhichPairShowsAttributes26And27) {
    // Before July 2003: the multiplier and the monthly minimum wage.
    writeRecord("PERIODESPAIE", store::layout::periodespaie::kId, "200306");
    open();
    enterCode("1");
    expectShown({"Txt_Multiplicateur=11,88", "Txt_SmicMensuel=3,50",
                 "Txt_GarantieHorMin=", "Txt_MinorationReducSs="});
    expectEnabled({"Txt_GarantieHorMin", "Txt_MinorationReducSs"}, false);
    retype("Txt_Multiplicateur", "12,5");
    clickButton("Cmd_Ok");
    expectStored("001001", {"26=1250", "27=350"});
    clickButton("Cmd_Sortir");

    // From July 2003 on: the pay guarantee and the reduction.
    writeRecord("PERIODESPAIE", store::layout::periodespaie::kId, "200307");
    open();
    enterCode("1");
    expectShown({"Txt_GarantieHorMin=12,50", "Txt_MinorationReducSs=3,50",
                 "Txt_Multiplicateur=", "Txt_SmicMensuel="});
    expectEnabled({"Txt_Multiplicateur", "Txt_SmicMensuel"}, false);
}

TEST_F(DisplayTest, SingleEstablishmentIsShownAtOnceAndHelpIsAtHand) {
    deleteRecord("ETABLISSEMENT", "001002");
    deleteRecord("ETABLISSEMENT", "001003");
    open();
    expectShown({"Txt_CodeEtabl=001", "Txt_SigleEtabl=ASD BOCAGE SIEGE"});

    QTabBar* bar = w<QTabWidget>("Ong_Etabl")->tabBar();
    QTest::mouseClick(bar, Qt::RightButton, Qt::NoModifier, bar->tabRect(1).center());
    settle();
    auto* menu = win()->findChild<QMenu*>("Mnu_Aide");
    ASSERT_TRUE(menu && menu->isVisible());
    QAction* sommaire = menu->findChild<QAction*>("Mnu_Sommaire");
    QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier,
                      menu->actionGeometry(sommaire).center());
    ASSERT_TRUE(QTest::qWaitFor([] { return topLevel("Frm_Aide") != nullptr; }));
    auto* help = static_cast<QTextBrowser*>(topLevel("Frm_Aide"));
    EXPECT_TRUE(help->source().toString().contains("AssocEtablissements.htm"));
    help->close();
}
