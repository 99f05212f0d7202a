// Peak memory of the shell running the accounting type-ahead on the large base, measured by
// peak_rss in a process of its own.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_data.h"

extern char** environ;

namespace {

std::string ProgramPath(const char* variable, const char* built) {
    if (const char* env = std::getenv(variable); env && *env)
        return env;
    return built;
}

#ifndef MERI_MVSH_PATH
#define MERI_MVSH_PATH ""
#endif

// Runs peak_rss on mvsh and returns the KiB it prints, or -1.
long PeakOfOneRun(const std::string& probe, std::vector<std::string> args) {
    args.insert(args.begin(), probe);
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    int out[2];
    if (pipe(out) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, probe.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    std::string text;
    char buffer[64];
    for (ssize_t n; spawned == 0 && (n = read(out[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<size_t>(n));
    close(out[0]);
    if (spawned != 0)
        return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || text.empty())
        return -1;
    return std::strtol(text.c_str(), nullptr, 10);
}

void BM_MvshTypeAheadPeakMemory(benchmark::State& state) {
    const std::string mvsh = ProgramPath("MERI_MVSH", MERI_MVSH_PATH);
    const std::string probe = ProgramPath("MERI_PEAK_RSS", MERI_PEAK_RSS_PATH);
    if (mvsh.empty() || !std::filesystem::exists(mvsh)) {
        state.SkipWithError("mvsh introuvable (MERI_MVSH)");
        return;
    }
    const std::string base = bench::LargeBase();
    const std::vector<std::string> args = {
        mvsh, "--db", base, "-c",
        "SSELECT PLANCOMPTABLE AVEC 1 = \"SUB]\" AND AVEC @ID = \"042]\" AND SANS 1 = \"\" PAR 1"};
    long peakKiB = 0;
    for (auto _ : state) {
        const long kib = PeakOfOneRun(probe, args);
        if (kib < 0) {
            state.SkipWithError("mvsh a échoué");
            return;
        }
        peakKiB = std::max(peakKiB, kib);
    }
    state.counters["peak_MiB"] = static_cast<double>(peakKiB) / 1024.0;
}
BENCHMARK(BM_MvshTypeAheadPeakMemory)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
