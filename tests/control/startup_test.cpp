// Start-up, rights, the paths check when the focus enters the screen, and leaving.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include "platform/engine/dynarray.h"
#include "store/variables.h"
#include "tests/control/association_fixture.h"

namespace {

const QStringList kDemoSigles = {"ASD BOCAGE", "DOMI ESTUAIRE", "ERDS", "PSP", "SAD VAL DE LOIRE"};

}  // namespace

TEST_F(CtrAssociationTest, StartsGreyedWithEverySigleListed) {
    start();
    EXPECT_EQ(items(w<QComboBox>("Cbo_SigleAssoc")), kDemoSigles);
    EXPECT_EQ(w<QComboBox>("Cbo_SigleAssoc")->currentText(), QString());
    EXPECT_TRUE(w<QComboBox>("Cbo_SigleAssoc")->isVisible());
    EXPECT_TRUE(w<QLineEdit>("Txt_CodeAssoc")->isEnabled());
    EXPECT_TRUE(w<QLineEdit>("Txt_CodeAssoc")->text().isEmpty());
    EXPECT_FALSE(w<QLineEdit>("Txt_RaisonAssoc")->isEnabled());
    for (const char* name : {"Cmd_Annuler", "Cmd_Etablissement", "Cmd_Activite", "Cmd_Ok"})
        EXPECT_FALSE(w<QPushButton>(name)->isEnabled()) << name;
    EXPECT_TRUE(w<QPushButton>("Cmd_Ajouter")->isVisible());
    EXPECT_TRUE(w<QPushButton>("Cmd_Ajouter")->isEnabled());
    EXPECT_EQ(w<QTabWidget>("Ong_Assoc")->currentIndex(), 0);
    EXPECT_EQ(items(w<QComboBox>("Cbo_Systeme")),
              (QStringList{"TELEPOINTAGE OUEST", "DOMICILE PHONE SERVICES", "VISITES MOBILES"}));
    EXPECT_FALSE(screen()->W_Sortir());

    const store::Variables& v = store::Variables::Get();
    for (const auto* file : {&v.fCompteur, &v.fTables, &v.fCheminFichier, &v.fNumeroFact,
                             &v.fPeriodesPaie, &v.fPlanComptable, &v.fAssociation}) {
        EXPECT_TRUE(*file != nullptr);
    }
    EXPECT_TRUE(v.sectAnal && v.emplois && v.tauxTva && v.telegestion && v.requete);
    ASSERT_TRUE(v.chemin) << "the paths record is read when the focus enters the screen";
    EXPECT_FALSE(v.chemin->Value(3).empty());
}

TEST_F(CtrAssociationTest, SingleAssociationIsShownAtOnce) {
    keepOnly({"003"});
    start();
    EXPECT_EQ(w<QLineEdit>("Txt_CodeAssoc")->text(), "003");
    EXPECT_FALSE(w<QLineEdit>("Txt_CodeAssoc")->isEnabled());
    EXPECT_EQ(w<QLineEdit>("Txt_RaisonAssoc")->text(), "DOMICILE SERVICES DE L'ESTUAIRE");
    EXPECT_TRUE(w<QLineEdit>("Txt_RaisonAssoc")->isEnabled());
    EXPECT_FALSE(w<QComboBox>("Cbo_SigleAssoc")->isVisible());
    EXPECT_TRUE(w<QLineEdit>("Txt_SigleAssoc")->isVisible());
    EXPECT_EQ(w<QLineEdit>("Txt_SigleAssoc")->text(), "DOMI ESTUAIRE");
    for (const char* name : {"Cmd_Annuler", "Cmd_Etablissement", "Cmd_Activite", "Cmd_Ok"})
        EXPECT_TRUE(w<QPushButton>(name)->isEnabled()) << name;
    EXPECT_FALSE(w<QPushButton>("Cmd_Ajouter")->isEnabled());
}

TEST_F(CtrAssociationTest, SingleAssociationWithoutSigleWaitsForTheUser) {
    keepOnly({"003"});
    std::string text = stored("ASSOCIATION", "003");
    mv::replace(text, 1, 1, "");
    writeRecord("ASSOCIATION", "003", text);
    start();
    EXPECT_TRUE(w<QLineEdit>("Txt_CodeAssoc")->text().isEmpty());
    EXPECT_TRUE(w<QLineEdit>("Txt_RaisonAssoc")->text().isEmpty());
    EXPECT_EQ(w<QComboBox>("Cbo_SigleAssoc")->count(), 1);
}

TEST_F(CtrAssociationTest, ConsultationUserNeitherAddsNorSaves) {
    start(seed::kDemoConsultUser);
    EXPECT_NE(screen()->accessLevel(), 2);
    EXPECT_FALSE(w<QPushButton>("Cmd_Ajouter")->isVisible());
    EXPECT_FALSE(w<QPushButton>("Cmd_Ok")->isVisible());
    enterCode("1");
    EXPECT_EQ(w<QLineEdit>("Txt_RaisonAssoc")->text(), "AIDE ET SOINS DU BOCAGE");
    EXPECT_FALSE(w<QPushButton>("Cmd_Ok")->isVisible());
    EXPECT_TRUE(w<QPushButton>("Cmd_Etablissement")->isEnabled());
}

