#pragma once
// The parameters window: the table editor Ctr_Parametres (Composant_Parametres) over one TABLES
// record, the analytic sections ("SECTANAL") or the services ("SERVICES"), so that the
// activities window can add a section or a service without leaving the activity being edited.
// The window only hosts the editor: it closes once the editor allows it ("Fermer"), and refuses
// the frame and Escape until then. Its right-click menu "Aide" opens no page. User-interface
// thread only.

#include <QString>
#include <memory>
#include <string>
#include <utility>

#include "forms/record_window.h"
#include "store/components.h"

class Composant_Parametres;

class Frm_ParamSect : public forms::RecordWindow {
    Q_OBJECT

  public:
    explicit Frm_ParamSect(QWidget* parent = nullptr);
    ~Frm_ParamSect() override;

    Composant_Parametres* Ctr_Parametres() const { return editeur_; }

    // The TABLES record maintained, set by the opener; the window's own code does not read it.
    QString NomTable;

  protected:
    void CloseRequested() override;
    // The TABLES record the editor maintains, for the history entry of the right-click menu.
    std::pair<std::string, std::string> ShownRecord() const override;

  private:
    Composant_Parametres* editeur_ = nullptr;
};

// Opens the parameters window over opener for table as the activities window does: the opener
// under the hourglass and disabled; the editor given the database, the client and the table
// name; NomTable set; the editor given the screen name "ASSOCIATION" and rights, then started;
// the window, titled after its table and sized to show the editor whole, shown modally. Returns
// when it has closed.
void OuvrirParamSect(QWidget* opener, const std::string& table,
                     std::shared_ptr<store::ScreenRights> rights);
