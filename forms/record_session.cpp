#include "forms/record_session.h"

namespace forms {

store::Record& RecordSession::Current() {
    if (!slot_)
        slot_.emplace();
    return *slot_;
}

bool RecordSession::Read(store::File* file, const std::string& id) {
    slot_.reset();
    slot_ = store::ReadSkippingErrors(file, id);
    textAsRead_ = slot_->Text();
    return !textAsRead_.empty();
}

void RecordSession::Take(store::Record record) {
    textAsRead_ = record.Text();
    slot_ = std::move(record);
}

void RecordSession::Forget() {
    slot_.reset();
    textAsRead_.clear();
}

bool RecordSession::Differs() const {
    return slot_ && slot_->Text() != textAsRead_;
}

toolkit::Answer RecordSession::AskSave(QWidget* parent, bool fullRights, toolkit::Icon icon) {
    if (!fullRights)
        return toolkit::Answer::No;
    toolkit::Beep();
    return toolkit::MsgBox(
        QStringLiteral("Voulez-vous enregistrer les modifications apportées à cet article ?"), icon,
        toolkit::Buttons::YesNoCancel, parent);
}

bool RecordSession::ConfirmQuitCreation(QWidget* parent, toolkit::Icon icon) {
    toolkit::Beep();
    return toolkit::MsgBox(QStringLiteral("Etes-vous sûr de vouloir quitter cette création ?"),
                           icon, toolkit::Buttons::YesNo, parent) == toolkit::Answer::Yes;
}

}  // namespace forms
