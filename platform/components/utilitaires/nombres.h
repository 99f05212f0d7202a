#pragma once
// Numbers in French notation, without Qt and without binary floating point: amounts are read and
// rounded digit by digit, so 2,675 rounds to 2,68 and 0,29 × 100 is exactly 29.

#include <optional>
#include <string>
#include <string_view>

namespace utilitaires {

// A decimal number: its digits, how many of them are decimals, and its sign.
struct Decimal {
    bool negatif = false;
    std::string chiffres;  // at least one digit
    int decimales = 0;     // digits of chiffres after the decimal point
};

// Reads a number: blanks around and between digit groups ignored (" ", non-breaking and narrow
// non-breaking spaces), an optional sign, digits with at most one decimal separator ("," or "."),
// an optional exponent ("1e-05", as printed by number-to-text conversions). At least one digit.
// Nothing for anything else, the empty text included.
std::optional<Decimal> LireNombre(std::string_view texte);

// Options of FormaterNombre.
inline constexpr int kGrouperMilliers = 1;  // blanks between groups of three integer digits

struct NombreFormate {
    std::string texte;
    // False when the text is not a number; texte is then the text unchanged.
    bool valide = true;
    // True when the integer part has more digits than allowed; texte still holds every digit.
    bool tropDeChiffres = false;
};

// The number rounded half away from zero to `decimales` decimals (0: no decimal comma), with a
// decimal comma, no leading zeros, and "-" before negative numbers (never "-0,00").
// chiffresEntiers is the count of integer digits the field allows (negative: no limit); a number
// over it is never cut: all its digits are kept and tropDeChiffres is set.
// An empty or blank text gives an empty text, valid: an empty amount stays empty.
NombreFormate FormaterNombre(std::string_view texte, int chiffresEntiers, int decimales,
                             int options = 0);

// An amount as typed ("25,5") to its stored form, hundredths as a whole number ("2550"), rounded
// half away from zero. Empty gives empty; nothing when the text is not a number.
std::optional<std::string> MontantVersCentimes(std::string_view montant);
// The stored hundredths ("2550") shown as an amount ("25,50"), as FormaterNombre would.
NombreFormate CentimesVersMontant(std::string_view centimes, int chiffresEntiers, int decimales,
                                  int options = 0);

}  // namespace utilitaires
