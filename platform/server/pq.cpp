#include "pq.h"

#include <arpa/inet.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/engine/error.h"
#include "platform/engine/text.h"

namespace mv::pq {
namespace {

constexpr Oid kBool = 16, kBytea = 17, kInt8 = 20, kInt2 = 21, kInt4 = 23, kText = 25,
              kByteaArray = 1001;

void Put32(std::string& out, std::uint32_t v) {
    v = htonl(v);
    out.append(reinterpret_cast<const char*>(&v), 4);
}

void Put16(std::string& out, std::uint16_t v) {
    v = htons(v);
    out.append(reinterpret_cast<const char*>(&v), 2);
}

void Put64(std::string& out, std::uint64_t v) {
    Put32(out, static_cast<std::uint32_t>(v >> 32));
    Put32(out, static_cast<std::uint32_t>(v));
}

std::uint32_t Get32(const char* p) {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return ntohl(v);
}

// The binary form of a one-dimensional bytea[] of the parts of text split at sep.
void AppendByteArray(std::string& out, std::string_view text, char sep) {
    const std::vector<std::string_view> parts = text::Split(text, sep);
    Put32(out, 1);  // dimensions
    Put32(out, 0);  // no nulls
    Put32(out, kBytea);
    Put32(out, static_cast<std::uint32_t>(parts.size()));
    Put32(out, 1);  // lower bound
    for (std::string_view p : parts) {
        Put32(out, static_cast<std::uint32_t>(p.size()));
        out.append(p);
    }
}

std::string FromHex(std::string_view hex) {
    std::string out;
    auto digit = [](char c) {
        return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : 0;
    };
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        out.push_back(static_cast<char>(digit(hex[i]) * 16 + digit(hex[i + 1])));
    return out;
}

std::string Trimmed(const char* message) {
    std::string s = message ? message : "";
    while (!s.empty() && (s.back() == '\n' || s.back() == ' '))
        s.pop_back();
    return s;
}

void IgnoreNotice(void*, const char*) {}

}  // namespace

Params& Params::Bytes(std::string_view bytes) {
    types_.push_back(kBytea);
    values_.emplace_back(bytes);
    nulls_.push_back(false);
    return *this;
}

Params& Params::Text(std::string_view text) {
    types_.push_back(kText);
    values_.emplace_back(text);
    nulls_.push_back(false);
    return *this;
}

Params& Params::Int(std::int64_t value) {
    types_.push_back(kInt8);
    std::string v;
    Put64(v, static_cast<std::uint64_t>(value));
    values_.push_back(std::move(v));
    nulls_.push_back(false);
    return *this;
}

Params& Params::Int4(std::int32_t value) {
    types_.push_back(kInt4);
    std::string v;
    Put32(v, static_cast<std::uint32_t>(value));
    values_.push_back(std::move(v));
    nulls_.push_back(false);
    return *this;
}

Params& Params::Null(Oid type) {
    types_.push_back(type);
    values_.emplace_back();
    nulls_.push_back(true);
    return *this;
}

Params& Params::ByteArray(const std::vector<std::string_view>& parts) {
    types_.push_back(kByteaArray);
    std::string v;
    Put32(v, 1);
    Put32(v, 0);
    Put32(v, kBytea);
    Put32(v, static_cast<std::uint32_t>(parts.size()));
    Put32(v, 1);
    for (std::string_view p : parts) {
        Put32(v, static_cast<std::uint32_t>(p.size()));
        v.append(p);
    }
    values_.push_back(std::move(v));
    nulls_.push_back(false);
    return *this;
}

std::string Params::TypeKey() const {
    std::string key;
    for (Oid t : types_)
        key += std::to_string(t) + ",";
    return key;
}

bool Result::IsNull(int row, int column) const {
    return PQgetisnull(result_.get(), row, column) != 0;
}

std::string_view Result::Bytes(int row, int column) const {
    return std::string_view(PQgetvalue(result_.get(), row, column),
                            static_cast<size_t>(PQgetlength(result_.get(), row, column)));
}

std::int64_t Result::Int(int row, int column) const {
    if (IsNull(row, column))
        return 0;
    const char* p = PQgetvalue(result_.get(), row, column);
    switch (PQftype(result_.get(), column)) {
        case kInt8:
            return static_cast<std::int64_t>((std::uint64_t{Get32(p)} << 32) | Get32(p + 4));
        case kInt4:
            return static_cast<std::int32_t>(Get32(p));
        case kInt2: {
            std::uint16_t v;
            std::memcpy(&v, p, 2);
            return static_cast<std::int16_t>(ntohs(v));
        }
        case kBool:
            return *p != 0;
        default:
            throw Error(ErrorKind::Failure, "Réponse inattendue du serveur de base de données.");
    }
}

std::string Result::JoinedArray(int row, int column, char sep) const {
    std::string_view v = Bytes(row, column);
    std::string out;
    if (v.size() < 12 || Get32(v.data()) == 0)
        return out;
    const char* p = v.data() + 12;
    std::uint32_t n = Get32(p);
    p += 8;
    for (std::uint32_t i = 0; i < n; ++i) {
        if (i > 0)
            out.push_back(sep);
        std::uint32_t len = Get32(p);
        p += 4;
        if (len != 0xFFFFFFFF) {
            out.append(p, len);
            p += len;
        }
    }
    return out;
}

Connection::Connection(std::string conninfo) : conninfo_(std::move(conninfo)) {
    Connect();
}

Connection::~Connection() {
    if (conn_)
        PQfinish(conn_);
}

void Connection::Drop() {
    if (conn_)
        PQfinish(conn_);
    conn_ = nullptr;
    prepared_.clear();
}

void Connection::Connect() {
    if (Alive())
        return;
    Drop();
    conn_ = PQconnectdb(conninfo_.c_str());
    if (PQstatus(conn_) != CONNECTION_OK) {
        std::string why = Trimmed(PQerrorMessage(conn_));
        Drop();
        throw Error(ErrorKind::Io,
                    "Connexion au serveur de base de données impossible : " + why + ".");
    }
    ++session_;
    PQsetNoticeProcessor(conn_, &IgnoreNotice, nullptr);
    // Statements are prepared once and run thousands of times with other values: planning each
    // run anew would cost more than running it.
    Check(PQexec(conn_, "SET plan_cache_mode = force_generic_plan"), "plan_cache_mode");
}

PGTransactionStatusType Connection::TransactionStatus() const {
    return conn_ ? PQtransactionStatus(conn_) : PQTRANS_UNKNOWN;
}

void Connection::Fail(const PGresult* result, std::string_view what) {
    const char* state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    std::string code = state ? state : "";
    // 08: the link failed; 57P: the server ended the session (an administrator, a shutdown).
    if (!Alive() || code.rfind("08", 0) == 0 || code.rfind("57P", 0) == 0) {
        std::string why = result ? Trimmed(PQresultErrorMessage(result)) : "";
        if (why.empty() && conn_)
            why = Trimmed(PQerrorMessage(conn_));
        std::replace(why.begin(), why.end(), '\n', ' ');
        std::fprintf(stderr, "Connexion au serveur PostgreSQL perdue (%s) : %s\n",
                     std::string(what.substr(0, 40)).c_str(), why.c_str());
        Drop();  // the next call connects again, whatever libpq still believes
        throw Error(ErrorKind::Io, kConnectionLost);
    }
    std::string detail = result && PQresultErrorField(result, PG_DIAG_MESSAGE_DETAIL)
                             ? PQresultErrorField(result, PG_DIAG_MESSAGE_DETAIL)
                             : "";
    if (code == kUnsupportedConversion) {
        throw Error(ErrorKind::Command,
                    "Conversion non prise en charge : " + text::Printable(FromHex(detail)) + ".");
    }
    if (code == kTranslateFileMissing) {
        size_t bar = detail.find('|');
        throw Error(ErrorKind::FileNotFound,
                    "Le fichier " + text::Printable(FromHex(detail.substr(0, bar))) +
                        " de la conversion " + text::Printable(FromHex(detail.substr(bar + 1))) +
                        " n'existe pas.");
    }
    if (code == kRecordExists)
        throw Error(ErrorKind::RecordExists, "L'enregistrement existe déjà.");
    if (code == kFileGone) {
        throw Error(ErrorKind::FileNotFound,
                    "Le fichier " + text::Printable(FromHex(detail)) + " n'existe plus.");
    }
    if (code == "25P02") {
        throw Error(ErrorKind::Failure, kTransactionAborted);
    }
    std::string message = result ? Trimmed(PQresultErrorMessage(result)) : "";
    if (message.empty())
        message = Trimmed(PQerrorMessage(conn_));
    throw Error(ErrorKind::Failure, "Le serveur de base de données a refusé l'opération (" +
                                        std::string(what.substr(0, 40)) +
                                        ") : " + text::Printable(message, 300));
}

Result Connection::Check(PGresult* raw, std::string_view sql) {
    Result result(raw);
    ExecStatusType status = raw ? PQresultStatus(raw) : PGRES_FATAL_ERROR;
    if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK)
        return result;
    Fail(raw, sql);
}

