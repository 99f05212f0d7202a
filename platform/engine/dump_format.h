#pragma once
// The lines of a dump in JSON Lines, one object a line, shared by every engine's dump and load:
//
//   {"file": "ASSOCIATION", "id": "001", "attrs": ["SAD", ["a", "b"], [["s1", "s2"]], ""]}
//   {"file": "CONVOVM007"}                          a file with no record
//   {"index": "ASSOCIATION", "field": "SigleAssoc"} an index, made after every record is loaded
//   {"index": "PLANCOMPTABLE", "field": "1", "idprefix": "3"}   one grouped by id prefix
//
// An attribute is a string (one value) or an array of values; a value is a string or an array
// of subvalues. A dictionary record has the file "DICT X"; loading it creates X when needed.
// Files come sorted by name (bytes), records by id (bytes), index lines last, sorted, so a dump
// loaded into an empty database dumps back byte for byte, whichever engine holds either.
//
// Text is UTF-8; a byte that is not part of valid UTF-8 is written as the escape \udcXX (a lone
// low surrogate, which valid text never holds) and read back as that byte, so any record
// survives the round trip. Pure functions; errors are mv::Error(Command) naming the line.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "error.h"

namespace mv {

// One record's attributes as the JSON array above.
std::string AttributesToJson(std::string_view body);
std::string JsonString(std::string_view bytes);

// Whole lines, newline included.
std::string RecordLine(std::string_view file, std::string_view id, std::string_view body);
std::string FileLine(std::string_view file);
std::string IndexLine(std::string_view file, std::string_view field, int idPrefix);

struct DumpLine {
    enum class Kind { Blank, File, Record, Index };
    Kind kind = Kind::Blank;
    std::string file;  // normalized name (see catalog.h); for Index the file indexed
    std::string id, body;
    std::string field;
    int idPrefix = 0;
};

// Parses line number `line` (a UTF-8 byte-order mark before the first is skipped); a bad line
// throws Error(Command) "Ligne n : ...".
DumpLine ParseDumpLine(std::string_view text, std::int64_t line);

// The data file a line's file name creates when it is missing (the name without "DICT");
// a name that cannot be created throws Error(Command) naming the line.
std::string CheckDumpFile(std::string_view name, std::int64_t line);

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

// An error met for a line, again with "Ligne n : " in front.
[[noreturn]] void AtLine(std::int64_t line, const Error& e);

// What every load refuses whole: one file and id given twice (each named with its two line
// numbers), and replacing records with another text unless asked. Keeps the ids seen.
class LoadChecks {
  public:
    // Notes a record line; false when its file and id came before (a duplicate).
    bool Note(std::int64_t fileId, std::string_view fileName, std::string_view id,
              std::int64_t line);
    bool HasDuplicates() const { return duplicateCount_ > 0; }
    void NoteReplaced(std::string_view fileName, std::string_view id);
    std::int64_t Replaced() const { return replacedCount_; }
    // Throws Error(Command) for duplicates, else Error(RecordExists) for replacements not
    // allowed.
    void Finish(bool replaceAllowed) const;

  private:
    std::unordered_map<std::string, std::int64_t> seen_;  // file id and record id -> line
    std::vector<std::string> duplicates_, replaced_;
    std::int64_t duplicateCount_ = 0, replacedCount_ = 0;
};

}  // namespace mv
