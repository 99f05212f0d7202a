#include "telephone.h"

namespace utilitaires {

std::string NettoyerTelephone(std::string_view texte) {
    std::string brut;
    brut.reserve(texte.size());
    for (size_t i = 0; i < texte.size(); ++i) {
        const char c = texte[i];
        if (c == ' ' || c == '\t' || c == '.' || c == '-' || c == '/' || c == '(' || c == ')')
            continue;
        if (c == '\xC2' && i + 1 < texte.size() && texte[i + 1] == '\xA0') {
            ++i;
            continue;
        }
        if (c == '\xE2' && i + 2 < texte.size() && texte[i + 1] == '\x80' &&
            texte[i + 2] == '\xAF') {
            i += 2;
            continue;
        }
        brut.push_back(c);
    }
    std::string_view reste;
    if (brut.rfind("+33", 0) == 0)
        reste = std::string_view(brut).substr(3);
    else if (brut.rfind("0033", 0) == 0)
        reste = std::string_view(brut).substr(4);
    else
        return brut;
    // "+33 (0)1 ..." already carries the national 0.
    if (!reste.empty() && reste.front() == '0')
        return std::string(reste);
    return "0" + std::string(reste);
}

}  // namespace utilitaires
