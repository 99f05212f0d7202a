#pragma once
// The ETABLISSEMENT record: one per establishment of an association; its id is the association
// code followed by the establishment's own three-digit code ("001002").

#include "store/layout/caption.h"

namespace store::layout::etablissement {

inline constexpr int kSigle = 1;
inline constexpr int kRaisonSociale = 2;
// Address block, 3 to 13 (address component); all empty when the establishment uses the
// association's address, which an empty commune line (kAdresse + 5) tells.
inline constexpr int kAdresse = 3;
inline constexpr int kAdresseCommune = 8;
inline constexpr int kSiret = 14;
inline constexpr int kCodeNaf = 15;
inline constexpr int kHoraireHebdo = 16;        // hours x 100
inline constexpr int kEffectifPhysique = 17;    // value i: persons x 100
inline constexpr int kEffectifTempsPlein = 18;  // value i: full-time equivalents x 100
inline constexpr int kEffectifPeriode = 19;     // value i: "yyyymm"
inline constexpr int kNumAffiliation = 20;      // URSSAF or MSA
inline constexpr int kCodeUrssaf = 21;
inline constexpr int kCarteOrange = 22;  // "1" / "0"
inline constexpr int kCentreUrssaf = 23;
inline constexpr int kMoisFinModulation = 24;  // "01" to "12"
inline constexpr int kFractionTds = 25;
// The meaning of 26 and 27 follows the current pay period (PERIODESPAIE "1"): before 200307 the
// multiplier and the 35-hour monthly minimum wage, from 200307 on the hourly rate of the monthly
// pay guarantee and the reduction of the global social-security relief. Amounts x 100.
inline constexpr int kParametrePaie1 = 26;
inline constexpr int kParametrePaie2 = 27;
inline constexpr int kAbattement = 28;           // x 100
inline constexpr int kAidePerenne = 29;          // x 100
inline constexpr int kAideIncitative = 30;       // x 100
inline constexpr int kTauxHorairePlancher = 31;  // x 100
inline constexpr int kRegime = 33;               // "U" URSSAF, "M" MSA
inline constexpr int kCodeInsee = 34;
inline constexpr int kCollectiviteTerritoriale = 35;  // "1" / "0"; always "0" under MSA
inline constexpr int kRib = 36;  // bank-details block, 36 to 43 (bank-details component)
inline constexpr int kIdConventionCollective = 44;

// The pay period from which 26 and 27 hold the pay guarantee and the reduction.
inline constexpr const char* kPeriodeGarantie = "200307";

inline constexpr Caption kCaptions[] = {
    {kSigle, 1, "Sigle"},
    {kRaisonSociale, 1, "Raison Sociale"},
    {kAdresse, kAddressSize, "Adresse", kAddressParts},
    {kSiret, 1, "Numéro SIRET"},
    {kCodeNaf, 1, "Code NAF (APE)"},
    {kHoraireHebdo, 1, "Horaire Hebdomadaire"},
    {kEffectifPhysique, 1, "Effectif Physique"},
    {kEffectifTempsPlein, 1, "Effectif Temps plein"},
    {kEffectifPeriode, 1, "Période de l'effectif"},
    {kNumAffiliation, 1, "N° Affiliation"},
    {kCodeUrssaf, 1, "Code URSSAF"},
    {kCarteOrange, 1, "Carte Orange"},
    {kCentreUrssaf, 1, "Centre"},
    {kMoisFinModulation, 1, "Mois de fin de modulation des contrats de travail annualisés"},
    {kFractionTds, 1, "Fraction Etablissement TDS"},
    {kParametrePaie1, 1, "Multiplicateur / Taux horaire de la Garantie Mensuelle de Rémunération"},
    {kParametrePaie2, 1, "SMIC mensuel 35 heures / Minoration réduction globale S.S."},
    {kAbattement, 1, "Abattement"},
    {kAidePerenne, 1, "Allègement patronal horaire sur les heures supplémentaires"},
    {kAideIncitative, 1, "Aide incitative"},
    {kTauxHorairePlancher, 1, "Taux horaire plancher"},
    {kRegime, 1, "URSSAF / MSA"},
    {kCodeInsee, 1, "Code INSEE"},
    {kCollectiviteTerritoriale, 1, "Collectivité territoriale"},
    {kRib, kBankSize, "R.i.b.", kBankParts},
    {kIdConventionCollective, 1, "Identifiant convention collective"},
};

}  // namespace store::layout::etablissement
