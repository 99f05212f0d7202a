#include "gui_test.h"

#include <QTimer>

void GuiTest::TearDown() {
    settle();
    EXPECT_TRUE(answers.done());
}

QWidget* GuiTest::topLevel(const char* name) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String(name) && w->isVisible())
            return w;
    }
    return nullptr;
}

void GuiTest::showActive(QWidget* window) {
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
    window->activateWindow();
    QApplication::setActiveWindow(window);
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
}

void GuiTest::focusOn(QWidget* w) {
    w->setFocus(Qt::TabFocusReason);
    settle();
}

void GuiTest::type(QWidget* w, const QString& text) {
    focusOn(w);
    for (QChar ch : text) {
        if (ch.unicode() < 128) {
            QTest::keyClick(w, ch.toLatin1());
        } else {
            // QTest only maps ASCII to keys; an accented letter's key is its upper-case code.
            const auto key = static_cast<Qt::Key>(ch.toUpper().unicode());
            QTest::sendKeyEvent(QTest::Press, w, key, QString(ch), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, w, key, QString(ch), Qt::NoModifier);
        }
    }
    settle();
}

void GuiTest::pressKey(QWidget* w, Qt::Key key) {
    QTest::keyClick(w, key);
    settle();
}

void GuiTest::click(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
    settle();
}

void GuiTest::settle() {
    for (int round = 0; round < 10; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

bool GuiTest::inWindow(const char* name, const std::function<void()>& opening,
                       const std::function<void(QWidget*)>& act) {
    bool inside = false;
    QTimer timer;  // gone with this call, should opening open nothing
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget* w = nullptr;
        if (waitFor([&] { return (w = topLevel(name)) != nullptr; }) &&
            QTest::qWaitForWindowExposed(w)) {
            act(w);
            inside = true;
        }
    });
    timer.start(0);
    opening();
    settle();
    return inside;
}
