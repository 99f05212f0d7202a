#include "digits.h"

namespace entry {

void DigitsOnlyKey(int& keyAscii, const QString&) {
    if (!IsDigit(keyAscii))
        keyAscii = 0;
}

void AttachDigitsOnly(QWidget* field) {
    AttachKeyFilter(field, DigitsOnlyKey);
}

void DigitsWithTabKey(int& keyAscii, const QString&) {
    if (!IsDigit(keyAscii) && keyAscii != kTab && keyAscii != kBackspace)
        keyAscii = 0;
}

void AttachDigitsWithTab(QWidget* field) {
    AttachKeyFilter(field, DigitsWithTabKey);
}

void DigitsAndSeparatorsKey(int& keyAscii, const QString&) {
    if (keyAscii < 47 || keyAscii > 58)
        keyAscii = 0;
}

void AttachDigitsAndSeparators(QWidget* field) {
    AttachKeyFilter(field, DigitsAndSeparatorsKey);
}

}  // namespace entry
