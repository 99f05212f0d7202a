#pragma once
// The change history of the record a window shows, for the administrator who wants to know who
// changed what and when: one line per changed position, newest write first, with the field's
// caption (store/layout), the text before and after, the date (local time) and the user.
//
// It only reads: a consult-only user sees it as anyone does. User-interface thread only.

#include <QDialog>
#include <functional>
#include <string>
#include <utility>

#include "store/database.h"

class QTableWidget;

namespace toolkit {
class HelpMenu;
}

namespace forms {

class Frm_Historique : public QDialog {
    Q_OBJECT

  public:
    // Reads the history of id in file from database; an empty history shows a line saying so.
    Frm_Historique(QWidget* parent, store::Database& database, const std::string& file,
                   const std::string& id);

    QTableWidget* Lignes() const { return lignes_; }

  private:
    QTableWidget* lignes_;
};

// The file and id of the record a window shows; an empty id when none is shown.
using CurrentRecord = std::function<std::pair<std::string, std::string>()>;

// Adds "Historique de l'enregistrement" to a window's right-click menu: enabled while a record
// is shown, it opens the history of that record modally over parent.
void AddHistoryEntry(toolkit::HelpMenu* menu, QWidget* parent, CurrentRecord current);

}  // namespace forms
