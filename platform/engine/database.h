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
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "history.h"
#include "record_locks.h"
#include "sqlite.h"

namespace mv {

// A file as resolved from its name.
struct FileRef {
    std::int64_t id = 0;
    std::string name;  // "ASSOCIATION" or "DICT ASSOCIATION"
    bool isDict = false;
    std::int64_t dataId = 0;  // the data file: itself, or the file a dictionary describes
    std::string DataName() const { return isDict ? name.substr(5) : name; }
    std::string DictName() const { return isDict ? name : "DICT " + name; }
};

// A secondary index: one entry per value and subvalue of an attribute. With an id prefix of n
// characters, entries are grouped by the first n characters of the id before the value, so that
// "id begins with P and value begins with Q" reads only the matching entries (ids made of a
// parent code and an own code: accounts of one association).
struct IndexDef {
    std::int64_t id = 0;
    std::string field;  // the name it was created under
    int location = 0;   // attribute number
    int idPrefix = 0;   // 0: not grouped by id

    // The entries of one record: (key, pos), pos as in IndexKeys.
    std::vector<std::pair<std::string, int>> Entries(std::string_view recordId,
                                                     std::string_view body) const;
    // What every key of the record's group begins with (empty when not grouped).
    std::string GroupOf(std::string_view recordId) const;
};

// One entry of the history, as History gives it.
struct HistoryEntry {
    // Microseconds since 1970-01-01 UTC when written, and always above the record's previous
    // entry: a record's entries never tie, entries of different records follow the clock.
    std::int64_t sequence = 0;
    std::string user;
    std::int64_t time = 0;  // seconds since 1970-01-01 UTC
    std::string file, id;
    std::vector<history::Change> changes;
};

// What a write did.
enum class WriteResult { Created, Replaced, Unchanged };

struct OpenOptions {
    // How long ReadForUpdate waits for another holder of a record's lock.
    std::chrono::milliseconds lockWait{5000};
    // Page cache cap, so that large scans run in bounded memory.
    int cacheKiB = 8192;
};

class Database {
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
    static std::string NormalizeName(std::string_view name);
    // Empty when name may be created, else the French reason.
    static std::string CheckNewFileName(std::string_view name);
    std::optional<FileRef> FindFile(std::string_view name);
    // As FindFile; a missing file throws Error(FileNotFound).
    FileRef RequireFile(std::string_view name);
    // Creates name and its dictionary; false when name exists. sizes is recorded only.
    bool CreateFile(std::string_view name, std::string_view sizes);
    // Removes a file, its dictionary, records and indexes; false when it does not exist.
    bool DeleteFile(std::string_view name);
    // Every file name, dictionaries included, sorted by bytes.
    std::vector<std::string> FileNames();

    // --- Records ---
    std::optional<std::string> Read(const FileRef& file, std::string_view id);
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
    static std::string CheckId(std::string_view id);

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
    void Lock(const FileRef& file, std::string_view id);
    // Inside a transaction the lock is dropped when the outermost one ends, so that nobody
    // reads the record before the write is visible.
    void Unlock(const FileRef& file, std::string_view id);

    // --- Indexes ---
    std::vector<IndexDef> Indexes(const FileRef& file);
    std::optional<IndexDef> IndexAt(const FileRef& file, int location, int idPrefix = 0);
    // Creates and fills an index on an attribute; false when that attribute has one already
    // (with the same id prefix).
    bool CreateIndex(const FileRef& file, std::string_view field, int location, int idPrefix = 0);
    // Recomputes every entry of an index from the records.
    void BuildIndex(const FileRef& file, const IndexDef& index);
    bool DeleteIndex(const FileRef& file, int location, int idPrefix = 0);
    // Index entries that do not match the records, as French lines; empty when all agree.
    std::vector<std::string> VerifyIndexes();

    // --- Transactions ---
    // Groups writes: everything since the guard was made is rolled back unless Commit is
    // called. Guards nest (inner ones are savepoints).
    class Transaction {
      public:
        explicit Transaction(Database& database);
        ~Transaction();
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;
        void Commit();

      private:
        Database& db_;
        int depth_;
        bool done_ = false;
    };
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
    std::uint64_t CatalogEpoch();
    struct Cache {
        virtual ~Cache() = default;
    };
    std::unique_ptr<Cache>& FieldCache() { return fieldCache_; }
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
    void EndTransaction(bool commit);
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

// The entries an index holds for one attribute: (key, pos) with pos 0 when the key is the whole
// attribute, 1 for the first of several values, 2 for a later one. Duplicates are left out.
std::vector<std::pair<std::string, int>> IndexKeys(std::string_view attribute);

}  // namespace mv
