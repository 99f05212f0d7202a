#pragma once
// What every record window says to the user besides its own questions, and how its handlers run.
//
// A handler is wired through Handler/KeyHandler so that a failure escaping it (a record-store
// error, anything thrown) becomes a message over the window instead of unwinding through Qt's
// event loop, which would end the program. User-interface thread only.

#include <QString>
#include <functional>

class QWidget;

namespace forms {

// A refusal, an unknown code, a failed lookup: exclamation icon, OK.
void Avertir(QWidget* parent, const QString& text);
// A missing field, a fact: information icon, OK.
void Informer(QWidget* parent, const QString& text);

// Runs fn; an exception leaving it is told over parent ("Erreur de la base de données (code …)"
// for a record-store error) and goes no further.
void Guarded(QWidget* parent, const std::function<void()>& fn);

template <typename Window>
std::function<void()> Handler(Window* self, void (Window::*fn)()) {
    return [self, fn] { Guarded(self, [self, fn] { (self->*fn)(); }); };
}

template <typename Window>
std::function<void(int&)> KeyHandler(Window* self, void (Window::*fn)(int&)) {
    return [self, fn](int& key) { Guarded(self, [self, fn, &key] { (self->*fn)(key); }); };
}

}  // namespace forms
