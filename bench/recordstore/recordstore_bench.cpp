// The record store against its floor: each case runs the system's work on the engine
// (…_Engine) and the same work as a hand-written query on plain relational tables holding the
// same data (…_Floor). The floor has the indexes the query needs and the engine's journal
// settings (WAL, synchronous=NORMAL) and cache size.

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench_cases.h"
#include "bench_data.h"
#include "platform/engine/database.h"
#include "store/layout/dictionnaire.h"
#include "store/local_database.h"
#include "store/record.h"

namespace {

using namespace bench;

store::LocalDatabase& Engine() {
    static std::shared_ptr<store::LocalDatabase> db = store::OpenLocalDatabase(bench::LargeBase());
    return *db;
}

class Floor {
  public:
    static Floor& Get() {
        static Floor floor(bench::LargeFloor());
        return floor;
    }
    sqlite3* db() { return db_; }
    // A statement prepared once, reset before each use.
    sqlite3_stmt* Statement(const std::string& sql) {
        auto& s = statements_[sql];
        if (!s && sqlite3_prepare_v2(db_, sql.c_str(), -1, &s, nullptr) != SQLITE_OK)
            throw std::runtime_error(sql + " : " + sqlite3_errmsg(db_));
        sqlite3_reset(s);
        sqlite3_clear_bindings(s);
        return s;
    }
    void Run(const char* sql) { sqlite3_exec(db_, sql, nullptr, nullptr, nullptr); }

  private:
    explicit Floor(const std::string& path) {
        sqlite3_open(path.c_str(), &db_);
        Run("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA cache_size=-8192;");
    }
    sqlite3* db_ = nullptr;
    std::map<std::string, sqlite3_stmt*> statements_;
};

void Bind(sqlite3_stmt* s, int i, const std::string& text) {
    sqlite3_bind_text(s, i, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

// An account id of the engine is the association code followed by the account code.
void BindAccount(sqlite3_stmt* s, int first, const std::string& id) {
    Bind(s, first, id.substr(0, 3));
    Bind(s, first + 1, id.substr(3));
}

// The rows as the engine's result gives them: id and one field.
Rows Fetch(sqlite3_stmt* s) {
    Rows rows;
    while (sqlite3_step(s) == SQLITE_ROW) {
        rows.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)),
                          reinterpret_cast<const char*>(sqlite3_column_text(s, 1)));
    }
    return rows;
}

// ---- The accounting type-ahead -------------------------------------------------------------

Rows FloorTypeAhead() {
    sqlite3_stmt* s = Floor::Get().Statement(
        "SELECT association || account, label FROM plancomptable WHERE association = ?1 "
        "AND label >= ?2 AND label < ?3 AND label <> '' ORDER BY label, account");
    Bind(s, 1, kCode);
    Bind(s, 2, kPrefix);
    Bind(s, 3, Next(kPrefix));
    return Fetch(s);
}

void BM_TypeAhead_Engine(benchmark::State& state) {
    SelectLoop(state, Engine(), kTypeAhead, "PLANCOMPTABLE");
}
BENCHMARK(BM_TypeAhead_Engine)->Apply(Lookup);

void BM_TypeAhead_Floor(benchmark::State& state) {
    FloorLookup(state, Engine(), FloorTypeAhead, kTypeAhead, "PLANCOMPTABLE", "le moteur");
}
BENCHMARK(BM_TypeAhead_Floor)->Apply(Lookup);

// ---- The activity list of one association ---------------------------------------------------

Rows FloorActivityList() {
    sqlite3_stmt* s = Floor::Get().Statement(
        "SELECT association || code, label FROM activites WHERE association = ?1 "
        "ORDER BY label, code");
    Bind(s, 1, kCode);
    return Fetch(s);
}

void BM_ActivityList_Engine(benchmark::State& state) {
    SelectLoop(state, Engine(), kActivityList, "ACTIVITES");
}
BENCHMARK(BM_ActivityList_Engine)->Apply(Lookup);

void BM_ActivityList_Floor(benchmark::State& state) {
    FloorLookup(state, Engine(), FloorActivityList, kActivityList, "ACTIVITES", "le moteur");
}
BENCHMARK(BM_ActivityList_Floor)->Apply(Lookup);

// ---- The sigle list of the association screen -----------------------------------------------

