#pragma once
// Dump and load of an embedded database in JSON Lines (the format: dump_format.h). The history
// is not part of a dump; a load adds one history entry per record it writes.

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "database.h"
#include "dump_format.h"

namespace mv {

// Writes files (every file when empty; unknown names throw Error(FileNotFound) before anything
// is written).
void DumpJsonLines(Database& db, std::ostream& out, const std::vector<std::string>& files = {});

// Loads lines in one transaction; whenever it throws, nothing of the load is kept:
//  - a bad line (an index line naming an unknown file or field included) throws Error(Command)
//    or Error(FileNotFound) beginning "Ligne n : ";
//  - one file and id given twice throws Error(Command) naming each duplicate with its two line
//    numbers (the first few of them, and how many there are);
//  - without options.replace, records that exist with another text throw Error(RecordExists)
//    saying how many and naming the first few.
// The ids seen are kept in memory until the end, to find duplicates.
LoadCounts LoadJsonLines(Database& db, std::istream& in, const LoadOptions& options = {});

}  // namespace mv
