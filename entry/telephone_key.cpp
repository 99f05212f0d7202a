#include "telephone_key.h"

namespace entry {

void TelephoneKey(int& keyAscii, const QString&) {
    if (keyAscii == '.')
        keyAscii = ' ';
    if (!IsDigit(keyAscii) && keyAscii != ' ' && keyAscii != kBackspace && keyAscii != kTab)
        keyAscii = 0;
}

void AttachTelephone(QWidget* field) {
    AttachKeyFilter(field, TelephoneKey);
}

}  // namespace entry
