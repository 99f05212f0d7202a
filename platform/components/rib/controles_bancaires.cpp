#include "controles_bancaires.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace rib {
namespace {

bool estChiffre(char c) {
    return c >= '0' && c <= '9';
}
bool estLettre(char c) {
    return c >= 'A' && c <= 'Z';
}
bool estAlnum(char c) {
    return estChiffre(c) || estLettre(c);
}

bool chiffres(std::string_view t, size_t n) {
    return t.size() == n && std::all_of(t.begin(), t.end(), estChiffre);
}
bool alnums(std::string_view t) {
    return std::all_of(t.begin(), t.end(), estAlnum);
}
bool lettres(std::string_view t) {
    return std::all_of(t.begin(), t.end(), estLettre);
}

// Remainder mod 97 of the number written by t, letters read as 10 to 35; -1 for another
// character.
int mod97(std::string_view t) {
    int reste = 0;
    for (char c : t) {
        if (estChiffre(c)) {
            reste = (reste * 10 + (c - '0')) % 97;
        } else if (estLettre(c)) {
            reste = (reste * 100 + (c - 'A' + 10)) % 97;
        } else {
            return -1;
        }
    }
    return reste;
}

// The digit a letter of a French account number stands for in its key.
char chiffreDuCompte(char c) {
    if (estChiffre(c))
        return c;
    static constexpr char kTable[] = "12345678912345678923456789";
    return kTable[c - 'A'];
}

std::string sansBlancsAutour(std::string_view t) {
    const size_t debut = t.find_first_not_of(" \t");
    if (debut == std::string_view::npos)
        return {};
    const size_t fin = t.find_last_not_of(" \t");
    return std::string(t.substr(debut, fin - debut + 1));
}

std::string majuscules(std::string t) {
    for (char& c : t) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return t;
}

constexpr std::pair<const char*, int> kLongueursIban[] = {
    {"AD", 24}, {"AE", 23}, {"AL", 28}, {"AT", 20}, {"AZ", 28}, {"BA", 20}, {"BE", 16}, {"BG", 22},
    {"BH", 22}, {"BR", 29}, {"BY", 28}, {"CH", 21}, {"CR", 22}, {"CY", 28}, {"CZ", 24}, {"DE", 22},
    {"DK", 18}, {"DO", 28}, {"EE", 20}, {"EG", 29}, {"ES", 24}, {"FI", 18}, {"FO", 18}, {"FR", 27},
    {"GB", 22}, {"GE", 22}, {"GI", 23}, {"GL", 18}, {"GR", 27}, {"GT", 28}, {"HR", 21}, {"HU", 28},
    {"IE", 22}, {"IL", 23}, {"IQ", 23}, {"IS", 26}, {"IT", 27}, {"JO", 30}, {"KW", 30}, {"KZ", 20},
    {"LB", 28}, {"LC", 32}, {"LI", 21}, {"LT", 20}, {"LU", 20}, {"LV", 21}, {"MC", 27}, {"MD", 24},
    {"ME", 22}, {"MK", 19}, {"MR", 27}, {"MT", 31}, {"MU", 30}, {"NL", 18}, {"NO", 15}, {"PK", 24},
    {"PL", 28}, {"PS", 29}, {"PT", 25}, {"QA", 29}, {"RO", 24}, {"RS", 22}, {"SA", 24}, {"SC", 31},
    {"SE", 24}, {"SI", 19}, {"SK", 24}, {"SM", 27}, {"ST", 25}, {"SV", 28}, {"TL", 23}, {"TN", 24},
    {"TR", 26}, {"UA", 29}, {"VA", 22}, {"VG", 24}, {"XK", 20},
};

Anomalie anomalie(Champ champ, std::string message) {
    return {champ, std::move(message)};
}

// The French RIB inside a well-formed FR IBAN: its key must agree with the rest.
bool ribDeLIbanCoherent(std::string_view iban) {
    const std::string cle = CleRib(iban.substr(4, 5), iban.substr(9, 5), iban.substr(14, 11));
    return !cle.empty() && cle == iban.substr(25, 2);
}

Anomalie controlerRib(const CoordonneesBancaires& c) {
    if (c.codeBanque.empty() && c.codeGuichet.empty() && c.numeroCompte.empty() &&
        c.cleRib.empty()) {
        return {};
    }
    const std::string incomplet = "Le RIB est incomplet : ";
    if (c.codeBanque.empty())
        return anomalie(Champ::CodeBanque, incomplet + "le code banque doit être renseigné.");
    if (!chiffres(c.codeBanque, 5))
        return anomalie(Champ::CodeBanque, "Le code banque doit comporter 5 chiffres.");
    if (c.codeGuichet.empty())
        return anomalie(Champ::CodeGuichet, incomplet + "le code guichet doit être renseigné.");
    if (!chiffres(c.codeGuichet, 5))
        return anomalie(Champ::CodeGuichet, "Le code guichet doit comporter 5 chiffres.");
    if (c.numeroCompte.empty()) {
        return anomalie(Champ::NumeroCompte,
                        incomplet + "le numéro de compte doit être renseigné.");
    }
    if (c.numeroCompte.size() != 11 || !alnums(c.numeroCompte)) {
        return anomalie(Champ::NumeroCompte,
                        "Le numéro de compte doit comporter 11 caractères, chiffres ou lettres.");
    }
    if (c.cleRib.empty())
        return anomalie(Champ::CleRib, incomplet + "la clé RIB doit être renseignée.");
    if (!chiffres(c.cleRib, 2))
        return anomalie(Champ::CleRib, "La clé RIB doit comporter 2 chiffres.");
    if (CleRib(c.codeBanque, c.codeGuichet, c.numeroCompte) != c.cleRib) {
        return anomalie(Champ::CleRib,
                        "La clé RIB ne correspond pas au code banque, au code guichet et au "
                        "numéro de compte : l'une de ces zones est mal saisie.");
    }
    return {};
}

Anomalie controlerIban(const CoordonneesBancaires& c) {
    const std::string& iban = c.iban;
    if (iban.empty())
        return {};
    if (iban.size() < 4 || !lettres(iban.substr(0, 2)) || !chiffres(iban.substr(2, 2), 2) ||
        !alnums(iban)) {
        return anomalie(Champ::Iban,
                        "L'IBAN doit commencer par les 2 lettres du pays et 2 chiffres de "
                        "contrôle, suivis de chiffres et de lettres seulement.");
    }
    const std::string pays = iban.substr(0, 2);
    const int longueur = LongueurIban(pays);
    if (longueur > 0 && iban.size() != static_cast<size_t>(longueur)) {
        return anomalie(Champ::Iban, "Un IBAN de ce pays (" + pays + ") comporte " +
                                         std::to_string(longueur) + " caractères ; celui-ci en a " +
                                         std::to_string(iban.size()) + ".");
    }
    if (longueur == 0 && (iban.size() < 15 || iban.size() > 34))
        return anomalie(Champ::Iban, "L'IBAN doit comporter de 15 à 34 caractères.");
    if (ResteIban(iban) != 1) {
        return anomalie(Champ::Iban,
                        "L'IBAN est incorrect : ses chiffres de contrôle ne correspondent pas au "
                        "reste du numéro. Vérifiez la saisie.");
    }
    if (pays == "FR") {
        if (!ribDeLIbanCoherent(iban)) {
            return anomalie(Champ::Iban,
                            "L'IBAN est incorrect : la clé RIB qu'il contient ne correspond pas "
                            "au compte.");
        }
        if (!c.codeBanque.empty() &&
            iban.substr(4) != c.codeBanque + c.codeGuichet + c.numeroCompte + c.cleRib) {
            return anomalie(Champ::Iban,
                            "L'IBAN ne correspond pas au RIB saisi (code banque, code guichet, "
                            "numéro de compte et clé).");
        }
    }
    return {};
}

}  // namespace

