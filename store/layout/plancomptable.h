#pragma once
// The PLANCOMPTABLE record: one account of an association's chart; its id is the association
// code followed by the ten-character account code.

namespace store::layout::plancomptable {

inline constexpr int kLibelle = 1;
inline constexpr int kLongueurCode = 10;

}  // namespace store::layout::plancomptable
