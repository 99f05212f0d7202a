// Creating an association in a database that knows 50 collective agreements: its files,
// dictionary items and template copies, then its counters and its record, all through the
// record store as the association screen does it. Each iteration gets a fresh database, made
// outside the measured time.
//
//   bench_creation --benchmark_counters_tabular=true
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "platform/filesystem/file_system.h"
#include "setup/creation_fichier_unidata.h"
#include "store/file.h"
#include "store/local_database.h"

namespace {

namespace stdfs = std::filesystem;

std::string Padded(int n) {
    std::string text = std::to_string(n);
    return std::string(text.size() < 3 ? 3 - text.size() : 0, '0') + text;
}

struct World {
    std::string root, folder;
    std::shared_ptr<store::Database> db;

    explicit World(int conventions) {
        std::string pattern = (stdfs::temp_directory_path() / "meri-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp");
        root = pattern;
        folder = root + "/modeles";
        stdfs::create_directories(folder);
        for (const char* name : {"Contrat.txt", "Avenant.txt", "Defaut.txt"})
            std::ofstream(folder + "/" + name) << std::string(4096, 'm');

        db = store::OpenLocalDatabase(root + "/base.mvdb");
        for (const char* f :
             {"ASSOCIATION", "COMPTEUR", "NUMEROFACT", "CONVENTIONCOL", "CIVILAIDANT"})
            db->Execute(std::string("CREATE.FILE ") + f + " 3,1");
        auto conventionCol = db->OpenFile("CONVENTIONCOL");
        for (int i = 1; i <= conventions; ++i) {
            const std::string key = "CC" + Padded(i);
            store::Record r = conventionCol->NewItem(key);
            r.SetValue(1, "Convention collective " + key);
            r.DBWrite();
        }
        auto associations = db->OpenFile("ASSOCIATION");
        for (int i = 1; i <= 41; ++i) {
            const std::string code = Padded(i);
            store::Record r = associations->NewItem(code);
            r.SetValue(1, "ASSO" + code);
            r.DBWrite();
        }
    }
    ~World() {
        db.reset();
        std::error_code ignored;
        stdfs::remove_all(root, ignored);
    }
};

// The records a creation writes once its files exist.
void WriteAssociationRecords(store::Database& db, const std::string& code) {
    store::Record compteur = db.OpenFile("COMPTEUR")->NewItem(code);
    for (int a = 1; a <= 5; ++a)
        compteur.SetValue(a, 1, "000");
    compteur.DBWrite();

    store::Record numeroFact = db.OpenFile("NUMEROFACT")->NewItem(code);
    for (int a = 1; a <= 6; ++a)
        numeroFact.SetValue(a, "0000000000");
    numeroFact.DBWrite();

    store::Record association = db.OpenFile("ASSOCIATION")->NewItem(code);
    association.SetValue(1, "NOUVELLE");
    association.SetValue(2, "Association d'aide à domicile du canton");
    for (int a = 3; a <= 65; ++a)
        association.SetValue(a, "valeur " + std::to_string(a));
    association.DBWrite();
}

void BM_CreationAssociation(benchmark::State& state) {
    const int conventions = static_cast<int>(state.range(0));
    for (auto _ : state) {
        World world(conventions);
        const auto start = std::chrono::steady_clock::now();
        setup::Creation_FichierUNIDATA(*world.db, "042", world.folder, files::Default());
        WriteAssociationRecords(*world.db, "042");
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
    state.counters["fichiers"] = 2.0 * conventions + 1;
    state.counters["copies"] = 4.0 * conventions;
}

}  // namespace

BENCHMARK(BM_CreationAssociation)
    ->Arg(50)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

BENCHMARK_MAIN();
