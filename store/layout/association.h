#pragma once
// The ASSOCIATION record: one per legal entity ("entité juridique"); its id is the association
// code, three digits ("001"). Single-valued attributes are read at value 1 or whole, as the
// screen says; the three fee attributes hold one value per way of working.

#include "store/layout/caption.h"

namespace store::layout::association {

inline constexpr int kSigle = 1;
inline constexpr int kRaisonSociale = 2;
inline constexpr int kAdresse = 3;  // address block, 3 to 13 (address component)
inline constexpr int kSiren = 14;
inline constexpr int kRib = 15;  // bank-details block, 15 to 22 (bank-details component)
inline constexpr int kIcs = 22;  // creditor identifier, written by the bank-details component
inline constexpr int kAgrement2 = 23;
inline constexpr int kQualiteRespPaie = 24;     // "0" + list position counted from 1; "00" none
inline constexpr int kDecalagePaie = 25;        // check state: "0", "1" (or "2")
inline constexpr int kEffectifPhysique = 27;    // value i: persons x 100
inline constexpr int kEffectifTempsPlein = 28;  // value i: full-time equivalents x 100
inline constexpr int kEffectifPeriode = 29;     // value i: "yyyymm"
inline constexpr int kRespPaie = 30;
// Values 1 to 3: agent (mandataire), provider (prestataire), intermediary (intermédiaire).
inline constexpr int kCotisationMontant = 31;  // amount x 100
inline constexpr int kCotisationAppel = 32;    // "A" calendar year, "M" anniversary month
inline constexpr int kCentreAssedic = 33;
inline constexpr int kAffiliationAssedic = 34;
inline constexpr int kEmail = 35;
inline constexpr int kNumTva = 36;
inline constexpr int kFiness = 37;
inline constexpr int kSystemeTelegestion = 38;  // a code of the TELEGESTION table
inline constexpr int kIdentTelegestion = 39;
inline constexpr int kEffectifDate = 40;  // value i: day number of count i, may be empty
inline constexpr int kAgrement1 = 41;
inline constexpr int kJourSolidarite = 42;  // "01JAN", "LUPAQ" ...
inline constexpr int kServeurEnvoi = 43;    // "a.b.c.d:port" or a domain name
inline constexpr int kLoginEnvoi = 44;
inline constexpr int kMotDePasseEnvoi = 45;
inline constexpr int kCodeTeletransmettant = 46;
inline constexpr int kCodeIntervenant = 47;
inline constexpr int kPreImprimeBulletin = 49;  // "1" / "0"
inline constexpr int kPreImprimeFacture = 50;
inline constexpr int kTelSystemeTelegestion = 51;
inline constexpr int kCarteLigne1 = 52;
inline constexpr int kCarteLigne2 = 53;
inline constexpr int kLogoBulletin = 54;
inline constexpr int kLogoFacture = 55;
inline constexpr int kDateGrilleAggir2008 = 56;  // day number
inline constexpr int kTelephonieMobile = 58;     // "1" / "0"
inline constexpr int kPresentationSimplifiee = 59;
inline constexpr int kCompteEpargneTemps = 60;  // "1" / empty
inline constexpr int kTelRespPaie = 64;
inline constexpr int kMailRespPaie = 65;

// The three ways of working, in the order of the values of the fee attributes.
inline constexpr int kFeeMandataire = 1;
inline constexpr int kFeePrestataire = 2;
inline constexpr int kFeeIntermediaire = 3;

inline constexpr Caption kCaptions[] = {
    {kSigle, 1, "Sigle"},
    {kRaisonSociale, 1, "Raison Sociale"},
    {kAdresse, kAddressSize, "Adresse", kAddressParts},
    {kSiren, 1, "Numéro SIREN"},
    {kRib, kBankSize, "R.i.b.", kBankParts},
    {kAgrement2, 1, "Agrément ou autorisation (ligne 2)"},
    {kQualiteRespPaie, 1, "Qualité du responsable de la paie"},
    {kDecalagePaie, 1, "Décalage de Paie"},
    {kEffectifPhysique, 1, "Effectif physique"},
    {kEffectifTempsPlein, 1, "Effectif temps plein"},
    {kEffectifPeriode, 1, "Période de l'effectif"},
    {kRespPaie, 1, "Nom du responsable de la paie"},
    {kCotisationMontant, 1, "Montant de la cotisation annuelle"},
    {kCotisationAppel, 1, "Type d'appel de la cotisation"},
    {kCentreAssedic, 1, "Centre Assedic"},
    {kAffiliationAssedic, 1, "N° affil. Assedic"},
    {kEmail, 1, "E-Mail"},
    {kNumTva, 1, "N° T.V.A. intracommunautaire"},
    {kFiness, 1, "Numéro FINESS"},
    {kSystemeTelegestion, 1, "Système de télégestion utilisé"},
    {kIdentTelegestion, 1, "Identificateur de l'association"},
    {kEffectifDate, 1, "Date de l'effectif"},
    {kAgrement1, 1, "Agrément ou autorisation"},
    {kJourSolidarite, 1, "Journée de solidarité"},
    {kServeurEnvoi, 1, "Adresse du serveur"},
    {kLoginEnvoi, 1, "Login utilisateur"},
    {kMotDePasseEnvoi, 1, "Mot de passe"},
    {kCodeTeletransmettant, 1, "Code du télétransmettant"},
    {kCodeIntervenant, 1, "Code intervenant"},
    {kPreImprimeBulletin, 1, "Bulletins de paie : Pré-imprimés A4"},
    {kPreImprimeFacture, 1, "Factures : Pré-imprimés A4"},
    {kTelSystemeTelegestion, 1, "N° téléphone Système télégestion"},
    {kCarteLigne1, 1, "Ligne 1 MOI"},
    {kCarteLigne2, 1, "Ligne 2"},
    {kLogoBulletin, 1, "Bulletins de paie : Image Logo"},
    {kLogoFacture, 1, "Factures : Image logo"},
    {kDateGrilleAggir2008, 1, "Date effet grille Aggir 2008"},
    {kTelephonieMobile, 1, "Système via téléphonie mobile"},
    {kPresentationSimplifiee, 1, "Bulletins de paie : Présentation simplifiée"},
    {kCompteEpargneTemps, 1, "Gestion du Compte Epargne Temps"},
    {kTelRespPaie, 1, "Tél. du responsable de la paie"},
    {kMailRespPaie, 1, "E-Mail du responsable de la paie"},
};

}  // namespace store::layout::association
