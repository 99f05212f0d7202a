// Start-up, missing tables, the paths check when the focus enters the screen, the help menu and
// closing.
#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>

#include "store/variables.h"
#include "tests/control/association_fixture.h"

namespace {

const QStringList kDemoSigles = {"ASD BOCAGE", "DOMI ESTUAIRE", "ERDS", "PSP", "SAD VAL DE LOIRE"};

void expectReleased() {
    const store::Variables& v = store::Variables::Get();
    EXPECT_FALSE(v.database || v.fAssociation || v.fTables || v.fCompteur || v.fCheminFichier);
    EXPECT_FALSE(v.association || v.telegestion || v.requete || v.chemin);
    EXPECT_TRUE(v.client) << "the client stays with the host";
}

}  // namespace

TEST_F(CtrAssociationTest, StartsGreyedWithEverySigleListed) {
    start();
    EXPECT_EQ(items(w<QComboBox>("Cbo_SigleAssoc")), kDemoSigles);
    expectShown({"Cbo_SigleAssoc=", "Txt_CodeAssoc="});
    EXPECT_TRUE(w("Cbo_SigleAssoc")->isVisible() && w("Cmd_Ajouter")->isVisible());
    expectEnabled({"Txt_CodeAssoc", "Cmd_Ajouter"}, true);
    expectEnabled({"Txt_RaisonAssoc", "Cmd_Annuler", "Cmd_Etablissement", "Cmd_Activite", "Cmd_Ok"},
                  false);
    EXPECT_EQ(w<QTabWidget>("Ong_Assoc")->currentIndex(), kCoordonnees);
    EXPECT_EQ(items(w<QComboBox>("Cbo_Systeme")),
              (QStringList{"TELEPOINTAGE OUEST", "DOMICILE PHONE SERVICES", "VISITES MOBILES"}));
    EXPECT_FALSE(screen()->W_Sortir());

    const store::Variables& v = store::Variables::Get();
    EXPECT_TRUE(v.fCompteur && v.fTables && v.fCheminFichier && v.fNumeroFact && v.fPeriodesPaie &&
                v.fPlanComptable && v.fAssociation);
    EXPECT_TRUE(v.sectAnal && v.emplois && v.tauxTva && v.telegestion && v.requete);
    ASSERT_TRUE(v.chemin) << "the paths record is read when the focus enters the screen";
    EXPECT_FALSE(v.chemin->Value(3).empty());
}

TEST_F(CtrAssociationTest, SingleAssociationIsShownAtOnceUnlessItHasNoSigle) {
    keepOnly("003");
    start();
    expectShown({"Txt_CodeAssoc=003", "Txt_RaisonAssoc=DOMICILE SERVICES DE L'ESTUAIRE",
                 "Txt_SigleAssoc=DOMI ESTUAIRE"});
    clickButton("Cmd_Sortir");
    storeAt("003", 1, "");
    start();
    expectShown({"Txt_CodeAssoc=", "Txt_RaisonAssoc="});
    EXPECT_EQ(w<QComboBox>("Cbo_SigleAssoc")->count(), 1);
}

