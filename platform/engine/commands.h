#pragma once
// Runs one command line of the query language (see query.h) and reports what it did.

#include <string>
#include <string_view>
#include <vector>

#include "database.h"
#include "selection.h"

namespace mv {

struct CommandOutput {
    // 0 done; 1 refused for the data (a file that exists already ...), with the reason in lines.
    int status = 0;
    std::vector<std::string> lines;  // French, for the user
    bool isSelection = false;
    std::int64_t count = 0;  // selections: the number of records
    std::vector<Row> rows;   // selections without a sink: the records in order, with columns
};

// Parses and runs text. columns: the fields a selection returns with each record; with a
// sink, selected records go to it instead of rows. Malformed commands throw Error(Command),
// unknown files Error(FileNotFound).
CommandOutput RunCommand(Database& db, std::string_view text,
                         const std::vector<std::string>& columns = {},
                         const RowSink* sink = nullptr);

}  // namespace mv
