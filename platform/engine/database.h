#pragma once
// The embedded multivalue database: one SQLite file holds every file of a database, their
// dictionaries, records and secondary indexes.
//
// Durability: the file runs in WAL mode with synchronous=NORMAL and every write is one
// transaction. A process killed at any instant loses at most the write in flight and never
// damages the file; a power cut may also lose the last writes before it, never the file.
//
// Opening costs the same whatever the number of files: names are resolved on demand.
//
// History: every record created or removed through this class, and every write that changes one
// of its positions (loads included), adds one entry to the database's history in the same
// transaction: who (the history user), when (UTC seconds), the file, the id and the changed
// positions (see history.h). A write that fails leaves none. Nothing here changes or removes an
// entry; removing a file keeps its history under its name.
//
// A base this process may not write opens read-only: reads work, writes throw Error(Io). One
// made by an older version is brought to the current layout at opening (when it can be written).
// Not thread-safe: one object per thread; several processes may share one database file.

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

#include "catalog.h"
#include "command_host.h"
#include "dump_format.h"
#include "history.h"
#include "record_locks.h"
#include "sqlite.h"
#include "transaction.h"

namespace mv {

struct OpenOptions {
    // How long ReadForUpdate waits for another holder of a record's lock.
    std::chrono::milliseconds lockWait{5000};
    // Page cache cap, so that large scans run in bounded memory.
    int cacheKiB = 8192;
};

class Database final : public CommandHost {
  public:
    // Opens the database at path, creating an empty one when the file does not exist.
    // ":memory:" gives a private database with process-local locks.
    explicit Database(const std::string& path, OpenOptions options = {});
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const std::string& Path() const { return path_; }
    void SetLockWait(std::chrono::milliseconds wait) { options_.lockWait = wait; }

    // --- Files ---
    // "DICT  X" and "DICT X" are the same name.
    static std::string NormalizeName(std::string_view name) { return NormalizeFileName(name); }
    // Empty when name may be created, else the French reason.
    static std::string CheckNewFileName(std::string_view name) {
        return mv::CheckNewFileName(name);
    }
    std::optional<FileRef> FindFile(std::string_view name) override;
    // Creates name and its dictionary; false when name exists. sizes is recorded only.
    bool CreateFile(std::string_view name, std::string_view sizes) override;
    // Removes a file, its dictionary, records and indexes; false when it does not exist.
    bool DeleteFile(std::string_view name) override;
    std::vector<std::string> FileNames() override;

    // --- Records ---
    std::optional<std::string> Read(const FileRef& file, std::string_view id) override;
    std::vector<std::string> IdsIgnoringCase(const FileRef& file, std::string_view name) override;
    bool Exists(const FileRef& file, std::string_view id);
    // Writes (creating or replacing) and keeps the file's indexes current, in one transaction
    // with its history entry. A body equal to the stored one writes nothing.
    WriteResult Write(const FileRef& file, std::string_view id, std::string_view body);
    // As Write, but only when id does not exist: otherwise throws Error(RecordExists) and writes
    // nothing. The check and the write are one transaction, so of several processes creating one
    // id exactly one succeeds.
    void Create(const FileRef& file, std::string_view id, std::string_view body);
    // Removes a record (with its history entry); a missing id does nothing.
    void Delete(const FileRef& file, std::string_view id);
    std::int64_t Count(const FileRef& file);
    // Empty when id may be written, else the French reason.
    static std::string CheckId(std::string_view id) { return CheckRecordId(id); }

    // --- History ---
    // Who the entries name from now on (default: the account running the process).
    void SetHistoryUser(std::string user) { historyUser_ = std::move(user); }
    const std::string& HistoryUser() const { return historyUser_; }
    // Turns the recording of history off for this connection, for generated data only.
    void SetHistoryKept(bool kept) { historyKept_ = kept; }
    // The entries of a file (of one of its records when id is given), newest first. The file
    // need not exist any more; a name with no entry that is no file throws Error(FileNotFound).
    std::vector<HistoryEntry> History(std::string_view file,
                                      std::optional<std::string_view> id = std::nullopt);

    // --- Update locks (see record_locks.h) ---
    // Takes the update lock (waiting up to the lock wait, then Error(Locked)) and reads the
    // record; a missing record keeps no lock and gives nullopt.
    std::optional<std::string> ReadForUpdate(const FileRef& file, std::string_view id);
    // Drops the update lock, if held here. Inside a transaction the lock is dropped when the
    // outermost one ends, so that nobody reads the record before the write is visible.
    void Release(const FileRef& file, std::string_view id);