std::string CleRib(std::string_view codeBanque, std::string_view codeGuichet,
                   std::string_view numeroCompte) {
    if (!chiffres(codeBanque, 5) || !chiffres(codeGuichet, 5) || numeroCompte.size() != 11 ||
        !alnums(numeroCompte)) {
        return {};
    }
    std::string compte(numeroCompte);
    for (char& ch : compte)
        ch = chiffreDuCompte(ch);
    const std::int64_t somme = 89 * std::stoll(std::string(codeBanque)) +
                               15 * std::stoll(std::string(codeGuichet)) + 3 * std::stoll(compte);
    const int cle = 97 - static_cast<int>(somme % 97);
    return (cle < 10 ? "0" : "") + std::to_string(cle);
}

int ResteIban(std::string_view iban) {
    if (iban.size() < 5)
        return -1;
    std::string rearrange(iban.substr(4));
    rearrange += iban.substr(0, 4);
    return mod97(rearrange);
}

bool IbanValide(std::string_view iban) {
    CoordonneesBancaires c;
    c.iban = std::string(iban);
    return !iban.empty() && !controlerIban(c);
}

int LongueurIban(std::string_view pays) {
    for (const auto& [code, longueur] : kLongueursIban) {
        if (pays == code)
            return longueur;
    }
    return 0;
}

