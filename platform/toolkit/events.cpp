#include "events.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QVariant>
#include <QWidget>

namespace toolkit {
namespace {

QPointer<QWidget> g_focusTarget;  // where GiveFocusBack is sending the focus
bool g_typing = false;            // TypeKey is delivering a key: handlers stay out of it

int keyCode(const QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return 9;
        case Qt::Key_Escape:
            return 27;
        default:
            break;
    }
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return -1;
    const QString text = e->text();
    if (text.size() != 1 || text.at(0).unicode() < 32)
        return -1;
    return text.at(0).unicode();
}

QKeyEvent makeKey(int code) {
    switch (code) {
        case 13:
            return QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
        case 8:
            return QKeyEvent(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier, "\b");
        case 9:
            return QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, "\t");
        case 27:
            return QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, "\x1b");
        default:
            break;
    }
    const QChar ch(static_cast<char16_t>(code));
    int key = ch.toUpper().unicode();
    if (key < 32 || key > 0xff)
        key = Qt::Key_unknown;
    return QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, QString(ch));
}

class Wiring : public QObject {
  public:
    explicit Wiring(QWidget* widget) : QObject(widget) { widget->installEventFilter(this); }

    KeyHandler keyPress;
    std::function<void()> lostFocus;
    std::function<void()> gotFocus;
    std::function<void(int)> mouseDown;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = static_cast<QWidget*>(watched);
        switch (event->type()) {
            case QEvent::KeyPress:
                return onKey(widget, static_cast<QKeyEvent*>(event));
            case QEvent::FocusOut:
                onFocusOut(widget, static_cast<QFocusEvent*>(event));
                break;
            case QEvent::FocusIn: {
                auto* fe = static_cast<QFocusEvent*>(event);
                if (g_focusTarget == widget)
                    g_focusTarget = nullptr;
                if (gotFocus && fe->reason() != Qt::ActiveWindowFocusReason &&
                    fe->reason() != Qt::PopupFocusReason) {
                    gotFocus();
                }
                break;
            }
            case QEvent::MouseButtonPress:
                if (mouseDown)
                    mouseDown(buttonCode(static_cast<QMouseEvent*>(event)->button()));
                break;
            default:
                break;
        }
        return false;
    }

  private:
    static int buttonCode(Qt::MouseButton b) {
        switch (b) {
            case Qt::LeftButton:
                return 1;
            case Qt::RightButton:
                return 2;
            case Qt::MiddleButton:
                return 4;
            default:
                return 0;
        }
    }

    bool onKey(QWidget* widget, QKeyEvent* e) {
        if (!keyPress || g_typing)
            return false;
        const int original = keyCode(e);
        if (original < 0)
            return false;
        int code = original;
        QPointer<QWidget> guard(widget);
        keyPress(code);
        if (code == original)
            return false;
        if (code != 0 && guard)
            TypeKey(guard, code);
        return true;
    }

    void onFocusOut(QWidget* widget, QFocusEvent* e) {
        if (!lostFocus)
            return;
        if (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason) {
            return;
        }
        if (g_focusTarget && g_focusTarget != widget)
            return;
        lostFocus();
    }
};

Wiring* wiringOf(QWidget* widget) {
    static const char* const kProperty = "_toolkitWiring";
    if (auto* existing = widget->property(kProperty).value<QObject*>()) {
        return static_cast<Wiring*>(existing);
    }
    auto* wiring = new Wiring(widget);
    widget->setProperty(kProperty, QVariant::fromValue<QObject*>(wiring));
    return wiring;
}

}  // namespace

void OnKeyPress(QWidget* widget, KeyHandler handler) {
    wiringOf(widget)->keyPress = std::move(handler);
}

void OnLostFocus(QWidget* widget, std::function<void()> handler) {
    wiringOf(widget)->lostFocus = std::move(handler);
}

void OnGotFocus(QWidget* widget, std::function<void()> handler) {
    wiringOf(widget)->gotFocus = std::move(handler);
}

void OnMouseDown(QWidget* widget, std::function<void(int)> handler) {
    wiringOf(widget)->mouseDown = std::move(handler);
}

void GiveFocusBack(QWidget* widget) {
    if (!widget)
        return;
    g_focusTarget = widget;
    QPointer<QWidget> target(widget);
    QTimer::singleShot(0, widget, [target] {
        if (!target)
            return;
        target->setFocus(Qt::OtherFocusReason);
        // A disabled or hidden target never receives the focus: stop holding the others back.
        if (g_focusTarget == target && !target->hasFocus())
            g_focusTarget = nullptr;
    });
}

void TypeKey(QWidget* widget, int keyAscii) {
    QKeyEvent press = makeKey(keyAscii);
    const bool was = g_typing;
    g_typing = true;
    QCoreApplication::sendEvent(widget, &press);
    g_typing = was;
}

}  // namespace toolkit
