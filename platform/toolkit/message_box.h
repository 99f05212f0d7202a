#pragma once
// The one place every screen goes through to talk to the user: a real modal QMessageBox titled
// "Message MERIDOVAL", the input box, the beep and the hourglass pointer.
//
// All functions run on the user-interface thread. MsgBox and InputBox block in a nested event
// loop until the user answers; tests answer them by finding QApplication::activeModalWidget().

#include <QString>

class QWidget;

namespace toolkit {

inline const QString kMessageTitle = QStringLiteral("Message MERIDOVAL");

enum class Icon { None, Information, Exclamation, Question };
enum class Buttons { Ok, YesNo, YesNoCancel };
enum class Answer { Ok, Yes, No, Cancel };

// Shows text in a modal message box over parent (or the active window) and returns the button
// pressed. Closing the box by Escape or its frame answers Cancel (Yes/No/Cancel), No (Yes/No) or
// Ok.
Answer MsgBox(const QString& text, Icon icon = Icon::Information, Buttons buttons = Buttons::Ok,
              QWidget* parent = nullptr);

// Asks for one line of text; cancel and an empty answer both give an empty string.
QString InputBox(const QString& prompt, const QString& defaultText = {}, QWidget* parent = nullptr);

// The system beep.
void Beep();

// The hourglass pointer for the lifetime of the object, over the whole application. Nested guards
// stack; an exception unwinding through a guard restores the pointer.
class Hourglass {
  public:
    Hourglass();
    ~Hourglass();
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;
    // Gives the normal pointer back before the end of the scope.
    void release();

  private:
    bool active_ = true;
};

}  // namespace toolkit
