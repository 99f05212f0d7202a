#include "forms/field_binding.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "platform/components/utilitaires/composant_utilitaires.h"
#include "platform/toolkit/qtext.h"

using toolkit::fromQ;
using toolkit::toQ;

namespace forms {

namespace {

const Composant_Utilitaires& utilitaires() {
    return Composant_Utilitaires::Instance();
}

std::string read(const store::Record& r, const FieldBinding& b) {
    return b.value > 0 ? r.Value(b.attribute, b.value) : r.Value(b.attribute);
}

QString text(const QWidget* w) {
    if (auto* edit = qobject_cast<const QLineEdit*>(w))
        return edit->text();
    if (auto* combo = qobject_cast<const QComboBox*>(w))
        return combo->currentText();
    return {};
}

void setText(QWidget* w, const QString& t) {
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        edit->setText(t);
    else if (auto* combo = qobject_cast<QComboBox*>(w))
        combo->setEditText(t);
}

int number(const std::string& stored, bool* ok) {
    return toQ(stored).toInt(ok);
}

// Hundredths as a decimal number text, exactly ("1250" -> "12.50"); the text unchanged when it
// is not a whole number.
QString hundredths(const std::string& stored) {
    bool ok = false;
    const qlonglong v = toQ(stored).toLongLong(&ok);
    if (!ok)
        return toQ(stored);
    const qlonglong a = v < 0 ? -v : v;
    return QStringLiteral("%1%2.%3")
        .arg(v < 0 ? QStringLiteral("-") : QString())
        .arg(a / 100)
        .arg(a % 100, 2, 10, QLatin1Char('0'));
}

void uncheckAll(const std::vector<QAbstractButton*>& buttons) {
    for (QAbstractButton* b : buttons) {
        // An exclusive group cannot be left with no button checked otherwise.
        QButtonGroup* group = b->group();
        const bool exclusive = group && group->exclusive();
        if (exclusive)
            group->setExclusive(false);
        const bool autoExclusive = b->autoExclusive();
        b->setAutoExclusive(false);
        b->setChecked(false);
        b->setAutoExclusive(autoExclusive);
        if (exclusive)
            group->setExclusive(true);
    }
}

}  // namespace

FieldBinding Bind(QWidget* widget, int attribute, int value, FieldKind kind) {
    FieldBinding b;
    b.widget = widget;
    b.attribute = attribute;
    b.value = value;
    b.kind = kind;
    return b;
}

FieldBinding TextField(QWidget* edit, int attribute, int value) {
    return Bind(edit, attribute, value, FieldKind::Text);
}

FieldBinding CheckField(QWidget* box, int attribute, int value, std::string on, std::string off) {
    FieldBinding b = Bind(box, attribute, value, FieldKind::Check);
    b.on = std::move(on);
    b.off = std::move(off);
    return b;
}

FieldBinding CheckStateField(QWidget* box, int attribute, int value) {
    return Bind(box, attribute, value, FieldKind::CheckState);
}

FieldBinding DateField(QWidget* edit, int attribute, int value) {
    return Bind(edit, attribute, value, FieldKind::Date);
}

FieldBinding AmountField(QWidget* edit, int attribute, int value, int integerDigits, int decimals,
                         bool zeroWhenEmpty) {
    FieldBinding b = Bind(edit, attribute, value, FieldKind::Amount);
    b.integerDigits = integerDigits;
    b.decimals = decimals;
    b.zeroWhenEmpty = zeroWhenEmpty;
    return b;
}

FieldBinding ListIndexField(QWidget* combo, int attribute, int value, int width, bool zeroPrefix) {
    FieldBinding b = Bind(combo, attribute, value, FieldKind::ListIndex);
    b.width = width;
    b.zeroPrefix = zeroPrefix;
    return b;
}

FieldBinding ListCodeField(QWidget* combo, int attribute, int value,
                           std::vector<std::string> codes) {
    FieldBinding b = Bind(combo, attribute, value, FieldKind::ListCode);
    b.codes = std::move(codes);
    return b;
}

FieldBinding OptionsField(std::vector<QAbstractButton*> buttons, int attribute, int value,
                          std::vector<std::string> codes, int fallback) {
    FieldBinding b =
        Bind(buttons.empty() ? nullptr : buttons.front(), attribute, value, FieldKind::Options);
    b.buttons = std::move(buttons);
    b.codes = std::move(codes);
    b.fallback = fallback;
    return b;
}

FieldBindings& FieldBindings::Add(FieldBinding binding) {
    bindings_.push_back(std::move(binding));
    return *this;
}

void FieldBindings::Show(const store::Record& record) const {
    for (const FieldBinding& b : bindings_)
        ShowOne(b, record);
}

void FieldBindings::ShowOne(const FieldBinding& b, const store::Record& record) {
    const std::string stored = read(record, b);
    switch (b.kind) {
        case FieldKind::Text:
            setText(b.shownIn ? b.shownIn : b.widget, toQ(stored));
            break;
        case FieldKind::Check:
            static_cast<QAbstractButton*>(b.widget)->setChecked(stored == b.on);
            break;
        case FieldKind::CheckState: {
            auto* box = static_cast<QCheckBox*>(b.widget);
            bool ok = false;
            const int state = stored.empty() ? 0 : number(stored, &ok);
            box->setTristate(state == 2);
            box->setCheckState(state == 0   ? Qt::Unchecked
                               : state == 2 ? Qt::PartiallyChecked
                                            : Qt::Checked);
            break;
        }
        case FieldKind::Date: {
            const QString date =
                stored.empty() ? QString() : utilitaires().JourVersDate(toQ(stored));
            // A value that is no day number is shown as stored rather than lost.
            setText(b.widget, date.isEmpty() ? toQ(stored) : date);
            break;
        }
        case FieldKind::Amount:
            if (stored.empty() && !b.zeroWhenEmpty) {
                setText(b.widget, QString());
            } else {
                setText(b.widget, utilitaires().FormatNombre(
                                      stored.empty() ? QStringLiteral("0") : hundredths(stored),
                                      b.integerDigits, b.decimals, 0));
            }
            break;
        case FieldKind::ListIndex: {
            auto* combo = static_cast<QComboBox*>(b.widget);
            bool ok = false;
            const int position = number(stored, &ok) - 1;
            combo->setCurrentIndex(ok && position >= 0 && position < combo->count() ? position
                                                                                    : -1);
            break;
        }
        case FieldKind::ListCode: {
            auto* combo = static_cast<QComboBox*>(b.widget);
            int index = -1;
            for (size_t i = 0; i < b.codes.size(); ++i) {
                if (b.codes[i] == stored)
                    index = static_cast<int>(i);
            }
            combo->setCurrentIndex(index);
            break;
        }
        case FieldKind::Options: {
            size_t index = static_cast<size_t>(b.fallback);
            for (size_t i = 0; i < b.codes.size(); ++i) {
                if (b.codes[i] == stored)
                    index = i;
            }
            if (index < b.buttons.size())
                b.buttons[index]->setChecked(true);
            break;
        }
    }
}

void FieldBindings::Clear() const {
    Clear([](const FieldBinding& b) { return b.cleared; });
}

void FieldBindings::Clear(const std::function<bool(const FieldBinding&)>& which) const {
    for (const FieldBinding& b : bindings_) {
        if (!which(b))
            continue;
        switch (b.kind) {
            case FieldKind::Text:
            case FieldKind::Date:
            case FieldKind::Amount:
                setText(b.widget, QString());
                if (b.shownIn)
                    setText(b.shownIn, QString());
                break;
            case FieldKind::Check:
            case FieldKind::CheckState:
                static_cast<QAbstractButton*>(b.widget)->setChecked(false);
                break;
            case FieldKind::ListIndex:
            case FieldKind::ListCode:
                static_cast<QComboBox*>(b.widget)->setCurrentIndex(-1);
                break;
            case FieldKind::Options:
                uncheckAll(b.buttons);
                break;
        }
    }
}

std::optional<std::string> FieldBindings::Stored(const FieldBinding& b, Purpose purpose) {
    if (purpose == Purpose::Creation && b.onCreation)
        return *b.onCreation;
    switch (b.kind) {
        case FieldKind::Text: {
            const QString t = text(b.widget);
            return fromQ(b.upperCaseOnSave && purpose != Purpose::Verification ? t.toUpper() : t);
        }
        case FieldKind::Check:
            return static_cast<QAbstractButton*>(b.widget)->isChecked() ? b.on : b.off;
        case FieldKind::CheckState:
            switch (static_cast<QCheckBox*>(b.widget)->checkState()) {
                case Qt::Checked:
                    return "1";
                case Qt::PartiallyChecked:
                    return "2";
                case Qt::Unchecked:
                    break;
            }
            return "0";
        case FieldKind::Date: {
            const QString t = text(b.widget);
            if (t.isEmpty())
                return std::string();
            const QString day = utilitaires().DateVersJour(t);
            // Not a date: the field's own check refuses it; what is stored stays.
            if (day.isEmpty())
                return std::nullopt;
            return fromQ(day);
        }
        case FieldKind::Amount: {
            const QString t = text(b.widget).trimmed();
            if (t.isEmpty())
                return std::string();
            bool ok = false;
            const QString cents = utilitaires().MontantVersCentimes(t, &ok);
            // A text that is no amount (a lone comma, pasted letters) replaces nothing stored.
            if (!ok)
                return std::nullopt;
            return fromQ(cents);
        }
        case FieldKind::ListIndex: {
            const int n = static_cast<QComboBox*>(b.widget)->currentIndex() + 1;
            return fromQ(b.zeroPrefix ? QStringLiteral("0%1").arg(n)
                                      : QStringLiteral("%1").arg(n, b.width, 10, QLatin1Char('0')));
        }
        case FieldKind::ListCode: {
            const int index = static_cast<QComboBox*>(b.widget)->currentIndex();
            return index >= 0 && index < static_cast<int>(b.codes.size()) ? b.codes[index]
                                                                          : std::string();
        }
        case FieldKind::Options:
            for (size_t i = 0; i < b.buttons.size() && i < b.codes.size(); ++i) {
                if (b.buttons[i]->isChecked())
                    return b.codes[i];
            }
            return {};
    }
    return {};
}

void FieldBindings::Apply(store::Record& record, Purpose purpose) const {
    for (const FieldBinding& b : bindings_) {
        if (purpose == Purpose::Verification && !b.verified)
            continue;
        if (const std::optional<std::string> text = Stored(b, purpose))
            Put(record, b.attribute, b.value, *text);
    }
}

void Put(store::Record& record, int attribute, int value, std::string_view text) {
    if (value > 0) {
        if (record.Value(attribute, value) != text)
            record.SetValue(attribute, value, text);
    } else if (record.Value(attribute) != text) {
        record.SetValue(attribute, text);
    }
}

void ComponentSlots::Clear() const {
    if (address)
        address->Clear();
    if (bank)
        bank->Clear();
}

bool ComponentSlots::Differ(store::Record& record) const {
    return (address && address->Differs(record, addressFirst)) ||
           (bank && bank->Differs(record, bankFirst));
}

}  // namespace forms
