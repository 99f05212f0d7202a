// The base file among the system's accounts and folders: a file that is no base, bases of earlier
// layouts, the record-lock sidecar's permissions, a second account allowed to write the base, and
// bases it may only read. Run as root, the second account is "nobody" in a child process; run as
// another user, the same checks run on permission bits that refuse the owner too.
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <fstream>
#include <functional>
#include <iostream>
#include <sstream>

#include "engine_test_util.h"

namespace {

using namespace enginetest;

const bool kRoot = ::geteuid() == 0;

struct stat Stat(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st;
}
mode_t Bits(const std::string& path) {
    return Stat(path).st_mode & 0777;
}

// What a child found unexpected, one line each.
struct Report {
    std::string text;
    void Expect(bool ok, const std::string& what) {
        if (!ok)
            text += what + "\n";
    }
};

// Runs fn in a child process, as "nobody" when the tests run as root, and gives back what it
// reports: "" when everything went as expected.
std::string InChild(const std::function<void(Report&)>& fn) {
    int fds[2];
    if (::pipe(fds) != 0)
        return "pipe";
    pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        Report report;
        try {
            const passwd* nobody = ::getpwnam("nobody");
            if (kRoot && (!nobody || ::setgroups(0, nullptr) != 0 ||
                          ::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0))
                report.text = "impossible de devenir nobody";
            else
                fn(report);
        } catch (const std::exception& e) {
            report.text += std::string("exception : ") + e.what();
        }
        (void)!::write(fds[1], report.text.data(), report.text.size());
        ::_exit(0);
    }
    ::close(fds[1]);
    std::string report;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(fds[0], buffer, sizeof buffer)) > 0)
        report.append(buffer, static_cast<size_t>(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return report;
}

class BaseFile : public ::testing::Test {
  protected:
    void SetUp() override {
        // The second account must reach the folder.
        ::chmod(folder.Path().c_str(), 0755);
    }

    TempFolder folder;
    std::string path = folder / "base.mvdb";
};

TEST_F(BaseFile, FileThatIsNoDatabaseIsRefusedUntouched) {
    std::string notes = folder / "notes.txt";
    std::ofstream(notes) << "Réunion du bureau le 12 mars\n";
    EXPECT_EQ(ErrorOf([&] { store::OpenLocalDatabase(notes); }), store::ErrorCode::IoError);
    std::ostringstream kept;
    kept << std::ifstream(notes).rdbuf();
    EXPECT_EQ(kept.str(), "Réunion du bureau le 12 mars\n");
}

// Takes a base back to the layout an earlier version left: version 2 had no history, version 1
// no id prefix on indexes either.
void Downgrade(const std::string& path, int version) {
    std::string sql = "DROP TABLE history; PRAGMA user_version=" + std::to_string(version) + ";";
    if (version == 1) {
        sql +=
            "CREATE TABLE old(index_id INTEGER PRIMARY KEY AUTOINCREMENT, file_id INTEGER NOT "
            "NULL, field TEXT NOT NULL, location INTEGER NOT NULL, UNIQUE(file_id, location));"
            "INSERT INTO old SELECT index_id, file_id, field, location FROM indexes;"
            "DROP TABLE indexes; ALTER TABLE old RENAME TO indexes;";
    }
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &raw), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(raw, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(raw);
}

TEST_F(BaseFile, BasesOfEarlierLayoutsAreUpgradedOnOpenAndReadOnlyOnesStillRead) {
    for (int version : {1, 2}) {
        const std::string base = folder / ("v" + std::to_string(version) + ".mvdb");
        {
            auto db = store::OpenLocalDatabase(base);
            db->Execute("CREATE.FILE PLANCOMPTABLE");
            db->Execute("CREATE.INDEX PLANCOMPTABLE 1");
            store::Record(db->OpenFile("PLANCOMPTABLE"), "0017061000000", "PRESTATIONS").DBWrite();
        }
        Downgrade(base, version);
        if (version == 2) {
            // Readable as it stands by whoever may not write it; nothing to upgrade then.
            ::chmod(base.c_str(), 0444);
            EXPECT_EQ(InChild([&](Report& r) {
                          auto db = store::OpenLocalDatabase(base);
                          r.Expect(db->OpenFile("PLANCOMPTABLE")->Read("0017061000000").Text() ==
                                       "PRESTATIONS",
                                   "lecture");
                          r.Expect(db->History("PLANCOMPTABLE").empty(), "historique vide");
                      }),
                      "");
            ::chmod(base.c_str(), 0644);
        }
        auto db = store::OpenLocalDatabase(base);
        store::Record result = db->Select("SSELECT PLANCOMPTABLE AVEC 1 = \"PRE]\"", "", "0");
        EXPECT_EQ(result.Text(), "0017061000000") << version;
        EXPECT_EQ(db->Execute("CREATE.INDEX PLANCOMPTABLE 1 PREFIXE.ID 3").Value(1), "0");
        store::Record(db->OpenFile("PLANCOMPTABLE"), "0017061000000", "PRODUITS").DBWrite();
        EXPECT_EQ(db->History("PLANCOMPTABLE").size(), 1u) << "history kept from the upgrade on";
        EXPECT_TRUE(db->Engine().VerifyIndexes().empty());
    }
}

TEST_F(BaseFile, LockSidecarTakesTheBasePermissionsWhateverTheUmask) {
    // An administrator prepares an empty base for a group; the program runs with a strict umask.
    ::close(::open(path.c_str(), O_CREAT | O_WRONLY, 0600));
    ::chmod(path.c_str(), 0664);
    const mode_t umask = ::umask(077);
    auto db = store::OpenLocalDatabase(path);
    ::umask(umask);
    EXPECT_EQ(Bits(path + "-locks"), 0664u);
    EXPECT_EQ(Bits(path + "-locks"), Bits(path + "-wal")) << "as SQLite's own journal";
    db.reset();
    ::chmod(path.c_str(), 0666);  // write access given to everyone later
    db = store::OpenLocalDatabase(path);
    EXPECT_EQ(Bits(path + "-locks"), 0666u) << "the owner's next opening follows the base";
}

TEST_F(BaseFile, AnotherAccountAllowedToWriteTheBaseReadsLocksAndWrites) {
    if (!kRoot) {
        // Without root there is no second account to become: what admits it is the sidecar's
        // permission bits, which must be the base's.
        std::cout << "[   NOTE   ] not root: the second account is checked by permission bits\n";
        RecordProperty("second_account", "permission bits only");
        ::close(::open(path.c_str(), O_CREAT | O_WRONLY, 0600));
        ::chmod(path.c_str(), 0666);
        auto db = store::OpenLocalDatabase(path);
        EXPECT_EQ(Bits(path + "-locks"), 0666u);
        return;
    }
    ::chmod(folder.Path().c_str(), 0777);
    const group* nogroup = ::getgrnam("nogroup");
    const gid_t shared = nogroup ? nogroup->gr_gid : 65534;
    ::close(::open(path.c_str(), O_CREAT | O_WRONLY, 0600));
    ::chown(path.c_str(), 0, shared);
    ::chmod(path.c_str(), 0660);  // root's base, written by its group
    {
        auto db = store::OpenLocalDatabase(path);
        db->Execute("CREATE.FILE ASSOCIATION");
        store::Record(db->OpenFile("ASSOCIATION"), "001", "SAD").DBWrite();
    }
    EXPECT_EQ(Stat(path + "-locks").st_uid, 0u);
    EXPECT_EQ(Stat(path + "-locks").st_gid, shared);
    EXPECT_EQ(Bits(path + "-locks"), 0660u);

    EXPECT_EQ(InChild([&](Report& r) {  // nobody, whose group is nogroup
                  auto db = store::OpenLocalDatabase(path);
                  auto file = db->OpenFile("ASSOCIATION");
                  r.Expect(file->Read("001").Text() == "SAD", "lecture");
                  store::Record held = file->ReadForUpdate("001");
                  held.SetValue(1, "SAD LOIRE");
                  held.DBWrite();
                  file->Create("002", "ADMR");
              }),
              "");
    auto db = store::OpenLocalDatabase(path);
    auto file = db->OpenFile("ASSOCIATION");
    EXPECT_EQ(file->Read("001").Text(), "SAD LOIRE");
    EXPECT_EQ(file->Read("002").Text(), "ADMR");
    EXPECT_EQ(db->History("ASSOCIATION", "002").at(0).user, "nobody");
}

TEST_F(BaseFile, BaseInAReadOnlyFolderOrReadOnlyItselfIsStillRead) {
    {
        auto db = store::OpenLocalDatabase(path);
        db->Execute("CREATE.FILE ASSOCIATION");
        store::Record(db->OpenFile("ASSOCIATION"), "001", "SAD").DBWrite();
    }
    // Read-only for the second account (and for the owner, who is not root).
    auto readOnly = [&](bool folderToo) {
        return InChild([&](Report& r) {
            auto db = store::OpenLocalDatabase(path);
            auto file = db->OpenFile("ASSOCIATION");
            r.Expect(file->Read("001").Text() == "SAD", "lecture");
            r.Expect(db->History("ASSOCIATION", "001").size() == 1, "historique");
            r.Expect(db->Select("SSELECT ASSOCIATION", "", "0").Text() == "001", "sélection");
            const std::string locked = MessageOf([&] { file->ReadForUpdate("001"); });
            if (folderToo) {
                r.Expect(locked.find("ne peut pas être réservé pour une modification (accès "
                                     "refusé sur " +
                                     path + "-locks) : la base ne peut qu'être lue.") !=
                             std::string::npos,
                         "verrou : " + locked);
            }
            r.Expect(ErrorOf([&] { file->Write("001", "X"); }) == store::ErrorCode::IoError,
                     "écriture");
            r.Expect(MessageOf([&] { file->Create("002", "X"); }).find("lecture seule") !=
                         std::string::npos,
                     "création");
        });
    };
    ::remove((path + "-locks").c_str());
    ::chmod(path.c_str(), 0444);
    ::chmod(folder.Path().c_str(), 0555);
    EXPECT_EQ(readOnly(true), "") << "in a read-only folder";
    ::chmod(folder.Path().c_str(), 0777);
    EXPECT_EQ(readOnly(false), "") << "a read-only base";
    ::chmod(path.c_str(), 0644);
    auto db = store::OpenLocalDatabase(path);
    EXPECT_EQ(db->OpenFile("ASSOCIATION")->Read("001").Text(), "SAD") << "nothing was written";
}

}  // namespace
