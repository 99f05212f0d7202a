// The fuzzer's corpus, kept as regression cases: every input must end in an engine error or a
// result, never in a crash or another exception.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "fuzz/command_fuzz.h"

namespace {

TEST(FuzzCorpus, EveryCaseRunsCleanly) {
    std::vector<std::filesystem::path> cases;
    for (const auto& entry : std::filesystem::directory_iterator(FUZZ_CORPUS_DIR))
        cases.push_back(entry.path());
    ASSERT_GE(cases.size(), 20u);
    for (const auto& path : cases) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        std::string data = bytes.str();
        EXPECT_NO_THROW(
            mvfuzz::RunCommandCase(reinterpret_cast<const std::uint8_t*>(data.data()), data.size()))
            << path.filename();
    }
}

}  // namespace
