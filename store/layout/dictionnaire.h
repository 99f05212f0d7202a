#pragma once
// A dictionary item ("DICT X"): how a field of file X is found and shown. A "D" item reads an
// attribute; a "V" item computes its value from an expression.

#include <string>

namespace store::layout::dictionnaire {

inline constexpr int kType = 1;         // "D" direct, "V" virtual
inline constexpr int kEmplacement = 2;  // attribute number ("0" the id), or the expression
inline constexpr int kConversion = 3;
inline constexpr int kEntete = 4;
inline constexpr int kFormat = 5;   // "20L", "8R" ...
inline constexpr int kValeurs = 6;  // "S" single-valued, "M" multivalued
inline constexpr int kAssociation = 7;

// The virtual item "Secteur" of every contract file of an association: the sector (attribute 31
// of CIVILAIDANT) of the person whose code is the first five characters of the contract's id.
inline constexpr const char* kSecteur = "Secteur";
inline constexpr const char* kSecteurExpression = "OCONV(@ID,\"T1,5\":@VM:\"TCIVILAIDANT;X;;31\")";

// The whole text of the "Secteur" item, attributes 1 to 7.
inline std::string SecteurItem() {
    const std::string fm("\xFE");  // attribute mark
    return "V" + fm + kSecteurExpression + fm + fm + kSecteur + fm + "2L" + fm + "S" + fm;
}

}  // namespace store::layout::dictionnaire
