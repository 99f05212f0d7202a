#include "no_typing.h"

namespace entry {

void NoTypingKey(int& keyAscii, const QString&) {
    if (keyAscii != kBackspace)
        keyAscii = 0;
}

void AttachNoTyping(QWidget* field) {
    AttachKeyFilter(field, NoTypingKey);
}

}  // namespace entry
