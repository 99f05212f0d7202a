#pragma once
// The ACTIVITES record: one per activity of an association; its id is the association code
// followed by the activity's own three-digit code ("001003").

#include "store/layout/caption.h"

namespace store::layout::activites {

inline constexpr int kLibelle = 1;   // dictionary name LibActivite
inline constexpr int kSection = 2;   // a SECTANAL code
inline constexpr int kRib = 3;       // bank-details block, 3 to 10; empty 3 = the association's
inline constexpr int kIcs = 10;      // creditor identifier, last of the bank-details block
inline constexpr int kCodeTva = 11;  // a TAUXTVA code
inline constexpr int kType = 12;     // "P", "M", "I" or "S"
inline constexpr int kService = 13;  // a SERVICES code; "0" stands for none
// Hourly cost history: one value position per line, the four attributes parallel.
inline constexpr int kCoutHoraire = 14;      // amount x 100
inline constexpr int kDateApplication = 15;  // day number
inline constexpr int kCoutMajore = 16;       // amount x 100, may be empty
inline constexpr int kTypeLigneCout = 20;    // "1" Prestation, "2" Tarifé
inline constexpr int kFiness = 19;
inline constexpr int kLibelleTarif = 21;
inline constexpr int kNonExonere = 22;              // "" exempt, "N" not exempt
inline constexpr int kCompteAideSansPriseChg = 23;  // account code (10 characters)
inline constexpr int kCompteCotisAnnuelle = 24;     // account code (10 characters)

// Type letters.
inline constexpr const char* kPrestataire = "P";
inline constexpr const char* kMandataire = "M";
inline constexpr const char* kIntermediaire = "I";
inline constexpr const char* kSsiad = "S";

inline constexpr Caption kCaptions[] = {
    {kLibelle, 1, "Dénomination"},
    {kSection, 1, "Section analytique"},
    {kRib, kBankSize, "Adresse Bancaire", kBankParts},
    {kCodeTva, 1, "Taux de T.V.A."},
    {kType, 1, "Type"},
    {kService, 1, "Service"},
    {kCoutHoraire, 1, "Coût horaire"},
    {kDateApplication, 1, "Date d'application du coût horaire"},
    {kCoutMajore, 1, "Coût horaire majoré"},
    {kFiness, 1, "Numéro FINESS"},
    {kTypeLigneCout, 1, "Type de coût horaire"},
    {kLibelleTarif, 1, "Libellé ajustement tarifaire sur facture aidé"},
    {kNonExonere, 1, "Exonération \"Services à la personne\""},
    {kCompteAideSansPriseChg, 1, "Compte de produit des aidés sans prise en charge"},
    {kCompteCotisAnnuelle, 1, "Compte de produit de la cotisation annuelle"},
};

}  // namespace store::layout::activites
