// Several processes on one database: update locks that hold across processes and vanish with
// their holder, counters that never hand out a number twice, creations of one id of which exactly
// one wins, and a writer killed mid-flight, after which history and data still agree.
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>

#include <chrono>
#include <functional>
#include <map>
#include <thread>

#include "engine_test_util.h"

namespace {

using namespace enginetest;
using namespace std::chrono_literals;

// A child process running fn; its exit code is fn's result (99 for an exception).
pid_t Spawn(const std::function<int()>& fn) {
    pid_t pid = ::fork();
    if (pid == 0) {
        int code = 99;
        try {
            code = fn();
        } catch (...) {
        }
        ::_exit(code);
    }
    return pid;
}

int ExitCode(pid_t pid) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

// One-way signal between processes.
class Pipe {
  public:
    Pipe() { EXPECT_EQ(::pipe(fds_), 0); }
    ~Pipe() {
        ::close(fds_[0]);
        ::close(fds_[1]);
    }
    void Send(int value) {
        EXPECT_EQ(::write(fds_[1], &value, sizeof value), ssize_t(sizeof value));
    }
    // Once the children are started, so that Receive sees the end when they are gone.
    void CloseWriteEnd() {
        ::close(fds_[1]);
        fds_[1] = -1;
    }
    // The next value sent, or -1 when every writer is gone.
    int Receive() {
        int value = -1;
        return ::read(fds_[0], &value, sizeof value) == ssize_t(sizeof value) ? value : -1;
    }

  private:
    int fds_[2] = {-1, -1};
};

class Processes : public BackendTest {
  protected:
    void SetUp() override {
        BackendTest::SetUp();
        MakeFile("COMPTEUR");
        Put("COMPTEUR", "999", "0");
    }

    // Two workstations started together once each has opened its session.
    void RunTogether(Pipe& start, const std::function<int()>& a, const std::function<int()>& b) {
        pid_t first = Spawn(a), second = Spawn(b);
        start.Send(1);
        start.Send(1);
        EXPECT_EQ(ExitCode(first), 0);
        EXPECT_EQ(ExitCode(second), 0);
    }

