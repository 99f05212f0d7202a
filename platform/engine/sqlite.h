#pragma once
// Thin RAII layer over SQLite: a connection and prepared statements that always reset, so that no
// statement keeps a read snapshot open between calls (other processes' writes must be seen).

#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace mv::sql {

class Connection;

// A prepared statement. Bind, Step until false, read columns; Reset (or the Use guard) clears it.
class Statement {
  public:
    Statement() = default;
    Statement(Connection& connection, std::string_view text);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&& other) noexcept;

    // Blobs: ids, bodies and index keys are bytes and compare with memcmp. Bound data is copied.
    Statement& Bind(int index, std::string_view bytes);
    Statement& BindText(int index, std::string_view text);
    Statement& Bind(int index, std::int64_t value);
    Statement& BindNull(int index);

    // True while a row is available; false at the end. Errors throw mv::Error.
    bool Step();
    // Runs a statement that returns no row.
    void Run();
    void Reset();

    std::string_view Bytes(int column) const;
    std::string String(int column) const { return std::string(Bytes(column)); }
    std::int64_t Int(int column) const;
    bool IsNull(int column) const;

  private:
    // Throws the error of a failed bind.
    Statement& Bound(int rc);

    sqlite3_stmt* stmt_ = nullptr;
    Connection* connection_ = nullptr;
};

// Resets a statement when leaving scope, whatever happens.
class Use {
  public:
    explicit Use(Statement& statement) : statement_(statement) {}
    ~Use() { statement_.Reset(); }
    Use(const Use&) = delete;
    Use& operator=(const Use&) = delete;
    Statement* operator->() { return &statement_; }
    Statement& operator*() { return statement_; }

  private:
    Statement& statement_;
};

class Connection {
  public:
    // Opens (creating when missing) the database at path; ":memory:" for a private one. A file
    // this process may not write opens read-only; a base it could not even read that way (in a
    // folder it may not write, while nobody has the base open) opens as an immutable snapshot.
    explicit Connection(const std::string& path);
    bool ReadOnly() const { return sqlite3_db_readonly(db_, "main") == 1; }
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void Exec(std::string_view sql);
    sqlite3* Handle() const { return db_; }
    const std::string& Path() const { return path_; }
    bool InTransaction() const { return !sqlite3_get_autocommit(db_); }

    // Throws the mv::Error matching an SQLite result code.
    [[noreturn]] void Fail(int code, std::string_view what) const;

  private:
    void OpenAsSnapshotWhenUnreadable();

    sqlite3* db_ = nullptr;
    std::string path_;
};

}  // namespace mv::sql
