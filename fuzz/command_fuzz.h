#pragma once
// One fuzz case for the command parser and the dump loader: data runs as a command line and as
// JSON Lines against a small private database, inside a transaction that is rolled back.
// Engine errors are the expected outcome of bad input; anything else escapes to the caller.

#include <cstddef>
#include <cstdint>

namespace mvfuzz {

void RunCommandCase(const std::uint8_t* data, std::size_t size);

}  // namespace mvfuzz
