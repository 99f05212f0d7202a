#pragma once
// The change sets kept in a database's history: for one write, the (attribute, value) positions
// whose text differs, with the text before and after. Positions are 1-based; a missing position
// reads as empty, so a creation has empty texts before and a removal empty texts after, and
// positions empty on both sides are never listed.
//
// Encoded as record text, one change per attribute: attribute number, value number, text
// before and text after, separated by value marks. A value never holds an attribute or value
// mark, so any text survives. Pure functions, thread-safe.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mv::history {

struct Change {
    int attribute = 0;
    int value = 0;
    std::string before, after;
    bool operator==(const Change&) const = default;
};

// Appends the encoded changes from before to after to out (which should start empty) and
// returns how many there are. Attributes equal as bytes are skipped without being split.
int AppendChanges(std::string& out, std::string_view before, std::string_view after);

// The changes of an encoded text; a malformed part is skipped.
std::vector<Change> DecodeChanges(std::string_view encoded);

}  // namespace mv::history

namespace mv {

// One entry of a database's history, as the engines give it.
struct HistoryEntry {
    // Microseconds since 1970-01-01 UTC when written, and always above the record's previous
    // entry: a record's entries never tie, entries of different records follow the clock.
    std::int64_t sequence = 0;
    std::string user;
    std::int64_t time = 0;  // seconds since 1970-01-01 UTC
    std::string file, id;
    std::vector<history::Change> changes;
};

// What a write did.
enum class WriteResult { Created, Replaced, Unchanged };

// The account running the process: whom the entries name until told otherwise.
std::string AccountName();

}  // namespace mv
