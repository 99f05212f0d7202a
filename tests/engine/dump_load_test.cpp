// Dump and load in JSON Lines: the format, the exact round trip, loads that fail whole, and
// loads that replace only when asked.
#include <sstream>

#include "engine_test_util.h"

namespace {

using namespace enginetest;

class DumpLoad : public BackendTest {
  protected:
    void SetUp() override {
        BackendTest::SetUp();
        MakeFile("ASSOCIATION", {{"SigleAssoc", 1, "20L"}});
        MakeFile("CONVOVM007");
        MakeFile("TABLES");
        db->Execute("CREATE.INDEX ASSOCIATION SigleAssoc");
        db->Execute("CREATE.INDEX ASSOCIATION 1 PREFIXE.ID 2");
        Put("ASSOCIATION", "001",
            "SAD" + FM + "a" + VM + "b" + FM + "s1" + SM + "s2" + FM + "" + FM + "x" + VM + "" +
                VM + "y" + SM + "" + FM);
        Put("ASSOCIATION", "002", "L'AIDE \"À DOMICILE\" \\ 🏠");
        Put("TABLES", "BYTES",
            std::string("\xFF\xC3 \xE9t\xE9") + FM + "\t\n\x01\x7F" + FM +
                std::string("nul\0byte", 8));
        Put("TABLES", "\xE9T\xE9", "id in Latin-1");
        Put("TABLES", "EMPTY", "");
    }

