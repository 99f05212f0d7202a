// The record-store contract on a real database file: records read back as written, the error
// numbers the screens test, the request layouts and the command outputs.
#include <sqlite3.h>

#include <fstream>

#include "engine_test_util.h"

namespace {

using namespace enginetest;

class StoreContract : public DatabaseTest {};

TEST_F(StoreContract, RecordsEditedInPlaceReadBackAfterReopen) {
    MakeFile("ACTIVITES");
    auto file = db->OpenFile("ACTIVITES");
    store::Record r = file->NewItem("001001");
    EXPECT_EQ(r.Text(), "");
    EXPECT_EQ(ErrorOf([&] { file->Read("001001"); }), 0x8004000Bu) << "NewItem writes nothing";
    r.SetValue(1, "AIDE MÉNAGÈRE");
    r.SetValue(4, 1, "1500");
    r.SetValue(4, 2, "1700");
    r.SetValue(5, 1, "14977");
    r.SetValue(5, 2, "15342");
    r.DBWrite();
    // The cost-history sort inserts and deletes values and writes the record back.
    store::Record edit = file->Read("001001");
    edit.Insert(4, 1, "1400");
    edit.Insert(5, 1, "14600");
    edit.Delete(4, 3);
    edit.Delete(5, 3);
    edit.Delete(2);
    edit.DBWrite();

    db.reset();
    file.reset();
    db = store::OpenLocalDatabase(folder / "base.mvdb");
    store::Record back = db->OpenFile("ACTIVITES")->Read("001001");
    EXPECT_EQ(back.Text(),
              "AIDE MÉNAGÈRE" + FM + FM + "1400" + VM + "1500" + FM + "14600" + VM + "14977");
    EXPECT_EQ(back.DCount(), 4);
    EXPECT_EQ(back.DCount(3), 2);
    EXPECT_EQ(back.Value(4, 2), "14977");
    EXPECT_EQ(back.Id(), "001001");
}

TEST_F(StoreContract, MissingRecordsAndExistingIdsCarryTheirNumbers) {
    MakeFile("ACTIVITES");
    auto file = db->OpenFile("ACTIVITES");
    EXPECT_EQ(ErrorOf([&] { file->Read("001001"); }), 0x8004000Bu);
    EXPECT_EQ(ErrorOf([&] { file->ReadForUpdate("001001"); }), 0x8004000Bu);
    EXPECT_EQ(store::ReadSkippingErrors(file.get(), "001001").Text(), "");
    EXPECT_EQ(MessageOf([&] { file->Read("001001"); }),
              "L'enregistrement 001001 n'existe pas dans le fichier ACTIVITES.");
    Put("ACTIVITES", "001001", "AIDE");
    EXPECT_EQ(ErrorOf([&] { file->NewItem("001001"); }), 0x80040013u);
    EXPECT_EQ(ErrorOf([&] { db->OpenFile("ACTIVITE"); }), store::ErrorCode::FileNotFound);
    EXPECT_EQ(ErrorOf([&] { store::Record().DBWrite(); }), store::ErrorCode::NotBound);
    EXPECT_NE(ErrorOf([&] { file->NewItem(""); }), 0u) << "an empty id is refused";
    EXPECT_NE(ErrorOf([&] { Put("ACTIVITES", "A" + VM + "B", "x"); }), 0u);
}

TEST_F(StoreContract, DeletedRecordsAreGoneAndDeletingTwiceIsHarmless) {
    MakeFile("TABLES");
    Put("TABLES", "EMPLOIS", "x");
    auto file = db->OpenFile("TABLES");
    file->DeleteRecord("EMPLOIS");
    file->DeleteRecord("EMPLOIS");
    EXPECT_EQ(ErrorOf([&] { file->Read("EMPLOIS"); }), 0x8004000Bu);
}

TEST_F(StoreContract, DictionaryPartOpensUnderItsOwnName) {
    MakeFile("ASSOCIATION", {{"SigleAssoc", 1, "10L"}});
    auto dict = db->OpenFile("DICT ASSOCIATION");
    EXPECT_EQ(dict->Name(), "DICT ASSOCIATION");
    EXPECT_EQ(dict->Read("SigleAssoc").Value(2), "1");
    EXPECT_EQ(db->OpenFile("DICT  ASSOCIATION")->Name(), "DICT ASSOCIATION");
}

TEST_F(StoreContract, FileThatIsNoDatabaseIsRefusedUntouched) {
    std::string path = folder / "notes.txt";
    std::ofstream(path) << "Réunion du bureau le 12 mars\n";
    EXPECT_EQ(ErrorOf([&] { store::OpenLocalDatabase(path); }), store::ErrorCode::IoError);
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "Réunion du bureau le 12 mars");
}

