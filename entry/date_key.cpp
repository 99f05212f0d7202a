#include "date_key.h"

namespace entry {

void DateKey(int& keyAscii, const QString&) {
    if (!IsDigit(keyAscii) && keyAscii != kBackspace)
        keyAscii = '/';
}

void AttachDate(QWidget* field, std::function<void()> onTab) {
    AttachKeyFilter(field, [onTab = std::move(onTab)](int& keyAscii, const QString& text) {
        if (onTab && keyAscii == kTab) {
            onTab();
            return;
        }
        DateKey(keyAscii, text);
    });
}

}  // namespace entry
