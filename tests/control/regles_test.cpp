// Checks run when the user leaves a field of the association screen, and the right-click help.
#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include "tests/control/association_fixture.h"

// Readable QString values in failure messages.
static void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

constexpr int kTabPersonnel = 2;
constexpr int kTabMisesEnForme = 4;

class ReglesTest : public CtrAssociationTest {
  protected:
    void SetUp() override {
        CtrAssociationTest::SetUp();
        start();
        enterCode("1");
    }
    void showTab(int index) {
        QTabBar* bar = w<QTabWidget>("Ong_Assoc")->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
        settle();
    }
    QLineEdit* field(const char* name) { return w<QLineEdit>(name); }
    // Replaces the text of a field by typing, as a user who selects it all first.
    void retype(const char* name, const QString& text) {
        focusOn(field(name));
        QTest::keyClick(field(name), Qt::Key_A, Qt::ControlModifier);
        type(field(name), text);
    }
    void empty(const char* name) {
        focusOn(field(name));
        QTest::keyClick(field(name), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field(name), Qt::Key_Delete);
    }
    // Leaves name for other; when refusal is given, that message is expected and the focus must
    // come back to name, as it must when held.
    void leave(const char* name, const char* other, const QString& refusal = {},
               bool held = false) {
        if (!refusal.isEmpty())
            answers.expect(refusal, QMessageBox::Warning);
        focusOn(field(other));
        if (!refusal.isEmpty()) {
            EXPECT_TRUE(answers.waitAnswered());
        }
        settle();
        EXPECT_TRUE(answers.done()) << name;
        EXPECT_EQ(QApplication::focusWidget(), field(refusal.isEmpty() && !held ? other : name))
            << name << ": " << field(name)->text().toStdString();
    }
    QMenu* helpMenu() { return child<QMenu>(screen(), "Mnu_Aide"); }
    void clickOn(QWidget* target, Qt::MouseButton button, QPoint at = {}) {
        QTest::mouseClick(target, button, Qt::NoModifier, at.isNull() ? QPoint(5, 5) : at);
        settle();
    }
};

const QString kSiren = QStringLiteral("Le numéro de SIREN doit comporter 9 caractères.");
const QString kFiness = QStringLiteral("Le numéro de FINESS doit comporter 9 caractères.");
const QString kMail = QStringLiteral("Adresse mail invalide.");
const QString kDate = QStringLiteral("Erreur de saisie dans la date, veuillez la ressaisir.");
const QString kTelephone = QStringLiteral("Vous avez saisi un numéro de téléphone incorrect.");

}  // namespace

TEST_F(ReglesTest, SirenAndFinessHaveNineCharacters) {
    for (const char* siren : {"12345678", "1234567890"}) {
        retype("Txt_SirenAssoc", siren);
        leave("Txt_SirenAssoc", "Txt_NumTVA", kSiren);
        EXPECT_EQ(field("Txt_SirenAssoc")->text(), siren) << "the text stays to be corrected";
    }
    retype("Txt_SirenAssoc", "123456789");
    leave("Txt_SirenAssoc", "Txt_NumTVA");
    empty("Txt_SirenAssoc");
    leave("Txt_SirenAssoc", "Txt_NumTVA");

    retype("Txt_Finess", "49000431");
    leave("Txt_Finess", "Txt_NumTVA", kFiness);
    EXPECT_EQ(field("Txt_Finess")->text(), "49000431");
    // Letters and digits only: the dash and the blank never enter.
    retype("Txt_Finess", "49-00 A4314");
    EXPECT_EQ(field("Txt_Finess")->text(), "4900A4314");
    leave("Txt_Finess", "Txt_NumTVA");
    empty("Txt_Finess");
    leave("Txt_Finess", "Txt_NumTVA");
}

TEST_F(ReglesTest, PayrollEmailHasAnAtBetweenOtherCharacters) {
    showTab(kTabPersonnel);
    for (const char* refused : {"@exemple.fr", "paie@", "paie.exemple.fr"}) {
        retype("Txt_MailRespPaie", refused);
        leave("Txt_MailRespPaie", "Txt_RespPerso", kMail);
        EXPECT_EQ(field("Txt_MailRespPaie")->text(), refused);
    }
    empty("Txt_MailRespPaie");
    leave("Txt_MailRespPaie", "Txt_RespPerso", kMail);
    retype("Txt_MailRespPaie", "p@x");
    leave("Txt_MailRespPaie", "Txt_RespPerso");
    EXPECT_EQ(field("Txt_MailRespPaie")->text(), "p@x");
}

