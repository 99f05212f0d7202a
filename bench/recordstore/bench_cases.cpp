#include "bench_cases.h"

#include "bench_data.h"
#include "store/file.h"
#include "store/record.h"

namespace bench {

const std::string kCode = "042";
const std::string kPrefix = "SUB";

const std::string kTypeAhead = "SSELECT PLANCOMPTABLE AVEC 1 = \"" + kPrefix +
                               "]\" AND AVEC @ID = \"" + kCode + "]\" AND SANS 1 = \"\" PAR 1";
const std::string kActivityList =
    "SSELECT ACTIVITES AVEC CodActivite = \"" + kCode + "]\" PAR LibActivite";
const std::string kSigleList = "SSELECT ASSOCIATION PAR SigleAssoc";

std::string Next(const std::string& prefix) {
    std::string next = prefix;
    ++next.back();
    return next;
}

void Lookup(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
}

void Single(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
}

const std::vector<std::string>& Samples() {
    static const std::vector<std::string> ids = SampleAccountIds(4096);
    return ids;
}

bool SameRows(benchmark::State& state, store::Database& db, const Rows& floor,
              const std::string& command, const std::string& file, const std::string& store) {
    store::Record result = db.Select(command, file, "0 1");
    Rows rows;
    for (int i = 1; i <= result.DCount(); ++i)
        rows.emplace_back(result.Value(i, 1), result.Value(i, 2));
    if (rows != floor) {
        const std::string why = "le plancher ne donne pas les mêmes lignes que " + store;
        state.SkipWithError(why.c_str());
    }
    return rows == floor;
}

void SelectLoop(benchmark::State& state, store::Database& db, const std::string& command,
                const std::string& file) {
    int rows = 0;
    for (auto _ : state) {
        store::Record result = db.Select(command, file, "0 1");
        rows = result.DCount();
        benchmark::DoNotOptimize(result);
    }
    state.counters["rows"] = rows;
}

void ReadLoop(benchmark::State& state, store::Database& db) {
    auto file = db.OpenFile("PLANCOMPTABLE");
    std::size_t i = 0;
    for (auto _ : state) {
        store::Record r = file->Read(Samples()[i++ % Samples().size()]);
        benchmark::DoNotOptimize(r);
    }
}

void RewriteLoop(benchmark::State& state, store::Database& db) {
    auto file = db.OpenFile("PLANCOMPTABLE");
    store::Record r = file->Read(Samples()[0]);
    const std::string label = r.Value(1);
    AlternateLabel(state, label, [&](const std::string& text) {
        r.SetValue(1, text);
        r.DBWrite();
    });
}

void CounterLoop(benchmark::State& state, store::Database& db) {
    auto file = db.OpenFile("COMPTEUR");
    for (auto _ : state) {
        store::Record counter = file->ReadForUpdate(kCode);
        counter.SetValue(2, 1, std::to_string(std::stoi(counter.Value(2, 1)) + 1));
        counter.DBWrite();
    }
}

}  // namespace bench
