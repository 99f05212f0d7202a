#include "help_menu.h"

#include <QCursor>

namespace toolkit {

HelpMenu::HelpMenu(QWidget* parent, std::function<void()> onSommaire)
    : QMenu(QStringLiteral("Aide"), parent) {
    setObjectName(QStringLiteral("Mnu_Aide"));
    sommaire_ = addAction(QStringLiteral("Aide_MERIDOVAL"));
    sommaire_->setObjectName(QStringLiteral("Mnu_Sommaire"));
    connect(sommaire_, &QAction::triggered, this, [fn = std::move(onSommaire)] {
        if (fn)
            fn();
    });
}

void HelpMenu::popupAtCursor() {
    // A right press unhandled by a frame travels on to its parents, which may show the menu too.
    if (isVisible())
        return;
    menuAction()->setEnabled(true);
    sommaire_->setEnabled(true);
    popup(QCursor::pos());
}

}  // namespace toolkit
