#pragma once
// One fuzz case for the command parser, the dump loader and the record-store shell: data runs as
// a command line, as JSON Lines and as a shell line against a small private database, inside a
// transaction that is rolled back. Engine errors are the expected outcome of bad input (the shell
// prints its own); anything else escapes to the caller.

#include <cstddef>
#include <cstdint>

namespace mvfuzz {

void RunCommandCase(const std::uint8_t* data, std::size_t size);

}  // namespace mvfuzz
