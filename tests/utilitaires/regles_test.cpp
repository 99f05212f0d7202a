// Dates, numbers and telephone numbers as users type them and as records store them.
#include <gtest/gtest.h>

#include "platform/components/utilitaires/dates.h"
#include "platform/components/utilitaires/nombres.h"
#include "platform/components/utilitaires/telephone.h"

using namespace utilitaires;

namespace {

TEST(Dates, DayZeroAndItsNeighbours) {
    EXPECT_EQ(DateVersJour("31/12/1967"), "0");
    EXPECT_EQ(DateVersJour("01/01/1968"), "1");
    EXPECT_EQ(DateVersJour("30/12/1967"), "-1");
    EXPECT_EQ(DateVersJour("01/01/1900"), "-24835");
    EXPECT_EQ(DateVersJour("01/01/2000"), "11689");
    EXPECT_EQ(JourVersDate("0"), "31/12/1967");
    EXPECT_EQ(JourVersDate("-1"), "30/12/1967");
    EXPECT_EQ(JourVersDate(" 11689 "), "01/01/2000");
    EXPECT_EQ(JourVersDate(-24835), "01/01/1900");
}

TEST(Dates, LeapYearsAndCenturies) {
    EXPECT_TRUE(EstBissextile(2024));
    EXPECT_TRUE(EstBissextile(2000));
    EXPECT_FALSE(EstBissextile(1900));
    EXPECT_FALSE(EstBissextile(2100));
    EXPECT_NE(DateVersJour("29/02/2024"), "");
    EXPECT_NE(DateVersJour("29/02/2000"), "");
    EXPECT_EQ(DateVersJour("29/02/1900"), "");
    EXPECT_EQ(DateVersJour("29/02/2023"), "");
    // The day after 28/02/1900 is 01/03/1900, the day after 28/02/2000 is 29/02/2000.
    const long fin1900 = std::stol(DateVersJour("28/02/1900"));
    EXPECT_EQ(JourVersDate(fin1900 + 1), "01/03/1900");
    const long fin2000 = std::stol(DateVersJour("28/02/2000"));
    EXPECT_EQ(JourVersDate(fin2000 + 1), "29/02/2000");
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
         {"31/04/2024", "00/01/2024", "01/13/2024", "01/00/2024", "", "abc", "01/01/24",
          "01-01-2024", "1/1/2024/1", "/01/2024", "01/01/0999", "001/01/2024"}) {
        EXPECT_EQ(DateVersJour(texte), "") << texte;
    }
    EXPECT_EQ(DateVersJour("1/2/2024"), DateVersJour("01/02/2024"));
    for (const char* jour : {"", "x", "1.5", "--1", "99999999", "-9999999"})
        EXPECT_EQ(JourVersDate(jour), "") << jour;
}

TEST(Dates, QuickTypingIsNormalised) {
    struct Cas {
        const char* tape;
        const char* attendu;
    };
    const Cas cas[] = {
        {"1/2/24", "01/02/2024"},     {"01022024", "01/02/2024"},     {"010224", "01/02/2024"},
        {"1/2/2024", "01/02/2024"},   {"1.2.24", "01/02/2024"},       {"1-2-24", "01/02/2024"},
        {"1 2 24", "01/02/2024"},     {" 29/02/2024 ", "29/02/2024"}, {"1/2", "01/02/2025"},
        {"0102", "01/02/2025"},       {"31/12/55", "31/12/2055"},     {"1/1/56", "01/01/1956"},
        {"01/01/1900", "01/01/1900"}, {"31/12/2099", "31/12/2099"},   {"29/02/00", "29/02/2000"},
    };
    for (const auto& c : cas) {
        bool echec = true;
        EXPECT_EQ(NormaliserDate(c.tape, echec, 2025), c.attendu) << c.tape;
        EXPECT_FALSE(echec) << c.tape;
    }
}

