#include "amount_format.h"

#include <QLineEdit>

#include "platform/components/utilitaires/composant_utilitaires.h"
#include "platform/toolkit/events.h"

namespace entry {

bool FormatAmountOnLeaving(QLineEdit* field, int integerDigits, int decimals, EmptyAmount empty) {
    if (field->text().isEmpty()) {
        if (empty == EmptyAmount::LeftEmpty)
            return true;
        if (empty == EmptyAmount::GivesZero)
            field->setText(QStringLiteral("0"));
    }
    return Composant_Utilitaires::Instance().FormatZone(field, integerDigits, decimals);
}

void AttachAmountFormat(QLineEdit* field, int integerDigits, int decimals, EmptyAmount empty) {
    toolkit::OnLostFocus(field,
                         [=] { FormatAmountOnLeaving(field, integerDigits, decimals, empty); });
}

}  // namespace entry
