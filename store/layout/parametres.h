#pragma once
// The one-record settings files: PERIODESPAIE "1" (the current pay period) and CHEMINFICHIER "1"
// (the folders of the office products).

namespace store::layout {

namespace periodespaie {
inline constexpr const char* kId = "1";
inline constexpr int kPeriodeCourante = 1;  // value 1: "yyyymm"
}  // namespace periodespaie

namespace cheminfichier {
inline constexpr const char* kId = "1";
inline constexpr int kDossierModeles = 3;  // the template folder, without a trailing separator
}  // namespace cheminfichier

}  // namespace store::layout
