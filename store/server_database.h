#pragma once
// The record store on a PostgreSQL server (platform/server): a Database over one server
// database, shared by every workstation connected to it.
//
// Durability: every DBWrite is one server transaction; a lost connection or a killed program
// loses at most the write in flight, never half of it. A lost connection gives StoreError(IoError)
// with a French message for the call that met it; the next call connects again, and the update
// locks of the lost session are gone with it (the server dropped them). ReadForUpdate takes a
// lock every connection sees; it is dropped by DBWrite, Release, the end of the database object
// or of its connection: a ReadForUpdate made again after a lost connection locks anew. The
// change history is kept in the server database with the records, written in the same
// transaction as each write.
//
// Inside a BulkTransaction a refused write (DBCreate of an existing id, a file gone) undoes only
// itself, as on a file. A connection lost inside one loses the whole transaction; every later
// write of it, and its Commit, throws StoreError(IoError) rather than writing on its own.
//
// The object owns its connection; files and records it hands out keep it alive. Not
// thread-safe: one user-interface thread.

#include <memory>
#include <string>

#include "engine_backend.h"

namespace mv::server {
class Database;
}

namespace store {

class ServerDatabase : public EngineBackend<mv::server::Database> {
  public:
    explicit ServerDatabase(std::shared_ptr<mv::server::Database> engine);
    ~ServerDatabase() override;

    // Asks the server, whatever is cached: another workstation may have removed the file.
    std::shared_ptr<File> OpenFile(const std::string& name) override;
    std::string Location() const override;

    // True when the server database held no file when connected (it was empty): it wants the
    // system's files.
    bool Fresh() const;
};

// Connects to the server database a libpq connection string names ("postgresql://user@host/db",
// "postgres:///db?host=/run/postgresql"), preparing it when it is empty. Failure:
// StoreError(IoError) with the server's reason.
std::shared_ptr<ServerDatabase> OpenServerDatabase(const std::string& conninfo);

}  // namespace store
