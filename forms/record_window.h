#pragma once
// The base of the modal record windows opened from the association screen (establishments,
// activities, accounting integration, parameters).
//
// Closing rule: such a window closes only through its own leave path (Unload, called by its
// "Sortir" or equivalent); the window frame's close button and Escape are refused, unless the
// window says otherwise (CloseRequested). It holds the user's rights for the screen
// "ASSOCIATION" and the right-click help menu "Aide" with its entry "Aide_MERIDOVAL".
//
// OpenModal shows a window from the screen that opens it: the hourglass while the window is
// loaded and while it is up, the opener disabled, both given back when it closes, whatever
// happens (an exception included). User-interface thread only.

#include <QDialog>
#include <memory>
#include <string>
#include <utility>

#include "forms/help_topic.h"
#include "forms/screen_access.h"
#include "store/components.h"

namespace toolkit {
class HelpMenu;
}

namespace forms {

class RecordWindow : public QDialog {
    Q_OBJECT

  public:
    RecordWindow(QWidget* parent, HelpTopic help);
    ~RecordWindow() override;

    // The rights object the opener hands in ("DroitsUtilisateur").
    void DroitsUtilisateur(std::shared_ptr<store::UserRights> rights);
    const ScreenAccess& Access() const { return access_; }

    // The window's own way out: closes it (the modal display started by the opener ends).
    void Unload();

  protected:
    // What a close by the frame or Escape does; the default refuses it. A window may run its own
    // leave path there and return whether it closed.
    virtual void CloseRequested() {}
    // The file and id of the record shown, for the history entry of the right-click menu; an
    // empty id (the default) while none is shown.
    virtual std::pair<std::string, std::string> ShownRecord() const { return {}; }

    // A right press (button 2) on these widgets opens the help menu; the window itself is wired.
    void HelpOnRightClick(QWidget* area);
    void ShowHelpMenu(int button);
    void Mnu_Sommaire_Click();

    void closeEvent(QCloseEvent* event) override;
    void reject() override;

    ScreenAccess access_;
    toolkit::HelpMenu* Mnu_Aide = nullptr;

  private:
    HelpTopic help_;
    bool unloading_ = false;
};

// Shows window modally over opener (see the top of this file); returns exec()'s result. prepare,
// when given, runs under the hourglass before the window is shown (its Init).
int OpenModal(QWidget* opener, QDialog& window, const std::function<void()>& prepare = {});

}  // namespace forms
