#include "database.h"

#include <algorithm>
#include <chrono>
#include <set>

#include "dump_load.h"
#include "error.h"
#include "locked_read.h"
#include "selection.h"
#include "text.h"
#include "transaction.h"

namespace mv {
namespace {

constexpr std::int64_t kApplicationId = 0x4D564442;  // "MVDB"
constexpr int kSchemaVersion = 3;

constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS files(
    file_id INTEGER PRIMARY KEY AUTOINCREMENT,
    name TEXT NOT NULL UNIQUE,
    dict_of INTEGER,
    sizes TEXT NOT NULL DEFAULT '');
CREATE TABLE IF NOT EXISTS records(
    file_id INTEGER NOT NULL,
    id BLOB NOT NULL,
    body BLOB NOT NULL,
    PRIMARY KEY(file_id, id)) WITHOUT ROWID;
CREATE TABLE IF NOT EXISTS indexes(
    index_id INTEGER PRIMARY KEY AUTOINCREMENT,
    file_id INTEGER NOT NULL,
    field TEXT NOT NULL,
    location INTEGER NOT NULL,
    id_prefix INTEGER NOT NULL DEFAULT 0,
    UNIQUE(file_id, location, id_prefix));
CREATE TABLE IF NOT EXISTS index_entries(
    index_id INTEGER NOT NULL,
    key BLOB NOT NULL,
    id BLOB NOT NULL,
    pos INTEGER NOT NULL,
    PRIMARY KEY(index_id, key, id)) WITHOUT ROWID;
CREATE TABLE IF NOT EXISTS history(
    file TEXT NOT NULL,
    id BLOB NOT NULL,
    sequence INTEGER NOT NULL,
    user_name TEXT NOT NULL,
    changes BLOB NOT NULL,
    PRIMARY KEY(file, id, sequence)) WITHOUT ROWID;
)sql";

// Version 1 had no id prefix on indexes: its table is set aside, the schema makes the new one.
// Version 2 had no history: the schema adds it.
constexpr const char* kCopyFrom1 = R"sql(
INSERT INTO indexes(index_id, file_id, field, location)
    SELECT index_id, file_id, field, location FROM indexes_v1;
DROP TABLE indexes_v1;
)sql";

// The integer a one-row query gives, 0 when it gives no row.
std::int64_t QueryInt(sql::Connection& connection, std::string_view query) {
    sql::Statement s(connection, query);
    sql::Use use(s);
    return s.Step() ? s.Int(0) : 0;
}

}  // namespace

Database::Database(const std::string& path, OpenOptions options)
    : path_(path), options_(options), connection_(path), locks_(path), historyUser_(AccountName()) {
    sqlite3_busy_timeout(connection_.Handle(), 10000);
    InitSchema();
}

Database::~Database() {
    statements_.clear();
    if (depth_ > 0) {
        try {
            connection_.Exec("ROLLBACK");
        } catch (const std::exception&) {
        }
    }
}

void Database::InitSchema() {
    const bool readOnly = connection_.ReadOnly();
    if (!readOnly)
        connection_.Exec("PRAGMA journal_mode=WAL");
    connection_.Exec("PRAGMA synchronous=NORMAL");
    // A bulk load leaves a large journal behind; keep it from holding the disk afterwards.
    connection_.Exec("PRAGMA journal_size_limit=67108864");
    connection_.Exec("PRAGMA cache_size=-" + std::to_string(options_.cacheKiB));
    if (QueryInt(connection_, "PRAGMA application_id") == kApplicationId) {
        std::int64_t version = QueryInt(connection_, "PRAGMA user_version");
        if (version == kSchemaVersion)
            return;
        if (version < 1 || version > kSchemaVersion) {
            throw Error(ErrorKind::Io, "La base de données " + path_ +
                                           " a été créée par une autre version du programme.");
        }
        if (readOnly && version == 2) {
            historyTable_ = false;  // readable as it is; nothing can be written anyway
            return;
        }
        if (readOnly) {
            throw Error(ErrorKind::Io, "La base de données " + path_ +
                                           " est d'une version antérieure et en lecture seule : "
                                           "elle doit être ouverte une fois en écriture.");
        }
        WithTransaction(connection_, "BEGIN IMMEDIATE", [&] {
            // Another process may have upgraded it while we waited.
            Upgrade(QueryInt(connection_, "PRAGMA user_version"));
        });
        return;
    }
    WithTransaction(connection_, "BEGIN IMMEDIATE", [&] {
        // A concurrent creator may have finished while we waited for the write lock.
        if (QueryInt(connection_, "PRAGMA application_id") == kApplicationId)
            return;
        if (QueryInt(connection_,
                     "SELECT count(*) FROM sqlite_master WHERE name NOT LIKE 'sqlite_%'") > 0) {
            throw Error(ErrorKind::Io,
                        "Le fichier " + path_ + " n'est pas une base de données de ce système.");
        }
        connection_.Exec(kSchema);
        connection_.Exec("PRAGMA application_id=" + std::to_string(kApplicationId));
        connection_.Exec("PRAGMA user_version=" + std::to_string(kSchemaVersion));
    });
}

