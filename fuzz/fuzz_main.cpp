// libFuzzer entry point: fuzz/command_fuzzer fuzz/corpus
#include <cstddef>
#include <cstdint>

#include "command_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    mvfuzz::RunCommandCase(data, size);
    return 0;
}
