#pragma once
// The record store on a PostgreSQL server (platform/server): a Database over one server
// database, shared by every workstation connected to it.
//
// Durability: every DBWrite is one server transaction; a lost connection or a killed program
// loses at most the write in flight, never half of it. A lost connection gives StoreError(IoError)
// with a French message for the call that met it; the next call connects again, and the update
// locks of the lost session are gone with it (the server dropped them). ReadForUpdate takes a
// lock every connection sees; it is dropped by DBWrite, Release, the end of the database object
// or of its connection. The change history is kept in the server database with the records,
// written in the same transaction as each write.
//
// The object owns its connection; files and records it hands out keep it alive. Not
// thread-safe: one user-interface thread.

#include <memory>
#include <string>

#include "backend_database.h"
#include "request_results.h"

namespace mv::server {
class Database;
}

namespace store {

class ServerDatabase : public BackendDatabase, public std::enable_shared_from_this<ServerDatabase> {
  public:
    explicit ServerDatabase(std::shared_ptr<mv::server::Database> engine);
    ~ServerDatabase() override;

    std::shared_ptr<File> OpenFile(const std::string& name) override;
    Record CallSubroutine(const std::string& routine, std::string& status,
                          const std::string& command) override;
    Record ExecuteRequest(const std::string& request, const std::string& options,
                          std::string& status) override;
    Record SelectRequest(const std::string& request, const std::string& options,
                         std::string& status) override;
    void SetUserName(const std::string& name) override;
    std::vector<HistoryEntry> History(const std::string& file, const std::string& id = {}) override;

    std::string Location() const override;
    void SetLockWait(std::chrono::milliseconds wait) override;
    mv::CommandOutput Run(const std::string& command,
                          const std::vector<std::string>& columns = {}) override;
    mv::CommandHost& Names() override;
    void Dump(std::ostream& out, const std::vector<std::string>& files = {}) override;
    using BackendDatabase::Load;
    LoadResult Load(std::istream& in, const LoadOptions& options) override;
    std::vector<std::string> VerifyIndexes() override;
    std::unique_ptr<Scope> BeginTransaction() override;

    // True when the server database held no file when connected (it was empty): it wants the
    // system's files.
    bool Fresh() const;
    mv::server::Database& Engine() { return *engine_; }

  private:
    CommandRunner Runner();

    std::shared_ptr<mv::server::Database> engine_;
};

// Connects to the server database a libpq connection string names ("postgresql://user@host/db",
// "postgres:///db?host=/run/postgresql"), preparing it when it is empty. Failure:
// StoreError(IoError) with the server's reason.
std::shared_ptr<ServerDatabase> OpenServerDatabase(const std::string& conninfo);

}  // namespace store