TEST_F(ReglesTest, PayrollTelephoneIsWrittenInPairs) {
    showTab(kTabPersonnel);
    struct Case {
        const char* typed;
        const char* shown;
        bool refused;
    };
    for (const Case& c :
         {Case{"0241712020", "02 41 71 20 20 ", false},
          Case{"02.41.71.20.20", "02 41 71 20 20 ", false},
          Case{"06a12b34c56d78", "06 12 34 56 78 ", false}, Case{"02417", "02417", false},
          Case{"2417120201", "", true}, Case{"0041712020", "", true}}) {
        retype("Txt_TelRespPaie", c.typed);
        leave("Txt_TelRespPaie", "Txt_RespPerso", c.refused ? kTelephone : QString());
        EXPECT_EQ(field("Txt_TelRespPaie")->text(), c.shown) << c.typed;
    }
    // Leaving again changes nothing more.
    retype("Txt_TelRespPaie", "0241712020");
    leave("Txt_TelRespPaie", "Txt_RespPerso");
    focusOn(field("Txt_TelRespPaie"));
    leave("Txt_TelRespPaie", "Txt_RespPerso");
    EXPECT_EQ(field("Txt_TelRespPaie")->text(), "02 41 71 20 20 ");
}

TEST_F(ReglesTest, AggirDateIsNormalisedOrHeldUntilCorrected) {
    showTab(kTabMisesEnForme);
    QLineEdit* date = field("Txt_DateGrilleAggir2008");
    // Any separator key is typed as "/".
    retype("Txt_DateGrilleAggir2008", "1.3-24");
    EXPECT_EQ(date->text(), "1/3/24");
    leave("Txt_DateGrilleAggir2008", "Txt_AgrAuto1");
    EXPECT_EQ(date->text(), "01/03/2024");

    // An impossible date is told and kept to be corrected; text that reads as no date at all
    // only keeps the focus.
    retype("Txt_DateGrilleAggir2008", "31/02/2024");
    leave("Txt_DateGrilleAggir2008", "Txt_AgrAuto1", kDate);
    EXPECT_EQ(date->text(), "31/02/2024");
    retype("Txt_DateGrilleAggir2008", "1//2");
    leave("Txt_DateGrilleAggir2008", "Txt_AgrAuto1", QString(), true);
    EXPECT_EQ(date->text(), "1//2");

    // Tab checks the date before the focus moves on.
    retype("Txt_DateGrilleAggir2008", "1/4/24");
    pressKey(date, Qt::Key_Tab);
    settle();
    EXPECT_EQ(date->text(), "01/04/2024");
    EXPECT_NE(QApplication::focusWidget(), date);
    retype("Txt_DateGrilleAggir2008", "30/02/24");
    answers.expect(kDate, QMessageBox::Warning);
    pressKey(date, Qt::Key_Tab);
    EXPECT_TRUE(answers.waitAnswered());
    settle();
    EXPECT_TRUE(answers.done()) << "one message for the Tab and the focus change it makes";
    EXPECT_EQ(QApplication::focusWidget(), date);
    EXPECT_EQ(date->text(), "30/02/24");

    empty("Txt_DateGrilleAggir2008");
    leave("Txt_DateGrilleAggir2008", "Txt_AgrAuto1");
}

TEST_F(ReglesTest, SigleIsUpperCaseOnceLeft) {
    retype("Txt_SigleAssoc", "asd bocage é");
    EXPECT_EQ(field("Txt_SigleAssoc")->text(), "asd bocage é");
    leave("Txt_SigleAssoc", "Txt_RaisonAssoc");
    EXPECT_EQ(field("Txt_SigleAssoc")->text(), "ASD BOCAGE É");
}

TEST_F(ReglesTest, RightClickOnAssedicFrameOrTabsOpensTheHelpMenu) {
    QMenu* menu = helpMenu();
    ASSERT_NE(menu, nullptr);
    int shown = 0;
    QObject::connect(menu, &QMenu::aboutToShow, [&shown] { ++shown; });
    auto* tabs = w<QTabWidget>("Ong_Assoc");
    showTab(kTabPersonnel);
    auto* assedic = w<QGroupBox>("Cdr_Assedic");

    clickOn(assedic, Qt::LeftButton);
    EXPECT_FALSE(menu->isVisible());
    clickOn(assedic, Qt::RightButton);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_TRUE(menu->actions().value(0) && menu->actions().value(0)->isEnabled());
    EXPECT_EQ(menu->actions().value(0)->text(), "Aide_MERIDOVAL");
    EXPECT_EQ(shown, 1) << "one menu per click";
    menu->hide();

    clickOn(tabs->tabBar(), Qt::RightButton, tabs->tabBar()->tabRect(0).center());
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(shown, 2);
    menu->hide();
    clickOn(tabs->currentWidget(), Qt::RightButton);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(shown, 3);
    menu->hide();
    clickOn(tabs->tabBar(), Qt::MiddleButton, tabs->tabBar()->tabRect(0).center());
    EXPECT_FALSE(menu->isVisible());
}
