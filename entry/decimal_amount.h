#pragma once
// Decimal amount: digits, one decimal comma and Backspace. "." is typed as ",", and a comma is
// refused while the text already holds one, wherever it is (a selected comma included).

#include "field.h"

namespace entry {

void DecimalAmountKey(int& keyAscii, const QString& text);
void AttachDecimalAmount(QWidget* field);

}  // namespace entry
