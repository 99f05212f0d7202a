#pragma once
// The record store's day numbers: day 0 is 31/12/1967, day 1 is 01/01/1968.

#include <string>

namespace seed {

// "dd/mm/yyyy" to its day number. A text that is not a valid date throws std::invalid_argument.
int DayNumber(const std::string& date);

}  // namespace seed
