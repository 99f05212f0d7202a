#pragma once
// Fixtures of the record-store tests: a fresh database for each test, on either backend.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "platform/engine/database.h"
#include "store/local_database.h"
#include "store/open_database.h"
#include "store/request.h"
#include "store/store_error.h"
#include "tests/support/postgres_server.h"

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

// The code and message of the StoreError a call throws, {0, ""} when it throws nothing.
template <typename Fn>
std::pair<std::uint32_t, std::string> FailureOf(Fn&& fn) {
    try {
        fn();
    } catch (const store::StoreError& e) {
        return {e.code(), e.what()};
    }
    return {0, ""};
}
template <typename Fn>
std::uint32_t ErrorOf(Fn&& fn) {
    return FailureOf(fn).first;
}
template <typename Fn>
std::string MessageOf(Fn&& fn) {
    return FailureOf(fn).second;
}

// Files, records and selections made through any backend, for the fixtures below.
class StoreHelpers {
  protected:
    virtual ~StoreHelpers() = default;
    virtual store::BackendDatabase& Base() = 0;

    // Another session on the same base, as a second workstation has.
    virtual std::shared_ptr<store::BackendDatabase> OtherSession() = 0;

    // Creates a file with D items: name -> (attribute, format).
    void MakeFile(const std::string& name,
                  std::initializer_list<std::tuple<const char*, int, const char*>> items = {}) {
        Base().Execute("CREATE.FILE " + name + " 3,1");
        auto dict = Base().OpenFile("DICT " + name);
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
        auto f = Base().OpenFile(file);
        store::Record r(f, id, text);
        r.DBWrite();
    }

    // What a command run as the screens run it says on its first line.
    std::string Said(const std::string& command) {
        std::string status;
        return Base().CallSubroutine("DBA.EXECUTE", status, command).Value(3, 1);
    }

    // Ids selected by a command, one per attribute of the result.
    std::vector<std::string> Ids(const std::string& command) {
        std::string file = command.substr(command.find(' ') + 1);
        file = file.substr(0, file.find(' '));
        store::Record result = Base().Select(command, file, "0");
        std::vector<std::string> ids;
        for (int i = 1; i <= result.DCount(); ++i)
            ids.push_back(result.Value(i));
        return ids;
    }
};

enum class Backend { Embedded, Server };

inline std::string BackendName(const ::testing::TestParamInfo<Backend>& info) {
    return info.param == Backend::Embedded ? "Embedded" : "Server";
}

// The same test on each backend: a fresh embedded file, or a fresh database of the private
// PostgreSQL server of the test program (tests/support/postgres_server.h).
class BackendTest : public ::testing::TestWithParam<Backend>, public StoreHelpers {
  protected:
    void SetUp() override {
        location = NewLocation();
        db = Open(location);
    }
    store::BackendDatabase& Base() override { return *db; }
    std::shared_ptr<store::BackendDatabase> OtherSession() override { return Open(location); }

    // Where a new, empty database of the test's backend is.
    std::string NewLocation() {
        if (GetParam() == Backend::Embedded)
            return folder / ("base" + std::to_string(++made_) + ".mvdb");
        return testsupport::PostgresServer::Instance()->NewDatabase();
    }
    // A connection of its own to the database at where (another workstation).
    static std::shared_ptr<store::BackendDatabase> Open(const std::string& where) {
        return store::OpenDatabase(where).database;
    }

    TempFolder folder;
    std::string location;
    std::shared_ptr<store::BackendDatabase> db;

  private:
    int made_ = 0;
};

#define MERI_BACKENDS(suite)                  \
    INSTANTIATE_TEST_SUITE_P(Backends, suite, \
                             ::testing::Values(Backend::Embedded, Backend::Server), BackendName)

}  // namespace enginetest
