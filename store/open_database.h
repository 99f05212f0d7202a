#pragma once
// Opens the record store named on a command line (--db): a libpq connection string beginning
// with "postgresql:" or "postgres:" gives the server backend, anything else is the path of an
// embedded database file.

#include <memory>
#include <string>

#include "backend_database.h"

namespace store {

// True when location names a PostgreSQL server database.
bool IsServerLocation(const std::string& location);

struct OpenedDatabase {
    std::shared_ptr<BackendDatabase> database;
    // A file that did not exist or a server database without the schema: it was just made
    // empty, and wants the system's files (seed::Bootstrap) or the demo data.
    bool fresh = false;
};

// Opens (creating the file, or preparing the server database, when new). Failure:
// StoreError(IoError) with the reason.
OpenedDatabase OpenDatabase(const std::string& location);

}  // namespace store
