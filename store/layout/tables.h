#pragma once
// A record of the TABLES file: one code table (SECTANAL, TAUXTVA, SERVICES, TELEGESTION,
// QUALITERESPPAIE, EMPLOIS), value i of each attribute describing entry i.

#include "store/layout/caption.h"

namespace store::layout::tables {

inline constexpr int kTitre = 1;
inline constexpr int kCodes = 2;
inline constexpr int kLibelles = 3;
inline constexpr int kValeurs = 4;  // TAUXTVA: the rate of each code

inline constexpr const char* kSectionsAnalytiques = "SECTANAL";
inline constexpr const char* kEmplois = "EMPLOIS";
inline constexpr const char* kTauxTva = "TAUXTVA";
inline constexpr const char* kTelegestion = "TELEGESTION";
inline constexpr const char* kServices = "SERVICES";
inline constexpr const char* kQualitesRespPaie = "QUALITERESPPAIE";

inline constexpr Caption kCaptions[] = {
    {kTitre, 1, "Titre de la table"},
    {kCodes, 1, "Code"},
    {kLibelles, 1, "Libellé"},
    {kValeurs, 1, "Valeur"},
};

}  // namespace store::layout::tables