    std::string DumpOf(store::BackendDatabase& d, std::vector<std::string> files = {}) {
        std::ostringstream out;
        d.Dump(out, files);
        return out.str();
    }
};

TEST_P(DumpLoad, LinesCarryAttributesValuesAndSubvalues) {
    std::string dump = DumpOf(*db, {"ASSOCIATION"});
    std::istringstream lines(dump);
    std::string first;
    std::getline(lines, first);
    EXPECT_EQ(first,
              "{\"file\": \"ASSOCIATION\", \"id\": \"001\", \"attrs\": [\"SAD\", [\"a\", \"b\"], "
              "[[\"s1\", \"s2\"]], \"\", [\"x\", \"\", [\"y\", \"\"]], \"\"]}");
    EXPECT_NE(dump.find("{\"index\": \"ASSOCIATION\", \"field\": \"SigleAssoc\"}\n"),
              std::string::npos);
    EXPECT_NE(dump.find("{\"index\": \"ASSOCIATION\", \"field\": \"1\", \"idprefix\": \"2\"}\n"),
              std::string::npos);
    EXPECT_EQ(DumpOf(*db, {"CONVOVM007"}), "{\"file\": \"CONVOVM007\"}\n")
        << "a file without records still appears";
    EXPECT_NE(DumpOf(*db, {"TABLES"}).find("\"id\": \"\\udce9T\\udce9\""), std::string::npos)
        << "bytes that are not UTF-8 are escaped, never read as Latin-1";
    EXPECT_NE(DumpOf(*db, {"DICT ASSOCIATION"})
                  .find("{\"file\": \"DICT ASSOCIATION\", \"id\": \"SigleAssoc\""),
              std::string::npos);
}

// A dump loaded into an empty database of the same backend, or of the other one as when an
// association moves, dumps back identically.
TEST_P(DumpLoad, DumpLoadedIntoAnEmptyDatabaseOfEitherBackendDumpsBackIdentically) {
    const std::string dump = DumpOf(*db);
    const std::string otherBackend = GetParam() == Backend::Embedded
                                         ? testsupport::PostgresServer::Instance()->NewDatabase()
                                         : folder / "autre.mvdb";
    for (const std::string& where : {NewLocation(), otherBackend}) {
        auto copy = Open(where);
        copy->SetUserName("reprise");
        std::istringstream in("\xEF\xBB\xBF" + dump);  // as some editors save it
        store::BackendDatabase::LoadResult loaded = copy->Load(in);
        EXPECT_EQ(loaded.created, 6) << where;  // five records and one dictionary item
        EXPECT_EQ(loaded.replaced + loaded.unchanged, 0);
        EXPECT_EQ(loaded.files, 3);
        EXPECT_EQ(loaded.indexes, 2);
        EXPECT_EQ(DumpOf(*copy), dump) << "the history is no part of a dump";
        std::vector<store::HistoryEntry> history = copy->History("ASSOCIATION", "002");
        ASSERT_EQ(history.size(), 1u);
        EXPECT_EQ(history[0].user, "reprise");

        auto tables = copy->OpenFile("TABLES");
        EXPECT_EQ(tables->Read("BYTES").Text(), db->OpenFile("TABLES")->Read("BYTES").Text());
        EXPECT_EQ(tables->Read("\xE9T\xE9").Value(1), "id in Latin-1");
        EXPECT_EQ(copy->OpenFile("ASSOCIATION")->Read("002").Text(), "L'AIDE \"À DOMICILE\" \\ 🏠");
        EXPECT_TRUE(copy->VerifyIndexes().empty());
        EXPECT_EQ(copy->Select("SSELECT ASSOCIATION AVEC SigleAssoc = \"SA]\"", "ASSOCIATION", "0")
                      .Text(),
                  "001");
        EXPECT_EQ(copy->Execute("CREATE.INDEX ASSOCIATION SigleAssoc").Value(1), "1")
            << "the index came with the dump";
    }
}

TEST_P(DumpLoad, ExistingRecordsAreReplacedOnlyWhenAskedAndCountedApart) {
    const std::string lines =
        "{\"file\": \"ASSOCIATION\", \"id\": \"001\", \"attrs\": [\"NEW\"]}\n"
        "\n"
        "{\"file\": \"DICT NOUVEAU\", \"id\": \"Nom\", \"attrs\": [\"D\", \"1\"]}\n"
        "{\"file\": \"ASSOCIATION\", \"id\": \"003\", \"attrs\": [[\"a\"], [[\"b\"]]]}\n"
        "{\"file\": \"ASSOCIATION\", \"id\": \"002\", \"attrs\": [\"NEW\"]}\n"
        "{\"file\": \"TABLES\", \"id\": \"EMPTY\"}\n";
    std::istringstream refused(lines);
    EXPECT_EQ(MessageOf([&] { db->Load(refused); }),
              "Le chargement remplacerait 2 enregistrement(s) existant(s) : ASSOCIATION 001, "
              "ASSOCIATION 002. Rien n'a été chargé.");
    EXPECT_EQ(db->OpenFile("ASSOCIATION")->Read("001").Value(1), "SAD");
    EXPECT_EQ(ErrorOf([&] { db->OpenFile("NOUVEAU"); }), store::ErrorCode::FileNotFound);
    EXPECT_EQ(db->History("ASSOCIATION", "003").size(), 0u) << "nor any history";

    std::istringstream in(lines);
    store::BackendDatabase::LoadResult loaded = db->Load(in, {.replace = true});
    EXPECT_EQ(loaded.created, 2);
    EXPECT_EQ(loaded.replaced, 2);
    EXPECT_EQ(loaded.unchanged, 1) << "the same text is not written again";
    EXPECT_EQ(loaded.files, 1);
    EXPECT_EQ(db->OpenFile("ASSOCIATION")->Read("001").Text(), "NEW");
    EXPECT_EQ(db->OpenFile("ASSOCIATION")->Read("003").Text(), "a" + FM + "b");
    EXPECT_NO_THROW(db->OpenFile("NOUVEAU")) << "a dictionary record brings its file";
    EXPECT_EQ(Ids("SSELECT ASSOCIATION AVEC SigleAssoc = \"NEW\""), (V{"001", "002"}));
    EXPECT_EQ(db->History("ASSOCIATION", "001").size(), 2u);
    EXPECT_EQ(db->History("TABLES", "EMPTY").size(), 1u);
}

TEST_P(DumpLoad, RecordsGivenTwiceAreNamedWithTheirLinesAndNothingIsLoaded) {
    std::string lines;
    for (const char* id : {"A", "B", "A", "C", "B", "A"})
        lines += "{\"file\": \"LOADED\", \"id\": \"" + std::string(id) + "\"}\n";
    std::istringstream in(lines);
    EXPECT_EQ(MessageOf([&] { db->Load(in, {.replace = true}); }),
              "Le vidage donne plusieurs fois le même enregistrement : LOADED A (lignes 1 et 3), "
              "LOADED B (lignes 2 et 5), LOADED A (lignes 1 et 6). Rien n'a été chargé.");
    EXPECT_EQ(ErrorOf([&] { db->OpenFile("LOADED"); }), store::ErrorCode::FileNotFound);
}

TEST_P(DumpLoad, BadLineRefusesTheWholeLoad) {
    std::string deep;  // a dictionary expression nested past what the engine evaluates
    for (int i = 0; i < 33; ++i)
        deep = "OCONV(" + (deep.empty() ? "@ID" : deep) + ",\\\"MCU\\\")";
    const std::pair<std::string, const char*> cases[] = {
        {"{\"file\": \"T\", \"id\": \"1\", \"attrs\": [\"a\"}", "Ligne 2 : JSON invalide"},
        {"{\"file\": \"T\", \"id\": \"1\", \"attrs\": [1]}", "Ligne 2 : JSON invalide"},
        {"{\"id\": \"1\"}", "Ligne 2 : « file » ou « index » manque."},
        {"{\"file\": \"T\", \"id\": \"\"}", "Ligne 2 : Identifiant d'enregistrement vide."},
        {"{\"file\": \"T\", \"id\": \"1\", \"attrs\": [\"a\\udcfeb\"]}",
         "Ligne 2 : un attribut contient un séparateur d'attributs ou de valeurs."},
        {"{\"file\": \"T\", \"id\": \"1\", \"attrs\": [\"\\ud800\"]}", "Ligne 2 : JSON invalide"},
        {"{\"file\": \"BAD(NAME\"}", "Ligne 2 : Caractère interdit"},
        {"{\"index\": \"NOPE\", \"field\": \"X\"}", "Ligne 2 : Le fichier NOPE n'existe pas."},
        {"{\"index\": \"LOADED\", \"field\": \"NOPE\"}",
         "Ligne 2 : Champ inconnu : NOPE (fichier LOADED)."},
        {"{\"file\": \"DICT LOADED\", \"id\": \"P\", \"attrs\": [\"V\", \"" + deep +
             "\"]}\n{\"index\": \"LOADED\", \"field\": \"P\"}",
         "Ligne 3 : Champ virtuel P (position 0) : Expression mal formée (imbrication trop "
         "profonde)"},
    };
    for (const auto& [line, message] : cases) {
        std::istringstream in("{\"file\": \"LOADED\", \"id\": \"1\"}\n" + line + "\n");
        std::string error = MessageOf([&] { db->Load(in); });
        EXPECT_EQ(error.rfind(message, 0), 0u) << line << " gave " << error;
        EXPECT_EQ(ErrorOf([&] { db->OpenFile("LOADED"); }), store::ErrorCode::FileNotFound)
            << "nothing of a failed load is kept: " << line;
    }
}

MERI_BACKENDS(DumpLoad);

}  // namespace
