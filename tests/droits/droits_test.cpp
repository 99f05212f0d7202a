// Rights read from the DROITS file of a real database: what a user may do on each screen, and
// consultation whenever the rights cannot be found.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/components/droits/composant_droits.h"
#include "store/file.h"
#include "tests/engine/engine_test_util.h"

namespace {

class DroitsTest : public ::testing::Test {
  protected:
    // One record per user: screen names and levels as parallel values ("]" between values).
    void writeRights(const std::string& user, std::string screens, std::string levels) {
        db->Execute("CREATE.FILE DROITS 3,1");
        auto file = db->OpenFile("DROITS");
        store::Record r = store::ReadSkippingErrors(file.get(), user);
        if (!r.IsBound())
            r = file->NewItem(user);
        std::replace(screens.begin(), screens.end(), ']', '\xFD');
        std::replace(levels.begin(), levels.end(), ']', '\xFD');
        r.SetValue(1, screens);
        r.SetValue(2, levels);
        r.DBWrite();
    }
    int level(const std::string& user, const std::string& screen) {
        return Composant_Droits(db, user).GetScreenRights(screen)->AccessLevel();
    }

    enginetest::TempFolder folder;
    std::shared_ptr<store::LocalDatabase> db = store::OpenLocalDatabase(folder / "droits.mvdb");
};

TEST_F(DroitsTest, EachScreenHasItsLevelAndAnythingUnknownGivesConsultation) {
    EXPECT_EQ(level("admin", "ASSOCIATION"), 1) << "no DROITS file";
    EXPECT_EQ(Composant_Droits(nullptr, "admin").GetScreenRights("ASSOCIATION")->AccessLevel(), 1);
    writeRights("admin", "PAIE]ASSOCIATION]FACTURATION]COMPTA]NOTES]ACTIVITES", "1]2]0]deux]2x");
    const std::tuple<const char*, const char*, int> cas[] = {
        {"admin", "ASSOCIATION", 2},   {"admin", "PAIE", 1},
        {"admin", "FACTURATION", 0},   {"admin", "COMPTA", 1},     // levels that are no number
        {"admin", "NOTES", 1},         {"admin", "ACTIVITES", 1},  // a level left empty
        {"admin", "ETABLISSEMENT", 1},                             // a screen not listed
        {"admin", "association", 1},  // names are written as the screens ask for them
        {"inconnu", "ASSOCIATION", 1}, {"", "ASSOCIATION", 1},
    };
    for (auto [user, screen, expected] : cas)
        EXPECT_EQ(level(user, screen), expected) << user << " on " << screen;
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
