#include "database.h"

#include <algorithm>
#include <istream>
#include <ostream>
#include <set>
#include <thread>
#include <tuple>

#include "platform/engine/dump_load.h"
#include "platform/engine/error.h"
#include "platform/engine/locked_read.h"
#include "platform/engine/text.h"
#include "schema.h"

namespace mv::server {
namespace {

std::string HeldKey(const FileRef& file, std::string_view id) {
    std::string key = file.name;
    key.push_back('\0');
    key.append(id);
    return key;
}

// The parts of a text between attribute marks; none for an empty text.
std::vector<std::string> Attributes(const std::string& text) {
    std::vector<std::string> parts;
    if (text.empty())
        return parts;
    for (const std::string_view part : text::Split(text, '\xFE'))
        parts.emplace_back(part);
    return parts;
}

constexpr std::int64_t kBatch = 5000;

constexpr const char* kLostInTransaction =
    "La connexion au serveur de base de données a été perdue pendant la transaction en cours : "
    "aucune de ses écritures n'est enregistrée.";

}  // namespace

Database::Database(const std::string& conninfo) : connection_(conninfo), user_(AccountName()) {
    Prepare(connection_);
    session_ = connection_.Session();
    empty_ = connection_.Run("SELECT NOT EXISTS (SELECT 1 FROM mv.files)").Int(0, 0) != 0;
}

Database::~Database() {
    // Closing the connection ends the session: the server drops its locks and rolls back what
    // was not committed.
}

bool Database::SessionLost() const {
    return !connection_.Alive() || connection_.Session() != session_;
}

void Database::AfterReconnect() {
    if (!SessionLost())
        return;
    // The server dropped the session's locks and rolled back its transaction: a lock believed
    // held would let a second workstation update the record too, and the writes of an open guard
    // that follow would otherwise commit one by one.
    held_.clear();
    if (depth_ > 0)
        broken_ = true;
    Invalidate();
    connection_.Connect();
    session_ = connection_.Session();
}

void Database::BeforeWrite() {
    AfterReconnect();
    if (broken_)
        throw Error(ErrorKind::Io, kLostInTransaction);
}

pq::Result Database::RunContained(std::string_view sql, const pq::Params& params) {
    if (depth_ == 0)
        return connection_.Run(sql, params);
    connection_.Exec("SAVEPOINT mv_write");
    try {
        pq::Result result = connection_.Run(sql, params);
        connection_.Exec("RELEASE SAVEPOINT mv_write");
        return result;
    } catch (...) {
        if (connection_.Alive()) {
            try {
                connection_.Exec("ROLLBACK TO SAVEPOINT mv_write; RELEASE SAVEPOINT mv_write");
            } catch (const std::exception&) {
                // Lost meanwhile: the next call says so.
            }
        }
        throw;
    }
}

void Database::Invalidate() {
    ++epoch_;
    files_.clear();
    indexes_.clear();
    fieldCache_.reset();
}

void Database::CheckCatalog(std::int64_t version) {
    if (version == catalogVersion_)
        return;
    Invalidate();
    catalogVersion_ = version;
    throw StaleCatalog{};
}

CommandOutput Database::Run(std::string_view text, const std::vector<std::string>& columns,
                            const RowSink* sink) {
    AfterReconnect();
    auto verb = VerbNamed(CommandVerb(text));
    if (verb != Verb::Select && verb != Verb::Count && verb != Verb::List)
        Invalidate();  // a change of the catalog works from what the server holds now
    for (int attempt = 0;; ++attempt) {
        try {
            return RunCommand(*this, text, columns, sink);
        } catch (const StaleCatalog&) {
            if (attempt > 8)
                throw Error(ErrorKind::Failure,
                            "Le catalogue de la base change sans cesse : commande abandonnée.");
        }
    }
}

// --- Catalog ---

std::optional<FileRef> Database::FindFile(std::string_view rawName) {
    std::string name = NormalizeFileName(rawName);
    if (auto it = files_.find(name); it != files_.end())
        return it->second;
    return FindFileNow(name);
}

std::optional<FileRef> Database::FindFileNow(std::string_view rawName) {
    AfterReconnect();
    std::string name = NormalizeFileName(rawName);
    pq::Result r = connection_.Run("SELECT file_id, dict_of FROM mv.files WHERE name = $1",
                                   pq::Params().Bytes(name));
    if (r.Rows() == 0) {
        files_.erase(name);
        return std::nullopt;
    }
    FileRef file;
    file.id = r.Int(0, 0);
    file.name = name;
    file.isDict = !r.IsNull(0, 1);
    file.dataId = file.isDict ? r.Int(0, 1) : file.id;
    if (files_.size() > 4096)
        files_.clear();
    files_[name] = file;
    return file;
}

std::optional<std::string> Database::Read(const FileRef& file, std::string_view id) {
    AfterReconnect();
    pq::Result r = connection_.Run("SELECT attrs FROM mv.records WHERE file_id = $1 AND id = $2",
                                   pq::Params().Int(file.id).Bytes(id));
    if (r.Rows() == 0)
        return std::nullopt;
    return r.JoinedArray(0, 0, '\xFE');
}

std::vector<std::string> Database::IdsIgnoringCase(const FileRef& file, std::string_view name) {
    pq::Result r = connection_.Run(
        "SELECT id FROM mv.records WHERE file_id = $1 AND upper(encode(id, 'escape')) = "
        "upper(encode($2, 'escape'))",
        pq::Params().Int(file.id).Bytes(name));
    std::vector<std::string> ids;
    for (int i = 0; i < r.Rows(); ++i) {
        if (text::EqualsNoCase(r.Bytes(i, 0), name))
            ids.push_back(r.String(i, 0));
    }
    return ids;
}

bool Database::CreateFile(std::string_view rawName, std::string_view sizes) {
    BeforeWrite();
    std::string name = NormalizeFileName(rawName);
    if (std::string why = CheckNewFileName(name); !why.empty())
        throw Error(ErrorKind::Command, why);
    pq::Result r =
        RunContained("SELECT mv.create_file($1, $2)", pq::Params().Bytes(name).Bytes(sizes));
    Invalidate();
    return r.Int(0, 0) != 0;
}

bool Database::DeleteFile(std::string_view name) {
    BeforeWrite();
    auto file = FindFileNow(name);
    if (!file)
        return false;
    RunContained("SELECT mv.delete_file($1)", pq::Params().Int(file->dataId));
    Invalidate();
    return true;
}

std::vector<std::string> Database::FileNames() {
    AfterReconnect();
    pq::Result r = connection_.Run("SELECT name FROM mv.files ORDER BY name");
    std::vector<std::string> names;
    for (int i = 0; i < r.Rows(); ++i)
        names.push_back(r.String(i, 0));
    return names;
}

std::vector<IndexDef> Database::Indexes(const FileRef& file) {
    if (auto it = indexes_.find(file.id); it != indexes_.end())
        return it->second;
    AfterReconnect();
    pq::Result r = connection_.Run(
        "SELECT index_id, field, location, id_prefix FROM mv.indexes WHERE file_id = $1 "
        "ORDER BY location, id_prefix",
        pq::Params().Int(file.id));
    std::vector<IndexDef> list;
    for (int i = 0; i < r.Rows(); ++i) {
        list.push_back({r.Int(i, 0), r.String(i, 1), static_cast<int>(r.Int(i, 2)),
                        static_cast<int>(r.Int(i, 3))});
    }
    if (indexes_.size() > 4096)
        indexes_.clear();
    indexes_[file.id] = list;
    return list;
}

bool Database::CreateIndex(const FileRef& file, std::string_view field, int location,
                           int idPrefix) {
    BeforeWrite();
    pq::Result r =
        RunContained("SELECT mv.create_index($1, $2, $3, $4)",
                     pq::Params().Int(file.id).Bytes(field).Int4(location).Int4(idPrefix));
    Invalidate();
    return !r.IsNull(0, 0);
}

void Database::BuildIndex(const FileRef&, const IndexDef& index) {
    BeforeWrite();
    RunContained("SELECT mv.build_index($1)", pq::Params().Int(index.id));
}

bool Database::DeleteIndex(const FileRef& file, int location, int idPrefix) {
    BeforeWrite();
    Invalidate();
    auto index = IndexAt(file, location, idPrefix);
    if (!index)
        return false;
    RunContained("SELECT mv.delete_index($1)", pq::Params().Int(index->id));
    Invalidate();
    return true;
}

// --- Records and locks ---

std::int64_t Database::LockKey(const FileRef& file, std::string_view id) const {
    return static_cast<std::int64_t>(text::Hash(file.name, id));
}

std::optional<std::int64_t> Database::Held(const FileRef& file, std::string_view id) const {
    auto it = held_.find(HeldKey(file, id));
    if (it == held_.end())
        return std::nullopt;
    return it->second;
}

void Database::Forget(const FileRef& file, std::string_view id) {
    held_.erase(HeldKey(file, id));
}

std::optional<std::string> Database::ReadForUpdate(const FileRef& file, std::string_view id) {
    AfterReconnect();
    std::string heldKey = HeldKey(file, id);
    std::int64_t key = LockKey(file, id);
    if (!held_.count(heldKey)) {
        auto deadline = std::chrono::steady_clock::now() + lockWait_;
        // Short pauses first: the holder usually writes within a millisecond.
        auto pause = std::chrono::microseconds(50);
        for (;;) {
            pq::Result got =
                connection_.Run("SELECT pg_try_advisory_lock($1)", pq::Params().Int(key));
            if (got.Int(0, 0))
                break;
            if (std::chrono::steady_clock::now() >= deadline) {
                throw Error(ErrorKind::Locked, "L'enregistrement " + text::Printable(id) +
                                                   " du fichier " + text::Printable(file.name) +
                                                   " est verrouillé par un autre utilisateur.");
            }
            std::this_thread::sleep_for(pause);
            pause = std::min(pause * 2, std::chrono::microseconds(5000));
        }
        held_[heldKey] = key;
    }
    return ReadLocked(*this, file, id);
}

void Database::Release(const FileRef& file, std::string_view id) {
    // A lost session's locks went with it: nothing to connect again for.
    if (auto key = Held(file, id); key && !SessionLost()) {
        Forget(file, id);
        connection_.Run("SELECT mv.release($1)", pq::Params().Int(*key));
    }
}

int Database::Store(const FileRef& file, std::string_view id, std::string_view body,
                    bool createOnly) {
    RequireRecordId(id);
    BeforeWrite();
    std::optional<std::int64_t> key = Held(file, id);
    pq::Params params;
    params.Int(file.id).Bytes(id).ByteArray(text::Split(body, '\xFE'));
    if (key)
        params.Int(*key);
    else
        params.Null(20);
    params.Bytes(user_);
    params.Int4(createOnly ? 1 : 0);
    int outcome = 0;
    try {
        outcome = static_cast<int>(
            RunContained("SELECT mv.write($1, $2, $3, $4, $5, $6 <> 0)", params).Int(0, 0));
    } catch (const Error& e) {
        if (e.kind() == ErrorKind::FileNotFound) {
            throw Error(ErrorKind::FileNotFound,
                        "Le fichier " + text::Printable(file.name) + " n'existe plus.");
        }
        if (e.kind() == ErrorKind::RecordExists) {
            throw Error(ErrorKind::RecordExists, "L'enregistrement " + text::Printable(id) +
                                                     " existe déjà dans le fichier " +
                                                     text::Printable(file.name) + ".");
        }
        throw;
    }
    Forget(file, id);
    if (file.isDict)
        Invalidate();
    return outcome;
}

WriteResult Database::Write(const FileRef& file, std::string_view id, std::string_view body) {
    switch (Store(file, id, body, false)) {
        case 0:
            return WriteResult::Created;
        case 1:
            return WriteResult::Replaced;
        default:
            return WriteResult::Unchanged;
    }
}

void Database::Create(const FileRef& file, std::string_view id, std::string_view body) {
    Store(file, id, body, true);
}

void Database::Delete(const FileRef& file, std::string_view id) {
    BeforeWrite();
    std::optional<std::int64_t> key = Held(file, id);
    pq::Params params;
    params.Int(file.id).Bytes(id);
    if (key)
        params.Int(*key);
    else
        params.Null(20);
    params.Bytes(user_);
    RunContained("SELECT mv.delete($1, $2, $3, $4)", params);
    Forget(file, id);
    if (file.isDict)
        Invalidate();
}

std::vector<HistoryEntry> Database::History(std::string_view rawFile,
                                            std::optional<std::string_view> id) {
    AfterReconnect();
    const std::string file = NormalizeFileName(rawFile);
    pq::Result r = id ? connection_.Run(
                            "SELECT sequence, user_name, id, changes FROM mv.history WHERE "
                            "file = $1 AND id = $2 ORDER BY sequence DESC",
                            pq::Params().Bytes(file).Bytes(*id))
                      : connection_.Run(
                            "SELECT sequence, user_name, id, changes FROM mv.history WHERE "
                            "file = $1 ORDER BY sequence DESC, id",
                            pq::Params().Bytes(file));
    std::vector<HistoryEntry> entries;
    for (int i = 0; i < r.Rows(); ++i) {
        const std::int64_t sequence = r.Int(i, 0);
        entries.push_back({sequence, r.String(i, 1), sequence / 1000000, file, r.String(i, 2),
                           history::DecodeChanges(r.Bytes(i, 3))});
    }
    if (entries.empty() && !FindFileNow(file))
        RequireFile(file);  // a name that never was a file
    return entries;
}

bool Database::Exists(const FileRef& file, std::string_view id) {
    AfterReconnect();
    return connection_
               .Run("SELECT 1 FROM mv.records WHERE file_id = $1 AND id = $2",
                    pq::Params().Int(file.id).Bytes(id))
               .Rows() > 0;
}

std::int64_t Database::Count(const FileRef& file) {
    AfterReconnect();
    return connection_
        .Run("SELECT count(*) FROM mv.records WHERE file_id = $1", pq::Params().Int(file.id))
        .Int(0, 0);
}

// --- Transactions ---

int Database::BeginLevel() {
    BeforeWrite();
    connection_.Exec(depth_ == 0 ? std::string("BEGIN") : "SAVEPOINT sp" + std::to_string(depth_));
    return depth_++;
}

void Database::CommitLevel(int depth) {
    if (broken_ || SessionLost())
        throw Error(ErrorKind::Io, kLostInTransaction);
    // The server answers the COMMIT of a failed transaction with a rollback and no error.
    if (connection_.TransactionStatus() != PQTRANS_INTRANS) {
        throw Error(ErrorKind::Failure, pq::kTransactionAborted);
    }
    connection_.Exec(depth == 0 ? std::string("COMMIT")
                                : "RELEASE SAVEPOINT sp" + std::to_string(depth));
}

void Database::RollbackLevel(int depth) {
    if (broken_ || SessionLost())
        return;  // the server rolled it back with the lost session
    try {
        if (depth == 0)
            connection_.Exec("ROLLBACK");
        else
            connection_.Exec("ROLLBACK TO SAVEPOINT sp" + std::to_string(depth));
    } catch (const std::exception&) {
        // A lost connection rolled it back already.
    }
}

void Database::EndLevel(int depth, bool committed) {
    if (!committed)
        Invalidate();  // the cache may hold what was just undone
    depth_ = depth;
    if (depth_ == 0)
        broken_ = false;
}

// --- Dump and load ---

void Database::Dump(std::ostream& out, const std::vector<std::string>& files) {
    WriteDump(*this, out, files, [&](const FileRef& file, const RecordVisitor& record) {
        std::string after;
        for (bool first = true;; first = false) {
            pq::Result r = connection_.Run(
                first ? "SELECT id, attrs FROM mv.records WHERE file_id = $1 AND $2 = $2 "
                        "ORDER BY id LIMIT 10000"
                      : "SELECT id, attrs FROM mv.records WHERE file_id = $1 AND id > $2 "
                        "ORDER BY id LIMIT 10000",
                pq::Params().Int(file.id).Bytes(after));
            for (int i = 0; i < r.Rows(); ++i)
                record(r.Bytes(i, 0), r.JoinedArray(i, 1, '\xFE'));
            if (r.Rows() < 10000)
                break;
            after = r.String(r.Rows() - 1, 0);
        }
    });
}

LoadCounts Database::Load(std::istream& in, const LoadOptions& options) {
    // Records go to the server in batches through COPY; the server counts what each batch does
    // and names the first records it replaced.
    struct Writer : LoadWriter {
        explicit Writer(Database& db) : db(db) {}
        void Write(const FileRef& file, std::string_view id, std::string_view body) override {
            if (rows == 0)
                pq::AppendCopyHeader(batch);
            pq::AppendCopyRow(batch, file.id, id, body);
            if (++rows >= kBatch)
                Send();
        }
        void Flush() override {
            Send();
            db.Invalidate();
        }
        void Send() {
            if (rows == 0)
                return;
            pq::AppendCopyTrailer(batch);
            db.connection_.Copy("COPY mv_staging FROM STDIN (FORMAT binary)", batch);
            pq::Result r = db.connection_.Run(
                "SELECT created, replaced, unchanged, replaced_files, replaced_ids FROM "
                "mv.load_staged($1)",
                pq::Params().Bytes(db.user_));
            counts.created += r.Int(0, 0);
            counts.unchanged += r.Int(0, 2);
            const std::int64_t replaced = r.Int(0, 1);
            counts.replaced += replaced;
            if (replaced > 0) {
                std::vector<std::string> names = Attributes(r.JoinedArray(0, 3, '\xFE'));
                std::vector<std::string> ids = Attributes(r.JoinedArray(0, 4, '\xFE'));
                for (std::int64_t n = 0; n < replaced; ++n) {
                    const size_t k = static_cast<size_t>(n);
                    checks.NoteReplaced(k < names.size() ? names[k] : std::string(),
                                        k < ids.size() ? ids[k] : std::string());
                }
            }
            batch.clear();
            rows = 0;
        }
        Database& db;
        std::string batch;
        std::int64_t rows = 0;
    };
    Transaction transaction(*this);
    connection_.Exec(
        "CREATE TEMP TABLE IF NOT EXISTS mv_staging(file_id bigint, id bytea, attrs bytea[]) "
        "ON COMMIT DROP");
    Invalidate();  // the files are looked up afresh, as the load sees them
    Writer writer(*this);
    LoadCounts counts = ReadDump(*this, in, options, writer);
    transaction.Commit();
    return counts;
}

std::vector<std::string> Database::VerifyIndexes() {
    std::vector<std::string> problems;
    pq::Result defs =
        connection_.Run("SELECT index_id, field, location, id_prefix, file_id FROM mv.indexes");
    for (int d = 0; d < defs.Rows(); ++d) {
        IndexDef index{defs.Int(d, 0), defs.String(d, 1), static_cast<int>(defs.Int(d, 2)),
                       static_cast<int>(defs.Int(d, 3))};
        std::set<std::tuple<std::string, std::string, int>> expected, actual;
        pq::Result records = connection_.Run("SELECT id, attrs FROM mv.records WHERE file_id = $1",
                                             pq::Params().Int(defs.Int(d, 4)));
        for (int i = 0; i < records.Rows(); ++i) {
            std::string body = records.JoinedArray(i, 1, '\xFE');
            for (auto& [key, pos] : index.Entries(records.Bytes(i, 0), body))
                expected.emplace(key, records.String(i, 0), pos);
        }
        pq::Result entries =
            connection_.Run("SELECT key, id, pos FROM mv.index_entries WHERE index_id = $1",
                            pq::Params().Int(index.id));
        for (int i = 0; i < entries.Rows(); ++i)
            actual.emplace(entries.String(i, 0), entries.String(i, 1),
                           static_cast<int>(entries.Int(i, 2)));
        if (expected != actual) {
            problems.push_back("Index " + index.field + " : " + std::to_string(expected.size()) +
                               " entrées attendues, " + std::to_string(actual.size()) +
                               " trouvées ou différentes.");
        }
    }
    return problems;
}

}  // namespace mv::server
