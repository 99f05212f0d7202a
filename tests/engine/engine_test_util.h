#pragma once
// A fresh database file in a private temporary folder for each test.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "platform/engine/database.h"
#include "store/local_database.h"
#include "store/request.h"
#include "store/store_error.h"

namespace enginetest {

inline const std::string FM = "\xFE", VM = "\xFD", SM = "\xFC";
using V = std::vector<std::string>;

class TempFolder {
  public:
    TempFolder() {
        // Memory-backed when available: the tests create many small databases.
        std::filesystem::path base = std::filesystem::temp_directory_path();
        if (::access("/dev/shm", W_OK) == 0)
            base = "/dev/shm";
        std::string pattern = (base / "mvtest-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

// The error code a call throws, or 0 when it throws nothing.
template <typename Fn>
std::uint32_t ErrorOf(Fn&& fn) {
    try {
        fn();
    } catch (const store::StoreError& e) {
        return e.code();
    }
    return 0;
}

// The message of the StoreError a call throws, or "" when it throws nothing.
template <typename Fn>
std::string MessageOf(Fn&& fn) {
    try {
        fn();
    } catch (const store::StoreError& e) {
        return e.what();
    }
    return {};
}

class DatabaseTest : public ::testing::Test {
  protected:
    void SetUp() override { db = store::OpenLocalDatabase(folder / "base.mvdb"); }

    // Another session on the same base, as a second workstation has.
    std::shared_ptr<store::LocalDatabase> OtherSession() {
        return store::OpenLocalDatabase(folder / "base.mvdb");
    }

    // Creates a file with D items: name -> (attribute, format).
    void MakeFile(const std::string& name,
                  std::initializer_list<std::tuple<const char*, int, const char*>> items = {}) {
        std::string status;
        db->Execute("CREATE.FILE " + name + " 3,1");
        auto dict = db->OpenFile("DICT " + name);
        for (const auto& [item, attribute, format] : items) {
            store::Record r = dict->NewItem(item);
            r.SetValue(1, "D");
            r.SetValue(2, std::to_string(attribute));
            r.SetValue(4, item);
            r.SetValue(5, format);
            r.SetValue(6, "S");
            r.DBWrite();
        }
    }

    void Put(const std::string& file, const std::string& id, const std::string& text) {
        auto f = db->OpenFile(file);
        store::Record r(f, id, text);
        r.DBWrite();
    }

    // Ids selected by a command, one per attribute of the result.
    std::vector<std::string> Ids(const std::string& command) {
        std::string file = command.substr(command.find(' ') + 1);
        file = file.substr(0, file.find(' '));
        store::Record result = db->Select(command, file, "0");
        std::vector<std::string> ids;
        for (int i = 1; i <= result.DCount(); ++i)
            ids.push_back(result.Value(i));
        return ids;
    }

    TempFolder folder;
    std::shared_ptr<store::LocalDatabase> db;
};

}  // namespace enginetest
