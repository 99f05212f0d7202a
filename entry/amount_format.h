#pragma once
// Amount format on leaving: the field's text becomes the utility component's formatting of it,
// with the field's count of integer digits and decimals. A text that is not a number, or that
// has too many integer digits, is never cut: it stays with all its digits (and the component
// beeps).

#include "field.h"

class QLineEdit;

namespace entry {

enum class EmptyAmount {
    Formatted,  // the formatting is always applied (an empty amount stays empty)
    LeftEmpty,  // an empty field is left alone
    GivesZero,  // an empty field first receives "0", so it is never left empty
};

// Returns false when the text could not be formatted as the field allows (see above).
bool FormatAmountOnLeaving(QLineEdit* field, int integerDigits, int decimals, EmptyAmount empty);

// Wires the field's LostFocus handler.
void AttachAmountFormat(QLineEdit* field, int integerDigits, int decimals, EmptyAmount empty);

}  // namespace entry
