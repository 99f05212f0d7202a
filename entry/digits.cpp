#include "digits.h"

namespace entry {

void DigitsOnlyKey(int& keyAscii, const QString&) {
    if (!IsDigit(keyAscii))
        keyAscii = 0;
}

void AttachDigitsOnly(QWidget* field) {
    AttachKeyFilter(field, [](int& k, const QString& t) { DigitsOnlyKey(k, t); });
}

void DigitsWithTabKey(int& keyAscii, const QString&) {
    if (!IsDigit(keyAscii) && keyAscii != kTab && keyAscii != kBackspace)
        keyAscii = 0;
}

void AttachDigitsWithTab(QWidget* field) {
    AttachKeyFilter(field, [](int& k, const QString& t) { DigitsWithTabKey(k, t); });
}

void DigitsAndSeparatorsKey(int& keyAscii, const QString&) {
    if (keyAscii < 47 || keyAscii > 58)
        keyAscii = 0;
}

void AttachDigitsAndSeparators(QWidget* field) {
    AttachKeyFilter(field, [](int& k, const QString& t) { DigitsAndSeparatorsKey(k, t); });
}

}  // namespace entry
