#pragma once
// The NUMEROFACT record of an association (id = association code): its last invoice numbers,
// ten digits each.

namespace store::layout::numerofact {

inline constexpr int kNombreNumeros = 6;  // attributes 1 to 6 are made at a creation
inline constexpr int kDerniereFacture = 1;
inline constexpr const char* kInitial = "0000000000";

}  // namespace store::layout::numerofact
