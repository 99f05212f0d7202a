#pragma once
// The record a window shows and edits, from its display to its save.
//
// The current record lives in a process-wide slot (store::Variables: association, etablissement,
// activite) so that the windows opened from this one read the same object. The session keeps the
// record's whole text as it was read, the window's mode and the failure flag of its last
// mandatory check, and asks the two questions every window asks in the same words.
//
// Reads made for a display skip record-store errors: a record that cannot be read is handled as
// a missing one. User-interface thread only.

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/toolkit/message_box.h"
#include "store/file.h"
#include "store/layout/caption.h"
#include "store/record.h"

class QWidget;

namespace forms {

class RecordSession {
  public:
    explicit RecordSession(std::optional<store::Record>& slot) : slot_(slot) {}

    // 0: no creation under way; a window's own values above (1, 2) for its kinds of creation.
    int mode = 0;
    bool Creating() const { return mode != 0; }
    // Set by the window's mandatory check when it stopped at a field.
    bool checkFailed = false;

    // The current record, made empty (unbound) when there is none.
    store::Record& Current();
    bool HasCurrent() const { return slot_.has_value(); }
    // The id of the current record; empty when there is none.
    std::string CurrentId() const { return slot_ ? slot_->Id() : std::string(); }
    const std::string& TextAsRead() const { return textAsRead_; }

    // Reads id from file (errors skipped) as the current record and notes its text as read.
    // True when it exists, that is when its text is not empty.
    bool Read(store::File* file, const std::string& id);
    // Makes record the current one, its text the text as read (a record read elsewhere).
    void Take(store::Record record);
    // Drops the current record and the text as read.
    void Forget();

    // True when the current record's text differs from the text as read. The window applies its
    // screen to the record first (Verification) and asks its components about their blocks.
    bool Differs() const;

    // The save question: with full rights, beep and "Voulez-vous enregistrer les modifications
    // apportées à cet article ?" (Yes/No/Cancel, icon); without, No at once (nothing may be
    // written).
    static toolkit::Answer AskSave(QWidget* parent, bool fullRights, toolkit::Icon icon);
    // Beep and "Etes-vous sûr de vouloir quitter cette création ?" (Yes/No, icon); true on Yes.
    static bool ConfirmQuitCreation(QWidget* parent, toolkit::Icon icon);

    // Declares attributes that hold one list together, value k of each belonging to line k (the
    // hourly cost history: cost, date, majorated cost, type). Save's overwrite never mixes two
    // versions of such a group: when the window changed any attribute of it, the whole group is
    // written as the window has it. Declared once, with the bindings.
    void KeepTogether(std::vector<int> attributes);

    // Writes the current record, changed by the window since it was read, without silently
    // replacing what another workstation wrote meanwhile. The stored record is read for update
    // and compared with the text as read:
    //  - the same: the record is written (Written);
    //  - another workstation changed it: the user is told which positions it changed, by their
    //    captions, and chooses to overwrite (Yes: the window's changes are written over the
    //    stored record, every attribute only the other workstation changed kept, a group of
    //    KeepTogether the window changed taken whole from the window; Written), to reload the
    //    other workstation's version (No: nothing written; Reload, the window shows the record
    //    afresh) or to go back to the screen (Cancel: nothing written; Back).
    // After Written the written text becomes the text as read. Record-store errors are thrown.
    enum class SaveOutcome { Written, Reload, Back };
    SaveOutcome Save(QWidget* parent, std::span<const store::layout::Caption> captions);

    // Writes the current record, from NewItem, only when its id is still free: false, with
    // nothing written, when another session took the id meanwhile (the window then offers the
    // next free code). After true the text written is the text as read.
    bool Create();

    // The attributes whose whole text differs between two record texts, in ascending order.
    static std::vector<int> ChangedAttributes(const std::string& before, const std::string& after);

  private:
    std::optional<store::Record>& slot_;
    std::string textAsRead_;
    std::vector<std::vector<int>> groups_;
};

}  // namespace forms
