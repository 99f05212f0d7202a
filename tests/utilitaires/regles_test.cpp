// Dates, numbers and telephone numbers as users type them and as records store them.
#include <gtest/gtest.h>

#include "platform/components/utilitaires/dates.h"
#include "platform/components/utilitaires/nombres.h"
#include "platform/components/utilitaires/telephone.h"

using namespace utilitaires;

namespace {

TEST(Dates, DayNumbersAroundDayZeroAndCenturies) {
    const std::pair<const char*, long> jours[] = {
        {"31/12/1967", 0},
        {"01/01/1968", 1},
        {"30/12/1967", -1},
        {"01/01/1900", -24835},
        {"01/01/2000", 11689},
        // The day after 28/02/1900 is 01/03/1900, the day after 28/02/2000 is 29/02/2000.
        {"28/02/1900", -24777},
        {"01/03/1900", -24776},
        {"28/02/2000", 11747},
        {"29/02/2000", 11748},
        {"29/02/2024", 20514},
    };
    for (auto [date, jour] : jours) {
        EXPECT_EQ(DateVersJour(date), std::to_string(jour)) << date;
        EXPECT_EQ(JourVersDate(jour), date) << jour;
    }
    EXPECT_EQ(JourVersDate(" 11689 "), "01/01/2000");
    EXPECT_EQ(DateVersJour("1/2/2024"), DateVersJour("01/02/2024"));
}

TEST(Dates, EveryDayOfTwoCenturiesRoundTrips) {
    const long premier = std::stol(DateVersJour("01/01/1900"));
    const long dernier = std::stol(DateVersJour("31/12/2099"));
    EXPECT_EQ(dernier - premier + 1, 200 * 365 + 49);  // 1900 is not a leap year, 2000 is
    for (long n = premier; n <= dernier; ++n) {
        const std::string date = JourVersDate(n);
        ASSERT_EQ(DateVersJour(date), std::to_string(n)) << date;
    }
}

TEST(Dates, ImpossibleOrMalformedTextsConvertToEmpty) {
    for (const char* texte :
         {"31/04/2024", "00/01/2024", "01/13/2024", "01/00/2024", "29/02/1900", "29/02/2023", "",
          "abc", "01/01/24", "01-01-2024", "1/1/2024/1", "/01/2024", "01/01/0999", "001/01/2024"}) {
        EXPECT_EQ(DateVersJour(texte), "") << texte;
    }
    for (const char* jour : {"", "x", "1.5", "--1", "99999999", "-9999999"})
        EXPECT_EQ(JourVersDate(jour), "") << jour;
}

TEST(Dates, QuickTypingIsNormalisedAndNonsenseKept) {
    const std::pair<const char*, const char*> cas[] = {
        {"1/2/24", "01/02/2024"},     {"01022024", "01/02/2024"},     {"010224", "01/02/2024"},
        {"1/2/2024", "01/02/2024"},   {"1.2.24", "01/02/2024"},       {"1-2-24", "01/02/2024"},
        {"1 2 24", "01/02/2024"},     {" 29/02/2024 ", "29/02/2024"}, {"1/2", "01/02/2025"},
        {"0102", "01/02/2025"},       {"31/12/55", "31/12/2055"},     {"1/1/56", "01/01/1956"},
        {"01/01/1900", "01/01/1900"}, {"31/12/2099", "31/12/2099"},   {"29/02/00", "29/02/2000"},
    };
    for (auto [tape, attendu] : cas) {
        bool echec = true;
        EXPECT_EQ(NormaliserDate(tape, echec, 2025), attendu) << tape;
        EXPECT_FALSE(echec) << tape;
    }
    for (const char* tape :
         {"31/02/2024", "29/02/2023", "29/02/1900", "32/01/2024", "1/13/24", "",
          "   ",        "abc",        "1/2/3/4",    "1//2/24",    "/1/2",    "1/2/",
          "123",        "12345",      "1234567",    "123456789",  "1/2/024", "01/01/1899",
          "01/01/2100", "001/2/24",   "1a/2/24"}) {
        bool echec = false;
        EXPECT_EQ(NormaliserDate(tape, echec, 2025), tape) << tape;
        EXPECT_TRUE(echec) << tape;
    }
}

TEST(Numbers, FrenchNotationRoundingAndTooManyDigits) {
    struct Cas {
        const char* texte;
        int entiers, decimales;
        const char* attendu;
        bool trop = false;
        int options = 0;
    };
    // clang-format off
    const Cas cas[] = {
        {"0", 4, 2, "0,00"},         {"1234.5", 4, 2, "1234,50"},   {"1234,5", 4, 2, "1234,50"},
        {"007", 3, 2, "7,00"},       {",5", 3, 2, "0,50"},          {"5,", 3, 2, "5,00"},
        {"2.675", 3, 2, "2,68"},     {"2.665", 3, 2, "2,67"},       // no binary rounding error
        {"1.4", 3, 0, "1"},          {"1.5", 3, 0, "2"},            {"1e-05", 3, 2, "0,00"},
        {"1.2345e+03", 4, 2, "1234,50"},                            {" 1 234,5 ", 4, 2, "1234,50"},
        {"-12.5", 3, 2, "-12,50"},   {"-2.675", 3, 2, "-2,68"},     {"+3", 3, 1, "3,0"},
        {"-0.001", 3, 2, "0,00"},    {"-0", 3, 0, "0"},             // never "-0,00"
        {"", 4, 2, ""},              {"  ", 4, 2, ""},              {"0,5", 0, 2, "0,50"},
        // Too many integer digits: every digit kept, and said; rounding may add the digit.
        {"123456.789", 4, 2, "123456,79", true},  {"9.995", 1, 2, "10,00", true},
        {"99.999", 2, 2, "100,00", true},         {"9999.995", 4, 2, "10000,00", true},
        {"9999.994", 4, 2, "9999,99"},
        {"123456789012345678901234567890", -1, 2, "123456789012345678901234567890,00"},
        {"1234567", 7, 2, "1 234 567,00", false, kGrouperMilliers},
        {"-123", 7, 0, "-123", false, kGrouperMilliers},
    };
    // clang-format on
    for (const Cas& c : cas) {
        const NombreFormate r = FormaterNombre(c.texte, c.entiers, c.decimales, c.options);
        EXPECT_EQ(r.texte, c.attendu) << c.texte;
        EXPECT_EQ(r.tropDeChiffres, c.trop) << c.texte;
        EXPECT_TRUE(r.valide) << c.texte;
    }
    for (const char* texte :
         {"abc", "1,2,3", "1.2.3", "12a", "--1", "-", ",", "1e", "1e+", "1e999", "1,234.5"}) {
        const NombreFormate r = FormaterNombre(texte, 4, 2);
        EXPECT_FALSE(r.valide) << texte;
        EXPECT_EQ(r.texte, texte);
    }
}

TEST(Numbers, HundredthsBothWays) {
    for (auto [montant, centimes] : {std::pair{"25,5", "2550"},
                                     {"0,29", "29"},
                                     {"1234", "123400"},
                                     {"-3,005", "-301"},
                                     {"0,004", "0"},
                                     {"", ""}})
        EXPECT_EQ(MontantVersCentimes(montant), centimes) << montant;
    EXPECT_FALSE(MontantVersCentimes("douze").has_value());
    for (auto [centimes, montant] : {std::pair{"2550", "25,50"},
                                     {"5", "0,05"},
                                     {"-5", "-0,05"},
                                     {"1234567", "12345,67"},
                                     {"", ""}})
        EXPECT_EQ(CentimesVersMontant(centimes, 4, 2).texte, montant) << centimes;
    EXPECT_TRUE(CentimesVersMontant("1234567", 4, 2).tropDeChiffres);
    EXPECT_FALSE(CentimesVersMontant("x", 4, 2).valide);
}

TEST(Telephone, SeparatorsAndFrenchPrefixes) {
    for (const char* tape :
         {"01 23 45 67 89", "01.23.45.67.89", "01-23-45-67-89 ", "+33 1 23 45 67 89",
          "0033 1 23 45 67 89", "+33 (0)1 23 45 67 89", "01\u00a023\u202f45 67 89"}) {
        EXPECT_EQ(NettoyerTelephone(tape), "0123456789") << tape;
    }
    EXPECT_EQ(NettoyerTelephone("+44 20 7946 0000"), "+442079460000");
    EXPECT_EQ(NettoyerTelephone("01 23 45 67 8a"), "012345678a");
    EXPECT_EQ(NettoyerTelephone(""), "");
}

}  // namespace
