// The record store on a PostgreSQL server against its floor: each case runs the system's work
// through the server backend (…_Server) and the same work as a hand-written query on plain
// relational tables of the same server (…_Floor), with the indexes those queries need. The
// server is private to the benchmark (a Unix socket in the bench-data folder, no TCP port) and
// holds the large base of the embedded benchmark, moved there by DUMP and LOAD; it is kept in
// bench-data/serveur so that reruns start at once.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "bench_cases.h"
#include "bench_data.h"
#include "platform/server/database.h"
#include "platform/server/pq.h"
#include "platform/server/private_server.h"
#include "store/local_database.h"
#include "store/record.h"
#include "store/server_database.h"

namespace {

namespace fs = std::filesystem;
using namespace bench;

// The floor's tables, filled from the records themselves so that both hold the same data.
constexpr const char* kFloorTables = R"sql(
CREATE TABLE floor_plancomptable(association text, account text, label text,
    PRIMARY KEY (association, account));
INSERT INTO floor_plancomptable SELECT convert_from(substring(r.id FROM 1 FOR 3), 'UTF8'),
    convert_from(substring(r.id FROM 4), 'UTF8'), convert_from(mv.attr(r.attrs, 1), 'UTF8')
    FROM mv.records r JOIN mv.files f ON f.file_id = r.file_id WHERE f.name = 'PLANCOMPTABLE';
CREATE INDEX floor_plancomptable_label ON floor_plancomptable(association, label);
CREATE TABLE floor_activites(association text, code text, label text,
    PRIMARY KEY (association, code));
INSERT INTO floor_activites SELECT convert_from(substring(r.id FROM 1 FOR 3), 'UTF8'),
    convert_from(substring(r.id FROM 4), 'UTF8'), convert_from(mv.attr(r.attrs, 1), 'UTF8')
    FROM mv.records r JOIN mv.files f ON f.file_id = r.file_id WHERE f.name = 'ACTIVITES';
CREATE INDEX floor_activites_label ON floor_activites(association, label);
CREATE TABLE floor_association(id text PRIMARY KEY, sigle text);
INSERT INTO floor_association SELECT convert_from(r.id, 'UTF8'),
    convert_from(mv.attr(r.attrs, 1), 'UTF8')
    FROM mv.records r JOIN mv.files f ON f.file_id = r.file_id WHERE f.name = 'ASSOCIATION';
CREATE INDEX floor_association_sigle ON floor_association(sigle);
CREATE TABLE floor_compteur(id text PRIMARY KEY, last_activity int);
INSERT INTO floor_compteur SELECT convert_from(r.id, 'UTF8'),
    mv.num(mv.first(mv.attr(r.attrs, 2)))::int
    FROM mv.records r JOIN mv.files f ON f.file_id = r.file_id WHERE f.name = 'COMPTEUR'
    AND mv.num(mv.first(mv.attr(r.attrs, 2))) IS NOT NULL;
)sql";

struct Bench {
    std::unique_ptr<mv::server::PrivateServer> server;
    std::shared_ptr<store::ServerDatabase> db;
    std::unique_ptr<mv::pq::Connection> floor;
};

// The server and its base, made (the embedded base dumped and loaded) on first use.
Bench& Get() {
    static Bench bench = [] {
        Bench b;
        const std::string folder = bench::DataFolder() + "/serveur";
        const bool ready = fs::exists(folder + "/pret");
        if (!ready && fs::exists(folder))
            fs::remove_all(folder);
        b.server = std::make_unique<mv::server::PrivateServer>(
            folder, std::vector<std::string>{"shared_buffers=256MB", "max_wal_size=4GB"});
        if (!ready) {
            std::fprintf(stderr, "Chargement de la grande base dans le serveur...\n");
            const std::string dump = bench::DataFolder() + "/base-1m.jsonl";
            {
                auto local = store::OpenLocalDatabase(bench::LargeBase());
                std::ofstream out(dump);
                local->Dump(out);
            }
            auto db = store::OpenServerDatabase(b.server->CreateDatabase("grande"));
            std::ifstream in(dump);
            db->Load(in);
            mv::pq::Connection c(b.server->ConnInfo("grande"));
            c.Exec(kFloorTables);
            c.Exec("VACUUM ANALYZE");
            fs::remove(dump);
            std::ofstream(folder + "/pret") << "1\n";
        }
        b.db = store::OpenServerDatabase(b.server->ConnInfo("grande"));
        b.floor = std::make_unique<mv::pq::Connection>(b.server->ConnInfo("grande"));
        return b;
    }();
    return bench;
}

Rows Fetch(const mv::pq::Result& r) {
    Rows rows;
    for (int i = 0; i < r.Rows(); ++i)
        rows.emplace_back(r.String(i, 0), r.String(i, 1));
    return rows;
}

