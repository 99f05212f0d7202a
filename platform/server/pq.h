#pragma once
// Thin RAII layer over libpq: one connection to a PostgreSQL server, statements prepared once per
// connection, parameters and results in binary form (record text is bytea: bytes, compared as
// bytes).
//
// Errors are mv::Error exceptions with a French message. A connection the server or the network
// dropped gives Error(Io) "La connexion au serveur de base de données est perdue : ..." for the
// call that met it (libpq's own words go to stderr, for the administrator); the next call
// connects again, as a new session: what the lost one held, locks and an open transaction, is
// gone with it, which Session() tells. libpq never aborts the process and a dead socket raises
// no SIGPIPE. Not thread-safe: one connection per thread.

#include <libpq-fe.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace mv::pq {

// Parameters of one statement, each with its type.
class Params {
  public:
    Params& Bytes(std::string_view bytes);  // bytea
    Params& Text(std::string_view text);    // text (UTF-8)
    Params& Int(std::int64_t value);        // int8
    Params& Int4(std::int32_t value);       // int4
    Params& Null(Oid type);
    // A bytea[] of the parts, lower bound 1.
    Params& ByteArray(const std::vector<std::string_view>& parts);
    int Count() const { return static_cast<int>(types_.size()); }
    std::string TypeKey() const;

  private:
    friend class Connection;
    std::vector<Oid> types_;
    std::vector<std::string> values_;
    std::vector<bool> nulls_;
};

// A query's rows; columns read by type.
class Result {
  public:
    explicit Result(PGresult* result) : result_(result, &PQclear) {}
    int Rows() const { return PQntuples(result_.get()); }
    bool IsNull(int row, int column) const;
    std::string_view Bytes(int row, int column) const;
    std::string String(int row, int column) const { return std::string(Bytes(row, column)); }
    // int2, int4, int8 or bool.
    std::int64_t Int(int row, int column) const;
    // The elements of a bytea[] (binary form) joined by sep.
    std::string JoinedArray(int row, int column, char sep) const;
    const PGresult* Handle() const { return result_.get(); }

  private:
    std::unique_ptr<PGresult, void (*)(PGresult*)> result_;
};

class Connection {
  public:
    // Connects with a libpq connection string or URI. Failure: Error(Io) with libpq's reason.
    explicit Connection(std::string conninfo);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Runs a statement (prepared the first time it is seen on this connection).
    Result Run(std::string_view sql, const Params& params = Params());
    // Runs a statement once, without preparing it: commands made of several statements.
    void Exec(std::string_view sql);
    // Sends rows to COPY ... FROM STDIN (BINARY); rows are binary tuples built by the caller.
    void Copy(std::string_view copySql, const std::string& binaryData);

    // Connects again when the connection was lost; nothing when it is up. Failure: Error(Io).
    void Connect();
    // False once a call found the connection lost (or libpq knows it is), until Connect.
    bool Alive() const { return conn_ && PQstatus(conn_) == CONNECTION_OK; }
    // Counts the sessions made: it changes whenever a lost connection was made again.
    std::uint64_t Session() const { return session_; }
    // PQTRANS_INERROR: a statement failed inside the open transaction, which now commits nothing.
    PGTransactionStatusType TransactionStatus() const;
    const std::string& ConnInfo() const { return conninfo_; }
    PGconn* Handle() const { return conn_; }

  private:
    // Forgets a dead connection with what was prepared on it.
    void Drop();
    [[noreturn]] void Fail(const PGresult* result, std::string_view what);
    Result Check(PGresult* result, std::string_view sql);

    std::string conninfo_;
    PGconn* conn_ = nullptr;
    std::map<std::string, std::string, std::less<>> prepared_;  // sql + types -> name
    std::uint64_t session_ = 0;
};

// The message of Error(Io) for a lost connection.
inline constexpr const char* kConnectionLost =
    "La connexion au serveur de base de données est perdue : l'opération en cours n'a pas été "
    "confirmée par le serveur.";
// The message of Error(Failure) for a transaction that a failed statement left unable to commit.
inline constexpr const char* kTransactionAborted =
    "Une opération de la transaction en cours a échoué sur le serveur : la transaction est "
    "annulée et rien n'en sera écrit.";

// The binary COPY tuple of (int8, bytea, bytea[]) appended to out; CopyHeader/CopyTrailer frame
// the whole stream.
void AppendCopyHeader(std::string& out);
void AppendCopyRow(std::string& out, std::int64_t fileId, std::string_view id,
                   std::string_view body);
void AppendCopyTrailer(std::string& out);

// Server error codes the engine raises itself (SQLSTATE).
inline constexpr const char* kUnsupportedConversion = "MV001";
inline constexpr const char* kFileGone = "MV004";
inline constexpr const char* kTranslateFileMissing = "MV005";
inline constexpr const char* kRecordExists = "MV013";  // the caller names the record

}  // namespace mv::pq
