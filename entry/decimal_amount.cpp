#include "decimal_amount.h"

namespace entry {

void DecimalAmountKey(int& keyAscii, const QString& text) {
    if (keyAscii == '.')
        keyAscii = ',';
    if (!IsDigit(keyAscii) && keyAscii != ',' && keyAscii != kBackspace) {
        keyAscii = 0;
        return;
    }
    if (keyAscii == ',' && text.contains(QLatin1Char(',')))
        keyAscii = 0;
}

void AttachDecimalAmount(QWidget* field) {
    AttachKeyFilter(field, DecimalAmountKey);
}

}  // namespace entry
