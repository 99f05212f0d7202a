#pragma once
// Composant_RIB: the bank details of an association, an establishment or an activity, as one
// embeddable widget over eight attributes of their record from a first attribute f:
//   f+0  value 1 the bank's name, value 2 its domiciliation (the branch's name or town)
//   f+1  bank code (5 digits)          f+2  branch code (5 digits)
//   f+3  account number (11 characters) f+4  RIB key (2 digits)
//   f+5  IBAN without blanks            f+6  BIC
//   f+7  SEPA creditor identifier (ICS)
//
// The fields: Txt_Banque, Txt_Domiciliation, Txt_CodeBanque, Txt_CodeGuichet, Txt_NumCompte,
// Txt_CleRib, Txt_Iban (shown in blocks of four), Txt_Bic, Txt_Ics. Letters are typed in upper
// case; the code fields take digits only and stop at their length. A French IBAN typed into an
// empty RIB fills the RIB, and a complete RIB fills an empty IBAN, when the field is left.
//
// Check() verifies what a bank would (see controles_bancaires.h) and tells the user the first
// fault itself, focusing its field. Its length rules for the ICS stop at the check digits of a
// 13-character "FR" identifier: which ICS lengths a record accepts is the screens' rule.
// User-interface thread only.

#include <QWidget>
#include <array>
#include <memory>

#include "controles_bancaires.h"
#include "store/components.h"

class QLineEdit;

class Composant_RIB : public QWidget, public store::BankComponent {
    Q_OBJECT

  public:
    explicit Composant_RIB(QWidget* parent = nullptr);
    ~Composant_RIB() override;

    // Kept for the screens' calls; the bank details need no lookup in the database today.
    void SetConnection(std::shared_ptr<store::Database> database,
                       std::shared_ptr<store::Client> client) override;
    // Fills the fields from the block; returns the IBAN as shown, or the RIB when there is no
    // IBAN ("30002 00550 0000157845Z 02"), or an empty text.
    std::string ReadFromRecord(store::Record& record, int firstAttribute) override;
    // Writes all eight attributes (blanks around fields dropped, the IBAN without blanks) and
    // returns what ReadFromRecord would. A record that already holds these details comes out
    // with the same text.
    std::string WriteToRecord(store::Record& record, int firstAttribute) override;
    // True when any field differs from the block of record (compared as they would be written).
    bool Differs(store::Record& record, int firstAttribute) override;
    void Clear() override;
    void Check() override;
    bool ErrorFlag() const override { return errorFlag_; }

    // The fields as they would be written.
    rib::CoordonneesBancaires Coordonnees() const;

  signals:
    // The focus came into one of the fields from outside the component.
    void focusEntered();

  private:
    void construire();
    void brancherSaisie();
    void afficher(const rib::CoordonneesBancaires& c);
    void regrouperIban();
    void completerDepuisIban();
    void completerIban();
    // The fields in the order of rib::Champ.
    std::array<QLineEdit*, 9> champs() const;
    QLineEdit* champ(rib::Champ champ) const;

    QLineEdit* banque_ = nullptr;
    QLineEdit* domiciliation_ = nullptr;
    QLineEdit* codeBanque_ = nullptr;
    QLineEdit* codeGuichet_ = nullptr;
    QLineEdit* numeroCompte_ = nullptr;
    QLineEdit* cleRib_ = nullptr;
    QLineEdit* iban_ = nullptr;
    QLineEdit* bic_ = nullptr;
    QLineEdit* ics_ = nullptr;
    std::shared_ptr<store::Database> database_;
    std::shared_ptr<store::Client> client_;
    bool errorFlag_ = false;
};