void Database::Upgrade(std::int64_t version) {
    if (version >= kSchemaVersion)
        return;
    if (version == 1)
        connection_.Exec("ALTER TABLE indexes RENAME TO indexes_v1");
    connection_.Exec(kSchema);
    if (version == 1)
        connection_.Exec(kCopyFrom1);
    connection_.Exec("PRAGMA user_version=" + std::to_string(kSchemaVersion));
}

sql::Statement& Database::Prepare(std::string_view text) {
    auto it = statements_.find(text);
    if (it == statements_.end())
        it = statements_.emplace(std::string(text), sql::Statement(connection_, text)).first;
    return it->second;
}

// --- Files ---

std::optional<FileRef> Database::FindFile(std::string_view rawName) {
    Refresh();
    std::string name = NormalizeName(rawName);
    if (auto it = fileCache_.find(name); it != fileCache_.end())
        return it->second;
    std::optional<FileRef> found;
    {
        sql::Statement& s = Prepare("SELECT file_id, dict_of FROM files WHERE name = ?1");
        sql::Use use(s);
        s.BindText(1, name);
        if (s.Step()) {
            FileRef file;
            file.id = s.Int(0);
            file.name = name;
            file.isDict = !s.IsNull(1);
            file.dataId = file.isDict ? s.Int(1) : file.id;
            found = std::move(file);
        }
    }
    // Files are many; keep only a bounded number of names.
    if (fileCache_.size() > 4096)
        fileCache_.clear();
    fileCache_.emplace(std::move(name), found);
    return found;
}

void Database::Refresh() {
    if (snapshotChecked_)
        return;
    // The pragma reads the current state, where the file-control value may lag by a command.
    sql::Statement& s = Prepare("PRAGMA data_version");
    std::int64_t version = 0;
    {
        sql::Use use(s);
        if (s.Step())
            version = s.Int(0);
    }
    if (version != dataVersion_) {
        dataVersion_ = version;
        Invalidate();
    }
}

void Database::Invalidate() {
    ++epoch_;
    fileCache_.clear();
    indexCache_.clear();
    fieldCache_.reset();
    estimateCache_.reset();
}

std::uint64_t Database::CatalogEpoch() {
    Refresh();
    return epoch_;
}

bool Database::CreateFile(std::string_view rawName, std::string_view sizes) {
    std::string name = NormalizeName(rawName);
    if (std::string why = CheckNewFileName(name); !why.empty())
        throw Error(ErrorKind::Command, why);
    Transaction t(*this);
    if (FindFile(name))
        return false;
    sql::Statement& insert = Prepare("INSERT INTO files(name, dict_of, sizes) VALUES (?1, ?2, ?3)");
    {
        sql::Use use(insert);
        insert.BindText(1, name).BindNull(2).BindText(3, sizes);
        insert.Step();
    }
    std::int64_t id = sqlite3_last_insert_rowid(connection_.Handle());
    Invalidate();
    {
        sql::Use use(insert);
        insert.BindText(1, "DICT " + name).Bind(2, id).BindText(3, sizes);
        insert.Step();
    }
    t.Commit();
    return true;
}

bool Database::DeleteFile(std::string_view rawName) {
    Transaction t(*this);
    auto file = FindFile(rawName);
    if (!file)
        return false;
    std::int64_t dataId = file->dataId;
    auto run = [&](const char* sqlText) {
        sql::Statement& s = Prepare(sqlText);
        sql::Use use(s);
        s.Bind(1, dataId);
        s.Step();
    };
    run("DELETE FROM index_entries WHERE index_id IN "
        "(SELECT index_id FROM indexes WHERE file_id = ?1 OR file_id IN "
        "(SELECT file_id FROM files WHERE dict_of = ?1))");
    run("DELETE FROM indexes WHERE file_id = ?1 OR file_id IN "
        "(SELECT file_id FROM files WHERE dict_of = ?1)");
    run("DELETE FROM records WHERE file_id = ?1 OR file_id IN "
        "(SELECT file_id FROM files WHERE dict_of = ?1)");
    run("DELETE FROM files WHERE file_id = ?1 OR dict_of = ?1");
    Invalidate();
    t.Commit();
    return true;
}

