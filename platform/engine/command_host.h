#pragma once
// Runs one command line of the query language (see query.h) on any engine and reports what it
// did: the engine gives the storage (CommandHost), this gives the words, the checks and the
// French messages, so that every engine answers a command alike.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalog.h"
#include "query.h"

namespace mv {

struct Row {
    std::string id;
    std::vector<std::string> columns;  // the whole text of each asked field
};

// Receives each selected record in order; the views last until it returns.
using RowSink =
    std::function<void(std::string_view id, const std::vector<std::string_view>& columns)>;

struct CommandOutput {
    // 0 done; 1 refused for the data (a file that exists already ...), with the reason in lines.
    int status = 0;
    std::vector<std::string> lines;  // French, for the user
    bool isSelection = false;
    std::int64_t count = 0;  // selections: the number of records
    std::vector<Row> rows;   // selections without a sink: the records in order, with columns
};

// What an engine does for the commands. Errors are mv::Error exceptions.
class CommandHost : public Catalog {
  public:
    // As FindFile; a missing file throws Error(FileNotFound).
    FileRef RequireFile(std::string_view name);

    // Creates name and its dictionary; false when name exists. sizes is recorded only.
    virtual bool CreateFile(std::string_view name, std::string_view sizes) = 0;
    // Removes a file, its dictionary, records and indexes; false when it does not exist.
    virtual bool DeleteFile(std::string_view name) = 0;
    // Every file name, dictionaries included, sorted by bytes.
    virtual std::vector<std::string> FileNames() = 0;
    // The indexes of a file, by location then id prefix.
    virtual std::vector<IndexDef> Indexes(const FileRef& file) = 0;
    // The index of that attribute and id prefix, nullopt when there is none.
    std::optional<IndexDef> IndexAt(const FileRef& file, int location, int idPrefix = 0);
    // Creates and fills an index; false when that attribute has one (same id prefix) already.
    virtual bool CreateIndex(const FileRef& file, std::string_view field, int location,
                             int idPrefix = 0) = 0;
    // Recomputes every entry of an index from the records.
    virtual void BuildIndex(const FileRef& file, const IndexDef& index) = 0;
    virtual bool DeleteIndex(const FileRef& file, int location, int idPrefix = 0) = 0;

    // The records a query selects, in its order, each with the texts of columns; returns their
    // number.
    virtual std::int64_t SelectRows(const Query& query, const std::vector<Field>& columns,
                                    const RowSink& sink) = 0;
    // Number of records satisfying the query's conditions.
    virtual std::int64_t CountRows(const Query& query) = 0;
    // Keeps one consistent view of the data while the result lives (a read-only command's
    // statements); nullptr when the engine needs none.
    virtual std::unique_ptr<Cache> ReadSnapshot() { return nullptr; }
};

// Parses and runs text. columns: the fields a selection returns with each record; with a
// sink, selected records go to it instead of rows. Malformed commands throw Error(Command),
// unknown files Error(FileNotFound).
CommandOutput RunCommand(CommandHost& db, std::string_view text,
                         const std::vector<std::string>& columns = {},
                         const RowSink* sink = nullptr);

}  // namespace mv
