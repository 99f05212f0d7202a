// The selection language: operators, wildcards, multivalues, conjunctions, sorting, fields.
#include <random>

#include "engine_test_util.h"
#include "platform/engine/query.h"
#include "platform/engine/selection.h"

namespace {

using namespace enginetest;

class Selection : public BackendTest {
  protected:
    void SetUp() override {
        BackendTest::SetUp();
        MakeFile("SALARIES",
                 {{"Nom", 1, "20L"}, {"Heures", 2, "5R"}, {"Codes", 3, "4L"}, {"Ville", 4, "15L"}});
        Put("SALARIES", "S01", "MARTIN" + FM + "10" + FM + "AB" + VM + "CD" + FM + "ANGERS");
        Put("SALARIES", "S02", "BERNARD" + FM + "9" + FM + "CD" + FM + "CHOLET");
        Put("SALARIES", "S03", "DUBOIS" + FM + "100" + FM + "EF" + SM + "AB" + FM + "");
        Put("SALARIES", "S04", "martin" + FM + "010" + FM + "" + VM + "GH" + FM + "SAUMUR");
        Put("SALARIES", "S05", "ÉMILE" + FM + "ABC" + FM + FM + "ANGERS");
        Put("SALARIES", "S06", "" + FM + "" + FM + VM + FM + "[ANGERS]");
        Put("SALARIES", "S07", "MARTINEZ" + FM + "-5" + FM + "ZZ" + FM + "ANGERS");
    }
};

TEST_P(Selection, ByteOperatorsOnLeftJustifiedFields) {
    EXPECT_EQ(Ids("SSELECT SALARIES AVEC Nom = \"MARTIN\""), V{"S01"});
    EXPECT_EQ(Ids("SSELECT SALARIES AVEC Nom # \"MARTIN\" AND AVEC Nom <> \"\""),
              (V{"S02", "S03", "S04", "S05", "S07"}));
    EXPECT_EQ(Ids("SSELECT SALARIES AVEC Nom < \"C\""), (V{"S02", "S06"}));
    EXPECT_EQ(Ids("SSELECT SALARIES AVEC Nom > \"MARTIN\""), (V{"S04", "S05", "S07"}))
        << "lower case and accented letters come after upper case";
    EXPECT_EQ(Ids("SSELECT SALARIES AVEC Nom >= \"MARTIN\" AND AVEC Nom <= \"MARTINEZ\""),
              (V{"S01", "S07"}));
    EXPECT_EQ(Ids("SSELECT SALARIES AVEC Nom NE \"MARTIN\" AND SANS Nom = \"\""),
              (V{"S02", "S03", "S04", "S05", "S07"}));
    for (const auto& [word, symbol] :
         {std::pair{"EQ", "="}, {"LT", "<"}, {"GT", ">"}, {"GE", ">="}, {"LE", "<="}}) {
        EXPECT_EQ(Ids(std::string("SSELECT SALARIES AVEC Nom ") + word + " 'MARTIN'"),
                  Ids(std::string("SSELECT SALARIES AVEC Nom ") + symbol + " \"MARTIN\""))
            << word;
    }
}

TEST_P(Selection, RightJustifiedFieldsCompareNumbersByValue) {
    EXPECT_EQ(Ids("SSELECT SALARIES AVEC Heures = \"10\""), (V{"S01", "S04"}));
    EXPECT_EQ(Ids("SSELECT SALARIES AVEC Heures = \"10.00\""), (V{"S01", "S04"}));
    EXPECT_EQ(Ids("SSELECT SALARIES AVEC Heures > \"9\""), (V{"S01", "S03", "S04", "S05"}))
        << "ABC is not a number: it compares by bytes with 9";
    EXPECT_EQ(Ids("SSELECT SALARIES AVEC Heures < \"0\""), (V{"S06", "S07"}))
        << "an empty value is no number: by bytes it comes first";
    // An attribute number has no format: bytes.
    EXPECT_EQ(Ids("SSELECT SALARIES AVEC 2 > \"9\""), (V{"S05"}));
    EXPECT_EQ(Ids("SSELECT SALARIES AVEC 2 = \"10\""), V{"S01"});
}

TEST_P(Selection, WildcardsAtTheEndsOfValues) {
    EXPECT_EQ(Ids("SSELECT SALARIES AVEC Nom = \"MART]\""), (V{"S01", "S07"}));
    EXPECT_EQ(Ids("SSELECT SALARIES AVEC Nom = \"[IN\""), V{"S01"});
    EXPECT_EQ(Ids("SSELECT SALARIES AVEC Nom = \"[RTI]\""), (V{"S01", "S07"}));
    EXPECT_EQ(Ids("SSELECT SALARIES AVEC Nom # \"M]\" AND AVEC Nom"),
              (V{"S02", "S03", "S04", "S05"}));
    EXPECT_EQ(Ids("SSELECT SALARIES AVEC Ville = \"[ANGERS]]\""), V{"S06"})
        << "inner brackets are text: contains \"ANGERS]\"";
    EXPECT_EQ(Ids("SSELECT SALARIES AVEC Ville = \"[[ANGERS]\""), V{"S06"});
    EXPECT_EQ(Ids("SSELECT SALARIES AVEC Ville = \"]\"").size(), 7u) << "begins with nothing";
    EXPECT_EQ(Ids("SSELECT SALARIES AVEC Ville = \"A]B\""), V{}) << "a ] inside is text";
    EXPECT_EQ(Ids("SSELECT SALARIES AVEC Heures = \"1]\""), (V{"S01", "S03"}))
        << "prefixes compare text, even on numbers";
}

TEST_P(Selection, MultivaluesMatchWhenAnyValueDoesAndSansWhenNoneDoes) {
    EXPECT_EQ(Ids("SSELECT SALARIES AVEC Codes = \"CD\""), (V{"S01", "S02"}));
    EXPECT_EQ(Ids("SSELECT SALARIES AVEC Codes = \"AB\""), (V{"S01", "S03"})) << "subvalues too";
    EXPECT_EQ(Ids("SSELECT SALARIES SANS Codes = \"AB\""), (V{"S02", "S04", "S05", "S06", "S07"}));
    EXPECT_EQ(Ids("SSELECT SALARIES AVEC Codes # \"CD\""),
              (V{"S01", "S03", "S04", "S05", "S06", "S07"}))
        << "S01 has a value other than CD";
    EXPECT_EQ(Ids("SSELECT SALARIES AVEC Codes = \"\""), (V{"S04", "S05", "S06"}))
        << "an empty attribute or an empty value";
    EXPECT_EQ(Ids("SSELECT SALARIES AVEC Codes"), (V{"S01", "S02", "S03", "S04", "S07"}));
    EXPECT_EQ(Ids("SSELECT SALARIES SANS Codes"), (V{"S05", "S06"})) << "marks alone are empty";
    EXPECT_EQ(Ids("SSELECT SALARIES WITHOUT Ville"), V{"S03"});
}

TEST_P(Selection, AndBindsTighterThanOrAndParenthesesGroup) {
    EXPECT_EQ(Ids("SSELECT SALARIES AVEC Ville = \"CHOLET\" OR AVEC Ville = \"ANGERS\" AND AVEC "
                  "Nom = \"M]\""),
              (V{"S01", "S02", "S07"}));
    EXPECT_EQ(Ids("SSELECT SALARIES (AVEC Ville = \"CHOLET\" OR AVEC Ville = \"ANGERS\") AND "
                  "AVEC Nom = \"M]\""),
              (V{"S01", "S07"}));
    EXPECT_EQ(Ids("SELECT SALARIES WITH Ville = \"SAUMUR\" OR WITH Codes = \"ZZ\" AND WITHOUT "
                  "Nom = \"\""),
              (V{"S04", "S07"}));
}

TEST_P(Selection, SortsByBytesByValueDescendingAndById) {
    EXPECT_EQ(Ids("SSELECT SALARIES PAR Nom"),
              (V{"S06", "S02", "S03", "S01", "S07", "S04", "S05"}));
    EXPECT_EQ(Ids("SSELECT SALARIES PAR Heures"),
              (V{"S06", "S07", "S02", "S01", "S04", "S03", "S05"}))
        << "empty, then numbers by value (ties by id), then texts";
    EXPECT_EQ(Ids("SSELECT SALARIES PAR.DSND Heures"),
              (V{"S05", "S03", "S01", "S04", "S02", "S07", "S06"}))
        << "descending keys keep ties in id order";
    EXPECT_EQ(Ids("SSELECT SALARIES BY.DSND Ville BY Nom"),
              (V{"S06", "S04", "S02", "S01", "S07", "S05", "S03"}))
        << "\"[\" comes after letters";
    EXPECT_EQ(Ids("SSELECT SALARIES PAR Codes"),
              (V{"S04", "S05", "S06", "S01", "S02", "S03", "S07"}))
        << "a multivalued key sorts by its first value";
    EXPECT_EQ(Ids("SELECT SALARIES"), (V{"S01", "S02", "S03", "S04", "S05", "S06", "S07"}));
    EXPECT_EQ(Ids("SSELECT SALARIES PAR.DSND @ID AVEC Ville = \"ANGERS\""),
              (V{"S07", "S05", "S01"}));
}

TEST_P(Selection, FieldsByNameNumberOrId) {
    EXPECT_EQ(Ids("SSELECT SALARIES AVEC nom = \"MARTIN\""), V{"S01"}) << "case-insensitive";
    EXPECT_EQ(Ids("SSELECT SALARIES AVEC 1 = \"MARTIN\""), V{"S01"});
    EXPECT_EQ(Ids("SSELECT SALARIES AVEC 0 = \"S03\""), V{"S03"});
    EXPECT_EQ(Ids("SSELECT SALARIES AVEC @ID = \"S0]\" AND AVEC @id # \"S01\"").size(), 6u);
    auto dict = db->OpenFile("DICT SALARIES");
    store::Record twin(dict, "NOM", "D" + FM + "4");
    twin.DBWrite();
    EXPECT_EQ(Ids("SSELECT SALARIES AVEC NOM = \"ANGERS\""), (V{"S01", "S05", "S07"}))
        << "an exact name wins";
    EXPECT_NE(MessageOf([&] { Ids("SSELECT SALARIES AVEC nOm = \"X\""); }).find("ambigu"),
              std::string::npos);
}

TEST_P(Selection, IndexesNeverChangeWhatIsSelected) {
    MakeFile("COMPTES", {{"Libelle", 1, "30L"}, {"Montant", 2, "10R"}});
    std::mt19937 random(7);
    const char* words[] = {"SUB", "SUBV", "PRES", "PRESTA", "AIDE", "", "Z", "SUB]"};
    auto f = db->OpenFile("COMPTES");
    {
        store::BulkTransaction bulk(*db);
        for (int i = 0; i < 400; ++i) {
            char id[16];
            std::snprintf(id, sizeof id, "%03d%04d", static_cast<int>(random() % 7),
                          static_cast<int>(random() % 10000));
            std::string label = words[random() % 8];
            if (random() % 3 == 0)
                label += VM + words[random() % 8];
            store::Record r(f, id, label + FM + std::to_string(static_cast<int>(random() % 50)));
            r.DBWrite();
        }
        bulk.Commit();
    }
    const std::vector<std::string> commands = {
        "SSELECT COMPTES AVEC Libelle = \"SUB]\" AND AVEC @ID = \"003]\" AND SANS 1 = \"\" PAR 1",
        "SSELECT COMPTES AVEC Libelle = \"SUB\" PAR Libelle",
        "SSELECT COMPTES AVEC 1 = \"SUB]]\"",
        "SSELECT COMPTES AVEC Libelle = \"\" PAR.DSND Libelle",
        "SSELECT COMPTES PAR Libelle",
        "SSELECT COMPTES AVEC Libelle = \"PRES]\" OR AVEC Montant = \"7\" PAR Montant",
        "SSELECT COMPTES AVEC Montant = \"07\" AND AVEC Libelle = \"A]\"",
        "SSELECT COMPTES AVEC @ID = \"001]\" AND AVEC @ID = \"0012]\" AND AVEC 1 = \"AIDE\"",
        "SSELECT COMPTES AVEC @ID = \"001]\" AND AVEC @ID = \"002]\"",
        "SSELECT COMPTES SANS Libelle = \"SUB]\" PAR Libelle",
        "SSELECT COMPTES AVEC 1 = \"SUBV\" AND AVEC @ID = \"0041234\"",
        "SSELECT COMPTES AVEC 1 = \"]\" AND AVEC @ID = \"00]\" PAR 1",
        "SSELECT COMPTES AVEC 1 = \"PRES]\" AND AVEC @ID = \"005]\" AND AVEC 1 = \"A]\" PAR 1"};
    auto selectAll = [&] {
        std::vector<V> selected;
        for (const std::string& c : commands)
            selected.push_back(Ids(c));
        return selected;
    };
    const std::vector<V> before = selectAll();
    db->Execute("CREATE.INDEX COMPTES Libelle PREFIXE.ID 3");
    EXPECT_EQ(selectAll(), before) << "grouped by id";
    db->Execute("CREATE.INDEX COMPTES Libelle");
    db->Execute("CREATE.INDEX COMPTES Montant");
    EXPECT_EQ(selectAll(), before);
    // Writes after the index exists keep it current.
    for (int i = 0; i < 50; ++i) {
        store::Record r = f->Read(Ids("SSELECT COMPTES")[static_cast<size_t>(i) * 3]);
        r.SetValue(1, words[random() % 8]);
        r.DBWrite();
    }
    f->DeleteRecord(Ids("SSELECT COMPTES")[0]);
    db->Execute("DELETE.INDEX COMPTES Montant");
    const std::vector<V> indexed = selectAll();
    db->Execute("DELETE.INDEX COMPTES Libelle");
    EXPECT_TRUE(db->VerifyIndexes().empty());
    db->Execute("DELETE.INDEX COMPTES Libelle PREFIXE.ID 3");
    EXPECT_EQ(selectAll(), indexed);
    EXPECT_TRUE(db->VerifyIndexes().empty());
}

TEST_P(Selection, CountsWithAndWithoutConditions) {
    EXPECT_EQ(Said("COUNT SALARIES"), "7 enregistrement(s) compté(s).");
    EXPECT_EQ(Said("COMPTER SALARIES AVEC Ville = \"ANGERS\""), "3 enregistrement(s) compté(s).");
}

MERI_BACKENDS(Selection);

// How the embedded engine reads a file, on the same records.
class EmbeddedPlanner : public Selection {};
INSTANTIATE_TEST_SUITE_P(Embedded, EmbeddedPlanner, ::testing::Values(Backend::Embedded),
                         BackendName);

TEST_P(EmbeddedPlanner, ReadsThroughTheIndexOrTheIdKey) {
    db->Execute("CREATE.INDEX SALARIES Nom");
    auto plan = [&](const std::string& command) {
        mv::Database& engine = static_cast<store::LocalDatabase&>(*db).Engine();
        mv::Command c = mv::ParseCommand(engine, command);
        return mv::ExplainPlan(engine, c.query);
    };
    EXPECT_EQ(plan("SSELECT SALARIES AVEC Nom = \"MA]\" PAR Nom"), "index Nom");
    EXPECT_EQ(plan("SSELECT SALARIES AVEC 1 = \"MARTIN\""), "index Nom")
        << "an attribute number uses the index of the item that points at it";
    EXPECT_EQ(plan("SSELECT SALARIES AVEC @ID = \"S01\" AND AVEC Nom = \"M]\""), "identifiant");
    EXPECT_EQ(plan("SSELECT SALARIES PAR Nom"), "ordre de l'index Nom");
    EXPECT_EQ(plan("SSELECT SALARIES AVEC Nom = \"[IN\""), "parcours");
    EXPECT_EQ(plan("SSELECT SALARIES AVEC @ID = \"S1]\" AND AVEC @ID = \"S2]\""), "aucun");
    db->Execute("CREATE.INDEX SALARIES Nom PREFIXE.ID 2");
    EXPECT_EQ(plan("SSELECT SALARIES AVEC Nom = \"MA]\" AND AVEC @ID = \"S0]\" PAR Nom"),
              "index Nom par préfixe d'identifiant + identifiant");
    EXPECT_EQ(plan("SSELECT SALARIES AVEC Nom = \"MA]\" AND AVEC @ID = \"S]\""),
              "index Nom + identifiant")
        << "an id prefix shorter than the groups cannot use them";
    EXPECT_EQ(Ids("SSELECT SALARIES AVEC Nom = \"MA]\" AND AVEC @ID = \"S0]\" PAR.DSND Nom"),
              (V{"S07", "S01"}));
    EXPECT_EQ(Ids("SSELECT SALARIES PAR Nom"),
              (V{"S06", "S02", "S03", "S01", "S07", "S04", "S05"}));
    store::Record rows = db->Select("SSELECT SALARIES PAR Nom", "SALARIES", "0 1 4");
    EXPECT_EQ(rows.Value(2), "S02" + VM + "BERNARD" + VM + "CHOLET");
}

}  // namespace
