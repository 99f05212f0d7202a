#pragma once
// The "Télégestion" tab of the association screen: the remote-management system that records
// the carers' visits, the association's identifier in it and the lines of its cards.
//
// Positions (layout/association.h): the system code, the identifier, the system's telephone, the
// two card lines and the mobile flag. An update writes them only when the page changed since its
// display, so a record the user did not touch here keeps its stored bytes exactly; a creation
// always writes them (mobile flag "0"). An unchecked box stores them all empty.

#include <QWidget>

#include "forms/field_binding.h"
#include "forms/mandatory_checks.h"
#include "forms/screen_snapshot.h"
#include "store/record.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

class PageTelegestion : public QWidget {
    Q_OBJECT

  public:
    explicit PageTelegestion(QWidget* parent = nullptr);

    // Adds the labels of the TELEGESTION table to the system list (not emptied first).
    void Remplir_Table_Telegestion();
    // Shows the record's settings; the record held in memory is not changed.
    void Show(const store::Record& record);
    // Empties the tab: box unchecked, system list without selection, texts empty, group greyed.
    void Clear();
    // The change test's copy: the system code, the identifier and the mobile flag as shown.
    void Verify(store::Record& record) const;
    void Store(store::Record& record, forms::Purpose purpose) const;
    // True when the tab shows something else than after its last display.
    bool Changed() const { return forms::ScreenSnapshot::Of(this) != shown_; }
    void AddChecks(forms::MandatoryChecks& checks, int tab);

  private:
    void Cac_Telegestion_Click();
    void Cbo_Systeme_Click();
    void setGroupEnabled(bool enabled);

    forms::ScreenSnapshot shown_;

    QCheckBox* Cac_Telegestion = nullptr;
    QLabel* Etq_Systeme = nullptr;
    QComboBox* Cbo_Systeme = nullptr;
    QLineEdit* Txt_Systeme = nullptr;
    QLabel* Etq_Ident = nullptr;
    QLineEdit* Txt_Ident = nullptr;
    QLabel* Etq_NumSysTelGestion = nullptr;
    QLineEdit* Txt_NumSysTelegest = nullptr;
    QLabel* Etq_MOI = nullptr;
    QLineEdit* Txt_Moi = nullptr;
    QLabel* Etq_Ligne2CarteTelGest = nullptr;
    QLineEdit* Txt_LigneCarteTelGest = nullptr;
    QCheckBox* Cac_TelMobile = nullptr;
};
