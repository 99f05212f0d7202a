#include "code_padding.h"

#include "platform/toolkit/events.h"

namespace entry {

QString PadCode(const QString& text) {
    return text.size() >= 3 ? text : text.rightJustified(3, QLatin1Char('0'));
}

QString PadCodeOnLeaving(const QString& text) {
    return text.isEmpty() ? text : PadCode(text);
}

void CodePaddingKey(int& keyAscii, QWidget* field) {
    if (keyAscii == kEnter)
        SetFieldText(field, PadCode(FieldText(field)));
}

void CodePaddingOnLeaving(QWidget* field) {
    SetFieldText(field, PadCodeOnLeaving(FieldText(field)));
}

void AttachCodePadding(QWidget* field) {
    toolkit::OnKeyPress(field, [field](int& keyAscii) { CodePaddingKey(keyAscii, field); });
    toolkit::OnLostFocus(field, [field] { CodePaddingOnLeaving(field); });
}

}  // namespace entry
