#include "type_ahead.h"

#include <QWidget>

#include "platform/toolkit/message_box.h"

namespace entry {

void TypeAheadKey(int& keyAscii, QWidget* parent, const std::function<void()>& onEnter) {
    if (keyAscii == kEnter) {
        keyAscii = 0;
        if (onEnter)
            onEnter();
        return;
    }
    if (keyAscii >= 123) {
        keyAscii = 0;
        toolkit::MsgBox(kAccentedLowerCaseMessage, toolkit::Icon::Exclamation, toolkit::Buttons::Ok,
                        parent);
    }
}

void AttachTypeAhead(QWidget* field, std::function<void()> onEnter) {
    AttachKeyFilter(field, [field, onEnter = std::move(onEnter)](int& keyAscii, const QString&) {
        TypeAheadKey(keyAscii, field->window(), onEnter);
    });
}

}  // namespace entry
