#pragma once
// Update locks on records, held across processes.
//
// Each lock is one byte of a sidecar file (the database path + "-locks") locked with an
// open-file-description lock (F_OFD_SETLK): the kernel drops it when the descriptor is closed or
// the process dies, so a crashed workstation never leaves a record locked. The byte offset is a
// hash of (file name, id) modulo 2^40; two records sharing a byte only make one wait for the other.
// Without a sidecar path (private in-memory database) locks are tracked in the process only.
//
// The sidecar takes the database file's permission bits and group (and, for root, its owner),
// as SQLite does for its journal files: whoever may write the base may lock its records. A
// sidecar this process can neither create nor write (a read-only folder or base) leaves the
// base readable; only Acquire then fails.

#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace mv {

class RecordLocks {
  public:
    // databasePath: the base the locks belong to; empty or ":memory:" for process-local locks.
    explicit RecordLocks(const std::string& databasePath);
    ~RecordLocks();
    RecordLocks(const RecordLocks&) = delete;
    RecordLocks& operator=(const RecordLocks&) = delete;

    static std::string SidecarPath(const std::string& databasePath);

    // Takes the lock, polling until wait has passed; then throws Error(Locked) naming the record.
    // Taking a lock this object already holds succeeds at once. Without a usable sidecar it
    // throws Error(Io) saying why.
    void Acquire(std::string_view file, std::string_view id, std::chrono::milliseconds wait);
    // Drops the lock if held here; otherwise does nothing.
    void Release(std::string_view file, std::string_view id);
    bool Holds(std::string_view file, std::string_view id) const;

    static std::uint64_t Offset(std::string_view file, std::string_view id);

  private:
    bool TryLock(std::uint64_t offset);
    void Unlock(std::uint64_t offset);

    int fd_ = -1;
    std::string unusable_;  // why the sidecar could not be opened for writing, when it could not
    std::map<std::string, std::uint64_t> held_;   // file + '\0' + id -> byte
    std::map<std::uint64_t, int> holdersOfByte_;  // a byte shared by two held records
};

}  // namespace mv
