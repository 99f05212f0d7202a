// Dump and load in JSON Lines: the format, the exact round trip, and loads that fail whole.
#include <sstream>

#include "engine_test_util.h"

namespace {

using namespace enginetest;

class DumpLoad : public DatabaseTest {
  protected:
    void SetUp() override {
        DatabaseTest::SetUp();
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

    std::string DumpOf(store::LocalDatabase& d, std::vector<std::string> files = {}) {
        std::ostringstream out;
        d.Dump(out, files);
        return out.str();
    }
};

TEST_F(DumpLoad, LinesCarryAttributesValuesAndSubvalues) {
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
                  .find("{\"file\": \"DICT ASSOCIATION\", \"id\": "
                        "\"SigleAssoc\""),
              std::string::npos);
}

TEST_F(DumpLoad, DumpLoadedIntoAnEmptyDatabaseDumpsBackIdentically) {
    std::string dump = DumpOf(*db);
    auto copy = store::OpenLocalDatabase(folder / "copie.mvdb");
    std::istringstream in(dump);
    EXPECT_EQ(copy->Load(in), 6);  // five records and one dictionary item
    EXPECT_EQ(DumpOf(*copy), dump);

    auto tables = copy->OpenFile("TABLES");
    EXPECT_EQ(tables->Read("BYTES").Text(), db->OpenFile("TABLES")->Read("BYTES").Text());
    EXPECT_EQ(tables->Read("\xE9T\xE9").Value(1), "id in Latin-1");
    EXPECT_EQ(copy->OpenFile("ASSOCIATION")->Read("002").Text(), "L'AIDE \"À DOMICILE\" \\ 🏠");
    EXPECT_EQ(copy->Execute("CREATE.INDEX ASSOCIATION SigleAssoc").Value(1), "1")
        << "the index came with the dump";
    EXPECT_TRUE(copy->Engine().VerifyIndexes().empty());
    EXPECT_NO_THROW(copy->OpenFile("CONVOVM007"));
}

TEST_F(DumpLoad, LoadingOverExistingRecordsReplacesThem) {
    std::istringstream in(
        "{\"file\": \"ASSOCIATION\", \"id\": \"001\", \"attrs\": [\"NEW\"]}\n"
        "\n"
        "{\"file\": \"DICT NOUVEAU\", \"id\": \"Nom\", \"attrs\": [\"D\", \"1\"]}\n"
        "{\"file\": \"ASSOCIATION\", \"id\": \"003\", \"attrs\": [[\"a\"], [[\"b\"]]]}\n");
    EXPECT_EQ(db->Load(in), 3);
    EXPECT_EQ(db->OpenFile("ASSOCIATION")->Read("001").Text(), "NEW");
    EXPECT_EQ(db->OpenFile("ASSOCIATION")->Read("003").Text(), "a" + FM + "b");
    EXPECT_NO_THROW(db->OpenFile("NOUVEAU")) << "a dictionary record brings its file";
    EXPECT_EQ(Ids("SSELECT ASSOCIATION AVEC SigleAssoc = \"NEW\""), V{"001"});
}

TEST_F(DumpLoad, BadLineRefusesTheWholeLoad) {
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
        {"{\"index\": \"NOPE\", \"field\": \"X\"}", "Le fichier NOPE n'existe pas."},
        {"{\"file\": \"DICT LOADED\", \"id\": \"P\", \"attrs\": [\"V\", \"" + deep +
             "\"]}\n{\"index\": \"LOADED\", \"field\": \"P\"}",
         "Champ virtuel P (position 0) : Expression mal formée (imbrication trop profonde)"},
    };
    for (const auto& [line, message] : cases) {
        std::istringstream in("{\"file\": \"LOADED\", \"id\": \"1\"}\n" + line + "\n");
        std::string error = MessageOf([&] { db->Load(in); });
        EXPECT_EQ(error.rfind(message, 0), 0u) << line << " gave " << error;
        EXPECT_EQ(ErrorOf([&] { db->OpenFile("LOADED"); }), store::ErrorCode::FileNotFound)
            << "nothing of a failed load is kept: " << line;
    }
}

}  // namespace
