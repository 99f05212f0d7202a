// Peak memory of the shell running the accounting type-ahead on the large base: a child process
// per run, its maximum resident set read back from wait4.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
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

std::string MvshPath() {
    if (const char* env = std::getenv("MERI_MVSH"); env && *env)
        return env;
#ifdef MERI_MVSH_PATH
    return MERI_MVSH_PATH;
#else
    return {};
#endif
}

void BM_MvshTypeAheadPeakMemory(benchmark::State& state) {
    const std::string mvsh = MvshPath();
    if (mvsh.empty() || !std::filesystem::exists(mvsh)) {
        state.SkipWithError("mvsh introuvable (MERI_MVSH)");
        return;
    }
    const std::string base = bench::LargeBase();
    const std::string command =
        "SSELECT PLANCOMPTABLE AVEC 1 = \"SUB]\" AND AVEC @ID = \"042]\" AND SANS 1 = \"\" PAR 1";
    std::vector<std::string> args = {mvsh, "--db", base, "-c", command};
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    long peakKiB = 0;
    for (auto _ : state) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        pid_t pid = 0;
        const int spawned =
            posix_spawn(&pid, mvsh.c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (spawned != 0) {
            state.SkipWithError("mvsh n'a pas pu être lancé");
            return;
        }
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("mvsh a échoué");
            return;
        }
        peakKiB = std::max(peakKiB, usage.ru_maxrss);
    }
    state.counters["peak_MiB"] = static_cast<double>(peakKiB) / 1024.0;
}
BENCHMARK(BM_MvshTypeAheadPeakMemory)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
