#include "field.h"

#include <QComboBox>
#include <QLineEdit>

#include "platform/toolkit/events.h"

namespace entry {

QString FieldText(const QWidget* field) {
    if (auto* edit = qobject_cast<const QLineEdit*>(field))
        return edit->text();
    if (auto* combo = qobject_cast<const QComboBox*>(field))
        return combo->currentText();
    return {};
}

void SetFieldText(QWidget* field, const QString& text) {
    if (FieldText(field) == text)
        return;
    if (auto* edit = qobject_cast<QLineEdit*>(field)) {
        edit->setText(text);
    } else if (auto* combo = qobject_cast<QComboBox*>(field)) {
        if (combo->isEditable())
            combo->setEditText(text);
        else
            combo->setCurrentIndex(combo->findText(text));
    }
}

void AttachKeyFilter(QWidget* field, KeyFilter filter) {
    toolkit::OnKeyPress(field, [field, filter = std::move(filter)](int& keyAscii) {
        const int typed = keyAscii;
        filter(keyAscii, FieldText(field));
        // A filter may act on Tab but never keep it: a keyboard user must always be able to move
        // on, and a leaving check still runs when the focus goes.
        if (typed == kTab)
            keyAscii = kTab;
    });
}

}  // namespace entry
