#pragma once
// The cases both record-store benchmarks run, whichever backend holds the large base: the
// commands looked up, the store's side of each case, and the check that a floor answers what the
// store answers. Each benchmark keeps its own floor (plain tables on SQLite or on the server).

#include <benchmark/benchmark.h>

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "store/database.h"

namespace bench {

// The association the lookups work in, and the label prefix the type-ahead types.
extern const std::string kCode;
extern const std::string kPrefix;

extern const std::string kTypeAhead;
extern const std::string kActivityList;
extern const std::string kSigleList;

// Rows as a selection gives them: id and one field.
using Rows = std::vector<std::pair<std::string, std::string>>;

// The first text after every text beginning with prefix.
std::string Next(const std::string& prefix);

// Lookups in milliseconds, single records in microseconds; medians of 5 repetitions.
void Lookup(benchmark::internal::Benchmark* b);
void Single(benchmark::internal::Benchmark* b);

// Account ids spread over the large base, always the same.
const std::vector<std::string>& Samples();

// A floor that answers something else than the store measures nothing: checked once per run,
// the case failing otherwise ("le plancher ne donne pas les mêmes lignes que <store>").
bool SameRows(benchmark::State& state, store::Database& db, const Rows& floor,
              const std::string& command, const std::string& file, const std::string& store);

// The store's side of each case.
void SelectLoop(benchmark::State& state, store::Database& db, const std::string& command,
                const std::string& file);
void ReadLoop(benchmark::State& state, store::Database& db);
// An account's label written again and again (AlternateLabel).
void RewriteLoop(benchmark::State& state, store::Database& db);
// A new activity's number: its association's counter read for update, incremented, written.
void CounterLoop(benchmark::State& state, store::Database& db);

// Calls write with label changed, then as it was, and so on, ending with it as it was: the base
// stays as it was.
template <typename WriteFn>
void AlternateLabel(benchmark::State& state, const std::string& label, WriteFn&& write) {
    bool changed = false;
    for (auto _ : state) {
        changed = !changed;
        write(changed ? label + " MODIFIE" : label);
    }
    if (changed)
        write(label);
}

template <typename Query>
void FloorLookup(benchmark::State& state, store::Database& db, Query query,
                 const std::string& command, const std::string& file, const std::string& store) {
    if (!SameRows(state, db, query(), command, file, store))
        return;
    std::size_t rows = 0;
    for (auto _ : state) {
        Rows result = query();
        rows = result.size();
        benchmark::DoNotOptimize(result);
    }
    state.counters["rows"] = static_cast<double>(rows);
}

}  // namespace bench
