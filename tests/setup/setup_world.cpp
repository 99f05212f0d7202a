#include "setup_world.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "store/local_database.h"
#include "store/store_error.h"

namespace stdfs = std::filesystem;

SetupWorld::SetupWorld() {
    std::string pattern = (stdfs::temp_directory_path() / "meri-setup-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp");
    root = pattern;
    folder = root + "/modeles";
    stdfs::create_directories(folder);
    WriteTemplate("Contrat.txt", "Contrat de travail\n");
    WriteTemplate("Avenant.txt", "Avenant au contrat\n");
    WriteTemplate("Defaut.txt", "Convocation\n");

    real = store::OpenLocalDatabase(root + "/base.mvdb");
    real->Execute("CREATE.FILE CONVENTIONCOL 3,1");
    real->Execute("CREATE.FILE CIVILAIDANT 3,1");
    db = std::make_shared<RecordingDatabase>(real, log);
    // Copies are logged by name within the template folder: "Contrat.txt > Contrat007A1.txt".
    files.OnCopy([this](const files::RecordingFileSystem::CopyMade& c) {
        auto local = [this](const std::string& path) {
            const std::string prefix = folder + "\\";
            return path.rfind(prefix, 0) == 0 ? path.substr(prefix.size()) : "?" + path;
        };
        log.push_back("COPY " + local(c.source) + " > " + local(c.destination));
    });
}

SetupWorld::~SetupWorld() {
    db.reset();
    real.reset();
    std::error_code ignored;
    stdfs::remove_all(root, ignored);
}

void SetupWorld::AddConventions(std::initializer_list<std::string> keys) {
    auto file = real->OpenFile("CONVENTIONCOL");
    for (const std::string& key : keys) {
        store::Record r = file->NewItem(key);
        r.SetValue(1, "Convention " + key);
        r.DBWrite();
    }
}

std::string SetupWorld::Template(const std::string& name) const {
    std::ifstream in(folder + "/" + name, std::ios::binary);
    if (!in)
        return "<absent>";
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void SetupWorld::RemoveTemplate(const std::string& name) const {
    stdfs::remove(folder + "/" + name);
}

void SetupWorld::WriteTemplate(const std::string& name, const std::string& contents) const {
    std::ofstream(folder + "/" + name, std::ios::binary) << contents;
}

std::vector<std::string> SetupWorld::TemplateNames() const {
    std::vector<std::string> names;
    for (const auto& e : stdfs::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool SetupWorld::HasFile(const std::string& name) const {
    try {
        real->OpenFile(name);
        return true;
    } catch (const store::StoreError& e) {
        if (e.code() == store::ErrorCode::FileNotFound)
            return false;
        throw;
    }
}
