#pragma once
// Failures of the record store. Every record-store call that fails throws StoreError; the numeric
// code is what callers test (never the message, which is French and meant for the user).

#include <cstdint>
#include <stdexcept>
#include <string>

namespace store {

namespace ErrorCode {
inline constexpr std::uint32_t Failure = 0x80040001;       // anything not listed below
inline constexpr std::uint32_t IoError = 0x80040002;       // the database file failed or is damaged
inline constexpr std::uint32_t FileNotFound = 0x80040004;  // OpenFile on a file that does not exist
inline constexpr std::uint32_t CommandError = 0x80040007;  // malformed or unknown command
inline constexpr std::uint32_t RecordNotFound = 0x8004000B;  // Read of a missing id
inline constexpr std::uint32_t RecordLocked = 0x80040010;    // ReadForUpdate could not get the lock
inline constexpr std::uint32_t RecordExists = 0x80040013;    // the id exists (NewItem, Create)
inline constexpr std::uint32_t NotBound = 0x80040014;        // DBWrite of a record with no file
}  // namespace ErrorCode

class StoreError : public std::runtime_error {
  public:
    StoreError(std::uint32_t code, const std::string& message)
        : std::runtime_error(message), code_(code) {}
    std::uint32_t code() const noexcept { return code_; }

  private:
    std::uint32_t code_;
};

}  // namespace store
