#pragma once
// Length cap: once the text has `cap` characters, every key is swallowed, Backspace included
// (the Delete key and a selection still shorten it). Text set by the program is not cut.

#include "field.h"

namespace entry {

void LengthCapKey(int& keyAscii, const QString& text, int cap);

// Wires the cap; then, when given, filters the keys that pass it (such as AddressCharsKey).
void AttachLengthCap(QWidget* field, int cap, KeyFilter then = {});

}  // namespace entry
