#include "forms/mandatory_checks.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>

#include "store/components.h"

namespace forms {

MandatoryChecks& MandatoryChecks::Add(MandatoryCheck check) {
    checks_.push_back(std::move(check));
    return *this;
}

MandatoryChecks& MandatoryChecks::Required(QWidget* field, QString message, int tab, bool trimmed) {
    MandatoryCheck check;
    check.fails = [field, trimmed] {
        QString text;
        if (auto* edit = qobject_cast<QLineEdit*>(field))
            text = edit->text();
        else if (auto* combo = qobject_cast<QComboBox*>(field))
            text = combo->currentText();
        return (trimmed ? text.trimmed() : text).isEmpty();
    };
    check.message = std::move(message);
    check.tab = tab;
    check.focus = field;
    return Add(std::move(check));
}

bool MandatoryChecks::Run(QWidget* parent, QTabWidget* tabs) const {
    for (const MandatoryCheck& c : checks_) {
        if (!c.fails())
            continue;
        if (!c.message.isEmpty())
            toolkit::MsgBox(c.message, c.icon, toolkit::Buttons::Ok, parent);
        if (c.onFailure)
            c.onFailure();
        if (tabs && c.tab >= 0)
            tabs->setCurrentIndex(c.tab);
        if (c.focus)
            c.focus->setFocus();
        return false;
    }
    return true;
}

MandatoryCheck BankDetailsCheck(store::BankComponent* bank, int tab) {
    MandatoryCheck check;
    check.fails = [bank] {
        if (!bank)
            return false;
        bank->Check();
        return bank->ErrorFlag();
    };
    check.tab = tab;
    return check;
}

}  // namespace forms