Rows FloorSigleList() {
    return Fetch(Floor::Get().Statement("SELECT id, sigle FROM association ORDER BY sigle, id"));
}

void BM_SigleList_Engine(benchmark::State& state) {
    SelectLoop(state, Engine(), kSigleList, "ASSOCIATION");
}
BENCHMARK(BM_SigleList_Engine)->Apply(Lookup);

void BM_SigleList_Floor(benchmark::State& state) {
    FloorLookup(state, Engine(), FloorSigleList, kSigleList, "ASSOCIATION", "le moteur");
}
BENCHMARK(BM_SigleList_Floor)->Apply(Lookup);

// ---- Read and DBWrite of an account ---------------------------------------------------------

void BM_Read_Engine(benchmark::State& state) {
    ReadLoop(state, Engine());
}
BENCHMARK(BM_Read_Engine)->Apply(Single);

void BM_Read_Floor(benchmark::State& state) {
    auto& floor = Floor::Get();
    size_t i = 0;
    for (auto _ : state) {
        sqlite3_stmt* s = floor.Statement(
            "SELECT label FROM plancomptable WHERE association = ?1 AND account = ?2");
        BindAccount(s, 1, Samples()[i++ % Samples().size()]);
        std::string label;
        if (sqlite3_step(s) == SQLITE_ROW)
            label = reinterpret_cast<const char*>(sqlite3_column_text(s, 0));
        benchmark::DoNotOptimize(label);
    }
}
BENCHMARK(BM_Read_Floor)->Apply(Single);

// The history entries the writes add would grow the generated base at every run: they are taken
// away after each case, outside the record store (which never removes history).
void ForgetHistory() {
    sqlite3* raw = nullptr;
    if (sqlite3_open(bench::LargeBase().c_str(), &raw) == SQLITE_OK) {
        sqlite3_busy_timeout(raw, 10000);
        sqlite3_exec(raw, "DELETE FROM history", nullptr, nullptr, nullptr);
    }
    sqlite3_close(raw);
}

// With history, each write also records its change set in the same transaction.
void DBWriteAccount(benchmark::State& state, bool history) {
    Engine().Engine().SetHistoryKept(history);
    RewriteLoop(state, Engine());
    Engine().Engine().SetHistoryKept(true);
    ForgetHistory();
}

void BM_DBWrite_Engine(benchmark::State& state) {
    DBWriteAccount(state, true);
}
BENCHMARK(BM_DBWrite_Engine)->Apply(Single);

void BM_DBWrite_EngineWithoutHistory(benchmark::State& state) {
    DBWriteAccount(state, false);
}
BENCHMARK(BM_DBWrite_EngineWithoutHistory)->Apply(Single);

// The two cases above run one after the other, so that a load changing between them weighs on
// the ratio. Here writes alternate with and without history (on, off, off, on ...), each timed
// on its own: the medians of both halves share every moment of the run.
void BM_DBWrite_HistoryCost(benchmark::State& state) {
    auto file = Engine().OpenFile("PLANCOMPTABLE");
    store::Record r = file->Read(Samples()[0]);
    const std::string label = r.Value(1);
    std::vector<double> with, without;
    std::int64_t n = 0;
    for (auto _ : state) {
        const bool history = (n & 1) == ((n >> 1) & 1);
        ++n;
        Engine().Engine().SetHistoryKept(history);
        r.SetValue(1, n % 2 ? label + " MODIFIE" : label);
        const auto start = std::chrono::steady_clock::now();
        r.DBWrite();
        const std::chrono::duration<double, std::micro> took =
            std::chrono::steady_clock::now() - start;
        (history ? with : without).push_back(took.count());
    }
    Engine().Engine().SetHistoryKept(true);
    r.SetValue(1, label);
    r.DBWrite();
    ForgetHistory();
    if (with.empty() || without.empty())
        return;
    auto median = [](std::vector<double>& v) {
        std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
        return v[v.size() / 2];
    };
    const double on = median(with), off = median(without);
    state.counters["with_us"] = on;
    state.counters["without_us"] = off;
    state.counters["ratio"] = on / off;
}
BENCHMARK(BM_DBWrite_HistoryCost)->Unit(benchmark::kMicrosecond)->Iterations(20000);

