#include "dates.h"

#include <chrono>
#include <cstdio>
#include <vector>

namespace utilitaires {
namespace {

// Days since 01/01/1970 of a Gregorian date (H. Hinnant's civil calendar algorithms).
long joursDepuis1970(long y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

Date dateDepuis1970(long z) {
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    Date date;
    date.jour = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    date.mois = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    date.annee = static_cast<int>(yoe + era * 400 + (date.mois <= 2 ? 1 : 0));
    return date;
}

// 31/12/1967, the store's day 0, counted from 01/01/1970.
const long kJourZero = joursDepuis1970(1967, 12, 31);

bool estChiffre(char c) {
    return c >= '0' && c <= '9';
}

bool estBlanc(char c) {
    return c == ' ' || c == '\t';
}

std::string_view sansBlancs(std::string_view t) {
    while (!t.empty() && estBlanc(t.front()))
        t.remove_prefix(1);
    while (!t.empty() && estBlanc(t.back()))
        t.remove_suffix(1);
    return t;
}

// Value of a run of 1 to 4 digits; -1 otherwise.
int nombre(std::string_view chiffres) {
    if (chiffres.empty() || chiffres.size() > 4)
        return -1;
    int n = 0;
    for (char c : chiffres) {
        if (!estChiffre(c))
            return -1;
        n = n * 10 + (c - '0');
    }
    return n;
}

bool estSeparateur(char c) {
    return c == '/' || c == '.' || c == '-' || c == ' ';
}

int anneeSurDeuxChiffres(int yy, int anneeCourante) {
    const int annee = 2000 + yy;
    return annee <= anneeCourante + 30 ? annee : annee - 100;
}

int anneeDuSysteme() {
    using namespace std::chrono;
    const year_month_day aujourdhui{floor<days>(system_clock::now())};
    return static_cast<int>(aujourdhui.year());
}

}  // namespace

bool EstBissextile(int annee) {
    return (annee % 4 == 0 && annee % 100 != 0) || annee % 400 == 0;
}

int JoursDansMois(int mois, int annee) {
    static constexpr int kJours[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (mois < 1 || mois > 12)
        return 0;
    return mois == 2 && EstBissextile(annee) ? 29 : kJours[mois - 1];
}

bool DateExiste(int jour, int mois, int annee) {
    return jour >= 1 && jour <= JoursDansMois(mois, annee);
}

std::optional<long> NumeroJour(const Date& date) {
    if (date.annee < kAnneeMinConversion || date.annee > kAnneeMaxConversion ||
        !DateExiste(date.jour, date.mois, date.annee)) {
        return std::nullopt;
    }
    return joursDepuis1970(date.annee, date.mois, date.jour) - kJourZero;
}

std::optional<Date> DateDuJour(long numero) {
    static const long kPremier = *NumeroJour({1, 1, kAnneeMinConversion});
    static const long kDernier = *NumeroJour({31, 12, kAnneeMaxConversion});
    if (numero < kPremier || numero > kDernier)
        return std::nullopt;
    return dateDepuis1970(numero + kJourZero);
}

std::string TexteDate(const Date& date) {
    char texte[16];
    std::snprintf(texte, sizeof texte, "%02d/%02d/%04d", date.jour, date.mois, date.annee);
    return texte;
}

std::string DateVersJour(std::string_view texte) {
    texte = sansBlancs(texte);
    const size_t s1 = texte.find('/');
    const size_t s2 = s1 == std::string_view::npos ? s1 : texte.find('/', s1 + 1);
    if (s2 == std::string_view::npos)
        return {};
    const std::string_view j = texte.substr(0, s1);
    const std::string_view m = texte.substr(s1 + 1, s2 - s1 - 1);
    const std::string_view a = texte.substr(s2 + 1);
    if (j.size() > 2 || m.size() > 2 || a.size() != 4)
        return {};
    const auto numero = NumeroJour({nombre(j), nombre(m), nombre(a)});
    return numero ? std::to_string(*numero) : std::string();
}

std::string JourVersDate(std::string_view jour) {
    jour = sansBlancs(jour);
    bool negatif = false;
    if (!jour.empty() && (jour.front() == '-' || jour.front() == '+')) {
        negatif = jour.front() == '-';
        jour.remove_prefix(1);
    }
    // Seven digits already pass the last day of year 9999.
    if (jour.empty() || jour.size() > 9)
        return {};
    long n = 0;
    for (char c : jour) {
        if (!estChiffre(c))
            return {};
        n = n * 10 + (c - '0');
    }
    return JourVersDate(negatif ? -n : n);
}

std::string JourVersDate(long jour) {
    const auto date = DateDuJour(jour);
    return date ? TexteDate(*date) : std::string();
}

std::string NormaliserDate(std::string_view texte, bool& echec, int anneeCourante) {
    echec = true;
    const std::string original(texte);
    const std::string_view t = sansBlancs(texte);
    if (t.empty())
        return original;

    std::vector<std::string_view> parties;
    bool chiffresSeuls = true;
    size_t debut = 0;
    for (size_t i = 0; i <= t.size(); ++i) {
        if (i == t.size() || estSeparateur(t[i])) {
            parties.push_back(t.substr(debut, i - debut));
            debut = i + 1;
            if (i < t.size())
                chiffresSeuls = false;
        } else if (!estChiffre(t[i])) {
            return original;
        }
    }

    int jour = -1, mois = -1, annee = -1;
    auto lireAnnee = [&](std::string_view a) {
        if (a.size() == 2)
            annee = anneeSurDeuxChiffres(nombre(a), anneeCourante);
        else if (a.size() == 4)
            annee = nombre(a);
    };
    if (chiffresSeuls) {
        const std::string_view d = t;
        if (d.size() != 4 && d.size() != 6 && d.size() != 8)
            return original;
        jour = nombre(d.substr(0, 2));
        mois = nombre(d.substr(2, 2));
        if (d.size() == 4)
            annee = anneeCourante;
        else
            lireAnnee(d.substr(4));
    } else {
        if (parties.size() != 2 && parties.size() != 3)
            return original;
        for (size_t i = 0; i < 2; ++i) {
            if (parties[i].empty() || parties[i].size() > 2)
                return original;
        }
        jour = nombre(parties[0]);
        mois = nombre(parties[1]);
        if (parties.size() == 2)
            annee = anneeCourante;
        else
            lireAnnee(parties[2]);
    }
    if (annee < kAnneeMinSaisie || annee > kAnneeMaxSaisie || !DateExiste(jour, mois, annee))
        return original;
    echec = false;
    return TexteDate({jour, mois, annee});
}

std::string NormaliserDate(std::string_view texte, bool& echec) {
    return NormaliserDate(texte, echec, anneeDuSysteme());
}

}  // namespace utilitaires
