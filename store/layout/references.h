#pragma once
// The reference files the screens read but never write: collective agreements (CONVENTIONCOL),
// the people of the associations (CIVILAIDANT) and the users' rights (DROITS).

namespace store::layout {

namespace conventioncol {
inline constexpr int kLibelle = 1;
inline constexpr int kIdcc = 2;
}  // namespace conventioncol

namespace civilaidant {
inline constexpr int kCivilite = 1;
inline constexpr int kNom = 2;
inline constexpr int kPrenom = 3;
inline constexpr int kCodePostal = 4;
inline constexpr int kCommune = 5;
inline constexpr int kSecteur = 31;
}  // namespace civilaidant

namespace droits {
inline constexpr int kEcrans = 1;   // value i: a screen name ("ASSOCIATION")
inline constexpr int kNiveaux = 2;  // value i: the access level on screen i (2 = full rights)
}  // namespace droits

}  // namespace store::layout
