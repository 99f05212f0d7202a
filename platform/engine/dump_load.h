#pragma once
// Dump and load of any engine in JSON Lines (the lines: dump_format.h). The engine reads its
// records for a dump and writes those of a load; the rest is here, so that both engines write
// and read a dump alike: which files in which order, the file and index lines, the files a load
// creates, its checks and its French messages.

#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "command_host.h"
#include "dump_format.h"

namespace mv {

// Calls record(id, body) for every record of file, in id order.
using RecordVisitor = std::function<void(std::string_view id, std::string_view body)>;
using FileScan = std::function<void(const FileRef& file, const RecordVisitor& record)>;

// Writes files (every file when empty; unknown names throw Error(FileNotFound) before anything
// is written), their records read through scan. The history is not part of a dump.
void WriteDump(CommandHost& db, std::ostream& out, const std::vector<std::string>& files,
               const FileScan& scan);

// How an engine writes the records of a load, inside the load's transaction.
class LoadWriter {
  public:
    virtual ~LoadWriter() = default;
    // A record line, neither a duplicate nor after one: written now, or kept for Flush.
    virtual void Write(const FileRef& file, std::string_view id, std::string_view body) = 0;
    // Once every line is read, unless the load is refused for duplicates.
    virtual void Flush() {}

    // What the writes did: counted here, each replaced record noted in checks.
    LoadCounts counts;
    LoadChecks checks;
};

// Reads lines into db within the caller's transaction, creating the files they name and, after
// every record, the indexes. Whenever it throws, the caller rolls back:
//  - a bad line (an index line naming an unknown file or field included) throws Error(Command)
//    or Error(FileNotFound) beginning "Ligne n : ";
//  - one file and id given twice throws Error(Command) naming each duplicate with its two line
//    numbers (the first few of them, and how many there are);
//  - without options.replace, records that exist with another text throw Error(RecordExists)
//    saying how many and naming the first few.
// The ids seen are kept in memory until the end, to find duplicates.
LoadCounts ReadDump(CommandHost& db, std::istream& in, const LoadOptions& options,
                    LoadWriter& writer);

}  // namespace mv
