// Rights read from the DROITS file of a real database: what a user may do on each screen, and
// consultation whenever the rights cannot be found.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "platform/components/droits/composant_droits.h"
#include "store/file.h"
#include "store/local_database.h"

namespace {

class DroitsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("droits_test_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        db = store::OpenLocalDatabase((dir / "droits.mvdb").string());
    }
    void TearDown() override {
        db.reset();
        std::filesystem::remove_all(dir);
    }

    void writeRights(const std::string& user, const std::string& screens,
                     const std::string& levels) {
        db->Execute("CREATE.FILE DROITS 3,1");
        auto file = db->OpenFile("DROITS");
        store::Record r = store::ReadSkippingErrors(file.get(), user);
        if (!r.IsBound())
            r = file->NewItem(user);
        r.SetValue(1, screens);
        r.SetValue(2, levels);
        r.DBWrite();
    }

    static std::string values(std::initializer_list<const char*> list) {
        std::string text;
        for (const char* v : list) {
            if (!text.empty())
                text += '\xFD';
            text += v;
        }
        return text;
    }

    std::filesystem::path dir;
    std::shared_ptr<store::LocalDatabase> db;
};

TEST_F(DroitsTest, AKnownUserGetsTheLevelOfEachScreen) {
    writeRights("admin", values({"PAIE", "ASSOCIATION", "FACTURATION"}), values({"1", "2", "0"}));
    Composant_Droits droits(db, "admin");
    EXPECT_EQ(droits.GetScreenRights("ASSOCIATION")->AccessLevel(), 2);
    EXPECT_EQ(droits.GetScreenRights("PAIE")->AccessLevel(), 1);
    EXPECT_EQ(droits.GetScreenRights("FACTURATION")->AccessLevel(), 0);
}

TEST_F(DroitsTest, UnknownUsersScreensAndLevelsGiveConsultation) {
    writeRights("admin", values({"ASSOCIATION", "PAIE", "ACTIVITES"}), values({"2", "deux"}));
    EXPECT_EQ(Composant_Droits(db, "inconnu").GetScreenRights("ASSOCIATION")->AccessLevel(), 1);
    EXPECT_EQ(Composant_Droits(db, "").GetScreenRights("ASSOCIATION")->AccessLevel(), 1);
    Composant_Droits admin(db, "admin");
    EXPECT_EQ(admin.GetScreenRights("ETABLISSEMENT")->AccessLevel(), 1);
    EXPECT_EQ(admin.GetScreenRights("PAIE")->AccessLevel(), 1) << "a level that is no number";
    EXPECT_EQ(admin.GetScreenRights("ACTIVITES")->AccessLevel(), 1) << "a level left empty";
    EXPECT_EQ(admin.GetScreenRights("association")->AccessLevel(), 1)
        << "screen names are written as the screens ask for them";
}

TEST_F(DroitsTest, WithoutDroitsFileEveryoneConsults) {
    EXPECT_EQ(Composant_Droits(db, "admin").GetScreenRights("ASSOCIATION")->AccessLevel(), 1);
    EXPECT_EQ(Composant_Droits(nullptr, "admin").GetScreenRights("ASSOCIATION")->AccessLevel(), 1);
}

TEST_F(DroitsTest, ChangedRightsApplyToTheNextWindowOnly) {
    writeRights("marie", "ASSOCIATION", "1");
    Composant_Droits droits(db, "marie");
    auto before = droits.GetScreenRights("ASSOCIATION");
    writeRights("marie", "ASSOCIATION", "2");
    EXPECT_EQ(droits.GetScreenRights("ASSOCIATION")->AccessLevel(), 2);
    EXPECT_EQ(before->AccessLevel(), 1) << "a window keeps the rights it was opened with";
}

}  // namespace
