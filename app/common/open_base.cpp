#include "app/common/open_base.h"

#include <filesystem>
#include <vector>

#include "platform/seed/seed.h"
#include "store/open_database.h"
#include "store/server_database.h"

namespace fs = std::filesystem;

namespace appbase {

bool IsNewBase(const std::string& name) {
    if (store::IsServerLocation(name))
        return false;  // known once connected
    std::error_code ec;
    const fs::file_status status = fs::status(name, ec);
    if (status.type() == fs::file_type::not_found)
        return true;
    return fs::is_regular_file(status) && fs::file_size(name, ec) == 0 && !ec;
}

std::string TemplateFolder(const std::string& path) {
    if (store::IsServerLocation(path))
        return (fs::current_path() / "modeles").string();
    return (fs::absolute(path).parent_path() / "modeles").string();
}

namespace {

// Prepares a new base as asked; the preparations run in one transaction.
void Prepare(store::Database& database, const std::string& name, Preparation preparation) {
    if (preparation == Preparation::DemoData)
        seed::LoadDemo(database, TemplateFolder(name));
    else
        seed::Bootstrap(database);
}

}  // namespace

Opened OpenBase(const std::string& name, const OpenOptions& options) {
    if (store::IsServerLocation(name)) {
        Opened opened;
        auto server = store::OpenServerDatabase(name);
        opened.database = server;
        opened.backend = server;
        if (server->Fresh()) {
            Prepare(*server, name, options.preparation);
            opened.prepared = true;
        }
        return opened;
    }
    std::error_code ec;
    const bool fresh = IsNewBase(name);
    const bool existed = fs::exists(name, ec);
    if (fresh && options.makeFolders) {
        const fs::path folder = fs::absolute(name).parent_path();
        fs::create_directories(folder);
    }
    // What a failed preparation must take away again: only what this opening made.
    std::vector<std::string> made;
    if (fresh) {
        for (const char* suffix : {"-wal", "-shm", "-locks"}) {
            if (!fs::exists(name + suffix, ec))
                made.push_back(name + suffix);
        }
    }
    Opened opened;
    opened.local = store::OpenLocalDatabase(name);
    opened.database = opened.local;
    opened.backend = opened.local;
    if (!fresh)
        return opened;
    try {
        Prepare(*opened.local, name, options.preparation);
    } catch (...) {
        // A half-prepared base would pass for a finished one at the next opening.
        opened = {};
        if (existed)
            fs::resize_file(name, 0, ec);
        else
            fs::remove(name, ec);
        for (const std::string& path : made)
            fs::remove(path, ec);
        throw;
    }
    opened.prepared = true;
    return opened;
}

}  // namespace appbase
