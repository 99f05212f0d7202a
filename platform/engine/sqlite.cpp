#include "sqlite.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <utility>

#include "error.h"

namespace mv::sql {
namespace {

// Why a call failed, in French: the system's own error when there was one.
std::string Reason(sqlite3* db, int code) {
    if (int errnum = db ? sqlite3_system_errno(db) : 0)
        return SystemReason(errnum);
    switch (code & 0xFF) {
        case SQLITE_NOMEM:
            return "mémoire insuffisante";
        case SQLITE_FULL:
            return "plus de place sur le disque";
        case SQLITE_READONLY:
            return "base en lecture seule";
        default:
            return "code " + std::to_string(code);
    }
}

// A read-only session leaves SQLite's journal files (-wal, -shm) behind with the read-only
// base's bits; once the base may be written again, its owner's journals follow it, or SQLite
// would keep the base read-only through them.
void MatchJournalsToAWritableBase(const std::string& path) {
    struct stat base {};
    if (::access(path.c_str(), W_OK) != 0 || ::stat(path.c_str(), &base) != 0)
        return;
    for (const char* suffix : {"-wal", "-shm"}) {
        const std::string journal = path + suffix;
        struct stat st {};
        if (::stat(journal.c_str(), &st) == 0 && st.st_uid == ::geteuid() &&
            (st.st_mode & S_IWUSR) == 0)
            (void)::chmod(journal.c_str(), base.st_mode & 0777);
    }
}

}  // namespace

Statement::Statement(Connection& connection, std::string_view text) : connection_(&connection) {
    int rc = sqlite3_prepare_v3(connection.Handle(), text.data(), static_cast<int>(text.size()),
                                SQLITE_PREPARE_PERSISTENT, &stmt_, nullptr);
    if (rc != SQLITE_OK)
        connection.Fail(rc, text);
}

Statement::~Statement() {
    sqlite3_finalize(stmt_);
}

Statement::Statement(Statement&& other) noexcept
    : stmt_(std::exchange(other.stmt_, nullptr)), connection_(other.connection_) {}

Statement& Statement::operator=(Statement&& other) noexcept {
    if (this != &other) {
        sqlite3_finalize(stmt_);
        stmt_ = std::exchange(other.stmt_, nullptr);
        connection_ = other.connection_;
    }
    return *this;
}

Statement& Statement::Bound(int rc) {
    if (rc != SQLITE_OK)
        connection_->Fail(rc, "bind");
    return *this;
}

Statement& Statement::Bind(int index, std::string_view bytes) {
    // A null pointer would bind NULL, which never equals an empty id.
    static const char kEmpty = 0;
    return Bound(sqlite3_bind_blob64(stmt_, index, bytes.empty() ? &kEmpty : bytes.data(),
                                     bytes.size(), SQLITE_TRANSIENT));
}

Statement& Statement::BindText(int index, std::string_view text) {
    return Bound(
        sqlite3_bind_text64(stmt_, index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8));
}

Statement& Statement::Bind(int index, std::int64_t value) {
    return Bound(sqlite3_bind_int64(stmt_, index, value));
}

Statement& Statement::BindNull(int index) {
    return Bound(sqlite3_bind_null(stmt_, index));
}

bool Statement::Step() {
    int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    sqlite3_reset(stmt_);
    connection_->Fail(rc, sqlite3_sql(stmt_));
}

void Statement::Run() {
    Use use(*this);
    Step();
}

void Statement::Reset() {
    if (stmt_) {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
    }
}

std::string_view Statement::Bytes(int column) const {
    const void* data = sqlite3_column_blob(stmt_, column);
    int size = sqlite3_column_bytes(stmt_, column);
    if (!data || size <= 0)
        return {};
    return std::string_view(static_cast<const char*>(data), static_cast<size_t>(size));
}

std::int64_t Statement::Int(int column) const {
    return sqlite3_column_int64(stmt_, column);
}

bool Statement::IsNull(int column) const {
    return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

Connection::Connection(const std::string& path) : path_(path) {
    if (path != ":memory:")
        MatchJournalsToAWritableBase(path);
    int rc =
        sqlite3_open_v2(path.c_str(), &db_,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        std::string reason = Reason(db_, rc);
        // A refused creation is retried read-only, whose "missing file" hides the real cause.
        std::error_code ec;
        const std::filesystem::path folder = std::filesystem::path(path).parent_path();
        if (db_ && sqlite3_system_errno(db_) == ENOENT &&
            std::filesystem::is_directory(folder.empty() ? "." : folder, ec))
            reason = SystemReason(EACCES);
        sqlite3_close_v2(db_);
        db_ = nullptr;
        throw Error(ErrorKind::Io,
                    "Impossible d'ouvrir la base de données " + path + " : " + reason + ".");
    }
    sqlite3_extended_result_codes(db_, 1);
    if (path != ":memory:")
        OpenAsSnapshotWhenUnreadable();
}

// A base in WAL mode is read through a shared index SQLite keeps beside it (-shm). In a folder
// this account cannot write, when nobody has the base open, that index cannot be made and even
// reads fail: the base is then opened read-only and immutable, read as it stands at opening.
void Connection::OpenAsSnapshotWhenUnreadable() {
    int rc = sqlite3_exec(db_, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if ((rc & 0xFF) != SQLITE_READONLY)
        return;
    std::error_code ec;
    std::string absolute = std::filesystem::absolute(path_, ec).string();
    if (ec)
        return;
    std::string uri = "file://";
    for (char c : absolute) {
        if (c == '%' || c == '?' || c == '#') {
            static const char kHex[] = "0123456789ABCDEF";
            uri.push_back('%');
            uri.push_back(kHex[static_cast<unsigned char>(c) >> 4]);
            uri.push_back(kHex[c & 0xF]);
        } else {
            uri.push_back(c);
        }
    }
    uri += "?immutable=1";
    sqlite3* snapshot = nullptr;
    rc = sqlite3_open_v2(uri.c_str(), &snapshot,
                         SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close_v2(snapshot);
        return;  // the first connection reports the failure at its first read
    }
    sqlite3_close_v2(db_);
    db_ = snapshot;
    sqlite3_extended_result_codes(db_, 1);
}

Connection::~Connection() {
    sqlite3_close_v2(db_);
}

void Connection::Exec(std::string_view sql) {
    std::string text(sql);
    char* message = nullptr;
    int rc = sqlite3_exec(db_, text.c_str(), nullptr, nullptr, &message);
    sqlite3_free(message);
    if (rc != SQLITE_OK)
        Fail(rc, sql);
}

void Connection::Fail(int code, std::string_view what) const {
    std::string detail = db_ ? sqlite3_errmsg(db_) : "";
    switch (code & 0xFF) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            throw Error(ErrorKind::Failure,
                        "La base de données est occupée par un autre programme ; réessayez.");
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
            throw Error(ErrorKind::Io,
                        "Le fichier " + path_ + " est endommagé ou n'est pas une base de données.");
        case SQLITE_READONLY:
            throw Error(ErrorKind::Io, "La base de données " + path_ +
                                           " est en lecture seule : rien ne peut y être modifié.");
        case SQLITE_IOERR:
        case SQLITE_FULL:
        case SQLITE_CANTOPEN:
        case SQLITE_PERM:
            throw Error(ErrorKind::Io, "Erreur d'accès à la base de données " + path_ + " : " +
                                           Reason(db_, code) + ".");
        default:
            throw Error(ErrorKind::Failure, "Erreur de la base de données (" + detail +
                                                ") : " + std::string(what.substr(0, 80)));
    }
}

}  // namespace mv::sql
