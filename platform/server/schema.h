#pragma once
// The tables and server-side functions of a multivalue database on PostgreSQL, all in the
// schema "mv" of the database connected to.
//
// Storage: ids, record text, index keys and names are bytea, never text. Record text holds the
// marks 0xFE, 0xFD, 0xFC, which are never valid UTF-8, and may hold any byte, NUL included, which
// no text column holds whatever the database encoding; bytea compares with memcmp, shorter first,
// exactly as the embedded engine does, independent of any collation a customer's server was set
// up with. So the database may be made with any encoding (UTF-8 is fine): nothing depends on it.
// A record is stored as its attributes (bytea[], split at 0xFE), so that the server reaches
// attribute n at once (attrs[n]) when it evaluates a selection; joining them with 0xFE gives the
// record back byte for byte.
//
// The helpers are SQL and PL/pgSQL only (no C extension to install on a customer's server).
// Prepare() creates them in an empty database, under an advisory lock so that two programs
// preparing one database at once do not collide. Errors are mv::Error exceptions.

#include "pq.h"

namespace mv::server {

inline constexpr int kSchemaVersion = 1;

// Creates the schema when the database has none. Returns true when it did; a database holding
// another version of the schema throws Error(Io).
bool Prepare(pq::Connection& connection);

}  // namespace mv::server
