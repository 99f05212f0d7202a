// The record-store contract on each backend: records read back as written, the error
// numbers the screens test, creation that never replaces, the change history, the request
// layouts and the command outputs. Written against the store:: interface only.
#include <pwd.h>

#include <chrono>
#include <ctime>

#include "engine_test_util.h"

namespace {

using namespace enginetest;

class StoreContract : public BackendTest {};

TEST_P(StoreContract, RecordsEditedInPlaceReadBackAfterReopen) {
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
    db = Open(location);
    store::Record back = db->OpenFile("ACTIVITES")->Read("001001");
    EXPECT_EQ(back.Text(),
              "AIDE MÉNAGÈRE" + FM + FM + "1400" + VM + "1500" + FM + "14600" + VM + "14977");
    EXPECT_EQ(back.Id(), "001001");
}

TEST_P(StoreContract, MissingDeletedRecordsAndExistingIdsCarryTheirNumbers) {
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
    file->DeleteRecord("001001");
    file->DeleteRecord("001001");  // deleting twice is harmless
    EXPECT_EQ(ErrorOf([&] { file->Read("001001"); }), 0x8004000Bu);
}

TEST_P(StoreContract, CreationWritesOnlyANewIdAndNeverReplaces) {
    MakeFile("ASSOCIATION");
    auto file = db->OpenFile("ASSOCIATION");
    store::Record first = file->NewItem("001");
    store::Record second = file->NewItem("001");  // both screens were offered the same code
    first.SetValue(1, "SAD");
    second.SetValue(1, "ADMR");
    first.DBCreate();
    EXPECT_EQ(ErrorOf([&] { second.DBCreate(); }), store::ErrorCode::RecordExists);
    EXPECT_EQ(MessageOf([&] { file->Create("001", "AUTRE"); }),
              "L'enregistrement 001 existe déjà dans le fichier ASSOCIATION.");
    EXPECT_EQ(file->Read("001").Text(), "SAD");
    EXPECT_EQ(db->History("ASSOCIATION", "001").size(), 1u) << "a refused creation leaves none";

    file->Create("002", "");
    EXPECT_EQ(file->Read("002").Text(), "") << "an empty record is created too";
    EXPECT_EQ(ErrorOf([&] { store::Record().DBCreate(); }), store::ErrorCode::NotBound);
    EXPECT_NE(ErrorOf([&] { file->Create("A" + FM + "B", "x"); }), 0u);
    EXPECT_NE(ErrorOf([&] { file->Create("", "x"); }), 0u);

    // A failed creation keeps the update lock; a write drops it.
    auto other = OtherSession();
    other->SetLockWait(std::chrono::milliseconds(0));
    store::Record held = file->ReadForUpdate("001");
    EXPECT_EQ(ErrorOf([&] { held.DBCreate(); }), store::ErrorCode::RecordExists);
    EXPECT_EQ(ErrorOf([&] { other->OpenFile("ASSOCIATION")->ReadForUpdate("001"); }),
              store::ErrorCode::RecordLocked);
    held.DBWrite();
    EXPECT_EQ(ErrorOf([&] { other->OpenFile("ASSOCIATION")->ReadForUpdate("001"); }), 0u);
}

// The account running the tests, which the history names until a session says otherwise.
std::string AccountName() {
    const passwd* entry = ::getpwuid(::geteuid());
    return entry ? entry->pw_name : "";
}

// Seconds between a history time ("dd/mm/yyyy hh:mm:ss", UTC) and now.
long SecondsAgo(const std::string& time) {
    std::tm tm{};
    if (!::strptime(time.c_str(), "%d/%m/%Y %H:%M:%S", &tm))
        return -1000000;
    return static_cast<long>(std::time(nullptr) - ::timegm(&tm));
}

using Changes = std::vector<store::HistoryChange>;

TEST_P(StoreContract, HistoryNamesWhoWhenAndEachChangedPositionNewestFirst) {
    MakeFile("ASSOCIATION");
    auto file = db->OpenFile("ASSOCIATION");
    db->SetUserName("claire");
    store::Record r = file->NewItem("001");
    r.SetText("SAD" + FM + "a" + VM + "b" + SM + "c");
    r.DBCreate();
    r.SetValue(2, 2, "B");
    r.SetValue(4, "x");
    r.DBWrite();
    r.DBWrite();                        // the same text again
    file->Write("001", r.Text() + FM);  // an empty attribute more: no position differs
    auto other = OtherSession();        // its user name is the system account's
    other->OpenFile("ASSOCIATION")->DeleteRecord("001");
    other->OpenFile("ASSOCIATION")->DeleteRecord("001");  // already gone: nothing to record
    db->SetUserName("marc");
    file->Write("002", "ADMR");

    std::vector<store::HistoryEntry> entries = db->History("ASSOCIATION", "001");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].user, AccountName());
    EXPECT_EQ(entries[0].changes,
              (Changes{{1, 1, "SAD", ""}, {2, 1, "a", ""}, {2, 2, "B", ""}, {4, 1, "x", ""}}))
        << "a removal empties every position";
    EXPECT_EQ(entries[1].user, "claire");
    EXPECT_EQ(entries[1].changes, (Changes{{2, 2, "b" + SM + "c", "B"}, {4, 1, "", "x"}}));
    EXPECT_EQ(entries[2].changes,
              (Changes{{1, 1, "", "SAD"}, {2, 1, "", "a"}, {2, 2, "", "b" + SM + "c"}}));
    for (const store::HistoryEntry& entry : entries)
        EXPECT_LE(std::abs(SecondsAgo(entry.time)), 5) << entry.time << " is UTC and now";
    EXPECT_GT(entries[0].sequence, entries[1].sequence);
    EXPECT_GT(entries[1].sequence, entries[2].sequence);

    std::vector<store::HistoryEntry> all = db->History("ASSOCIATION");
    ASSERT_EQ(all.size(), 4u) << "every id of the file";
    EXPECT_EQ(all[0].id, "002");
    EXPECT_EQ(all[0].file, "ASSOCIATION");
    EXPECT_EQ(all[0].user, "marc");
    EXPECT_EQ(all[0].changes, (Changes{{1, 1, "", "ADMR"}}));
    EXPECT_EQ(all[1].sequence, entries[0].sequence);
}

