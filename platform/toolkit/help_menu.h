#pragma once
// The right-click help menu of every screen: the pop-up "Aide" (Mnu_Aide) with its one entry
// "Aide_MERIDOVAL" (Mnu_Sommaire).

#include <QMenu>
#include <functional>

class QAction;

namespace toolkit {

class HelpMenu : public QMenu {
    Q_OBJECT
  public:
    // onSommaire runs when the user picks the entry. The menu is a child of parent.
    HelpMenu(QWidget* parent, std::function<void()> onSommaire);

    QAction* sommaire() const { return sommaire_; }

    // Enables both entries and pops the menu up at the pointer; returns at once. Does nothing
    // while the menu is already up, so nested widgets that all answer one press show it once.
    void popupAtCursor();

  private:
    QAction* sommaire_;
};

}  // namespace toolkit
