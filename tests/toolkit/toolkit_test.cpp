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
        layout->addWidget(first = new QLineEdit(&window));
        layout->addWidget(second = new QLineEdit(&window));
        showActive(&window);
    }
    QWidget window;
    QLineEdit* first = nullptr;
    QLineEdit* second = nullptr;
};

TEST_F(ToolkitTest, KeyHandlerSeesLatin1CodesAndPassesReplacesOrSwallows) {
    std::vector<int> codes;
    toolkit::OnKeyPress(first, [&](int& key) {
        codes.push_back(key);
        if (key == '.')
            key = ',';
        else if (key == 'x' || key == 8)
            key = 0;
    });
    type(first, QStringLiteral("1.5xé"));
    pressEnter(first);
    pressKey(first, Qt::Key_Backspace);
    pressKey(first, Qt::Key_Left);  // types nothing: never reaches the handler
    EXPECT_EQ(first->text(), QStringLiteral("1,5é")) << "Backspace was swallowed";
    EXPECT_EQ(codes, (std::vector<int>{'1', '.', '5', 'x', 233, 13, 8}));
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
    settle();
    EXPECT_TRUE(first->hasFocus());
    EXPECT_EQ(firstLeft, 1);
    EXPECT_EQ(secondLeft, 0) << "leaving second on the way back must not run its check";
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
    settle();
    EXPECT_TRUE(first->hasFocus());
    EXPECT_EQ(secondLeft, 0);
}

TEST_F(ToolkitTest, MessageAndInputBoxesAreTitledAndAnswered) {
    answers.expect("Voulez-vous", QMessageBox::Question, toolkit::Answer::No);
    EXPECT_EQ(toolkit::MsgBox("Voulez-vous enregistrer ?", toolkit::Icon::Question,
                              toolkit::Buttons::YesNoCancel),
              toolkit::Answer::No);
    answers.expectInput("Code", "042");
    EXPECT_EQ(toolkit::InputBox("Code ?"), "042");
}

}  // namespace
