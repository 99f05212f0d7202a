#pragma once
// A record store that tools can administer, whatever engine holds it: the embedded file
// (local_database.h) or a PostgreSQL server (server_database.h). Beyond Database: commands with
// their rows, dump and load, the lock wait, bulk transactions and an index check.
//
// Errors are StoreError exceptions. Not thread-safe: one user-interface thread.

#include <chrono>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "database.h"
#include "platform/engine/command_host.h"

namespace store {

class BackendDatabase : public Database {
  public:
    // The file path or the connection string it was opened with.
    virtual std::string Location() const = 0;
    // How long ReadForUpdate waits for a record another holder keeps (default 5 s).
    virtual void SetLockWait(std::chrono::milliseconds wait) = 0;

    // Runs a command of the query language; a selection's records come in rows, in order, each
    // with the texts of columns. Malformed commands throw StoreError(CommandError).
    virtual mv::CommandOutput Run(const std::string& command,
                                  const std::vector<std::string>& columns = {}) = 0;
    // Names as the engine resolves them (for the headings of a listing).
    virtual mv::CommandHost& Names() = 0;

    // Writes the given files (all when empty) in JSON Lines (platform/engine/dump_format.h).
    // The history is not dumped.
    virtual void Dump(std::ostream& out, const std::vector<std::string>& files = {}) = 0;

    struct LoadOptions {
        // Whether records that exist with another text may be replaced.
        bool replace = false;
    };
    struct LoadResult {
        std::int64_t created = 0;    // records that did not exist
        std::int64_t replaced = 0;   // records that existed with another text
        std::int64_t unchanged = 0;  // records that existed with the same text, left untouched
        std::int64_t files = 0;      // files the load created
        std::int64_t indexes = 0;    // indexes the load created
    };
    // Loads JSON Lines in one transaction, each record written with its history entry under the
    // session's user name. Whenever it throws, nothing of the load is kept:
    //  - a bad line: StoreError(CommandError), or FileNotFound for an index line naming an
    //    unknown file, with the message beginning "Ligne n : ";
    //  - one file and id given twice: StoreError(CommandError) naming the duplicates with their
    //    line numbers;
    //  - records that exist with another text while options.replace is false:
    //    StoreError(RecordExists) saying how many and naming the first few.
    virtual LoadResult Load(std::istream& in, const LoadOptions& options) = 0;
    LoadResult Load(std::istream& in) { return Load(in, LoadOptions()); }

    // Index entries that do not match the records, as French lines; empty when all agree.
    virtual std::vector<std::string> VerifyIndexes() = 0;

    // One level of bulk transaction: rolled back by its destructor unless committed.
    class Scope {
      public:
        virtual ~Scope() = default;
        virtual void Commit() = 0;
    };
    virtual std::unique_ptr<Scope> BeginTransaction() = 0;
};

// Groups writes into one transaction, rolled back unless Commit is called: for loads and
// generated data, where one commit per record would be slow. Guards nest. Update locks released
// inside are dropped when the outermost guard ends.
class BulkTransaction {
  public:
    explicit BulkTransaction(BackendDatabase& database) : scope_(database.BeginTransaction()) {}
    void Commit() { scope_->Commit(); }

  private:
    std::unique_ptr<BackendDatabase::Scope> scope_;
};

}  // namespace store
