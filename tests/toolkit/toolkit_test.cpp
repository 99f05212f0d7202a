// The event wiring and the message helper behave as the screens are written to expect.
#include <QLineEdit>
#include <QVBoxLayout>

#include "platform/toolkit/events.h"
#include "platform/toolkit/message_box.h"
#include "tests/support/gui_test.h"

namespace {

class ToolkitTest : public GuiTest {
  protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        first = new QLineEdit(&window);
        second = new QLineEdit(&window);
        layout->addWidget(first);
        layout->addWidget(second);
        showActive(&window);
    }
    QWidget window;
    QLineEdit* first = nullptr;
    QLineEdit* second = nullptr;
};

TEST_F(ToolkitTest, KeyHandlerPassesReplacesAndSwallows) {
    toolkit::OnKeyPress(first, [](int& key) {
        if (key == '.')
            key = ',';
        else if (key == 'x' || key == 8)
            key = 0;
    });
    type(first, "1.5x");
    EXPECT_EQ(first->text(), "1,5");
    pressKey(first, Qt::Key_Backspace);
    EXPECT_EQ(first->text(), "1,5") << "Backspace was swallowed";
}

TEST_F(ToolkitTest, KeyCodesAreLatin1AndEnterIs13) {
    std::vector<int> codes;
    toolkit::OnKeyPress(first, [&](int& key) { codes.push_back(key); });
    type(first, QStringLiteral("aé"));
    pressEnter(first);
    pressKey(first, Qt::Key_Left);  // types nothing: never reaches the handler
    EXPECT_EQ(codes, (std::vector<int>{'a', 233, 13}));
}

TEST_F(ToolkitTest, LostFocusCanGiveTheFocusBackWithoutPingPong) {
    int firstLeft = 0, secondLeft = 0;
    toolkit::OnLostFocus(first, [&] {
        ++firstLeft;
        toolkit::GiveFocusBack(first);
    });
    toolkit::OnLostFocus(second, [&] {
        ++secondLeft;
        toolkit::GiveFocusBack(second);
    });
    focusOn(first);
    focusOn(second);
    settle(50);
    EXPECT_TRUE(first->hasFocus());
    EXPECT_EQ(firstLeft, 1);
    EXPECT_EQ(secondLeft, 0) << "leaving second on the way back must not run its check";
}

TEST_F(ToolkitTest, MessageBoxIsTitledAndAnswered) {
    answers.expect("Voulez-vous", QMessageBox::Question, toolkit::Answer::No);
    auto answer = toolkit::MsgBox("Voulez-vous enregistrer ?", toolkit::Icon::Question,
                                  toolkit::Buttons::YesNoCancel);
    EXPECT_EQ(answer, toolkit::Answer::No);
    answers.expectInput("Code", "042");
    EXPECT_EQ(toolkit::InputBox("Code ?"), "042");
}

TEST_F(ToolkitTest, MessageShownWhileLeavingDoesNotRunOtherChecks) {
    int secondLeft = 0;
    toolkit::OnLostFocus(first, [&] {
        toolkit::MsgBox("Erreur", toolkit::Icon::Exclamation);
        toolkit::GiveFocusBack(first);
    });
    toolkit::OnLostFocus(second, [&] { ++secondLeft; });
    answers.expect("Erreur", QMessageBox::Warning);
    focusOn(first);
    focusOn(second);
    settle(50);
    EXPECT_TRUE(first->hasFocus());
    EXPECT_EQ(secondLeft, 0);
}

}  // namespace