std::vector<std::string> Database::FileNames() {
    std::vector<std::string> names;
    sql::Statement& s = Prepare("SELECT name FROM files ORDER BY name");
    sql::Use use(s);
    while (s.Step())
        names.push_back(s.String(0));
    return names;
}

void Database::CheckAlive(const FileRef& file) {
    sql::Statement& s = Prepare("SELECT 1 FROM files WHERE file_id = ?1");
    sql::Use use(s);
    s.Bind(1, file.id);
    if (!s.Step()) {
        throw Error(ErrorKind::FileNotFound,
                    "Le fichier " + text::Printable(file.name) + " n'existe plus.");
    }
}

// --- Records ---

std::optional<std::string> Database::Read(const FileRef& file, std::string_view id) {
    sql::Statement& s = Prepare("SELECT body FROM records WHERE file_id = ?1 AND id = ?2");
    sql::Use use(s);
    s.Bind(1, file.id).Bind(2, id);
    if (!s.Step())
        return std::nullopt;
    return s.String(0);
}

std::vector<std::string> Database::IdsIgnoringCase(const FileRef& file, std::string_view name) {
    std::vector<std::string> matches;
    sql::Statement& s = Prepare("SELECT id FROM records WHERE file_id = ?1");
    sql::Use use(s);
    s.Bind(1, file.id);
    while (s.Step()) {
        if (text::EqualsNoCase(s.Bytes(0), name))
            matches.push_back(s.String(0));
    }
    return matches;
}

bool Database::Exists(const FileRef& file, std::string_view id) {
    sql::Statement& s = Prepare("SELECT 1 FROM records WHERE file_id = ?1 AND id = ?2");
    sql::Use use(s);
    s.Bind(1, file.id).Bind(2, id);
    return s.Step();
}

WriteResult Database::Write(const FileRef& file, std::string_view id, std::string_view body) {
    return Store(file, id, body, false);
}

void Database::Create(const FileRef& file, std::string_view id, std::string_view body) {
    Store(file, id, body, true);
}

WriteResult Database::Store(const FileRef& file, std::string_view id, std::string_view body,
                            bool createOnly) {
    RequireRecordId(id);
    Transaction t(*this);
    Refresh();  // holding the write lock: the cached indexes are now exact
    CheckAlive(file);
    std::optional<std::string> old = Read(file, id);
    if (old && createOnly) {
        throw Error(ErrorKind::RecordExists, "L'enregistrement " + text::Printable(id) +
                                                 " existe déjà dans le fichier " +
                                                 text::Printable(file.name) + ".");
    }
    if (old && *old == body) {
        t.Commit();
        return WriteResult::Unchanged;
    }
    {
        sql::Statement& s =
            Prepare(old ? "UPDATE records SET body = ?3 WHERE file_id = ?1 AND id = ?2"
                        : "INSERT INTO records(file_id, id, body) VALUES (?1, ?2, ?3)");
        sql::Use use(s);
        s.Bind(1, file.id).Bind(2, id).Bind(3, body);
        s.Step();
    }
    UpdateIndexEntries(file, id, old, body);
    AddHistory(file, id, old ? std::string_view(*old) : std::string_view(), body, !old);
    if (file.isDict)
        Invalidate();
    t.Commit();
    return old ? WriteResult::Replaced : WriteResult::Created;
}

void Database::Delete(const FileRef& file, std::string_view id) {
    Transaction t(*this);
    Refresh();
    std::optional<std::string> old = Read(file, id);
    if (!old)
        return;
    {
        sql::Statement& s = Prepare("DELETE FROM records WHERE file_id = ?1 AND id = ?2");
        sql::Use use(s);
        s.Bind(1, file.id).Bind(2, id);
        s.Step();
    }
    UpdateIndexEntries(file, id, old, std::nullopt);
    AddHistory(file, id, *old, {}, true);
    if (file.isDict)
        Invalidate();
    t.Commit();
}