std::string IbanDepuisRib(std::string_view codeBanque, std::string_view codeGuichet,
                          std::string_view numeroCompte, std::string_view cleRib) {
    const std::string cle = CleRib(codeBanque, codeGuichet, numeroCompte);
    if (cle.empty() || cle != cleRib)
        return {};
    std::string bban(codeBanque);
    bban += codeGuichet;
    bban += numeroCompte;
    bban += cleRib;
    const int controle = 98 - mod97(bban + "FR00");
    return "FR" + std::string(controle < 10 ? "0" : "") + std::to_string(controle) + bban;
}

bool BicValide(std::string_view bic) {
    if (bic.size() != 8 && bic.size() != 11)
        return false;
    return lettres(bic.substr(0, 6)) && alnums(bic.substr(6));
}

bool IcsValide(std::string_view ics) {
    if (ics.size() != 13 || ics.substr(0, 2) != "FR" || !chiffres(ics.substr(2, 2), 2) ||
        !alnums(ics)) {
        return false;
    }
    std::string nombre(ics.substr(7));
    nombre += ics.substr(0, 2);
    nombre += "00";
    const int attendu = 98 - mod97(nombre);
    return attendu == std::stoi(std::string(ics.substr(2, 2)));
}

std::string IbanCompact(std::string_view texte) {
    std::string compact;
    for (char c : texte) {
        if (c != ' ' && c != '\t')
            compact.push_back(c);
    }
    return majuscules(std::move(compact));
}

std::string IbanGroupe(std::string_view texte) {
    const std::string compact = IbanCompact(texte);
    std::string groupe;
    for (size_t i = 0; i < compact.size(); ++i) {
        if (i > 0 && i % 4 == 0)
            groupe.push_back(' ');
        groupe.push_back(compact[i]);
    }
    return groupe;
}

CoordonneesBancaires Normaliser(CoordonneesBancaires c) {
    c.banque = sansBlancsAutour(c.banque);
    c.domiciliation = sansBlancsAutour(c.domiciliation);
    c.codeBanque = majuscules(sansBlancsAutour(c.codeBanque));
    c.codeGuichet = majuscules(sansBlancsAutour(c.codeGuichet));
    c.numeroCompte = majuscules(sansBlancsAutour(c.numeroCompte));
    c.cleRib = majuscules(sansBlancsAutour(c.cleRib));
    c.iban = IbanCompact(c.iban);
    c.bic = majuscules(sansBlancsAutour(c.bic));
    c.ics = majuscules(sansBlancsAutour(c.ics));
    return c;
}

Anomalie Controler(const CoordonneesBancaires& c) {
    if (auto a = controlerRib(c))
        return a;
    if (auto a = controlerIban(c))
        return a;
    if (!c.bic.empty() && !BicValide(c.bic)) {
        return anomalie(Champ::Bic,
                        "Le BIC doit comporter 8 ou 11 caractères : 4 lettres pour la banque, 2 "
                        "lettres pour le pays, 2 lettres ou chiffres pour la localité et, s'il y "
                        "a lieu, 3 pour l'agence.");
    }
    if (c.ics.size() == 13 && c.ics.substr(0, 2) == "FR" && !IcsValide(c.ics)) {
        if (!chiffres(c.ics.substr(2, 2), 2) || !alnums(c.ics)) {
            return anomalie(Champ::Ics,
                            "L'ICS doit comporter, après FR, 2 chiffres de contrôle puis des "
                            "lettres et des chiffres seulement.");
        }
        return anomalie(Champ::Ics,
                        "L'ICS est incorrect : ses chiffres de contrôle (3e et 4e caractères) ne "
                        "correspondent pas au reste de l'identifiant.");
    }
    return {};
}

}  // namespace rib