void BM_DBWrite_Floor(benchmark::State& state) {
    auto& floor = Floor::Get();
    const std::string id = Samples()[0];
    std::string label;
    {
        sqlite3_stmt* s = floor.Statement(
            "SELECT label FROM plancomptable WHERE association = ?1 AND account = ?2");
        BindAccount(s, 1, id);
        if (sqlite3_step(s) == SQLITE_ROW)
            label = reinterpret_cast<const char*>(sqlite3_column_text(s, 0));
        sqlite3_reset(s);
    }
    AlternateLabel(state, label, [&](const std::string& text) {
        sqlite3_stmt* s = floor.Statement(
            "UPDATE plancomptable SET label = ?1 WHERE association = ?2 AND account = ?3");
        Bind(s, 1, text);
        BindAccount(s, 2, id);
        sqlite3_step(s);
    });
}
BENCHMARK(BM_DBWrite_Floor)->Apply(Single);

// ---- The counter cycle of a new activity: read for update, increment, write -----------------

void BM_CounterCycle_Engine(benchmark::State& state) {
    CounterLoop(state, Engine());
    ForgetHistory();
}
BENCHMARK(BM_CounterCycle_Engine)->Apply(Single);

void BM_CounterCycle_Floor(benchmark::State& state) {
    auto& floor = Floor::Get();
    for (auto _ : state) {
        floor.Run("BEGIN IMMEDIATE");
        sqlite3_stmt* s = floor.Statement("SELECT last_activity FROM compteur WHERE id = ?1");
        Bind(s, 1, kCode);
        sqlite3_step(s);
        const int last = sqlite3_column_int(s, 0);
        sqlite3_reset(s);
        s = floor.Statement("UPDATE compteur SET last_activity = ?1 WHERE id = ?2");
        sqlite3_bind_int(s, 1, last + 1);
        Bind(s, 2, kCode);
        sqlite3_step(s);
        floor.Run("COMMIT");
    }
}
BENCHMARK(BM_CounterCycle_Floor)->Apply(Single);

// ---- Creation of 40 files with their dictionary item, as a new association gets them -------

std::string Scratch(const std::string& name) {
    const std::string path = bench::DataFolder() + "/" + name;
    for (const char* suffix : {"", "-wal", "-shm", "-locks"})
        std::filesystem::remove(path + suffix);
    return path;
}

namespace Dict = store::layout::dictionnaire;

void BM_Create40Files_Engine(benchmark::State& state) {
    auto db = store::OpenLocalDatabase(Scratch("creation.mvdb"));
    int round = 0;
    for (auto _ : state) {
        ++round;
        for (int i = 1; i <= 40; ++i) {
            const std::string name = "CONTRAT" + std::to_string(round) + "X" + std::to_string(i);
            db->Execute("CREATE.FILE " + name + " 3,1");
            store::Record item = db->OpenFile("DICT " + name)->NewItem(Dict::kSecteur);
            item.SetText(Dict::SecteurItem());
            item.DBWrite();
        }
    }
}
BENCHMARK(BM_Create40Files_Engine)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_Create40Files_Floor(benchmark::State& state) {
    sqlite3* db = nullptr;
    sqlite3_open(Scratch("creation.sqlite").c_str(), &db);
    sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;", nullptr, nullptr,
                 nullptr);
    int round = 0;
    for (auto _ : state) {
        ++round;
        for (int i = 1; i <= 40; ++i) {
            const std::string name = "contrat" + std::to_string(round) + "x" + std::to_string(i);
            const std::string sql =
                "CREATE TABLE " + name + "(id TEXT PRIMARY KEY, body BLOB) WITHOUT ROWID;" +
                "CREATE TABLE dict_" + name + "(id TEXT PRIMARY KEY, body BLOB) WITHOUT ROWID;" +
                "INSERT INTO dict_" + name + " VALUES('Secteur', '" + Dict::SecteurItem() + "');";
            sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
        }
    }
    sqlite3_close(db);
}
BENCHMARK(BM_Create40Files_Floor)->Unit(benchmark::kMillisecond)->Iterations(20);

// ---- Opening a database of 20,000 files ------------------------------------------------------

void BM_OpenManyFiles(benchmark::State& state) {
    const std::string path = bench::ManyFilesBase();
    for (auto _ : state) {
        auto db = store::OpenLocalDatabase(path);
        auto file = db->OpenFile("CONTRAT05000");
        benchmark::DoNotOptimize(file);
    }
}
BENCHMARK(BM_OpenManyFiles)->Apply(Lookup);

}  // namespace
