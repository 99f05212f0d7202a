#pragma once
// Mandatory checks as data: the ordered list of what a save requires. The first check that fails
// shows its message, brings its tab to the front, focuses its field and stops the list.

#include <QString>
#include <functional>
#include <vector>

#include "platform/toolkit/message_box.h"

class QTabWidget;
class QWidget;

namespace store {
class BankComponent;
}

namespace forms {

struct MandatoryCheck {
    std::function<bool()> fails;
    // Empty: the check told the user itself (the bank-details component does).
    QString message;
    toolkit::Icon icon = toolkit::Icon::Information;
    int tab = -1;                          // brought to the front; -1 none
    QWidget* focus = nullptr;              // given the focus; null none
    std::function<void()> onFailure = {};  // after the message: empty the faulty fields ...
};

class MandatoryChecks {
  public:
    MandatoryChecks& Add(MandatoryCheck check);
    // "The field must be filled in": fails when field's text (trimmed when asked) is empty.
    MandatoryChecks& Required(QWidget* field, QString message, int tab = -1, bool trimmed = false);

    // Runs the list over parent's tabs; true when every check passes.
    bool Run(QWidget* parent, QTabWidget* tabs) const;

  private:
    std::vector<MandatoryCheck> checks_;
};

// The bank-details component's own check: it tells the user what is wrong and focuses the field
// itself; the list then only brings its tab forward.
MandatoryCheck BankDetailsCheck(store::BankComponent* bank, int tab);

}  // namespace forms
