#pragma once
// What the selection language needs from a database, whatever engine holds it: files found by
// name, records read by id (dictionary items, translations) and a cache of resolved fields. The
// embedded engine (database.h) and the server engine (platform/server) implement it, so that one
// parser and one field resolver serve both.
//
// Also the rules both engines share: names of files, ids of records, and the entries a secondary
// index holds for a record. Errors are mv::Error exceptions. Not thread-safe.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mv {

// A file as resolved from its name.
struct FileRef {
    std::int64_t id = 0;
    std::string name;  // "ASSOCIATION" or "DICT ASSOCIATION"
    bool isDict = false;
    std::int64_t dataId = 0;  // the data file: itself, or the file a dictionary describes
    std::string DataName() const { return isDict ? name.substr(5) : name; }
    std::string DictName() const { return isDict ? name : "DICT " + name; }
};

// A secondary index: one entry per value and subvalue of an attribute. With an id prefix of n
// characters, entries are grouped by the first n characters of the id before the value, so that
// "id begins with P and value begins with Q" reads only the matching entries (ids made of a
// parent code and an own code: accounts of one association).
struct IndexDef {
    std::int64_t id = 0;
    std::string field;  // the name it was created under
    int location = 0;   // attribute number
    int idPrefix = 0;   // 0: not grouped by id

    // The entries of one record: (key, pos), pos as in IndexKeys.
    std::vector<std::pair<std::string, int>> Entries(std::string_view recordId,
                                                     std::string_view body) const;
    // What every key of the record's group begins with (empty when not grouped).
    std::string GroupOf(std::string_view recordId) const;
};

// The entries an index holds for one attribute: (key, pos) with pos 0 when the key is the whole
// attribute, 1 for the first of several values, 2 for a later one. Duplicates are left out.
std::vector<std::pair<std::string, int>> IndexKeys(std::string_view attribute);

// "DICT  X" and "DICT X" are the same name; blanks elsewhere belong to the name.
std::string NormalizeFileName(std::string_view name);
// Empty when name may be created, else the French reason.
std::string CheckNewFileName(std::string_view name);
// Empty when id may be written, else the French reason.
std::string CheckRecordId(std::string_view id);
// As CheckRecordId, throwing Error(Failure) with the reason.
void RequireRecordId(std::string_view id);

class Catalog {
  public:
    virtual ~Catalog() = default;

    // The file of that name (see NormalizeFileName), nullopt when there is none.
    virtual std::optional<FileRef> FindFile(std::string_view name) = 0;
    // A record's text, nullopt when the id is missing.
    virtual std::optional<std::string> Read(const FileRef& file, std::string_view id) = 0;
    // The ids of file equal to name when ASCII case is ignored, in any order.
    virtual std::vector<std::string> IdsIgnoringCase(const FileRef& file,
                                                     std::string_view name) = 0;

    // Resolved fields are cached between commands; the epoch changes whenever that cache may be
    // stale, and the cache slot is emptied then.
    struct Cache {
        virtual ~Cache() = default;
    };
    virtual std::uint64_t CatalogEpoch() = 0;
    virtual std::unique_ptr<Cache>& FieldCache() = 0;
};

}  // namespace mv
