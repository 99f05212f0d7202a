#pragma once
// Address entry embedded in the association screen (Ctr_AdresseAssoc) and the establishments
// window (Ctr_Adresse). It reads and writes eleven attributes from a first attribute f, value 1 of
// each: f line 1 (number and street), f+1 line 2 (building, residence), f+2 line 3 (lieu-dit,
// boîte postale), f+3 postal code, f+4 distribution mention ("CEDEX 09"), f+5 commune, f+6 country
// (empty = France), f+7 telephone, f+8 mobile, f+9 fax, f+10 INSEE code of the commune. Other
// values of those attributes are left as they are.
//
// The three settings, in the order SetSettings takes them (the screens pass False, True, False):
//  1. consultation only: every field is read-only;
//  2. commune offer: a five-digit French postal code typed by the user fills the commune list with
//     the communes it serves (INSEE and DGFiP data shipped with the program); choosing one fills
//     the commune and its INSEE code; a single match is filled in at once;
//  3. foreign address allowed: the country field is enabled, and while it holds a country the
//     postal code and telephone fields take foreign forms.
//
// Telephone fields take a French number: digits and blanks, "." typed as a blank; on leaving, ten
// digits (or +33 / 0033 followed by nine) are shown as five pairs "02 41 00 00 00"; anything else
// is refused with a message and the focus comes back. A postal code of a French address must have
// five digits, checked the same way.
//
// The text returned by ReadFromRecord and WriteToRecord is the address on one line
// ("12 RUE DES LILAS, 49000 ANGERS").
//
// Widgets (objectName): Txt_Ligne1, Txt_Ligne2, Txt_Ligne3, Txt_CodePostal, Cbo_Commune (editable
// list), Txt_Mention, Txt_Pays, Txt_Telephone, Txt_Portable, Txt_Telecopie, Etq_CodeInsee.

#include <QWidget>
#include <array>
#include <memory>
#include <string>
#include <utility>

#include "store/components.h"

class QComboBox;
class QLabel;
class QLineEdit;

class Composant_Adresse : public QWidget, public store::AddressComponent {
    Q_OBJECT
  public:
    explicit Composant_Adresse(QWidget* parent = nullptr);
    ~Composant_Adresse() override;

    void SetDatabase(std::shared_ptr<store::Database> database) override;
    void SetSettings(bool consultationOnly, bool offerCommunes, bool foreignAllowed) override;
    void Initialise() override;
    std::string ReadFromRecord(store::Record& record, int firstAttribute) override;
    std::string WriteToRecord(store::Record& record, int firstAttribute) override;
    bool Differs(store::Record& record, int firstAttribute) override;
    void Clear() override;
    void Close() override;

    // INSEE code of the commune as it will be written (empty unless chosen from the offer or
    // read from the record).
    QString codeInsee() const { return insee_; }
    // The address on one line, as ReadFromRecord and WriteToRecord return it.
    std::string summary() const;

  private:
    static constexpr int kFields = 11;
    // The fields of the first ten values in record order, with the length a user may type in
    // each; the eleventh value, the INSEE code, has no field.
    std::array<std::pair<QLineEdit*, int>, kFields - 1> fields() const;
    // The eleven values in record order, as WriteToRecord writes them.
    std::array<std::string, kFields> values() const;
    void applySettings();
    bool isForeign() const;
    void postalCodeEdited(const QString& text);
    void communeEdited(const QString& text);
    void communeChosen(int index);
    void showInsee(const QString& code);
    // Empties and closes the commune offer.
    void dropOffer();
    void checkPostalCode();
    void checkTelephone(QLineEdit* field);
    void filterTelephoneKey(int& key);
    void filterPostalCodeKey(int& key);

    std::shared_ptr<store::Database> database_;
    bool consultationOnly_ = false;
    bool offerCommunes_ = true;
    bool foreignAllowed_ = false;

    QLineEdit* ligne1_;
    QLineEdit* ligne2_;
    QLineEdit* ligne3_;
    QLineEdit* codePostal_;
    QComboBox* commune_;
    QLineEdit* mention_;
    QLineEdit* pays_;
    QLineEdit* telephone_;
    QLineEdit* portable_;
    QLineEdit* telecopie_;
    QLabel* etqInsee_;
    QString insee_;
    // Values as read and as shown: a field left untouched writes back the bytes it was read
    // from, so a value that is not valid text survives a read and a write.
    std::array<std::string, kFields> read_;
    std::array<QString, kFields> shown_;
    // Postal code whose communes the list holds, so a retyped identical code does not reopen it.
    QString offeredFor_;
};