TEST_F(CtrAssociationTest, MissingPathsRecordEndsTheScreen) {
    deleteRecord("CHEMINFICHIER", "1");
    answers.expect(
        "Les chemins d'accès des produits bureautiques ne sont pas corrects, veuillez les saisir.",
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
    expectReleased();
}

TEST_F(CtrAssociationTest, MissingTablesAreReportedOrLeftEmpty) {
    deleteRecord("TABLES", "TELEGESTION");
    deleteRecord("TABLES", "QUALITERESPPAIE");
    start();
    EXPECT_EQ(w<QComboBox>("Cbo_Systeme")->count(), 0);
    answers.expect("Erreur de lecture des qualités de responsable de paie", QMessageBox::Warning);
    enterCode("001");
    EXPECT_TRUE(answers.done());
    EXPECT_EQ(w<QComboBox>("cbo_RespPaie")->count(), 0);
    expectShown({"Cac_Telegestion=1", "Txt_Systeme=TPO",
                 "Cbo_Systeme=", "Txt_RaisonAssoc=AIDE ET SOINS DU BOCAGE"});
}

TEST_F(CtrAssociationTest, SecondInitStartsAgainFromTheSearch) {
    start();
    enterCode("2");
    store::Variables::Get().telegestion.reset();
    screen()->Init();
    settle();
    EXPECT_EQ(items(w<QComboBox>("Cbo_SigleAssoc")), kDemoSigles);
    EXPECT_TRUE(store::Variables::Get().telegestion) << "the cached tables are read again";
    expectShown({"Txt_CodeAssoc=", "Txt_RaisonAssoc="});
    expectEnabled({"Txt_CodeAssoc"}, true);
    expectEnabled({"Cmd_Ok"}, false);
    EXPECT_TRUE(w("Cbo_SigleAssoc")->isVisible());
    enterCode("5");
    expectShown({"Txt_RaisonAssoc=PRESENCE ET SOINS DU PERCHE"});
}

// Sortir, or the frame's close button, which goes through the same leave; a window started again
// releases its new session as well.
TEST_F(CtrAssociationTest, ClosesTheWindowAndReleasesEverything) {
    for (bool frame : {false, true}) {
        SCOPED_TRACE(frame ? "frame" : "Sortir");
        start();
        enterCode("1");
        if (frame)
            window()->close();
        else
            clickButton("Cmd_Sortir");
        EXPECT_TRUE(waitFor([this] { return !window()->isVisible(); }));
        EXPECT_TRUE(screen()->W_Sortir());
        expectReleased();
    }
}

TEST_F(CtrAssociationTest, RightClickOpensTheHelp) {
    start();
    auto* menu = screen()->findChild<QMenu*>("Mnu_Aide");
    ASSERT_TRUE(menu);
    int shownMenus = 0;
    QObject::connect(menu, &QMenu::aboutToShow, [&shownMenus] { ++shownMenus; });
    auto opens = [&](QWidget* target, QPoint at, Qt::MouseButton button = Qt::RightButton) {
        QTest::mouseClick(target, button, Qt::NoModifier, at);
        settle();
        const bool visible = menu->isVisible();
        menu->hide();
        return visible;
    };
    QWidget* page = w<QTabWidget>("Ong_Assoc")->currentWidget();
    QTabBar* bar = w<QTabWidget>("Ong_Assoc")->tabBar();
    const QPoint blank(page->width() - 5, page->height() - 5);
    EXPECT_FALSE(opens(page, blank, Qt::LeftButton)) << "only the right button opens it";
    EXPECT_TRUE(opens(page, blank));
    EXPECT_TRUE(opens(bar, bar->tabRect(2).center()));
    EXPECT_FALSE(opens(bar, bar->tabRect(2).center(), Qt::MiddleButton));
    showTab(kPersonnel);
    EXPECT_FALSE(opens(w("Cdr_Assedic"), QPoint(5, 5), Qt::LeftButton));
    EXPECT_TRUE(opens(w("Cdr_Assedic"), QPoint(5, 5)));
    EXPECT_EQ(shownMenus, 3) << "one menu per click, though the press travels on to the screen";

    QTest::mouseClick(bar, Qt::RightButton, Qt::NoModifier, bar->tabRect(2).center());
    settle();
    QAction* sommaire = menu->findChild<QAction*>("Mnu_Sommaire");
    ASSERT_TRUE(sommaire && sommaire->isEnabled() && menu->isVisible());
    EXPECT_EQ(sommaire->text(), "Aide_MERIDOVAL");
    QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier,
                      menu->actionGeometry(sommaire).center());
    ASSERT_TRUE(waitFor([] { return topLevel("Frm_Aide") != nullptr; })) << "the help page";
    topLevel("Frm_Aide")->close();
}
