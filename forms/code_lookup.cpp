#include "forms/code_lookup.h"

#include <QComboBox>

#include "forms/feedback.h"
#include "platform/toolkit/message_box.h"
#include "platform/toolkit/qtext.h"
#include "store/request.h"
#include "store/store_error.h"

using toolkit::fromQ;
using toolkit::toQ;

namespace forms {

CodeLookup::CodeLookup(LookupSettings settings, QComboBox* list)
    : settings_(std::move(settings)), list_(list) {}

std::string CodeLookup::Condition() const {
    if (settings_.parentField.empty())
        return {};
    const std::optional<std::string> parent = store::QuoteValue(parentCode_, true);
    if (!parent) {
        throw store::StoreError(store::ErrorCode::CommandError,
                                store::UnquotableMessage(parentCode_));
    }
    return settings_.parentField + " = " + *parent;
}

std::shared_ptr<store::File> CodeLookup::Fill(store::Database& database) {
    list_->clear();
    const std::string condition = Condition();
    store::Record rows = database.Select("SSELECT " + settings_.file +
                                             (condition.empty() ? "" : " AVEC " + condition) +
                                             " PAR " + settings_.labelField,
                                         settings_.file, "0 1");
    std::shared_ptr<store::File> file = database.OpenFile(settings_.file);
    rows_ = std::move(rows);
    ShowRows(QString());
    return file;
}

bool CodeLookup::TypeAhead(store::Database& database, QWidget* parent,
                           const std::function<void()>& beforeRefill) {
    const QString typed = list_->currentText().toUpper();
    const std::optional<std::string> value = store::QuoteValue(fromQ(typed), true);
    if (!value) {
        Avertir(parent, toQ(store::UnquotableMessage(fromQ(typed))));
        return false;
    }
    const std::string condition = Condition();
    store::Record rows = database.Select(
        "SSELECT " + settings_.file + " AVEC " + settings_.labelField + " = " + *value +
            (condition.empty() ? "" : " AND AVEC " + condition) + " PAR " + settings_.labelField,
        settings_.file, "0 1");
    if (rows.DCount() == 0) {
        toolkit::Beep();
        Avertir(parent, settings_.noMatch + typed);
        return false;
    }
    rows_ = std::move(rows);
    list_->clear();
    if (beforeRefill)
        beforeRefill();
    ShowRows(typed);
    return true;
}

void CodeLookup::ShowRows(const QString& editText) {
    // Adding to an empty combo would show the first label as if it had been typed.
    list_->clear();
    for (int row = 1; row <= rows_.DCount(); ++row)
        list_->addItem(toQ(rows_.Value(row, 2)));
    list_->setCurrentIndex(-1);
    list_->setEditText(editText);
}

}  // namespace forms
