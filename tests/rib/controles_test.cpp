// Bank-detail checks against published examples and the near misses a typing slip produces.
#include <gtest/gtest.h>

#include "platform/components/rib/controles_bancaires.h"

using namespace rib;

namespace {

// Published French RIBs with their IBANs, one of them with a letter in the account.
struct Rib {
    const char *banque, *guichet, *compte, *cle, *iban;
};
const Rib kPublies[] = {
    {"30006", "00001", "12345678901", "89", "FR7630006000011234567890189"},
    {"30002", "00550", "0000157845Z", "02", "FR7030002005500000157845Z02"},
    {"20041", "01005", "0500013M026", "06", "FR1420041010050500013M02606"},
};

CoordonneesBancaires complet() {
    const Rib& r = kPublies[0];
    return {"", "", r.banque, r.guichet, r.compte, r.cle, r.iban, "AGRIFRPP", "FR72ZZZ123456"};
}

TEST(Rib, PublishedKeysAndIbansAndTheirNearMisses) {
    for (const Rib& r : kPublies) {
        EXPECT_EQ(CleRib(r.banque, r.guichet, r.compte), r.cle) << r.compte;
        EXPECT_EQ(IbanDepuisRib(r.banque, r.guichet, r.compte, r.cle), r.iban);
        EXPECT_TRUE(IbanValide(r.iban)) << r.iban;
    }
    EXPECT_NE(CleRib("30006", "00001", "12345678902"), "89") << "one digit changed";
    EXPECT_NE(CleRib("30006", "00001", "12345678910"), "89") << "two digits swapped";
    const Rib malformes[] = {
        {"3000", "00001", "12345678901", "89", ""},
        {"30006", "0000A", "12345678901", "89", ""},
        {"30006", "00001", "1234567890", "89", ""},
        {"30006", "00001", "1234567890-", "89", ""},
    };
    for (const Rib& r : malformes) {
        EXPECT_EQ(CleRib(r.banque, r.guichet, r.compte), "") << r.banque << r.guichet << r.compte;
        EXPECT_EQ(IbanDepuisRib(r.banque, r.guichet, r.compte, r.cle), "");
    }
    EXPECT_EQ(IbanDepuisRib("30006", "00001", "12345678901", "88"), "") << "a wrong key";
}

TEST(Rib, IbansOfOtherCountriesAndNearMisses) {
    for (const char* iban :
         {"GB82WEST12345698765432", "DE89370400440532013000", "BE68539007547034"})
        EXPECT_TRUE(IbanValide(iban)) << iban;
    for (const char* iban :
         {"FR7630006000011234567890188", "FR7630006000011234567809189",
          "FR763000600001123456789018", "DE8937040044053201300", "7630006000011234567890189FR",
          "FR76-3000600001123456789018", "", "FR0630006000011234567890188"}) {
        EXPECT_FALSE(IbanValide(iban)) << iban;
    }
    // The last one is mod-97 correct, made by a faulty converter from a wrong RIB key.
    EXPECT_EQ(ResteIban("FR0630006000011234567890188"), 1);
    EXPECT_EQ(IbanCompact(" fr76 3000\t6000 "), "FR7630006000");
    EXPECT_EQ(IbanGroupe("FR7630006000011234567890189"), "FR76 3000 6000 0112 3456 7890 189");
    EXPECT_EQ(IbanGroupe("fr76 30 006"), "FR76 3000 6");
}

TEST(Rib, BicAndCreditorIdentifierForms) {
    for (const char* bic : {"AGRIFRPP", "BNPAFRPP", "DEUTDEFF500", "CCBPFRPPMTG", "AGRIFRP1"})
        EXPECT_TRUE(BicValide(bic)) << bic;
    for (const char* bic :
         {"AGRIFRP", "AGRIFRPP8", "AGRIFRPP8823", "AGR1FRPP", "AGRIF1PP", "AGRIFRPP-82", ""}) {
        EXPECT_FALSE(BicValide(bic)) << bic;
    }
    EXPECT_TRUE(IcsValide("FR72ZZZ123456"));
    for (const char* ics : {"FR72ZZZ12345", "DE72ZZZ123456", "FR7AZZZ123456", "FR72ZZZ123457"})
        EXPECT_FALSE(IcsValide(ics)) << ics;
}

// Controler gives the first fault in the order of the fields, with a message naming it.
TEST(Rib, ControlerTellsTheFirstFaultOfABlock) {
    struct Cas {
        void (*change)(CoordonneesBancaires&);
        Champ champ;
        const char* extrait;
    };
    using C = CoordonneesBancaires;
    // clang-format off
    const Cas cas[] = {
        {[](C& c) { c = {}; },                      Champ::Aucun, ""},
        {[](C&) {},                                 Champ::Aucun, ""},
        {[](C& c) { c.ics = "123456"; },            Champ::Aucun, ""},  // a national identifier
        // Other lengths, and the creditor business code, are the screens' business.
        {[](C& c) { c.ics = "FR72ZZZ12345"; },      Champ::Aucun, ""},
        {[](C& c) { c.ics = "FR72ABC123456"; },     Champ::Aucun, ""},
        {[](C& c) { c.iban = c.bic = ""; },         Champ::Aucun, ""},  // a RIB alone
        {[](C& c) { c = {}; c.iban = "GB82WEST12345698765432"; }, Champ::Aucun, ""},
        {[](C& c) { c.codeGuichet = ""; },          Champ::CodeGuichet,
         "Le RIB est incomplet : le code guichet doit être renseigné."},
        {[](C& c) { c.codeBanque = "3000A"; },      Champ::CodeBanque, "banque doit comporter 5"},
        {[](C& c) { c.numeroCompte = "123"; },      Champ::NumeroCompte, "11 caractères"},
        // The RIB comes before the BIC.
        {[](C& c) { c.cleRib = "88"; c.bic = "X"; }, Champ::CleRib, "La clé RIB ne correspond"},
        {[](C& c) { c.iban = kPublies[2].iban; },   Champ::Iban, "ne correspond pas au RIB saisi"},
        {[](C& c) { c.iban.pop_back(); },           Champ::Iban,
         "Un IBAN de ce pays (FR) comporte 27 caractères ; celui-ci en a 26."},
        {[](C& c) { c.iban.back() = '8'; },         Champ::Iban, "ses chiffres de contrôle ne"},
        {[](C& c) { c = {}; c.iban = "FR0630006000011234567890188"; }, Champ::Iban,
         "la clé RIB qu'il contient ne correspond pas"},
        {[](C& c) { c.bic = "AGRIFRPP8"; },         Champ::Bic, "Le BIC doit comporter 8 ou 11"},
        {[](C& c) { c.ics = "FR73ZZZ123456"; },     Champ::Ics, "de contrôle (3e et 4e"},
        {[](C& c) { c.ics = "FR72ZZZ123457"; },     Champ::Ics, "de contrôle (3e et 4e"},
        {[](C& c) { c.ics = "FR7AZZZ123456"; },     Champ::Ics, "après FR, 2 chiffres de contrôle"},
    };
    // clang-format on
    for (const Cas& c : cas) {
        CoordonneesBancaires details = complet();
        c.change(details);
        const Anomalie a = Controler(details);
        EXPECT_EQ(a.champ, c.champ) << c.extrait;
        EXPECT_NE(a.message.find(c.extrait), std::string::npos) << a.message;
    }
}

TEST(Rib, NormaliserTrimsAndUpperCasesWithoutTouchingNames) {
    const auto n = Normaliser({"  Crédit mutuel ", "", "", "", " 0000157845z", "",
                               "fr76 3000 6000 0112 3456 7890 189", "agrifrpp ", ""});
    EXPECT_EQ(n.banque, "Crédit mutuel");
    EXPECT_EQ(n.numeroCompte, "0000157845Z");
    EXPECT_EQ(n.iban, "FR7630006000011234567890189");
    EXPECT_EQ(n.bic, "AGRIFRPP");
}

}  // namespace
