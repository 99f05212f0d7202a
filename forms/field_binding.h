#pragma once
// Field bindings: which widget of a window shows which position of its record, and in what form.
// One ordered list per window; from it come the display, the emptying, the copy of the screen
// into the record made for the change test on leaving (Verification) and the one made by a save.
//
// Writing goes position by position and only where the text changes, so a record the user did
// not touch keeps its stored bytes exactly, positions the window does not show included.
//
// Forms (what the record holds / what the widget shows):
//  - Text: the text as stored / the line edit's text.
//  - Check: `on` / checked, anything else / unchecked; saving writes `on` or `off`.
//  - CheckState: a number / that check state (empty is unchecked, 2 partly checked); saving
//    writes "0", "1" or "2".
//  - Date: a day number / "dd/mm/yyyy" (a stored text that is no day number is shown as stored);
//    an empty field stores an empty text.
//  - Amount: hundredths / the number formatted with its integer digits and decimals; an empty
//    field stores an empty text. With `zeroWhenEmpty` an empty position shows as 0.
//  - ListIndex: a number n / entry n - 1 of a drop-down list (none when out of range); saving
//    writes the entry's number with `width` digits, or after a "0" with `zeroPrefix` ("01";
//    "00" when nothing is chosen).
//  - ListCode: one of `codes` / the entry at its index (none for any other text); saving writes
//    the chosen entry's code, empty when none.
//  - Options: one of `codes` / the option button at its index, the `fallback` one for any other
//    text; saving writes the code of the checked button.
//
// User-interface thread only. Widgets are owned by the window; the list only points at them.

#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "store/components.h"
#include "store/record.h"

class QAbstractButton;
class QWidget;

namespace forms {

// Why the screen is copied into the record: the change test copies what is typed; a save writes
// upper case where a field asks for it, and a creation writes its fixed values.
enum class Purpose { Verification, Creation, Update };

enum class FieldKind { Text, Check, CheckState, Date, Amount, ListIndex, ListCode, Options };

struct FieldBinding {
    QWidget* widget = nullptr;
    int attribute = 0;
    int value = 0;  // 0: the whole attribute
    FieldKind kind = FieldKind::Text;

    QWidget* shownIn = nullptr;    // display into this widget instead (its Change copies it)
    bool upperCaseOnSave = false;  // Text
    bool verified = true;          // part of the change test on leaving
    bool cleared = true;           // emptied with the screen (else left for the next display)
    std::optional<std::string> onCreation;  // what a creation stores instead of the screen
    std::string on = "1", off = "0";        // Check
    int integerDigits = 0, decimals = 2;    // Amount
    bool zeroWhenEmpty = false;             // Amount
    int width = 0;                          // ListIndex
    bool zeroPrefix = false;                // ListIndex
    std::vector<std::string> codes;         // ListCode, Options
    std::vector<QAbstractButton*> buttons;  // Options
    int fallback = 0;                       // Options

    // Fluent modifiers.
    FieldBinding& ShownIn(QWidget* w) {
        shownIn = w;
        return *this;
    }
    FieldBinding& UpperCaseOnSave() {
        upperCaseOnSave = true;
        return *this;
    }
    FieldBinding& OnCreation(std::string text) {
        onCreation = std::move(text);
        return *this;
    }
    FieldBinding& NotVerified() {
        verified = false;
        return *this;
    }
    FieldBinding& KeptWhenEmptied() {
        cleared = false;
        return *this;
    }
};

// Constructors of the common forms; `value` 0 binds the whole attribute.
FieldBinding Bind(QWidget* widget, int attribute, int value, FieldKind kind);
FieldBinding TextField(QWidget* edit, int attribute, int value = 0);
FieldBinding CheckField(QWidget* box, int attribute, int value = 0, std::string on = "1",
                        std::string off = "0");
FieldBinding CheckStateField(QWidget* box, int attribute, int value = 0);
FieldBinding DateField(QWidget* edit, int attribute, int value = 0);
FieldBinding AmountField(QWidget* edit, int attribute, int value, int integerDigits, int decimals,
                         bool zeroWhenEmpty = false);
FieldBinding ListIndexField(QWidget* combo, int attribute, int value, int width,
                            bool zeroPrefix = false);
FieldBinding ListCodeField(QWidget* combo, int attribute, int value,
                           std::vector<std::string> codes);
FieldBinding OptionsField(std::vector<QAbstractButton*> buttons, int attribute, int value,
                          std::vector<std::string> codes, int fallback);

class FieldBindings {
  public:
    FieldBindings& Add(FieldBinding binding);
    const std::vector<FieldBinding>& All() const { return bindings_; }

    // Fills every widget from its position, in list order.
    void Show(const store::Record& record) const;
    // Empties every widget (texts, boxes, lists and options) but those kept when emptied, or
    // those which says.
    void Clear() const;
    void Clear(const std::function<bool(const FieldBinding&)>& which) const;
    // Copies the screen into record (see the top of this file).
    void Apply(store::Record& record, Purpose purpose) const;

    // The text one binding's widget would store; nullopt when its text is no amount or date, so
    // that what is stored there stays.
    static std::optional<std::string> Stored(const FieldBinding& binding, Purpose purpose);
    static void ShowOne(const FieldBinding& binding, const store::Record& record);

  private:
    std::vector<FieldBinding> bindings_;
};

// Writes text at a position only when it changes there: an empty value written past the end of a
// record would add marks, and an untouched record would no longer read as it was stored.
void Put(store::Record& record, int attribute, int value, std::string_view text);

// The companion components a window places, each at its first attribute (0: not placed).
struct ComponentSlots {
    store::AddressComponent* address = nullptr;
    int addressFirst = 0;
    store::BankComponent* bank = nullptr;
    int bankFirst = 0;

    void Clear() const;
    // True when the block typed in either component differs from record's.
    bool Differ(store::Record& record) const;
};

}  // namespace forms
