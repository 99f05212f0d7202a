#pragma once
// The "Gestion CESU" tab of the association screen: automatic sending of files to a server
// (its address as an IP address with a port, or as a domain name; the login and password) and
// the two codes of the sender.
//
// A stored address is shown as an IP address only when it is four numeric parts, with or without
// a port; anything else is a domain name. Storing: with the box checked, the address (an empty
// port written as 21), login and password; unchecked, the three emptied; the two codes always.
// An update writes nothing when the page shows what its display showed, so a stored address
// without a port, or a login without a server, stays as stored.

#include <QWidget>

#include "forms/field_binding.h"
#include "forms/mandatory_checks.h"
#include "forms/screen_snapshot.h"
#include "store/record.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

class PageCesu : public QWidget {
    Q_OBJECT

  public:
    explicit PageCesu(QWidget* parent = nullptr);

    // Shows the record's sending settings (the box, the address form and the fields); the
    // groups' enabling is left to GriserCESU / DegriserCESU or EnableAsShown.
    void Remplir_CRCESU(const store::Record& record);
    // Empties the address parts, the domain, the login, the password and the two codes, and
    // chooses the IP form. The port and the box keep their state.
    void Vider_CRCESU();
    void GriserCESU();
    void DegriserCESU();
    // After a display: enabled as the box says, keeping the address form the record uses; then
    // what the page shows is the reference for Changed.
    void EnableAsShown();
    // Only greys (or enables) the sending fields, keeping the address form chosen.
    void setSendingEnabled(bool enabled);
    void Store(store::Record& record, forms::Purpose purpose) const;
    bool Changed() const { return forms::ScreenSnapshot::Of(this) != shown_; }
    void AddChecks(forms::MandatoryChecks& checks, int tab);

  private:
    void Cac_EnvoiAuto_Click();
    void Opt_AdrIP_Click();
    void Opt_Domaine_Click();
    void Txt_AdrSvrCESU_LostFocus();
    void Txt_AdrSvrCESU1_LostFocus();
    void Txt_AdrSvrCESU2_LostFocus();
    void Txt_AdrSvrCESU3_LostFocus();
    // Refuses a part that is no number from 0 to 254: message, part emptied, focus back in it.
    void verifierPartieAdresse(QLineEdit* part);
    void setAddressPartsEnabled(bool enabled);

    forms::ScreenSnapshot shown_;

    QCheckBox* Cac_EnvoiAuto = nullptr;
    QGroupBox* Cdr_AdresseServeur = nullptr;
    QButtonGroup* adresseMode_ = nullptr;
    QRadioButton* Opt_AdrIP = nullptr;
    QRadioButton* Opt_Domaine = nullptr;
    QLineEdit* Txt_AdrSvrCESU = nullptr;
    QLineEdit* Txt_AdrSvrCESU1 = nullptr;
    QLineEdit* Txt_AdrSvrCESU2 = nullptr;
    QLineEdit* Txt_AdrSvrCESU3 = nullptr;
    QLabel* Etq_Point1 = nullptr;
    QLabel* Etq_Point2 = nullptr;
    QLabel* Etq_Point3 = nullptr;
    QLabel* Etq_2Points = nullptr;
    QLineEdit* Txt_Port = nullptr;
    QLineEdit* Txt_Domaine = nullptr;
    QGroupBox* Cdr_Parametres = nullptr;
    QLabel* Etq_LoginUtil = nullptr;
    QLineEdit* Txt_LoginUtil = nullptr;
    QLabel* Etq_Mtp = nullptr;
    QLineEdit* Txt_Mtp = nullptr;
    QLineEdit* Txt_CodeTeletransmettant = nullptr;
    QLineEdit* Txt_CodeIntervenant = nullptr;
};