TEST_F(StoreContract, DatabaseOfTheFirstLayoutIsUpgradedOnOpen) {
    MakeFile("PLANCOMPTABLE");
    db->Execute("CREATE.INDEX PLANCOMPTABLE 1");
    Put("PLANCOMPTABLE", "0017061000000", "PRESTATIONS");
    db.reset();
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open((folder / "base.mvdb").c_str(), &raw), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(raw,
                           "CREATE TABLE old(index_id INTEGER PRIMARY KEY AUTOINCREMENT, file_id "
                           "INTEGER NOT NULL, field TEXT NOT NULL, location INTEGER NOT NULL, "
                           "UNIQUE(file_id, location));"
                           "INSERT INTO old SELECT index_id, file_id, field, location FROM indexes;"
                           "DROP TABLE indexes; ALTER TABLE old RENAME TO indexes;"
                           "PRAGMA user_version=1;",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(raw);

    db = store::OpenLocalDatabase(folder / "base.mvdb");
    EXPECT_EQ(Ids("SSELECT PLANCOMPTABLE AVEC 1 = \"PRE]\""), V{"0017061000000"});
    EXPECT_EQ(db->Execute("CREATE.INDEX PLANCOMPTABLE 1 PREFIXE.ID 3").Value(1), "0");
    Put("PLANCOMPTABLE", "0027061000000", "PRESTATIONS");
    EXPECT_EQ(Ids("SSELECT PLANCOMPTABLE AVEC 1 = \"PRE]\" AND AVEC @ID = \"002]\""),
              V{"0027061000000"});
    EXPECT_TRUE(db->Engine().VerifyIndexes().empty());
}

class ResultLayouts : public DatabaseTest {
  protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        MakeFile("TABLES");
        Put("TABLES", "QUALITERESPPAIE",
            "Qualités" + FM + "01" + VM + "02" + VM + "03" + FM + "Directeur" + VM + "Comptable" +
                VM + "Président");
        Put("TABLES", "SERVICES", "Services" + FM + "AM" + FM + "Aide ménagère");
    }
};

TEST_F(ResultLayouts, IdAndAttributeGiveOneRowPerRecordWithValuesAsSubvalues) {
    store::Record result = db->Select("SSELECT TABLES", "TABLES", "0 2");
    ASSERT_EQ(result.DCount(), 2);
    EXPECT_EQ(result.Value(1), "QUALITERESPPAIE" + VM + "01" + SM + "02" + SM + "03");
    EXPECT_EQ(result.Value(2), "SERVICES" + VM + "AM");
}

TEST_F(ResultLayouts, OneRecordWithoutItsIdIsExplodedFieldAfterField) {
    store::Record result =
        db->Select("SSELECT TABLES AVEC 0 = \"QUALITERESPPAIE\"", "TABLES", "2 3");
    ASSERT_EQ(result.DCount(), 6);
    EXPECT_EQ(result.Value(1), "01");
    EXPECT_EQ(result.Value(3), "03");
    EXPECT_EQ(result.Value(4), "Directeur");
    EXPECT_EQ(result.Value(6), "Président");
}

TEST_F(ResultLayouts, IdsAloneGiveOneIdPerAttributeAndNothingForNoRecord) {
    EXPECT_EQ(db->Select("SSELECT TABLES", "TABLES", "0").Text(),
              "QUALITERESPPAIE" + FM + "SERVICES");
    store::Record none = db->Select("SSELECT TABLES AVEC 0 = \"X\"", "TABLES", "0 1");
    EXPECT_EQ(none.Text(), "");
    EXPECT_EQ(none.DCount(), 0);
}

TEST_F(ResultLayouts, RequestNamingAnotherFileThanItsCommandIsRefused) {
    EXPECT_EQ(ErrorOf([&] { db->Select("SSELECT TABLES", "ASSOCIATION", "0"); }),
              store::ErrorCode::CommandError);
    EXPECT_EQ(ErrorOf([&] { db->Select("COMPTER TABLES", "TABLES", "0"); }),
              store::ErrorCode::CommandError);
}

TEST_F(StoreContract, CommandOutputsCarryStatusCommandAndLines) {
    MakeFile("ASSOCIATION");
    for (const char* id : {"001", "002", "003"})
        Put("ASSOCIATION", id, "S");
    std::string status = "?";
    store::Record count = db->CallSubroutine("DBA.EXECUTE", status, "COMPTER ASSOCIATION");
    EXPECT_EQ(status, "0");
    EXPECT_EQ(count.Value(1), "0");
    EXPECT_EQ(count.Value(2), "COMPTER ASSOCIATION");
    EXPECT_EQ(count.Value(3, 1), "3 enregistrement(s) compté(s).");
    EXPECT_EQ(std::stoi(count.Value(3, 1)), 3);

    store::Record date = db->CallSubroutine("DBA.EXECUTE", status, "DATE.FORMAT");
    EXPECT_EQ(status, "0");
    EXPECT_EQ(date.Value(1), "0");

    std::string execStatus;
    store::Record created =
        db->ExecuteRequest(store::MakeRequest("CREATE.FILE CONVOVM007 3,1"), "", execStatus);
    EXPECT_EQ(created.Value(1), "0");
    EXPECT_NO_THROW(db->OpenFile("CONVOVM007"));
    EXPECT_NO_THROW(db->OpenFile("DICT CONVOVM007"));
    store::Record again =
        db->ExecuteRequest(store::MakeRequest("CREATE.FILE CONVOVM007 3,1"), "", execStatus);
    EXPECT_EQ(again.Value(1), "1");
    EXPECT_EQ(execStatus, "1");
    EXPECT_EQ(again.Value(3, 1), "Le fichier CONVOVM007 existe déjà.");
    EXPECT_GE(again.DCount(), 3);

    EXPECT_EQ(ErrorOf([&] { db->CallSubroutine("DBA.RUN", status, "COMPTER ASSOCIATION"); }),
              store::ErrorCode::CommandError);
}

}  // namespace
