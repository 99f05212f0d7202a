#pragma once
// Upper case on leaving (sigles and labels): "é" becomes "É".

#include "field.h"

namespace entry {

void UpperCaseOnLeaving(QWidget* field);
// Wires the field's LostFocus handler.
void AttachUpperCase(QWidget* field);

}  // namespace entry
