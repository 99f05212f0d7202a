#pragma once
// The COMPTEUR record of an association (id = association code): its last numbers, three
// digits each at value 1 ("000" when nothing was numbered yet). The record "999" holds the
// accounting settings instead, which is why no association may take the code 999.

#include "store/layout/caption.h"

namespace store::layout::compteur {

inline constexpr int kNombreCompteurs = 5;  // attributes 1 to 5 are made at a creation
inline constexpr int kDerniereActivite = 2;
inline constexpr int kDernierEtablissement = 4;
inline constexpr const char* kInitial = "000";

// Record "999": a non-empty attribute 15 turns the accounting integration on.
inline constexpr const char* kIdParametresComptables = "999";
inline constexpr int kIntegrationComptable = 15;

inline constexpr Caption kCaptions[] = {
    {kDerniereActivite, 1, "Dernier code d'activité"},
    {kDernierEtablissement, 1, "Dernier code d'établissement"},
    {kIntegrationComptable, 1, "Intégration comptable"},
};

}  // namespace store::layout::compteur
