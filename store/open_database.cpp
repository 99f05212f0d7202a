#include "open_database.h"

#include <filesystem>

#include "local_database.h"
#include "server_database.h"

namespace store {

bool IsServerLocation(const std::string& location) {
    return location.rfind("postgresql:", 0) == 0 || location.rfind("postgres:", 0) == 0;
}

OpenedDatabase OpenDatabase(const std::string& location) {
    if (IsServerLocation(location)) {
        auto server = OpenServerDatabase(location);
        return {server, server->Fresh()};
    }
    std::error_code ec;
    bool fresh = !std::filesystem::exists(location, ec);
    return {OpenLocalDatabase(location), fresh};
}

}  // namespace store
