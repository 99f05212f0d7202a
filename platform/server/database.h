#pragma once
// A multivalue database on a PostgreSQL server (schema.h tells how it is stored): the same files,
// dictionaries, records, indexes and commands as the embedded engine, for several workstations
// on one server.
//
// Every write is one server transaction (or part of the caller's bulk Transaction): a lost
// connection or a killed program leaves the record either as it was or as written, never torn.
// Inside a Transaction each write is a savepoint of its own, so that a refused write undoes only
// itself, as on a file; a connection lost inside one loses all of it, and every later write of
// that Transaction, its Commit included, throws Error(Io) until the outermost guard ends.
// Selections are evaluated by the server (selection.h), through the indexes.
//
// ReadForUpdate's lock is a session advisory lock of the server, keyed by a hash of the file name
// and the id: every connection to the database sees it, and the server drops it with the session
// when a program dies or its connection is lost. A write or a release drops it when its
// transaction ends, so nobody reads the record before the write shows.
//
// Files, indexes and dictionary items are cached between commands; a selection reads the
// catalog's version in the same statement as its rows, and when another connection changed the
// catalog meanwhile the command is parsed and run again with fresh names. Errors are mv::Error
// exceptions with French messages. Not thread-safe: one object per thread; any number of
// objects and programs may share one database.

#include <chrono>
#include <cstdint>
#include <iosfwd>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/engine/command_host.h"
#include "platform/engine/dump_format.h"
#include "platform/engine/history.h"
#include "platform/engine/transaction.h"
#include "pq.h"

namespace mv::server {

class Database : public CommandHost {
  public:
    // Connects (conninfo: a libpq URI or key=value string) and prepares an empty database with
    // the schema. Failures throw Error(Io).
    explicit Database(const std::string& conninfo);
    ~Database() override;

    const std::string& ConnInfo() const { return connection_.ConnInfo(); }
    // True when the database held no file at connection (it was empty, or its preparation
    // failed): it wants the system's files.
    bool Empty() const { return empty_; }
    void SetLockWait(std::chrono::milliseconds wait) { lockWait_ = wait; }

    // --- Catalog and command host ---
    std::optional<FileRef> FindFile(std::string_view name) override;
    // As FindFile, asking the server whatever is cached.
    std::optional<FileRef> FindFileNow(std::string_view name);
    std::optional<std::string> Read(const FileRef& file, std::string_view id) override;
    std::vector<std::string> IdsIgnoringCase(const FileRef& file, std::string_view name) override;
    std::uint64_t CatalogEpoch() override { return epoch_; }
    std::unique_ptr<Cache>& FieldCache() override { return fieldCache_; }
    bool CreateFile(std::string_view name, std::string_view sizes) override;
    bool DeleteFile(std::string_view name) override;
    bool CreateIndex(const FileRef& file, std::string_view field, int location,
                     int idPrefix = 0) override;
    void BuildIndex(const FileRef& file, const IndexDef& index) override;
    bool DeleteIndex(const FileRef& file, int location, int idPrefix = 0) override;
    std::int64_t SelectRows(const Query& query, const std::vector<Field>& columns,
                            const RowSink& sink) override;
    std::int64_t CountRows(const Query& query) override;

    // Runs a command as RunCommand does (command_host.h), again with fresh names when the
    // catalog changed under it.
    CommandOutput Run(std::string_view text, const std::vector<std::string>& columns = {},
                      const RowSink* sink = nullptr);

    // --- Records ---
    std::vector<std::string> FileNames() override;
    std::vector<IndexDef> Indexes(const FileRef& file) override;
    // Takes the update lock (waiting up to the lock wait, then Error(Locked)) and reads the
    // record; a missing record keeps no lock and gives nullopt.
    std::optional<std::string> ReadForUpdate(const FileRef& file, std::string_view id);
    // Writes (creating or replacing) with its index entries and history entry, and drops the
    // update lock if held. A body equal to the stored one writes nothing.
    WriteResult Write(const FileRef& file, std::string_view id, std::string_view body);
    // As Write, only when id does not exist: otherwise throws Error(RecordExists), writes
    // nothing and keeps the update lock. The server decides, so of several sessions creating one
    // id exactly one succeeds.
    void Create(const FileRef& file, std::string_view id, std::string_view body);
    // Removes a record with its history entry (a missing id does nothing) and drops the update
    // lock if held.
    void Delete(const FileRef& file, std::string_view id);

    // --- History (the same entries as the embedded engine's) ---
    // Who the entries name from now on (default: the account running the process).
    void SetHistoryUser(std::string user) { user_ = std::move(user); }
    // The entries of a file (of one of its records when id is given), newest first. The file
    // need not exist any more; a name with no entry that is no file throws Error(FileNotFound).
    std::vector<HistoryEntry> History(std::string_view file,
                                      std::optional<std::string_view> id = std::nullopt);
    // Drops the update lock, if held here.
    void Release(const FileRef& file, std::string_view id);
    bool Exists(const FileRef& file, std::string_view id);
    std::int64_t Count(const FileRef& file);

    // --- Bulk work ---
    // Groups writes into one server transaction, rolled back unless Commit is called; guards
    // nest (inner ones are savepoints).
    using Transaction = NestedTransaction<Database>;

    // Dump and load in JSON Lines (platform/engine/dump_load.h), byte for byte as the embedded
    // engine writes and reads them. Load runs in one transaction and returns the records read.
    void Dump(std::ostream& out, const std::vector<std::string>& files = {});
    LoadCounts Load(std::istream& in, const LoadOptions& options = {});

    // Index entries that do not match the records, as French lines; empty when all agree.
    std::vector<std::string> VerifyIndexes();

    pq::Connection& Connection() { return connection_; }

  private:
    struct StaleCatalog {};

    void Invalidate();
    // Notes the catalog version a statement read; a change throws StaleCatalog.
    void CheckCatalog(std::int64_t version);
    // Connects again when the connection was lost, and then forgets what the lost session held:
    // locks, caches, and the open transaction (the guards left open are broken). Called before
    // anything relies on held_ or depth_.
    void AfterReconnect();
    // As AfterReconnect, for calls that write: throws inside a broken guard.
    void BeforeWrite();
    // True when the session this object's state belongs to is gone.
    bool SessionLost() const;
    // Runs a statement that may be refused: inside a Transaction, as a savepoint of its own, so
    // that the refusal undoes only this statement and not the server's whole transaction.
    pq::Result RunContained(std::string_view sql, const pq::Params& params);
    std::int64_t LockKey(const FileRef& file, std::string_view id) const;
    std::optional<std::int64_t> Held(const FileRef& file, std::string_view id) const;
    void Forget(const FileRef& file, std::string_view id);
    int Store(const FileRef& file, std::string_view id, std::string_view body, bool createOnly);
    friend Transaction;
    int BeginLevel();
    void CommitLevel(int depth);
    void RollbackLevel(int depth);
    void EndLevel(int depth, bool committed);

    pq::Connection connection_;
    bool empty_ = false;
    std::string user_;
    std::chrono::milliseconds lockWait_{5000};
    std::map<std::string, std::int64_t> held_;  // file + '\0' + id -> lock key
    int depth_ = 0;
    bool broken_ = false;  // the connection was lost inside the open guards
    std::uint64_t session_ = 0;
    std::uint64_t epoch_ = 1;
    std::int64_t catalogVersion_ = -1;
    std::unordered_map<std::string, FileRef> files_;
    std::unordered_map<std::int64_t, std::vector<IndexDef>> indexes_;
    std::unique_ptr<Cache> fieldCache_;
};

}  // namespace mv::server
