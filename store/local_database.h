#pragma once
// The record store on the embedded engine (platform/engine): a Database over one local database
// file, shared safely by several processes.
//
// Durability: every DBWrite is one transaction of a WAL-journaled file (synchronous=NORMAL); a
// process killed at any instant loses at most the write in flight and never damages the file.
// ReadForUpdate takes a lock that other processes see; it is dropped by DBWrite, Release, the
// end of the database object, or the death of the process.
//
// History (see history.h) is kept in the base file with the records. The user name defaults to
// the system account running the process.
//
// Beyond Database: a transaction guard for bulk work, dump and load in JSON Lines, and the
// lock wait. Not thread-safe: one user-interface thread.

#include <chrono>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "backend_database.h"
#include "request_results.h"

namespace mv {
class Database;
}

namespace store {

class LocalDatabase : public BackendDatabase, public std::enable_shared_from_this<LocalDatabase> {
  public:
    explicit LocalDatabase(std::shared_ptr<mv::Database> engine);
    ~LocalDatabase() override;

    std::shared_ptr<File> OpenFile(const std::string& name) override;
    Record CallSubroutine(const std::string& routine, std::string& status,
                          const std::string& command) override;
    Record ExecuteRequest(const std::string& request, const std::string& options,
                          std::string& status) override;
    Record SelectRequest(const std::string& request, const std::string& options,
                         std::string& status) override;
    void SetUserName(const std::string& name) override;
    std::vector<HistoryEntry> History(const std::string& file, const std::string& id = {}) override;

    const std::string& Path() const;
    std::string Location() const override;
    // How long ReadForUpdate waits for a record another process holds (default 5 s).
    void SetLockWait(std::chrono::milliseconds wait) override;
    mv::CommandOutput Run(const std::string& command,
                          const std::vector<std::string>& columns = {}) override;
    mv::CommandHost& Names() override;
    std::vector<std::string> VerifyIndexes() override;
    std::unique_ptr<Scope> BeginTransaction() override;

    // Groups writes into one transaction, rolled back unless Commit is called: for loads and
    // generated data, where one commit per record would be slow. Update locks released inside
    // are dropped when the outermost guard ends.
    class Transaction {
      public:
        explicit Transaction(LocalDatabase& database);
        ~Transaction();
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;
        void Commit();

      private:
        struct Impl;
        std::unique_ptr<Impl> impl_;
    };

    // Writes the given files (all when empty) in JSON Lines; see platform/engine/jsonl.h. The
    // history is not dumped.
    void Dump(std::ostream& out, const std::vector<std::string>& files = {}) override;
    // Each record is written with its history entry under the session's user name.
    using BackendDatabase::Load;
    LoadResult Load(std::istream& in, const LoadOptions& options) override;

    // The engine, for the shell.
    mv::Database& Engine() { return *engine_; }

  private:
    CommandRunner Runner();

    std::shared_ptr<mv::Database> engine_;
};

// Opens the database at path, creating an empty one when the file does not exist.
// A file that cannot be opened or is not a database throws StoreError(IoError).
std::shared_ptr<LocalDatabase> OpenLocalDatabase(const std::string& path);

}  // namespace store
