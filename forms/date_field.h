#pragma once
// The check of a date field when the user leaves it, shared by every window with a date to type.
// User-interface thread only.

class QLineEdit;
class QWidget;

namespace forms {

// Normalises field's text in place (quick forms such as 1/2 or 010225 become dd/mm/yyyy).
// Text that cannot be read as a date gives the focus back without a word; a well-formed date
// that does not exist (31/02) is told ("Erreur de saisie dans la date…") and gives the focus
// back; the message is shown over window. Returns true when the field is empty or holds a real
// date.
bool VerifierDate(QWidget* window, QLineEdit* field);

}  // namespace forms