Result Connection::Run(std::string_view sql, const Params& params) {
    Connect();
    std::string key(sql);
    key.push_back('\0');
    key += params.TypeKey();
    auto it = prepared_.find(key);
    if (it == prepared_.end()) {
        std::string name = "s" + std::to_string(prepared_.size() + 1);
        Check(PQprepare(conn_, name.c_str(), std::string(sql).c_str(), params.Count(),
                        params.types_.data()),
              sql);
        it = prepared_.emplace(std::move(key), std::move(name)).first;
    }
    std::vector<const char*> values;
    std::vector<int> lengths, formats;
    for (size_t i = 0; i < params.values_.size(); ++i) {
        values.push_back(params.nulls_[i] ? nullptr : params.values_[i].data());
        lengths.push_back(static_cast<int>(params.values_[i].size()));
        formats.push_back(1);
    }
    return Check(PQexecPrepared(conn_, it->second.c_str(), params.Count(), values.data(),
                                lengths.data(), formats.data(), 1),
                 sql);
}

void Connection::Exec(std::string_view sql) {
    Connect();
    Check(PQexec(conn_, std::string(sql).c_str()), sql);
}

void Connection::Copy(std::string_view copySql, const std::string& data) {
    Connect();
    Result start(PQexec(conn_, std::string(copySql).c_str()));
    if (PQresultStatus(start.Handle()) != PGRES_COPY_IN)
        Fail(start.Handle(), copySql);
    if (PQputCopyData(conn_, data.data(), static_cast<int>(data.size())) != 1 ||
        PQputCopyEnd(conn_, nullptr) != 1)
        Fail(nullptr, copySql);
    Check(PQgetResult(conn_), copySql);
    while (PGresult* rest = PQgetResult(conn_))
        PQclear(rest);
}

void AppendCopyHeader(std::string& out) {
    out.append("PGCOPY\n\xff\r\n\0", 11);
    Put32(out, 0);
    Put32(out, 0);
}

void AppendCopyRow(std::string& out, std::int64_t fileId, std::string_view id,
                   std::string_view body) {
    Put16(out, 3);
    Put32(out, 8);
    Put64(out, static_cast<std::uint64_t>(fileId));
    Put32(out, static_cast<std::uint32_t>(id.size()));
    out.append(id);
    std::string array;
    AppendByteArray(array, body, '\xFE');
    Put32(out, static_cast<std::uint32_t>(array.size()));
    out.append(array);
}

void AppendCopyTrailer(std::string& out) {
    Put16(out, 0xFFFF);
}

}  // namespace mv::pq
