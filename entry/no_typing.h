#pragma once
// No typing: a list chosen with the mouse or the arrows only; only Backspace passes.

#include "field.h"

namespace entry {

void NoTypingKey(int& keyAscii, const QString& text = {});
void AttachNoTyping(QWidget* field);

}  // namespace entry
