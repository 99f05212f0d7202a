#pragma once
// French telephone numbers as typed, without Qt.

#include <string>
#include <string_view>

namespace utilitaires {

// The number with its separators removed (blanks, non-breaking spaces, ".", "-", "/", "(", ")")
// and an international French prefix turned into the national 0: "+33 1 23 45 67 89",
// "0033 1 23 45 67 89" and "+33 (0)1 23 45 67 89" all give "0123456789". A "+" of another
// country is kept ("+44..."). Any other character (a letter typed by mistake) is kept, so the
// number fails the length and value checks instead of turning silently into another number.
std::string NettoyerTelephone(std::string_view texte);

}  // namespace utilitaires
