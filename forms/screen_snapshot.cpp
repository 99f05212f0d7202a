#include "forms/screen_snapshot.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace forms {

namespace {

void take(const QWidget* w, QStringList& out) {
    const QString name = w->objectName() + QLatin1Char('=');
    if (auto* edit = qobject_cast<const QLineEdit*>(w)) {
        out << name + edit->text();
    } else if (auto* combo = qobject_cast<const QComboBox*>(w)) {
        out << name + QString::number(combo->currentIndex()) + QLatin1Char(':') +
                   combo->currentText();
    } else if (auto* box = qobject_cast<const QCheckBox*>(w)) {
        out << name + QString::number(box->checkState());
    } else if (auto* button = qobject_cast<const QAbstractButton*>(w);
               button && button->isCheckable()) {
        out << name + (button->isChecked() ? QLatin1Char('1') : QLatin1Char('0'));
    }
}

}  // namespace

ScreenSnapshot ScreenSnapshot::Of(const QWidget* root) {
    ScreenSnapshot s;
    if (!root)
        return s;
    take(root, s.values_);
    for (const QWidget* w : root->findChildren<QWidget*>()) {
        // A combo box's own line edit is read through the combo box.
        if (qobject_cast<const QComboBox*>(w->parentWidget()))
            continue;
        take(w, s.values_);
    }
    return s;
}

}  // namespace forms
