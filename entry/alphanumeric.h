#pragma once
// Alphanumeric: unaccented letters A to Z and a to z, digits and Backspace.

#include "field.h"

namespace entry {

void AlphanumericKey(int& keyAscii, const QString& text = {});
void AttachAlphanumeric(QWidget* field);

}  // namespace entry