Rows FloorTypeAhead() {
    return Fetch(Get().floor->Run(
        "SELECT association || account, label FROM floor_plancomptable WHERE association = $1 "
        "AND label >= $2 AND label < $3 AND label <> '' ORDER BY label, account",
        mv::pq::Params().Text(kCode).Text(kPrefix).Text(Next(kPrefix))));
}

void BM_TypeAhead_Server(benchmark::State& state) {
    SelectLoop(state, *Get().db, kTypeAhead, "PLANCOMPTABLE");
}
BENCHMARK(BM_TypeAhead_Server)->Apply(Lookup);

void BM_TypeAhead_Floor(benchmark::State& state) {
    FloorLookup(state, *Get().db, FloorTypeAhead, kTypeAhead, "PLANCOMPTABLE", "le serveur");
}
BENCHMARK(BM_TypeAhead_Floor)->Apply(Lookup);

Rows FloorActivityList() {
    return Fetch(Get().floor->Run(
        "SELECT association || code, label FROM floor_activites WHERE association = $1 "
        "ORDER BY label, code",
        mv::pq::Params().Text(kCode)));
}

void BM_ActivityList_Server(benchmark::State& state) {
    SelectLoop(state, *Get().db, kActivityList, "ACTIVITES");
}
BENCHMARK(BM_ActivityList_Server)->Apply(Lookup);

void BM_ActivityList_Floor(benchmark::State& state) {
    FloorLookup(state, *Get().db, FloorActivityList, kActivityList, "ACTIVITES", "le serveur");
}
BENCHMARK(BM_ActivityList_Floor)->Apply(Lookup);

Rows FloorSigleList() {
    return Fetch(Get().floor->Run("SELECT id, sigle FROM floor_association ORDER BY sigle, id"));
}

void BM_SigleList_Server(benchmark::State& state) {
    SelectLoop(state, *Get().db, kSigleList, "ASSOCIATION");
}
BENCHMARK(BM_SigleList_Server)->Apply(Lookup);

void BM_SigleList_Floor(benchmark::State& state) {
    FloorLookup(state, *Get().db, FloorSigleList, kSigleList, "ASSOCIATION", "le serveur");
}
BENCHMARK(BM_SigleList_Floor)->Apply(Lookup);

void BM_Read_Server(benchmark::State& state) {
    ReadLoop(state, *Get().db);
}
BENCHMARK(BM_Read_Server)->Apply(Single);

void BM_Read_Floor(benchmark::State& state) {
    auto& floor = *Get().floor;
    size_t i = 0;
    for (auto _ : state) {
        const std::string& id = Samples()[i++ % Samples().size()];
        mv::pq::Result r = floor.Run(
            "SELECT label FROM floor_plancomptable WHERE association = $1 AND account = $2",
            mv::pq::Params().Text(id.substr(0, 3)).Text(id.substr(3)));
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_Read_Floor)->Apply(Single);

void BM_DBWrite_Server(benchmark::State& state) {
    RewriteLoop(state, *Get().db);
}
BENCHMARK(BM_DBWrite_Server)->Apply(Single);

void BM_DBWrite_Floor(benchmark::State& state) {
    auto& floor = *Get().floor;
    const std::string id = Samples()[0];
    const std::string label =
        floor
            .Run("SELECT label FROM floor_plancomptable WHERE association = $1 AND account = $2",
                 mv::pq::Params().Text(id.substr(0, 3)).Text(id.substr(3)))
            .String(0, 0);
    AlternateLabel(state, label, [&](const std::string& text) {
        floor.Run(
            "UPDATE floor_plancomptable SET label = $1 WHERE association = $2 AND account = $3",
            mv::pq::Params().Text(text).Text(id.substr(0, 3)).Text(id.substr(3)));
    });
}
BENCHMARK(BM_DBWrite_Floor)->Apply(Single);

void BM_CounterCycle_Server(benchmark::State& state) {
    CounterLoop(state, *Get().db);
}
BENCHMARK(BM_CounterCycle_Server)->Apply(Single);

void BM_CounterCycle_Floor(benchmark::State& state) {
    auto& floor = *Get().floor;
    for (auto _ : state) {
        floor.Exec("BEGIN");
        mv::pq::Result r =
            floor.Run("SELECT last_activity FROM floor_compteur WHERE id = $1 FOR UPDATE",
                      mv::pq::Params().Text(kCode));
        floor.Run("UPDATE floor_compteur SET last_activity = $1 WHERE id = $2",
                  mv::pq::Params().Int(r.Int(0, 0) + 1).Text(kCode));
        floor.Exec("COMMIT");
    }
}
BENCHMARK(BM_CounterCycle_Floor)->Apply(Single);

}  // namespace
