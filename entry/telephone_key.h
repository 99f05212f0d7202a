#pragma once
// Telephone: digits, space, Backspace and Tab; "." is typed as a space.

#include "field.h"

namespace entry {

void TelephoneKey(int& keyAscii, const QString& text = {});
void AttachTelephone(QWidget* field);

}  // namespace entry
