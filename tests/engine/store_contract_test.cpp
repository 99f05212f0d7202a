// The record-store contract on a real database file: reads, writes, errors, request layouts.
#include "engine_test_util.h"

namespace {

using namespace enginetest;

class StoreContract : public DatabaseTest {};

TEST_F(StoreContract, WrittenRecordsReadBackAfterReopen) {
    MakeFile("ASSOCIATION");
    auto file = db->OpenFile("ASSOCIATION");
    store::Record r = file->NewItem("001");
    r.SetValue(1, "SAD");
    r.SetValue(3, 2, "é");
    r.DBWrite();
    db.reset();
    file.reset();
    r = store::Record();
    db = store::OpenLocalDatabase(folder / "base.mvdb");
    store::Record back = db->OpenFile("ASSOCIATION")->Read("001");
    EXPECT_EQ(back.Text(), "SAD" + FM + FM + VM + "é");
    EXPECT_EQ(back.Id(), "001");
    EXPECT_TRUE(back.IsBound());
}

TEST_F(StoreContract, MissingRecordAndExistingIdCarryTheirNumbers) {
    MakeFile("ACTIVITES");
    auto file = db->OpenFile("ACTIVITES");
    EXPECT_EQ(ErrorOf([&] { file->Read("001001"); }), 0x8004000Bu);
    EXPECT_EQ(ErrorOf([&] { file->ReadForUpdate("001001"); }), 0x8004000Bu);
    EXPECT_EQ(store::ReadSkippingErrors(file.get(), "001001").Text(), "");
    Put("ACTIVITES", "001001", "AIDE");
    EXPECT_EQ(ErrorOf([&] { file->NewItem("001001"); }), 0x80040013u);
    EXPECT_EQ(ErrorOf([&] { db->OpenFile("NOPE"); }), store::ErrorCode::FileNotFound);
}

TEST_F(StoreContract, SelectionWithIdAndAttributeGivesOneRowPerRecord) {
    MakeFile("ASSOCIATION", {{"SigleAssoc", 1, "10L"}});
    Put("ASSOCIATION", "002", "BETA");
    Put("ASSOCIATION", "001", "ALPHA");
    Put("ASSOCIATION", "003", "ALPINE" + FM + "x");
    store::Record result = db->Select(
        "SSELECT ASSOCIATION AVEC SigleAssoc = \"AL]\" PAR SigleAssoc", "ASSOCIATION", "0 1");
    ASSERT_EQ(result.DCount(), 2);
    EXPECT_EQ(result.Value(1, 1), "001");
    EXPECT_EQ(result.Value(1, 2), "ALPHA");
    EXPECT_EQ(result.Value(2, 1), "003");
    EXPECT_EQ(result.Value(2, 2), "ALPINE");
}

}  // namespace
