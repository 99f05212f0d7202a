#include "upper_case.h"

#include "platform/toolkit/events.h"

namespace entry {

void UpperCaseOnLeaving(QWidget* field) {
    SetFieldText(field, FieldText(field).toUpper());
}

void AttachUpperCase(QWidget* field) {
    toolkit::OnLostFocus(field, [field] { UpperCaseOnLeaving(field); });
}

}  // namespace entry
