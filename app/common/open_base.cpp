#include "app/common/open_base.h"

#include <filesystem>
#include <vector>

#include "platform/seed/seed.h"

namespace fs = std::filesystem;

namespace appbase {

bool IsNewBase(const std::string& name) {
    std::error_code ec;
    const fs::file_status status = fs::status(name, ec);
    if (status.type() == fs::file_type::not_found)
        return true;
    return fs::is_regular_file(status) && fs::file_size(name, ec) == 0 && !ec;
}

std::string TemplateFolder(const std::string& path) {
    return (fs::absolute(path).parent_path() / "modeles").string();
}

Opened OpenBase(const std::string& name, const OpenOptions& options) {
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
    if (!fresh)
        return opened;
    try {
        if (options.preparation == Preparation::DemoData)
            seed::LoadDemo(*opened.local, TemplateFolder(name));
        else
            seed::Bootstrap(*opened.local);
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
