#pragma once
// The checks a bank makes on bank details, without Qt.
//
//  - RIB: bank code and branch code of 5 digits, account number of 11 digits or letters, key of
//    2 digits equal to 97 - ((89 × bank + 15 × branch + 3 × account) mod 97), the account's
//    letters read as digits (A, J = 1; B, K, S = 2; ... I, R, Z = 9).
//  - IBAN (ISO 13616): country letters, 2 check digits, the length of that country's IBAN when
//    known, and mod 97 = 1 once the first four characters are moved to the end and letters read
//    as 10 to 35. A French IBAN must hold the RIB typed beside it.
//  - BIC (ISO 9362): 4 letters (bank), 2 letters (country), 2 letters or digits (location),
//    and optionally 3 letters or digits (branch).
//  - ICS (SEPA creditor identifier): for 13 characters beginning with "FR", its check digits
//    (3rd and 4th characters) are those of ISO 7064 mod 97-10 over the national identifier
//    (8th to 13th) followed by the country letters and "00"; the creditor business code (5th
//    to 7th) is not part of it. A 6-character national identifier is accepted as it is.
// An empty block is valid. Every text is expected trimmed and in upper case (see Normaliser).

#include <string>
#include <string_view>

namespace rib {

struct CoordonneesBancaires {
    std::string banque;
    std::string domiciliation;
    std::string codeBanque;
    std::string codeGuichet;
    std::string numeroCompte;
    std::string cleRib;
    std::string iban;  // without blanks
    std::string bic;
    std::string ics;

    bool operator==(const CoordonneesBancaires&) const = default;
};

// The fields in their order on screen and in the record.
enum class Champ {
    Aucun,
    Banque,
    Domiciliation,
    CodeBanque,
    CodeGuichet,
    NumeroCompte,
    CleRib,
    Iban,
    Bic,
    Ics
};

// The first fault found, in the order of the fields; champ Aucun when there is none.
struct Anomalie {
    Champ champ = Champ::Aucun;
    std::string message;  // French, UTF-8
    explicit operator bool() const { return champ != Champ::Aucun; }
};

Anomalie Controler(const CoordonneesBancaires& c);

// Blanks around every field dropped; codes, IBAN, BIC and ICS in upper case; the IBAN without
// any blank inside.
CoordonneesBancaires Normaliser(CoordonneesBancaires c);

// The key of a well-formed RIB ("76"); empty when a part is malformed.
std::string CleRib(std::string_view codeBanque, std::string_view codeGuichet,
                   std::string_view numeroCompte);
// The remainder mod 97 of an IBAN once rearranged; -1 when it holds other than digits and
// letters or is shorter than 5 characters.
int ResteIban(std::string_view iban);
bool IbanValide(std::string_view iban);
// Length of the IBANs of a country ("FR": 27); 0 when the country is not known here.
int LongueurIban(std::string_view pays);
// The French IBAN of a RIB, check digits computed; empty when a part is malformed or the key is
// not the RIB's own.
std::string IbanDepuisRib(std::string_view codeBanque, std::string_view codeGuichet,
                          std::string_view numeroCompte, std::string_view cleRib);
bool BicValide(std::string_view bic);
// True for a 13-character "FR" identifier with the right check digits.
bool IcsValide(std::string_view ics);

// An IBAN without blanks and in upper case, from what was typed or pasted.
std::string IbanCompact(std::string_view texte);
// An IBAN in blocks of four characters: "FR76 3000 6000 0112 3456 7890 189".
std::string IbanGroupe(std::string_view texte);

}  // namespace rib
