#pragma once
// Dump and load of a database in JSON Lines, one object a line:
//
//   {"file": "ASSOCIATION", "id": "001", "attrs": ["SAD", ["a", "b"], [["s1", "s2"]], ""]}
//   {"file": "CONVOVM007"}                          a file with no record
//   {"index": "ASSOCIATION", "field": "SigleAssoc"} an index, made after every record is loaded
//   {"index": "PLANCOMPTABLE", "field": "1", "idprefix": "3"}   one grouped by id prefix
//
// An attribute is a string (one value) or an array of values; a value is a string or an array
// of subvalues. A dictionary record has the file "DICT X"; loading it creates X when needed.
// Files come sorted by name, records by id, index lines last, so a dump loaded into an empty
// database dumps back byte for byte.
//
// Text is UTF-8; a byte that is not part of valid UTF-8 is written as the escape \udcXX (a lone
// low surrogate, which valid text never holds) and read back as that byte, so any record
// survives the round trip. A UTF-8 byte-order mark before the first line is skipped.
//
// The history is not part of a dump; a load adds one history entry per record it writes.

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "database.h"

namespace mv {

// Writes files (every file when empty; unknown names throw Error(FileNotFound) before anything
// is written).
void DumpJsonLines(Database& db, std::ostream& out, const std::vector<std::string>& files = {});

struct LoadOptions {
    // Whether records that exist with another text may be replaced.
    bool replace = false;
};

struct LoadCounts {
    std::int64_t created = 0;    // records that did not exist
    std::int64_t replaced = 0;   // records that existed with another text
    std::int64_t unchanged = 0;  // records that existed with the same text: not written
    std::int64_t files = 0;      // created by the load
    std::int64_t indexes = 0;    // created by the load
};

// Loads lines in one transaction; whenever it throws, nothing of the load is kept:
//  - a bad line (an index line naming an unknown file or field included) throws Error(Command)
//    or Error(FileNotFound) beginning "Ligne n : ";
//  - one file and id given twice throws Error(Command) naming each duplicate with its two line
//    numbers (the first few of them, and how many there are);
//  - without options.replace, records that exist with another text throw Error(RecordExists)
//    saying how many and naming the first few.
// The ids seen are kept in memory until the end, to find duplicates.
LoadCounts LoadJsonLines(Database& db, std::istream& in, const LoadOptions& options = {});

// One record's attributes as the JSON array above, and back (throws Error(Command)).
std::string AttributesToJson(std::string_view body);
std::string JsonString(std::string_view bytes);

}  // namespace mv
