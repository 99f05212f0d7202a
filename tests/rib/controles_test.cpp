// Bank-detail checks against published examples and the near misses a typing slip produces.
#include <gtest/gtest.h>

#include "platform/components/rib/controles_bancaires.h"

using namespace rib;

namespace {

CoordonneesBancaires ribComplet() {
    CoordonneesBancaires c;
    c.codeBanque = "30006";
    c.codeGuichet = "00001";
    c.numeroCompte = "12345678901";
    c.cleRib = "89";
    c.iban = "FR7630006000011234567890189";
    c.bic = "AGRIFRPP";
    c.ics = "FR72ZZZ123456";
    return c;
}

TEST(CleRib, PublishedExamplesAndLettersInTheAccount) {
    EXPECT_EQ(CleRib("30006", "00001", "12345678901"), "89");
    EXPECT_EQ(CleRib("30002", "00550", "0000157845Z"), "02");
    EXPECT_EQ(CleRib("20041", "01005", "0500013M026"), "06");
    EXPECT_NE(CleRib("30006", "00001", "12345678902"), "89") << "one digit changed";
    EXPECT_NE(CleRib("30006", "00001", "12345678910"), "89") << "two digits swapped";
    EXPECT_EQ(CleRib("3000", "00001", "12345678901"), "");
    EXPECT_EQ(CleRib("30006", "0000A", "12345678901"), "");
    EXPECT_EQ(CleRib("30006", "00001", "1234567890"), "");
    EXPECT_EQ(CleRib("30006", "00001", "1234567890-"), "");
}

TEST(Iban, PublishedExamplesAndNearMisses) {
    for (const char* iban : {"FR7630006000011234567890189", "FR1420041010050500013M02606",
                             "FR7030002005500000157845Z02", "GB82WEST12345698765432",
                             "DE89370400440532013000", "BE68539007547034"}) {
        EXPECT_TRUE(IbanValide(iban)) << iban;
    }
    EXPECT_FALSE(IbanValide("FR7630006000011234567890188")) << "last digit changed";
    EXPECT_FALSE(IbanValide("FR7630006000011234567809189")) << "two digits swapped";
    EXPECT_FALSE(IbanValide("FR763000600001123456789018")) << "one character short";
    EXPECT_FALSE(IbanValide("DE8937040044053201300")) << "German IBANs have 22 characters";
    EXPECT_FALSE(IbanValide("7630006000011234567890189FR"));
    EXPECT_FALSE(IbanValide("FR76-3000600001123456789018"));
    EXPECT_FALSE(IbanValide(""));
    // A mod-97-correct French IBAN whose inner RIB key is wrong: made by a faulty converter.
    EXPECT_FALSE(IbanValide("FR0630006000011234567890188"));
    EXPECT_EQ(ResteIban("FR0630006000011234567890188"), 1);
}

TEST(Iban, BuiltFromARibAndShownInBlocks) {
    EXPECT_EQ(IbanDepuisRib("30006", "00001", "12345678901", "89"), "FR7630006000011234567890189");
    EXPECT_EQ(IbanDepuisRib("30002", "00550", "0000157845Z", "02"), "FR7030002005500000157845Z02");
    EXPECT_EQ(IbanDepuisRib("30006", "00001", "1234567890", "89"), "");
    EXPECT_EQ(IbanDepuisRib("30006", "00001", "12345678901", "88"), "") << "a wrong key";
    EXPECT_EQ(IbanCompact(" fr76 3000\t6000 "), "FR7630006000");
    EXPECT_EQ(IbanGroupe("FR7630006000011234567890189"), "FR76 3000 6000 0112 3456 7890 189");
    EXPECT_EQ(IbanGroupe("fr76 30 006"), "FR76 3000 6");
}

TEST(Bic, FormOfIso9362) {
    for (const char* bic : {"AGRIFRPP", "BNPAFRPP", "DEUTDEFF500", "CCBPFRPPMTG", "AGRIFRP1"})
        EXPECT_TRUE(BicValide(bic)) << bic;
    for (const char* bic :
         {"AGRIFRP", "AGRIFRPP8", "AGRIFRPP8823", "AGR1FRPP", "AGRIF1PP", "AGRIFRPP-82", ""}) {
        EXPECT_FALSE(BicValide(bic)) << bic;
    }
}

TEST(Ics, CheckDigitsCoverTheNationalPartOnly) {
    EXPECT_TRUE(IcsValide("FR72ZZZ123456"));
    EXPECT_TRUE(IcsValide("FR72ABC123456")) << "the creditor business code is not checked";
    EXPECT_FALSE(IcsValide("FR73ZZZ123456"));
    EXPECT_FALSE(IcsValide("FR72ZZZ123457"));
    EXPECT_FALSE(IcsValide("FR72ZZZ12345"));
    EXPECT_FALSE(IcsValide("DE72ZZZ123456"));
    EXPECT_FALSE(IcsValide("FR7AZZZ123456"));
}

TEST(Controler, EmptyBlockCompleteBlockAndNationalIcsPass) {
    EXPECT_FALSE(Controler({}));
    EXPECT_FALSE(Controler(ribComplet()));
    auto c = ribComplet();
    c.ics = "123456";
    EXPECT_FALSE(Controler(c)) << "a national identifier of 6 characters";
    c = {};
    c.banque = "Crédit Agricole";
    c.iban = "GB82WEST12345698765432";
    EXPECT_FALSE(Controler(c)) << "a foreign account with no RIB";
    c = ribComplet();
    c.iban.clear();
    c.bic.clear();
    EXPECT_FALSE(Controler(c)) << "a RIB alone";
}

TEST(Controler, FirstFaultInFieldOrderWithItsField) {
    auto c = ribComplet();
    c.codeGuichet.clear();
    EXPECT_EQ(Controler(c).champ, Champ::CodeGuichet);
    EXPECT_NE(Controler(c).message.find("code guichet"), std::string::npos);

    c = ribComplet();
    c.cleRib = "88";
    c.bic = "X";
    EXPECT_EQ(Controler(c).champ, Champ::CleRib) << "the RIB comes before the BIC";

    c = ribComplet();
    c.numeroCompte = "1234567890";
    EXPECT_EQ(Controler(c).champ, Champ::NumeroCompte);

    c = ribComplet();
    c.iban = "FR1420041010050500013M02606";  // valid, but another account
    const auto a = Controler(c);
    EXPECT_EQ(a.champ, Champ::Iban);
    EXPECT_NE(a.message.find("ne correspond pas au RIB"), std::string::npos);

    c = ribComplet();
    c.iban = "FR763000600001123456789018";
    EXPECT_NE(Controler(c).message.find("27 caractères ; celui-ci en a 26"), std::string::npos);

    c = ribComplet();
    c.bic = "AGRIFRPP8";
    EXPECT_EQ(Controler(c).champ, Champ::Bic);

    c = ribComplet();
    c.ics = "FR73ZZZ123456";
    EXPECT_NE(Controler(c).message.find("chiffres de contrôle (3e et 4e"), std::string::npos);
    c.ics = "FR7AZZZ123456";
    EXPECT_NE(Controler(c).message.find("après FR, 2 chiffres de contrôle"), std::string::npos);
    c.ics = "FR72ZZZ12345";
    EXPECT_FALSE(Controler(c)) << "other lengths are the screens' rule";
}

TEST(Normaliser, TrimsAndUpperCasesWithoutTouchingNames) {
    CoordonneesBancaires c;
    c.banque = "  Crédit mutuel ";
    c.numeroCompte = " 0000157845z";
    c.iban = "fr76 3000 6000 0112 3456 7890 189";
    c.bic = "agrifrpp ";
    const auto n = Normaliser(c);
    EXPECT_EQ(n.banque, "Crédit mutuel");
    EXPECT_EQ(n.numeroCompte, "0000157845Z");
    EXPECT_EQ(n.iban, "FR7630006000011234567890189");
    EXPECT_EQ(n.bic, "AGRIFRPP");
}

}  // namespace