TEST(Dates, NormalisationRefusesAndKeepsTheText) {
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

TEST(Numbers, FrenchNotationAndRounding) {
    EXPECT_EQ(FormaterNombre("0", 4, 2).texte, "0,00");
    EXPECT_EQ(FormaterNombre("1234.5", 4, 2).texte, "1234,50");
    EXPECT_EQ(FormaterNombre("1234,5", 4, 2).texte, "1234,50");
    EXPECT_EQ(FormaterNombre("007", 3, 2).texte, "7,00");
    EXPECT_EQ(FormaterNombre(",5", 3, 2).texte, "0,50");
    EXPECT_EQ(FormaterNombre("5,", 3, 2).texte, "5,00");
    EXPECT_EQ(FormaterNombre("2.675", 3, 2).texte, "2,68") << "no binary rounding error";
    EXPECT_EQ(FormaterNombre("2.665", 3, 2).texte, "2,67");
    EXPECT_EQ(FormaterNombre("9.995", 1, 2).texte, "10,00");
    EXPECT_EQ(FormaterNombre("99.999", 2, 2).texte, "100,00");
    EXPECT_EQ(FormaterNombre("1.4", 3, 0).texte, "1");
    EXPECT_EQ(FormaterNombre("1.5", 3, 0).texte, "2");
    EXPECT_EQ(FormaterNombre("1e-05", 3, 2).texte, "0,00");
    EXPECT_EQ(FormaterNombre("1.2345e+03", 4, 2).texte, "1234,50");
    EXPECT_EQ(FormaterNombre(" 1 234,5 ", 4, 2).texte, "1234,50");
}

TEST(Numbers, NegativesRoundAwayFromZeroAndNeverShowMinusZero) {
    EXPECT_EQ(FormaterNombre("-12.5", 3, 2).texte, "-12,50");
    EXPECT_EQ(FormaterNombre("-2.675", 3, 2).texte, "-2,68");
    EXPECT_EQ(FormaterNombre("-0.001", 3, 2).texte, "0,00");
    EXPECT_EQ(FormaterNombre("-0", 3, 0).texte, "0");
    EXPECT_EQ(FormaterNombre("+3", 3, 1).texte, "3,0");
}

TEST(Numbers, TooManyIntegerDigitsAreKeptAndFlagged) {
    auto r = FormaterNombre("123456.789", 4, 2);
    EXPECT_EQ(r.texte, "123456,79");
    EXPECT_TRUE(r.valide);
    EXPECT_TRUE(r.tropDeChiffres);
    EXPECT_FALSE(FormaterNombre("9999.994", 4, 2).tropDeChiffres);
    EXPECT_TRUE(FormaterNombre("9999.995", 4, 2).tropDeChiffres) << "rounding adds a digit";
    EXPECT_FALSE(FormaterNombre("0,5", 0, 2).tropDeChiffres);
    EXPECT_EQ(FormaterNombre("123456789012345678901234567890", -1, 2).texte,
              "123456789012345678901234567890,00");
    EXPECT_EQ(FormaterNombre("1234567", 7, 2, kGrouperMilliers).texte, "1 234 567,00");
    EXPECT_EQ(FormaterNombre("-123", 7, 0, kGrouperMilliers).texte, "-123");
}

TEST(Numbers, EmptyStaysEmptyAndNonsenseComesBackUnchanged) {
    EXPECT_EQ(FormaterNombre("", 4, 2).texte, "");
    EXPECT_TRUE(FormaterNombre("  ", 4, 2).valide);
    for (const char* texte :
         {"abc", "1,2,3", "1.2.3", "12a", "--1", "-", ",", "1e", "1e+", "1e999", "1,234.5"}) {
        auto r = FormaterNombre(texte, 4, 2);
        EXPECT_FALSE(r.valide) << texte;
        EXPECT_EQ(r.texte, texte);
    }
}

TEST(Numbers, HundredthsBothWays) {
    EXPECT_EQ(MontantVersCentimes("25,5"), "2550");
    EXPECT_EQ(MontantVersCentimes("0,29"), "29");
    EXPECT_EQ(MontantVersCentimes("1234"), "123400");
    EXPECT_EQ(MontantVersCentimes("-3,005"), "-301");
    EXPECT_EQ(MontantVersCentimes("0,004"), "0");
    EXPECT_EQ(MontantVersCentimes(""), "");
    EXPECT_FALSE(MontantVersCentimes("douze").has_value());
    EXPECT_EQ(CentimesVersMontant("2550", 4, 2).texte, "25,50");
    EXPECT_EQ(CentimesVersMontant("5", 4, 2).texte, "0,05");
    EXPECT_EQ(CentimesVersMontant("-5", 4, 2).texte, "-0,05");
    EXPECT_EQ(CentimesVersMontant("1234567", 4, 2).texte, "12345,67");
    EXPECT_TRUE(CentimesVersMontant("1234567", 4, 2).tropDeChiffres);
    EXPECT_EQ(CentimesVersMontant("", 4, 2).texte, "");
    EXPECT_FALSE(CentimesVersMontant("x", 4, 2).valide);
}

TEST(Telephone, SeparatorsAndFrenchPrefixes) {
    EXPECT_EQ(NettoyerTelephone("01 23 45 67 89"), "0123456789");
    EXPECT_EQ(NettoyerTelephone("01.23.45.67.89"), "0123456789");
    EXPECT_EQ(NettoyerTelephone("01-23-45-67-89 "), "0123456789");
    EXPECT_EQ(NettoyerTelephone("+33 1 23 45 67 89"), "0123456789");
    EXPECT_EQ(NettoyerTelephone("0033 1 23 45 67 89"), "0123456789");
    EXPECT_EQ(NettoyerTelephone("+33 (0)1 23 45 67 89"), "0123456789");
    EXPECT_EQ(NettoyerTelephone("01\u00a023\u202f45 67 89"), "0123456789");
    EXPECT_EQ(NettoyerTelephone("+44 20 7946 0000"), "+442079460000");
    EXPECT_EQ(NettoyerTelephone("01 23 45 67 8a"), "012345678a");
    EXPECT_EQ(NettoyerTelephone(""), "");
}

}  // namespace