    // --- Indexes ---
    std::vector<IndexDef> Indexes(const FileRef& file) override;
    // Creates and fills an index on an attribute; false when that attribute has one already
    // (with the same id prefix).
    bool CreateIndex(const FileRef& file, std::string_view field, int location,
                     int idPrefix = 0) override;
    // Recomputes every entry of an index from the records.
    void BuildIndex(const FileRef& file, const IndexDef& index) override;
    bool DeleteIndex(const FileRef& file, int location, int idPrefix = 0) override;
    // Index entries that do not match the records, as French lines; empty when all agree.
    std::vector<std::string> VerifyIndexes();

    // --- Commands (see selection.h) ---
    // Runs a command as RunCommand does (command_host.h).
    CommandOutput Run(std::string_view text, const std::vector<std::string>& columns = {},
                      const RowSink* sink = nullptr) {
        return RunCommand(*this, text, columns, sink);
    }
    std::int64_t SelectRows(const Query& query, const std::vector<Field>& columns,
                            const RowSink& sink) override;
    std::int64_t CountRows(const Query& query) override;
    std::unique_ptr<Cache> ReadSnapshot() override;

    // --- Dump and load in JSON Lines (dump_load.h) ---
    // Writes files (every file when empty; unknown names throw Error(FileNotFound) before
    // anything is written).
    void Dump(std::ostream& out, const std::vector<std::string>& files = {});
    // Loads lines in one transaction, each record written with its history entry; whenever it
    // throws, nothing of the load is kept (see ReadDump).
    LoadCounts Load(std::istream& in, const LoadOptions& options = {});

    // --- Transactions ---
    // Groups writes: everything since the guard was made is rolled back unless Commit is
    // called. Guards nest (inner ones are savepoints); update locks released inside are dropped
    // when the outermost one ends.
    using Transaction = NestedTransaction<Database>;
    bool InTransaction() const { return depth_ > 0; }

    // Runs the statements of one read-only command on one snapshot: fewer lock round trips to
    // the shared WAL index, and a consistent view. Does nothing inside another transaction.
    class ReadTransaction {
      public:
        explicit ReadTransaction(Database& database);
        ~ReadTransaction();
        ReadTransaction(const ReadTransaction&) = delete;
        ReadTransaction& operator=(const ReadTransaction&) = delete;

      private:
        Database& db_;
        bool active_ = false;
    };

    // A prepared statement cached by its text, for the query engine.
    sql::Statement& Prepare(std::string_view text);
    sql::Connection& Connection() { return connection_; }

    // Files, indexes and dictionary items are cached between commands; the epoch changes
    // whenever that cache may be stale (a change here, or a commit by another process).
    std::uint64_t CatalogEpoch() override;
    std::unique_ptr<Cache>& FieldCache() override { return fieldCache_; }
    std::unique_ptr<Cache>& EstimateCache() { return estimateCache_; }

  private:
    void InitSchema();
    void Upgrade(std::int64_t version);
    void CheckAlive(const FileRef& file);
    WriteResult Store(const FileRef& file, std::string_view id, std::string_view body,
                      bool createOnly);
    void AddHistory(const FileRef& file, std::string_view id, std::string_view before,
                    std::string_view after, bool always);
    // A body is nullopt when the record does not exist (before a creation, after a removal).
    void UpdateIndexEntries(const FileRef& file, std::string_view id,
                            std::optional<std::string_view> oldBody,
                            std::optional<std::string_view> newBody);
    friend Transaction;
    int BeginLevel();
    void CommitLevel(int depth);
    void RollbackLevel(int depth);
    void EndLevel(int depth, bool committed);
    void Refresh();
    void Invalidate();

    std::string path_;
    OpenOptions options_;
    sql::Connection connection_;
    std::map<std::string, sql::Statement, std::less<>> statements_;
    RecordLocks locks_;
    std::string historyUser_;
    bool historyKept_ = true;
    bool historyTable_ = true;  // false on a read-only base of an older layout
    std::string changes_;       // the change set being written, kept for its capacity
    int depth_ = 0;
    std::vector<std::pair<std::string, std::string>> pendingUnlocks_;
    std::int64_t dataVersion_ = -1;
    bool snapshotChecked_ = false;  // Refresh done for the open read snapshot
    std::uint64_t epoch_ = 1;
    std::unordered_map<std::string, std::optional<FileRef>> fileCache_;
    std::unordered_map<std::int64_t, std::vector<IndexDef>> indexCache_;
    std::unique_ptr<Cache> fieldCache_;
    std::unique_ptr<Cache> estimateCache_;
};

}  // namespace mv