    // Another workstation that holds the counter's lock, then does then with it.
    pid_t Holder(const std::function<void(store::Record&)>& then) {
        Pipe locked;
        pid_t holder = Spawn([&] {
            auto mine = Open(location);
            store::Record r = mine->OpenFile("COMPTEUR")->ReadForUpdate("999");
            locked.Send(1);
            then(r);
            return 0;
        });
        locked.CloseWriteEnd();
        EXPECT_EQ(locked.Receive(), 1);
        return holder;
    }
};

TEST_P(Processes, TwoWorkstationsIncrementingOneCounterNeverShareANumber) {
    MakeFile("NUMEROS");
    Pipe start;
    auto worker = [&](const char* tag) {
        return [&, tag] {
            auto mine = Open(location);
            auto counters = mine->OpenFile("COMPTEUR");
            auto numbers = mine->OpenFile("NUMEROS");
            start.Receive();
            for (int i = 0; i < 1000; ++i) {
                store::Record counter = counters->ReadForUpdate("999");
                std::string next = std::to_string(std::stoi(counter.Value(1)) + 1);
                counter.SetValue(1, next);
                counter.DBWrite();
                store::Record taken = numbers->NewItem(next);  // a duplicate throws
                taken.SetValue(1, tag);
                taken.DBWrite();
            }
            return 0;
        };
    };
    RunTogether(start, worker("A"), worker("B"));
    EXPECT_EQ(db->OpenFile("COMPTEUR")->Read("999").Value(1), "2000");
    EXPECT_EQ(Said("COMPTER NUMEROS"), "2000 enregistrement(s) compté(s).");
    EXPECT_GT(Ids("SSELECT NUMEROS AVEC 1 = \"A\"").size(), 0u);
    EXPECT_GT(Ids("SSELECT NUMEROS AVEC 1 = \"B\"").size(), 0u);
}

TEST_P(Processes, TwoWorkstationsCreatingTheSameIdsNeverReplaceEachOther) {
    MakeFile("ASSOCIATION");
    constexpr int kIds = 300;
    Pipe start, won;
    auto worker = [&](int tag) {
        return [&, tag] {
            auto mine = Open(location);
            mine->SetUserName("poste" + std::to_string(tag));
            auto associations = mine->OpenFile("ASSOCIATION");
            start.Receive();
            for (int i = 0; i < kIds; ++i) {
                // As NewItem gives it when both screens found the id free.
                store::Record r(associations, std::to_string(i), "poste" + std::to_string(tag));
                try {
                    r.DBCreate();
                    won.Send(i * 2 + tag);
                } catch (const store::StoreError& e) {
                    if (e.code() != store::ErrorCode::RecordExists)
                        return 1;
                }
            }
            return 0;
        };
    };
    RunTogether(start, worker(0), worker(1));
    won.CloseWriteEnd();
    std::map<int, int> winners;
    for (int w = won.Receive(); w >= 0; w = won.Receive())
        EXPECT_TRUE(winners.emplace(w / 2, w % 2).second) << "id " << w / 2 << " won twice";
    ASSERT_EQ(winners.size(), size_t{kIds}) << "every id was created once";
    auto associations = db->OpenFile("ASSOCIATION");
    for (const auto& [i, tag] : winners) {
        const std::string id = std::to_string(i), winner = "poste" + std::to_string(tag);
        EXPECT_EQ(associations->Read(id).Text(), winner) << "nothing replaced the winner's";
        std::vector<store::HistoryEntry> history = db->History("ASSOCIATION", id);
        ASSERT_EQ(history.size(), 1u) << id;
        EXPECT_EQ(history[0].user, winner);
    }
}

TEST_P(Processes, LockHeldElsewhereTimesOutAndDiesWithItsHolder) {
    pid_t holder = Holder([](store::Record&) { ::pause(); });  // until killed
    db->SetLockWait(150ms);
    auto counters = db->OpenFile("COMPTEUR");
    EXPECT_EQ(ErrorOf([&] { counters->ReadForUpdate("999"); }), store::ErrorCode::RecordLocked);
    EXPECT_EQ(MessageOf([&] { counters->ReadForUpdate("999"); }),
              "L'enregistrement 999 du fichier COMPTEUR est verrouillé par un autre utilisateur.");
    EXPECT_NO_THROW(counters->Read("999")) << "plain reads never wait";
    ::kill(holder, SIGKILL);
    EXPECT_EQ(ExitCode(holder), -SIGKILL);
    // A server notices the dead connection a moment after the kill, not at once.
    db->SetLockWait(2000ms);
    EXPECT_NO_THROW(counters->ReadForUpdate("999"));
}

TEST_P(Processes, WaiterGetsTheLockWhenTheHolderWritesAndReadsItsWrite) {
    pid_t holder = Holder([](store::Record& r) {
        std::this_thread::sleep_for(100ms);
        r.SetValue(1, "41");
        r.DBWrite();
        std::this_thread::sleep_for(200ms);
    });
    store::Record r = db->OpenFile("COMPTEUR")->ReadForUpdate("999");
    EXPECT_EQ(r.Value(1), "41");
    EXPECT_EQ(ExitCode(holder), 0);
}

TEST_P(Processes, ReleaseMissingIdsAndBulkTransactionsDecideWhenLocksEnd) {
    auto other = Open(location);  // its own lock descriptor
    other->SetLockWait(0ms);
    auto mine = db->OpenFile("COMPTEUR");
    auto theirs = other->OpenFile("COMPTEUR");

    mine->ReadForUpdate("999");
    EXPECT_EQ(ErrorOf([&] { theirs->ReadForUpdate("999"); }), store::ErrorCode::RecordLocked);
    mine->Release("999");
    EXPECT_NO_THROW(theirs->ReadForUpdate("999"));
    theirs->Release("999");

    EXPECT_EQ(ErrorOf([&] { mine->ReadForUpdate("123"); }), 0x8004000Bu);
    EXPECT_EQ(ErrorOf([&] { theirs->ReadForUpdate("123"); }), 0x8004000Bu)
        << "a missing id keeps no lock";

    {
        store::BulkTransaction bulk(*db);
        store::Record r = mine->ReadForUpdate("999");
        r.SetValue(1, "7");
        r.DBWrite();
        EXPECT_EQ(ErrorOf([&] { theirs->ReadForUpdate("999"); }), store::ErrorCode::RecordLocked)
            << "the write is not visible yet";
        bulk.Commit();
    }
    EXPECT_EQ(theirs->ReadForUpdate("999").Value(1), "7");
    theirs->Release("999");

    const size_t entries = db->History("COMPTEUR", "999").size();
    {
        store::BulkTransaction rolledBack(*db);
        store::Record r = mine->ReadForUpdate("999");
        r.SetValue(1, "8");
        r.DBWrite();
    }
    EXPECT_EQ(theirs->ReadForUpdate("999").Value(1), "7");
    EXPECT_EQ(db->History("COMPTEUR", "999").size(), entries) << "nor its history entry";
}

TEST_P(Processes, FilesFieldsAndIndexesMadeElsewhereAreSeenAtOnce) {
    auto other = Open(location);
    EXPECT_EQ(ErrorOf([&] { db->OpenFile("NOUVEAU"); }), store::ErrorCode::FileNotFound);
    other->Execute("CREATE.FILE NOUVEAU 3,1");
    auto mine = db->OpenFile("NOUVEAU");
    Put("NOUVEAU", "1", "A" + FM + "x");
    Put("NOUVEAU", "2", "B" + FM + "y");
    EXPECT_EQ(ErrorOf([&] { Ids("SSELECT NOUVEAU AVEC Lettre = \"A\""); }),
              store::ErrorCode::CommandError);
    store::Record item(other->OpenFile("DICT NOUVEAU"), "Lettre", "D" + FM + "1");
    item.DBWrite();
    EXPECT_EQ(Ids("SSELECT NOUVEAU AVEC Lettre = \"A\""), V{"1"});

    other->Execute("CREATE.INDEX NOUVEAU Lettre");
    Put("NOUVEAU", "3", "A" + FM + "z");  // kept in the index made by the other connection
    EXPECT_TRUE(db->VerifyIndexes().empty());
    EXPECT_EQ(Ids("SSELECT NOUVEAU AVEC Lettre = \"A\""), (V{"1", "3"}));
    other->Execute("DELETE.INDEX NOUVEAU Lettre");
    EXPECT_EQ(Ids("SSELECT NOUVEAU AVEC Lettre = \"A\""), (V{"1", "3"}));
    other->Execute("DELETE.FILE NOUVEAU");
    EXPECT_EQ(ErrorOf([&] { mine->Write("4", "C"); }), store::ErrorCode::FileNotFound)
        << "no record is written into a file that is gone";
}

// The embedded file checked by SQLite itself after a kill.
class EmbeddedProcesses : public Processes {};
INSTANTIATE_TEST_SUITE_P(Embedded, EmbeddedProcesses, ::testing::Values(Backend::Embedded),
                         BackendName);

TEST_P(EmbeddedProcesses, WriterKilledMidFlightLeavesAnIntactDatabase) {
    MakeFile("JOURNAL", {{"Cle", 1, "10L"}});
    db->Execute("CREATE.INDEX JOURNAL Cle");
    Pipe progress;
    pid_t writer = Spawn([&]() -> int {
        auto mine = Open(location);
        auto journal = mine->OpenFile("JOURNAL");
        for (int i = 1;; ++i) {
            std::string n = std::to_string(i);
            store::Record r(journal, "R" + std::to_string(i % 40),
                            "K" + std::to_string(i % 7) + FM + n + FM + std::string(i % 300, 'x'));
            r.DBWrite();
            store::Record last(journal, "LAST", "L" + FM + n);
            last.DBWrite();
            progress.Send(i);
        }
    });
    progress.CloseWriteEnd();
    int acknowledged = 0;
    while (acknowledged >= 0 && acknowledged < 400)
        acknowledged = progress.Receive();
    ::kill(writer, SIGKILL);
    EXPECT_EQ(ExitCode(writer), -SIGKILL);
    ASSERT_GE(acknowledged, 400);
    for (int more = progress.Receive(); more > 0; more = progress.Receive())
        acknowledged = more;
    db.reset();

    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(location.c_str(), &raw), SQLITE_OK);
    sqlite3_stmt* check = nullptr;
    sqlite3_prepare_v2(raw, "PRAGMA integrity_check", -1, &check, nullptr);
    ASSERT_EQ(sqlite3_step(check), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(check, 0)), "ok");
    sqlite3_finalize(check);
    sqlite3_close(raw);

    db = Open(location);
    auto journal = db->OpenFile("JOURNAL");
    int last = std::stoi(journal->Read("LAST").Value(2));
    EXPECT_GE(last, acknowledged) << "an acknowledged write is never lost";
    EXPECT_LE(last, acknowledged + 1);
    std::vector<store::HistoryEntry> history = db->History("JOURNAL", "LAST");
    ASSERT_EQ(history.size(), static_cast<size_t>(last)) << "one entry for each write kept";
    EXPECT_EQ(history[0].changes.back().after, std::to_string(last));
    for (int k = 0; k < 40; ++k) {
        store::Record r = journal->Read("R" + std::to_string(k));
        int i = std::stoi(r.Value(2));
        EXPECT_EQ(i % 40, k);
        EXPECT_LE(i, last + 1);
        EXPECT_EQ(r.Value(1), "K" + std::to_string(i % 7));
        EXPECT_EQ(r.Value(3).size(), static_cast<size_t>(i % 300)) << "no torn record";
    }
    EXPECT_TRUE(db->VerifyIndexes().empty());
    Put("JOURNAL", "APRES", "K1");
    EXPECT_EQ(Ids("SSELECT JOURNAL AVEC Cle = \"K1\" AND AVEC @ID = \"A]\""), V{"APRES"});
}

MERI_BACKENDS(Processes);

}  // namespace
