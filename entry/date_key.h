#pragma once
// Date: digits and Backspace pass; any other key is typed as "/", so "1 2 24" or "1.2.24" come
// out as "1/2/24" for the date normalisation.

#include <functional>

#include "field.h"

namespace entry {

void DateKey(int& keyAscii, const QString& text = {});

// Wires the date filter. With onTab, Tab is not turned into "/": it runs onTab (the field's
// leaving check) and then moves the focus as usual.
void AttachDate(QWidget* field, std::function<void()> onTab = {});

}  // namespace entry
