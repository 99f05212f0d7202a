#pragma once
// What every entry filter shares: the text of the field it is attached to, and the form of a
// filter.
//
// A filter receives the typed key's 16-bit character code (Latin-1 for accented letters, "é" is
// 233; 8 Backspace, 9 Tab, 13 Enter) with the field's current text, and leaves the code, replaces
// it, or sets it to 0 to swallow the key. Filters see typed keys only: text set by the program
// never passes through them.
//
// Attaching a filter wires the field's KeyPress handler (platform/toolkit/events.h), and
// attaching a normalisation its LostFocus handler; a field has one handler of each kind, so a
// screen that needs its own handler calls the filter functions from inside it instead.
//
// Fields are QLineEdit or QComboBox (editable or not). User-interface thread only.

#include <QString>
#include <functional>

class QWidget;

namespace entry {

using KeyFilter = std::function<void(int& keyAscii, const QString& text)>;

inline constexpr int kBackspace = 8;
inline constexpr int kTab = 9;
inline constexpr int kEnter = 13;

inline bool IsDigit(int keyAscii) {
    return keyAscii >= '0' && keyAscii <= '9';
}

// The text of a QLineEdit, or the current text of a QComboBox; empty for any other widget.
QString FieldText(const QWidget* field);
// Sets it (the edit text of an editable combo box); does nothing when it is already that text,
// so the field's Change handler does not run for nothing.
void SetFieldText(QWidget* field, const QString& text);

// Wires filter as the field's KeyPress handler, fed with the field's text at each key. Tab is
// shown to the filter (a date field checks itself on it) but always moves the focus: whatever the
// filter does with it, no field ever traps the keyboard user.
void AttachKeyFilter(QWidget* field, KeyFilter filter);

}  // namespace entry
