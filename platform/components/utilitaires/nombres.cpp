#include "nombres.h"

namespace utilitaires {
namespace {

// Beyond this a "number" is a pasted accident, not an amount.
constexpr size_t kChiffresMax = 200;
constexpr int kExposantMax = 200;

bool estChiffre(char c) {
    return c >= '0' && c <= '9';
}

// Length of the blank at the start of t: a space, a tab, U+00A0 or U+202F in UTF-8; 0 if none.
size_t longueurBlanc(std::string_view t) {
    if (t.empty())
        return 0;
    if (t[0] == ' ' || t[0] == '\t')
        return 1;
    if (t.size() >= 2 && t[0] == '\xC2' && t[1] == '\xA0')
        return 2;
    if (t.size() >= 3 && t[0] == '\xE2' && t[1] == '\x80' && t[2] == '\xAF')
        return 3;
    return 0;
}

bool estVide(std::string_view t) {
    while (size_t n = longueurBlanc(t))
        t.remove_prefix(n);
    return t.empty();
}

// A negative count of decimals (after an exponent or a shift) written as trailing zeros.
void sansDecimalesNegatives(Decimal& d) {
    if (d.decimales < 0) {
        d.chiffres.append(static_cast<size_t>(-d.decimales), '0');
        d.decimales = 0;
    }
}

std::string sansBlancs(std::string_view t) {
    std::string sortie;
    sortie.reserve(t.size());
    while (!t.empty()) {
        if (size_t n = longueurBlanc(t)) {
            t.remove_prefix(n);
        } else {
            sortie.push_back(t.front());
            t.remove_prefix(1);
        }
    }
    return sortie;
}

// Rounds d to `decimales` decimals, half away from zero.
void arrondir(Decimal& d, int decimales) {
    // At least one integer digit, so that every decimal has its place.
    if (d.chiffres.size() <= static_cast<size_t>(d.decimales))
        d.chiffres.insert(0, static_cast<size_t>(d.decimales) - d.chiffres.size() + 1, '0');
    if (d.decimales <= decimales) {
        d.chiffres.append(static_cast<size_t>(decimales - d.decimales), '0');
        d.decimales = decimales;
        return;
    }
    const size_t garde = d.chiffres.size() - static_cast<size_t>(d.decimales - decimales);
    const bool monter = d.chiffres[garde] >= '5';
    d.chiffres.resize(garde);
    d.decimales = decimales;
    if (monter) {
        size_t i = d.chiffres.size();
        while (i > 0 && d.chiffres[i - 1] == '9')
            d.chiffres[--i] = '0';
        if (i == 0)
            d.chiffres.insert(d.chiffres.begin(), '1');
        else
            ++d.chiffres[i - 1];
    }
    if (d.chiffres.empty())
        d.chiffres = "0";
}

std::string grouper(const std::string& entiers) {
    std::string sortie;
    const size_t n = entiers.size();
    for (size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            sortie.push_back(' ');
        sortie.push_back(entiers[i]);
    }
    return sortie;
}

NombreFormate formater(Decimal d, int chiffresEntiers, int decimales, int options) {
    NombreFormate resultat;
    if (decimales < 0)
        decimales = 0;
    arrondir(d, decimales);

    std::string entiers = d.chiffres.substr(0, d.chiffres.size() - static_cast<size_t>(decimales));
    const std::string fraction = d.chiffres.substr(entiers.size());
    const size_t premier = entiers.find_first_not_of('0');
    entiers = premier == std::string::npos ? std::string() : entiers.substr(premier);
    resultat.tropDeChiffres =
        chiffresEntiers >= 0 && entiers.size() > static_cast<size_t>(chiffresEntiers);
    const bool nul = entiers.empty() && fraction.find_first_not_of('0') == std::string::npos;

    if (d.negatif && !nul)
        resultat.texte = "-";
    if (entiers.empty())
        entiers = "0";
    resultat.texte += (options & kGrouperMilliers) ? grouper(entiers) : entiers;
    if (decimales > 0)
        resultat.texte += "," + fraction;
    return resultat;
}

}  // namespace

std::optional<Decimal> LireNombre(std::string_view texte) {
    const std::string t = sansBlancs(texte);
    size_t i = 0;
    Decimal d;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        d.negatif = t[i] == '-';
        ++i;
    }
    bool separateur = false;
    for (; i < t.size(); ++i) {
        const char c = t[i];
        if (estChiffre(c)) {
            d.chiffres.push_back(c);
            if (separateur)
                ++d.decimales;
        } else if ((c == ',' || c == '.') && !separateur) {
            separateur = true;
        } else {
            break;
        }
    }
    if (d.chiffres.empty() || d.chiffres.size() > kChiffresMax)
        return std::nullopt;
    if (i < t.size()) {
        if (t[i] != 'e' && t[i] != 'E')
            return std::nullopt;
        ++i;
        bool exposantNegatif = false;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
            exposantNegatif = t[i] == '-';
            ++i;
        }
        if (i == t.size())
            return std::nullopt;
        int exposant = 0;
        for (; i < t.size(); ++i) {
            if (!estChiffre(t[i]) || exposant > kExposantMax)
                return std::nullopt;
            exposant = exposant * 10 + (t[i] - '0');
        }
        if (exposant > kExposantMax)
            return std::nullopt;
        d.decimales += exposantNegatif ? exposant : -exposant;
        sansDecimalesNegatives(d);
    }
    return d;
}

NombreFormate FormaterNombre(std::string_view texte, int chiffresEntiers, int decimales,
                             int options) {
    if (estVide(texte))
        return {};
    const auto lu = LireNombre(texte);
    if (!lu)
        return {std::string(texte), false, false};
    return formater(*lu, chiffresEntiers, decimales, options);
}

std::optional<std::string> MontantVersCentimes(std::string_view montant) {
    if (estVide(montant))
        return std::string();
    auto lu = LireNombre(montant);
    if (!lu)
        return std::nullopt;
    lu->decimales -= 2;
    sansDecimalesNegatives(*lu);
    return formater(*lu, -1, 0, 0).texte;
}

NombreFormate CentimesVersMontant(std::string_view centimes, int chiffresEntiers, int decimales,
                                  int options) {
    if (estVide(centimes))
        return {};
    auto lu = LireNombre(centimes);
    if (!lu)
        return {std::string(centimes), false, false};
    lu->decimales += 2;
    return formater(*lu, chiffresEntiers, decimales, options);
}

}  // namespace utilitaires
