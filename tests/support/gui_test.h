#pragma once
// Base fixture of the screen tests: drives real widgets the way a user does and answers the
// dialogs they open (see ModalAnswerer). A test fails when it leaves an expected dialog unshown
// or meets one it did not expect.

#include <gtest/gtest.h>

#include <QApplication>
#include <QString>
#include <QTest>
#include <QWidget>
#include <functional>

#include "modal_answerer.h"

class GuiTest : public ::testing::Test {
  protected:
    void TearDown() override;

    // The child of root named name, of type T; the test fails when there is none.
    template <typename T>
    static T* child(QObject* root, const char* name) {
        T* found = root ? root->findChild<T*>(QString::fromLatin1(name)) : nullptr;
        EXPECT_NE(found, nullptr) << "no widget named " << name;
        return found;
    }

    // A visible top-level window of that objectName, or null.
    static QWidget* topLevel(const char* name);

    // Shows a window and waits until it is exposed and active, so focus behaves as for a user.
    static void showActive(QWidget* window);
    // Moves the focus into w as a click or a Tab would, and lets the focus events run.
    static void focusOn(QWidget* w);
    // Focuses w, then types text key by key.
    static void type(QWidget* w, const QString& text);
    static void pressKey(QWidget* w, Qt::Key key);
    static void pressEnter(QWidget* w) { pressKey(w, Qt::Key_Return); }
    // A left click in the middle of w.
    static void click(QWidget* w);
    // Runs the pending events (posted events, zero-delay timers such as deferred focus moves)
    // until none is left; nothing waits on the clock.
    static void settle();
    // Runs events until condition holds; false when it still does not after timeoutMs.
    template <typename Condition>
    static bool waitFor(Condition condition, int timeoutMs = 5000) {
        return QTest::qWaitFor(condition, timeoutMs);
    }

    // Runs act in the top-level window name once opening has opened it (modal: act closes it);
    // false when it never opened.
    static bool inWindow(const char* name, const std::function<void()>& opening,
                         const std::function<void(QWidget*)>& act);

    ModalAnswerer answers;
};
