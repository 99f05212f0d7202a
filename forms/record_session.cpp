#include "forms/record_session.h"

#include <QStringList>
#include <algorithm>

#include "platform/toolkit/qtext.h"
#include "store/store_error.h"

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

void RecordSession::KeepTogether(std::vector<int> attributes) {
    groups_.push_back(std::move(attributes));
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

std::vector<int> RecordSession::ChangedAttributes(const std::string& before,
                                                  const std::string& after) {
    const store::Record a(before);
    const store::Record b(after);
    std::vector<int> changed;
    const int last = std::max(a.DCount(), b.DCount());
    for (int attribute = 1; attribute <= last; ++attribute) {
        if (a.Value(attribute) != b.Value(attribute))
            changed.push_back(attribute);
    }
    return changed;
}

RecordSession::SaveOutcome RecordSession::Save(QWidget* parent,
                                               std::span<const store::layout::Caption> captions) {
    store::Record& mine = Current();
    const std::shared_ptr<store::File>& file = mine.BoundFile();
    if (!file) {
        mine.DBWrite();  // throws NotBound
        return SaveOutcome::Written;
    }
    store::Record stored;
    try {
        stored = file->ReadForUpdate(mine.Id());
    } catch (const store::StoreError& e) {
        // Removed meanwhile: what was read is gone, and writing brings it back as shown.
        if (e.code() != store::ErrorCode::RecordNotFound)
            throw;
        stored = store::Record(file, mine.Id(), std::string());
    }
    if (stored.Text() == textAsRead_) {
        mine.DBWrite();
        textAsRead_ = mine.Text();
        return SaveOutcome::Written;
    }

    QStringList theirs;
    for (int attribute : ChangedAttributes(textAsRead_, stored.Text()))
        theirs << toolkit::toQ(store::layout::CaptionOf(captions, attribute));
    theirs.removeDuplicates();
    toolkit::Beep();
    const toolkit::Answer answer = toolkit::MsgBox(
        QStringLiteral("Un autre poste a modifié cet enregistrement depuis que vous l'avez "
                       "affiché :\n- %1\n\nOui : enregistrer vos modifications (les autres "
                       "changements de l'autre poste sont conservés).\nNon : afficher la version "
                       "de l'autre poste (vos modifications sont abandonnées).\nAnnuler : revenir "
                       "à la saisie sans rien enregistrer.")
            .arg(theirs.join(QStringLiteral("\n- "))),
        toolkit::Icon::Exclamation, toolkit::Buttons::YesNoCancel, parent);
    if (answer != toolkit::Answer::Yes) {
        file->Release(mine.Id());
        return answer == toolkit::Answer::No ? SaveOutcome::Reload : SaveOutcome::Back;
    }
    // The window's own changes over the stored record: what only the other workstation changed
    // stays as it wrote it. A group is one list: value k of one attribute next to value k of
    // another from the other version would pair lines that never went together.
    std::vector<int> taken = ChangedAttributes(textAsRead_, mine.Text());
    for (const std::vector<int>& group : groups_) {
        const bool touched = std::ranges::any_of(
            group, [&](int attribute) { return std::ranges::count(taken, attribute) > 0; });
        if (touched)
            taken.insert(taken.end(), group.begin(), group.end());
    }
    store::Record merged = stored;
    for (int attribute : taken) {
        if (merged.Value(attribute) != mine.Value(attribute))
            merged.SetValue(attribute, mine.Value(attribute));
    }
    merged.DBWrite();
    mine.SetText(merged.Text());
    textAsRead_ = mine.Text();
    return SaveOutcome::Written;
}

bool RecordSession::Create() {
    store::Record& record = Current();
    try {
        record.DBCreate();
    } catch (const store::StoreError& e) {
        if (e.code() != store::ErrorCode::RecordExists)
            throw;
        return false;
    }
    textAsRead_ = record.Text();
    return true;
}

}  // namespace forms