// --- History ---

void Database::AddHistory(const FileRef& file, std::string_view id, std::string_view before,
                          std::string_view after, bool always) {
    if (!historyKept_)
        return;
    changes_.clear();
    if (history::AppendChanges(changes_, before, after) == 0 && !always)
        return;
    // One B-tree keyed by record: a write adds a single page to its commit. The sequence is the
    // time in microseconds, kept above the record's previous entry whatever the clock does.
    std::int64_t sequence = std::chrono::duration_cast<std::chrono::microseconds>(
                                std::chrono::system_clock::now().time_since_epoch())
                                .count();
    {
        sql::Statement& last = Prepare(
            "SELECT sequence FROM history WHERE file = ?1 AND id = ?2 ORDER BY sequence DESC "
            "LIMIT 1");
        sql::Use use(last);
        last.BindText(1, file.name).Bind(2, id);
        if (last.Step())
            sequence = std::max(sequence, last.Int(0) + 1);
    }
    sql::Statement& s = Prepare(
        "INSERT INTO history(file, id, sequence, user_name, changes) VALUES (?1, ?2, ?3, ?4, ?5)");
    sql::Use use(s);
    s.BindText(1, file.name).Bind(2, id).Bind(3, sequence);
    s.BindText(4, historyUser_).Bind(5, changes_);
    s.Step();
}

std::vector<HistoryEntry> Database::History(std::string_view rawFile,
                                            std::optional<std::string_view> id) {
    const std::string file = NormalizeName(rawFile);
    std::vector<HistoryEntry> entries;
    if (historyTable_) {
        sql::Statement& s =
            Prepare(id ? "SELECT sequence, user_name, id, changes FROM history WHERE file = ?1 "
                         "AND id = ?2 ORDER BY sequence DESC"
                       : "SELECT sequence, user_name, id, changes FROM history WHERE file = ?1 "
                         "ORDER BY sequence DESC, id");
        sql::Use use(s);
        s.BindText(1, file);
        if (id)
            s.Bind(2, *id);
        while (s.Step()) {
            const std::int64_t sequence = s.Int(0);
            entries.push_back({sequence, s.String(1), sequence / 1000000, file, s.String(2),
                               history::DecodeChanges(s.Bytes(3))});
        }
    }
    if (entries.empty())
        RequireFile(file);  // a name that never was a file
    return entries;
}

void Database::UpdateIndexEntries(const FileRef& file, std::string_view id,
                                  std::optional<std::string_view> oldBody,
                                  std::optional<std::string_view> newBody) {
    std::vector<IndexDef> indexes = Indexes(file);
    if (indexes.empty())
        return;
    sql::Statement& remove =
        Prepare("DELETE FROM index_entries WHERE index_id = ?1 AND key = ?2 AND id = ?3");
    sql::Statement& insert = Prepare(
        "INSERT OR REPLACE INTO index_entries(index_id, key, id, pos) VALUES (?1, ?2, ?3, ?4)");
    using Entries = std::vector<std::pair<std::string, int>>;
    for (const IndexDef& index : indexes) {
        Entries oldKeys = oldBody ? index.Entries(id, *oldBody) : Entries();
        Entries newKeys = newBody ? index.Entries(id, *newBody) : Entries();
        if (oldKeys == newKeys)
            continue;
        for (const auto& [key, pos] : oldKeys) {
            sql::Use use(remove);
            remove.Bind(1, index.id).Bind(2, key).Bind(3, id);
            remove.Step();
        }
        for (const auto& [key, pos] : newKeys) {
            sql::Use use(insert);
            insert.Bind(1, index.id).Bind(2, key).Bind(3, id).Bind(4, std::int64_t{pos});
            insert.Step();
        }
    }
}

std::int64_t Database::Count(const FileRef& file) {
    sql::Statement& s = Prepare("SELECT count(*) FROM records WHERE file_id = ?1");
    sql::Use use(s);
    s.Bind(1, file.id);
    return s.Step() ? s.Int(0) : 0;
}

// --- Locks ---

std::optional<std::string> Database::ReadForUpdate(const FileRef& file, std::string_view id) {
    locks_.Acquire(file.name, id, options_.lockWait);
    return ReadLocked(*this, file, id);
}

void Database::Release(const FileRef& file, std::string_view id) {
    if (depth_ > 0) {
        if (locks_.Holds(file.name, id))
            pendingUnlocks_.emplace_back(file.name, std::string(id));
        return;
    }
    locks_.Release(file.name, id);
}