TEST_P(StoreContract, DictionariesOpenAndKeepHistoryAsDeletedFilesDoUnknownNamesRefused) {
    MakeFile("TABLES", {{"Libelle", 1, "30L"}});
    EXPECT_EQ(db->OpenFile("DICT TABLES")->Read("Libelle").Value(2), "1");
    EXPECT_EQ(db->OpenFile("DICT  TABLES")->Name(), "DICT TABLES");
    EXPECT_EQ(db->History("TABLES").size(), 0u) << "a file nobody wrote to";
    EXPECT_EQ(ErrorOf([&] { db->History("TABLE"); }), store::ErrorCode::FileNotFound);
    EXPECT_EQ(db->History("DICT  TABLES", "Libelle").size(), 1u);
    EXPECT_EQ(db->History("DICT TABLES", "Libelle")[0].file, "DICT TABLES");
    Put("TABLES", "EMPLOIS", "Emplois");
    db->Execute("DELETE.FILE TABLES");
    std::vector<store::HistoryEntry> kept = db->History("TABLES", "EMPLOIS");
    ASSERT_EQ(kept.size(), 1u) << "a removed file keeps its history";
    EXPECT_EQ(kept[0].changes, (Changes{{1, 1, "", "Emplois"}}));
}

// Rows of id and values as subvalues; one record without its id exploded field after field.
TEST_P(StoreContract, ResultLayoutsAndRequestsNamingAnotherFileThanTheirCommand) {
    MakeFile("TABLES");
    Put("TABLES", "QUALITERESPPAIE",
        "Qualités" + FM + "01" + VM + "02" + VM + "03" + FM + "Directeur" + VM + "Comptable" + VM +
            "Président");
    Put("TABLES", "SERVICES", "Services" + FM + "AM" + FM + "Aide ménagère");
    EXPECT_EQ(db->Select("SSELECT TABLES", "TABLES", "0 2").Text(),
              "QUALITERESPPAIE" + VM + "01" + SM + "02" + SM + "03" + FM + "SERVICES" + VM + "AM");
    EXPECT_EQ(
        db->Select("SSELECT TABLES AVEC 0 = \"QUALITERESPPAIE\"", "TABLES", "2 3").Text(),
        "01" + FM + "02" + FM + "03" + FM + "Directeur" + FM + "Comptable" + FM + "Président");
    EXPECT_EQ(db->Select("SSELECT TABLES", "TABLES", "0").Text(),
              "QUALITERESPPAIE" + FM + "SERVICES");
    EXPECT_EQ(db->Select("SSELECT TABLES AVEC 0 = \"X\"", "TABLES", "0 1").Text(), "");
    EXPECT_EQ(ErrorOf([&] { db->Select("SSELECT TABLES", "ASSOCIATION", "0"); }),
              store::ErrorCode::CommandError);
    EXPECT_EQ(ErrorOf([&] { db->Select("COMPTER TABLES", "TABLES", "0"); }),
              store::ErrorCode::CommandError);
}

TEST_P(StoreContract, CommandOutputsCarryStatusCommandAndLines) {
    MakeFile("ASSOCIATION");
    for (const char* id : {"001", "002", "003"})
        Put("ASSOCIATION", id, "S");
    std::string status = "?";
    store::Record count = db->CallSubroutine("DBA.EXECUTE", status, "COMPTER ASSOCIATION");
    EXPECT_EQ(status, "0");
    EXPECT_EQ(count.Value(1), "0");
    EXPECT_EQ(count.Value(2), "COMPTER ASSOCIATION");
    EXPECT_EQ(count.Value(3, 1), "3 enregistrement(s) compté(s).");

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

    EXPECT_EQ(ErrorOf([&] { db->CallSubroutine("DBA.RUN", status, "COMPTER ASSOCIATION"); }),
              store::ErrorCode::CommandError);
}

MERI_BACKENDS(StoreContract);

}  // namespace
