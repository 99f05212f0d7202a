#pragma once
// Dates as users type them and as the record store keeps them, without Qt.
//
// The store keeps a date as a day number: day 0 is 31/12/1967, day 1 is 01/01/1968, earlier dates
// are negative. Dates are Gregorian, also before 1582. Conversions accept the four-digit years
// 1000 to 9999; what a user types is accepted for the years 1900 to 2099 only, where a year
// outside that range is far more likely a typing slip than a real date.

#include <optional>
#include <string>
#include <string_view>

namespace utilitaires {

inline constexpr int kAnneeMinConversion = 1000;
inline constexpr int kAnneeMaxConversion = 9999;
inline constexpr int kAnneeMinSaisie = 1900;
inline constexpr int kAnneeMaxSaisie = 2099;

struct Date {
    int jour = 0;
    int mois = 0;
    int annee = 0;
};

bool EstBissextile(int annee);
// 28 to 31; 0 for a month outside 1..12.
int JoursDansMois(int mois, int annee);
// True when the day exists in that month of that year (any year).
bool DateExiste(int jour, int mois, int annee);

// Day number of an existing date; nothing for an impossible one or a year outside the conversion
// range.
std::optional<long> NumeroJour(const Date& date);
// The date of a day number; nothing outside the conversion range.
std::optional<Date> DateDuJour(long numero);

// "dd/mm/yyyy" (one-digit day and month accepted, blanks around ignored) to the day number as text,
// such as "20485" or "-1"; empty when the text is not such a date or the date does not exist.
std::string DateVersJour(std::string_view texte);
// A day number as text (an optional sign, digits, blanks around) to "dd/mm/yyyy"; empty when the
// text is not a whole number or falls outside the conversion range.
std::string JourVersDate(std::string_view jour);
std::string JourVersDate(long jour);

// What a French user types quickly, turned into "dd/mm/yyyy":
//   with separators ("/", ".", "-" or a blank, one between parts): d/m, d/m/yy, d/m/yyyy;
//   digits only: ddmm, ddmmyy, ddmmyyyy.
// A missing year is anneeCourante; a two-digit year yy is 20yy when that is no more than 30 years
// after anneeCourante, 19yy otherwise. Blanks around the text are ignored. An impossible date,
// a year outside 1900..2099, an empty text or anything else sets echec and returns the text
// unchanged, so the field keeps what was typed.
std::string NormaliserDate(std::string_view texte, bool& echec, int anneeCourante);
// The same with the current year of the system clock.
std::string NormaliserDate(std::string_view texte, bool& echec);

// Formats an existing date as "dd/mm/yyyy".
std::string TexteDate(const Date& date);

}  // namespace utilitaires