// --- Indexes ---

std::vector<IndexDef> Database::Indexes(const FileRef& file) {
    Refresh();
    if (auto it = indexCache_.find(file.id); it != indexCache_.end())
        return it->second;
    std::vector<IndexDef> indexes;
    {
        sql::Statement& s = Prepare(
            "SELECT index_id, field, location, id_prefix FROM indexes WHERE file_id = ?1 "
            "ORDER BY location, id_prefix");
        sql::Use use(s);
        s.Bind(1, file.id);
        while (s.Step()) {
            indexes.push_back(
                {s.Int(0), s.String(1), static_cast<int>(s.Int(2)), static_cast<int>(s.Int(3))});
        }
    }
    if (indexCache_.size() > 4096)
        indexCache_.clear();
    indexCache_.emplace(file.id, indexes);
    return indexes;
}

bool Database::CreateIndex(const FileRef& file, std::string_view field, int location,
                           int idPrefix) {
    Transaction t(*this);
    if (IndexAt(file, location, idPrefix))
        return false;
    {
        sql::Statement& s = Prepare(
            "INSERT INTO indexes(file_id, field, location, id_prefix) VALUES (?1, ?2, ?3, ?4)");
        sql::Use use(s);
        s.Bind(1, file.id).BindText(2, field).Bind(3, std::int64_t{location});
        s.Bind(4, std::int64_t{idPrefix});
        s.Step();
    }
    IndexDef index{sqlite3_last_insert_rowid(connection_.Handle()), std::string(field), location,
                   idPrefix};
    Invalidate();
    BuildIndex(file, index);
    t.Commit();
    return true;
}

void Database::BuildIndex(const FileRef& file, const IndexDef& index) {
    Transaction t(*this);
    {
        sql::Statement& s = Prepare("DELETE FROM index_entries WHERE index_id = ?1");
        sql::Use use(s);
        s.Bind(1, index.id);
        s.Step();
    }
    sql::Statement scan(connection_, "SELECT id, body FROM records WHERE file_id = ?1");
    sql::Use useScan(scan);
    scan.Bind(1, file.id);
    sql::Statement& insert = Prepare(
        "INSERT OR REPLACE INTO index_entries(index_id, key, id, pos) VALUES (?1, ?2, ?3, ?4)");
    while (scan.Step()) {
        std::string_view id = scan.Bytes(0);
        for (const auto& [key, pos] : index.Entries(id, scan.Bytes(1))) {
            sql::Use use(insert);
            insert.Bind(1, index.id).Bind(2, key).Bind(3, id).Bind(4, std::int64_t{pos});
            insert.Step();
        }
    }
    t.Commit();
}

bool Database::DeleteIndex(const FileRef& file, int location, int idPrefix) {
    Transaction t(*this);
    auto index = IndexAt(file, location, idPrefix);
    if (!index)
        return false;
    for (const char* sqlText : {"DELETE FROM index_entries WHERE index_id = ?1",
                                "DELETE FROM indexes WHERE index_id = ?1"}) {
        sql::Statement& s = Prepare(sqlText);
        sql::Use use(s);
        s.Bind(1, index->id);
        s.Step();
    }
    Invalidate();
    t.Commit();
    return true;
}

std::vector<std::string> Database::VerifyIndexes() {
    std::vector<std::string> problems;
    struct Def {
        IndexDef index;
        std::int64_t fileId;
    };
    std::vector<Def> defs;
    {
        sql::Statement s(connection_,
                         "SELECT index_id, field, location, id_prefix, file_id FROM indexes");
        sql::Use use(s);
        while (s.Step()) {
            defs.push_back(
                {{s.Int(0), s.String(1), static_cast<int>(s.Int(2)), static_cast<int>(s.Int(3))},
                 s.Int(4)});
        }
    }
    for (const Def& def : defs) {
        std::set<std::tuple<std::string, std::string, int>> expected, actual;
        sql::Statement scan(connection_, "SELECT id, body FROM records WHERE file_id = ?1");
        sql::Use useScan(scan);
        scan.Bind(1, def.fileId);
        while (scan.Step()) {
            for (auto& [key, pos] : def.index.Entries(scan.Bytes(0), scan.Bytes(1)))
                expected.emplace(key, scan.String(0), pos);
        }
        sql::Statement entries(connection_,
                               "SELECT key, id, pos FROM index_entries WHERE index_id = ?1");
        sql::Use useEntries(entries);
        entries.Bind(1, def.index.id);
        while (entries.Step())
            actual.emplace(entries.String(0), entries.String(1), static_cast<int>(entries.Int(2)));
        if (expected != actual) {
            problems.push_back("Index " + def.index.field + " : " +
                               std::to_string(expected.size()) + " entrées attendues, " +
                               std::to_string(actual.size()) + " trouvées ou différentes.");
        }
    }
    return problems;
}

