#pragma once
// Event wiring with the semantics the screens are written for.
//
//  - KeyPress: the handler receives the typed character's 16-bit code (Latin-1 for accented
//    letters, so "é" is 233; Enter 13, Backspace 8, Tab 9, Escape 27) and may leave it (the key
//    goes on), set it to 0 (the key is swallowed) or replace it (the replacement is typed instead).
//    Keys that type nothing (arrows, Delete, Home ...) and shortcuts with Ctrl, Alt or Meta never
//    reach the handler. Shift+Tab reaches it as 9 too.
//  - LostFocus: runs when the focus moves to another widget of the application; not when a popup,
//    a menu or another window (a message box) takes it for a while.
//  - MouseDown: button 1 left, 2 right, 4 middle.
//
// One handler of each kind per widget: wiring a second replaces the first. Handlers are owned by
// the widget and die with it. User-interface thread only.

#include <functional>

class QWidget;

namespace toolkit {

using KeyHandler = std::function<void(int& keyAscii)>;

void OnKeyPress(QWidget* widget, KeyHandler handler);
void OnLostFocus(QWidget* widget, std::function<void()> handler);
void OnGotFocus(QWidget* widget, std::function<void()> handler);
void OnMouseDown(QWidget* widget, std::function<void(int button)> handler);

// Gives the focus back to widget from inside a LostFocus handler, once the current focus change is
// over. Until it lands, LostFocus handlers of other widgets do not run, so two fields that both
// refuse to be left cannot bounce the focus between them.
void GiveFocusBack(QWidget* widget);

// Types the key code into widget as if the user had typed it, bypassing its KeyPress handler.
void TypeKey(QWidget* widget, int keyAscii);

}  // namespace toolkit