TEST_F(CtrAssociationTest, MissingPathsRecordEndsTheScreen) {
    deleteRecord("CHEMINFICHIER", "1");
    answers.expect(
        "Les chemins d'accès des produits bureautiques ne sont pas corrects, veuillez "
        "les saisir.",
        QMessageBox::Warning);
    window()->start(db, QString::fromLatin1(seed::kDemoAdminUser));
    // The focus enters the screen as the window comes up; the window may be gone before the
    // wait for its exposure returns.
    window()->show();
    window()->activateWindow();
    EXPECT_TRUE(answers.waitAnswered());
    settle();
    EXPECT_TRUE(screen()->W_Sortir());
    EXPECT_FALSE(window()->isVisible());
    EXPECT_FALSE(store::Variables::Get().database) << "the host closes the screen";
    EXPECT_FALSE(store::Variables::Get().chemin);
}

TEST_F(CtrAssociationTest, MissingTelegestionTableStillStarts) {
    deleteRecord("TABLES", "TELEGESTION");
    start();
    EXPECT_EQ(w<QComboBox>("Cbo_Systeme")->count(), 0);
    enterCode("001");
    EXPECT_TRUE(w<QCheckBox>("Cac_Telegestion")->isChecked());
    EXPECT_EQ(w<QLineEdit>("Txt_Systeme")->text(), "TPO");
    EXPECT_EQ(w<QComboBox>("Cbo_Systeme")->currentIndex(), -1);
}

TEST_F(CtrAssociationTest, SecondInitStartsAgainFromTheSearch) {
    start();
    enterCode("2");
    ASSERT_FALSE(w<QLineEdit>("Txt_RaisonAssoc")->text().isEmpty());
    store::Variables::Get().telegestion.reset();
    screen()->Init();
    settle();
    EXPECT_EQ(items(w<QComboBox>("Cbo_SigleAssoc")), kDemoSigles);
    EXPECT_TRUE(store::Variables::Get().telegestion) << "the cached tables are read again";
    EXPECT_TRUE(w<QLineEdit>("Txt_CodeAssoc")->text().isEmpty());
    EXPECT_TRUE(w<QLineEdit>("Txt_CodeAssoc")->isEnabled());
    EXPECT_TRUE(w<QComboBox>("Cbo_SigleAssoc")->isVisible());
    EXPECT_TRUE(w<QLineEdit>("Txt_RaisonAssoc")->text().isEmpty());
    EXPECT_FALSE(w<QPushButton>("Cmd_Ok")->isEnabled());
    enterCode("5");
    EXPECT_EQ(w<QLineEdit>("Txt_RaisonAssoc")->text(), "PRESENCE ET SOINS DU PERCHE");
}

TEST_F(CtrAssociationTest, SortirClosesTheWindowAndReleasesEverything) {
    start();
    enterCode("1");
    click(w<QPushButton>("Cmd_Sortir"));
    settle();
    EXPECT_TRUE(screen()->W_Sortir());
    EXPECT_FALSE(window()->isVisible());
    const store::Variables& v = store::Variables::Get();
    EXPECT_FALSE(v.database);
    EXPECT_FALSE(v.fAssociation || v.fTables || v.fCompteur || v.fCheminFichier);
    EXPECT_FALSE(v.association || v.telegestion || v.requete || v.chemin);
    EXPECT_TRUE(v.client) << "the client stays with the host";
}

TEST_F(CtrAssociationTest, ClosingTheFrameGoesThroughTheLeave) {
    start();
    enterCode("1");
    window()->close();
    settle(50);
    EXPECT_FALSE(window()->isVisible());
    EXPECT_TRUE(screen()->W_Sortir());
    EXPECT_FALSE(store::Variables::Get().database);
}

TEST_F(CtrAssociationTest, RightClickOpensTheHelp) {
    start();
    auto* tabs = w<QTabWidget>("Ong_Assoc");
    QWidget* page = tabs->currentWidget();
    const QPoint blank(page->width() - 5, page->height() - 5);
    QTest::mouseClick(page, Qt::LeftButton, Qt::NoModifier, blank);
    settle();
    auto* menu = screen()->findChild<QMenu*>("Mnu_Aide");
    ASSERT_TRUE(menu);
    EXPECT_FALSE(menu->isVisible()) << "only the right button opens the help";
    QTest::mouseClick(page, Qt::RightButton, Qt::NoModifier, blank);
    settle();
    ASSERT_TRUE(menu->isVisible());
    QAction* sommaire = menu->findChild<QAction*>("Mnu_Sommaire");
    ASSERT_TRUE(sommaire);
    EXPECT_EQ(sommaire->text(), "Aide_MERIDOVAL");
    QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier,
                      menu->actionGeometry(sommaire).center());
    settle(50);
    QWidget* help = topLevel("Frm_Aide");
    ASSERT_TRUE(help) << "the help page is shown";
    help->close();

    // The tab bar keeps its own clicks; a right click there opens the menu too.
    QTest::mouseClick(tabs->tabBar(), Qt::RightButton, Qt::NoModifier,
                      tabs->tabBar()->tabRect(2).center());
    settle();
    EXPECT_TRUE(menu->isVisible());
    menu->hide();
}
