#include "address_part.h"

#include <QComboBox>
#include <QLineEdit>

namespace entry {

void AddressCharsKey(int& keyAscii, const QString&) {
    if ((keyAscii < 47 || keyAscii > 58) && keyAscii != '.')
        keyAscii = 0;
}

bool AddressPartKey(int& keyAscii, const QString& text) {
    if (keyAscii == '.') {
        keyAscii = 0;
        return true;
    }
    AddressCharsKey(keyAscii, text);
    return false;
}

void MoveToAddressPart(QWidget* next) {
    if (!next)
        return;
    next->setFocus(Qt::TabFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(next))
        edit->setSelection(0, static_cast<int>(edit->text().size()));
    else if (auto* combo = qobject_cast<QComboBox*>(next); combo && combo->lineEdit())
        combo->lineEdit()->selectAll();
}

void AttachAddressPart(QWidget* part, QWidget* next) {
    AttachKeyFilter(part, [next](int& keyAscii, const QString& text) {
        if (AddressPartKey(keyAscii, text))
            MoveToAddressPart(next);
    });
}

}  // namespace entry
