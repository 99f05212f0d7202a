#pragma once
// What a position of a record means to the user: the caption of the field that shows it, for the
// change history and the messages that name positions. Each record layout lists its captions.

#include <span>
#include <string>

namespace store::layout {

// Attributes first .. first + count - 1 share text, unless parts names each of them (a block a
// companion component reads and writes from its first attribute).
struct Caption {
    int first;
    int count;
    const char* text;
    const char* const* parts = nullptr;
};

// The eleven attributes of an address block, in the address component's order.
inline constexpr const char* kAddressParts[] = {"Adresse (ligne 1)",
                                                "Adresse (ligne 2)",
                                                "Adresse (ligne 3)",
                                                "Code postal",
                                                "Mention de distribution",
                                                "Commune",
                                                "Pays",
                                                "Téléphone",
                                                "Portable",
                                                "Télécopie",
                                                "Code INSEE de la commune"};
inline constexpr int kAddressSize = 11;

// The eight attributes of a bank-details block, in the bank-details component's order; the
// creditor identifier (ICS) is the last.
inline constexpr const char* kBankParts[] = {"Banque et domiciliation",
                                             "Code banque",
                                             "Code guichet",
                                             "Numéro de compte",
                                             "Clé RIB",
                                             "IBAN",
                                             "BIC",
                                             "ICS (identifiant créancier SEPA)"};
inline constexpr int kBankSize = 8;

// The caption of attribute in captions; "Attribut n" when none names it.
std::string CaptionOf(std::span<const Caption> captions, int attribute);

// The captions of a file's records by its name ("ASSOCIATION", "ETABLISSEMENT" ...); empty for a
// file without a layout.
std::span<const Caption> CaptionsOf(const std::string& fileName);

}  // namespace store::layout
