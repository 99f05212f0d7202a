#include "alphanumeric.h"

namespace entry {

void AlphanumericKey(int& keyAscii, const QString&) {
    const bool lettre =
        (keyAscii >= 'A' && keyAscii <= 'Z') || (keyAscii >= 'a' && keyAscii <= 'z');
    if (!lettre && !IsDigit(keyAscii) && keyAscii != kBackspace)
        keyAscii = 0;
}

void AttachAlphanumeric(QWidget* field) {
    AttachKeyFilter(field, AlphanumericKey);
}

}  // namespace entry
