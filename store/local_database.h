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
// lock wait (see backend_database.h). Not thread-safe: one user-interface thread.

#include <memory>
#include <string>

#include "engine_backend.h"

namespace mv {
class Database;
}

namespace store {

class LocalDatabase : public EngineBackend<mv::Database> {
  public:
    explicit LocalDatabase(std::shared_ptr<mv::Database> engine);
    ~LocalDatabase() override;

    std::shared_ptr<File> OpenFile(const std::string& name) override;

    const std::string& Path() const;
    std::string Location() const override;

    // Groups writes into one transaction, rolled back unless Commit is called: for loads and
    // generated data, where one commit per record would be slow. Update locks released inside
    // are dropped when the outermost guard ends.
    using Transaction = BulkTransaction;
};

// Opens the database at path, creating an empty one when the file does not exist.
// A file that cannot be opened or is not a database throws StoreError(IoError).
std::shared_ptr<LocalDatabase> OpenLocalDatabase(const std::string& path);

}  // namespace store