// --- Dump and load ---

void Database::Dump(std::ostream& out, const std::vector<std::string>& files) {
    sql::Statement scan(connection_, "SELECT id, body FROM records WHERE file_id = ?1 ORDER BY id");
    WriteDump(*this, out, files, [&](const FileRef& file, const RecordVisitor& record) {
        sql::Use use(scan);
        scan.Bind(1, file.id);
        while (scan.Step())
            record(scan.Bytes(0), scan.Bytes(1));
    });
}

LoadCounts Database::Load(std::istream& in, const LoadOptions& options) {
    // Each record is written at once, with its history entry.
    struct Writer : LoadWriter {
        explicit Writer(Database& db) : db(db) {}
        void Write(const FileRef& file, std::string_view id, std::string_view body) override {
            switch (db.Write(file, id, body)) {
                case WriteResult::Created:
                    ++counts.created;
                    break;
                case WriteResult::Replaced:
                    checks.NoteReplaced(file.name, id);
                    ++counts.replaced;
                    break;
                case WriteResult::Unchanged:
                    ++counts.unchanged;
                    break;
            }
        }
        Database& db;
    };
    Transaction transaction(*this);
    Writer writer(*this);
    LoadCounts counts = ReadDump(*this, in, options, writer);
    transaction.Commit();
    return counts;
}

// --- Commands ---

std::int64_t Database::SelectRows(const Query& query, const std::vector<Field>& columns,
                                  const RowSink& sink) {
    return RunSelect(*this, query, columns, sink);
}

std::int64_t Database::CountRows(const Query& query) {
    return RunCount(*this, query);
}

std::unique_ptr<Catalog::Cache> Database::ReadSnapshot() {
    struct Snapshot : Cache {
        explicit Snapshot(Database& db) : transaction(db) {}
        ReadTransaction transaction;
    };
    return std::make_unique<Snapshot>(*this);
}

// --- Transactions ---

Database::ReadTransaction::ReadTransaction(Database& database) : db_(database) {
    if (db_.depth_ == 0 && !db_.connection_.InTransaction()) {
        db_.Prepare("BEGIN").Run();
        active_ = true;
        db_.Refresh();
        db_.snapshotChecked_ = true;  // nobody's commit shows before the snapshot ends
    }
}

Database::ReadTransaction::~ReadTransaction() {
    if (!active_)
        return;
    db_.snapshotChecked_ = false;
    try {
        db_.Prepare("COMMIT").Run();
    } catch (const std::exception&) {
        // Nothing was written; the snapshot ends with the connection's next statement.
    }
}

int Database::BeginLevel() {
    if (depth_ == 0 && connection_.InTransaction())
        throw Error(ErrorKind::Failure, "Écriture impossible pendant une lecture.");
    if (depth_ == 0)
        Prepare("BEGIN IMMEDIATE").Run();
    else
        Prepare("SAVEPOINT sp" + std::to_string(depth_)).Run();
    return depth_++;
}

void Database::CommitLevel(int depth) {
    if (depth == 0)
        Prepare("COMMIT").Run();
    else
        Prepare("RELEASE sp" + std::to_string(depth)).Run();
}

void Database::RollbackLevel(int depth) {
    try {
        if (depth == 0) {
            Prepare("ROLLBACK").Run();
        } else {
            Prepare("ROLLBACK TO sp" + std::to_string(depth)).Run();
            Prepare("RELEASE sp" + std::to_string(depth)).Run();
        }
    } catch (const std::exception&) {
        // The connection drops the transaction itself when it cannot roll back.
    }
}

void Database::EndLevel(int, bool committed) {
    if (!committed)
        Invalidate();  // the cache may hold what was just undone
    --depth_;
    if (depth_ > 0)
        return;
    auto pending = std::move(pendingUnlocks_);
    pendingUnlocks_.clear();
    for (auto& [file, id] : pending)
        locks_.Release(file, id);
}

}  // namespace mv
