#pragma once
// The change history a database keeps of its records, in the base itself (Database::History).
//
// What is recorded: every record created (File::Create, or File::Write of a missing id), every
// write that changes at least one position of a record (File::Write), every removal
// (File::DeleteRecord), hence Record::DBWrite and Record::DBCreate, and every record a load
// writes. One entry per write, in the same transaction as the write: after a crash history and
// data agree. A write that fails, or that gives a record its own text again, records nothing.
//
// An entry names who (the session's user name, Database::SetUserName), when, the file, the id,
// and each (attribute, value) position whose text differs, with the text before and after.
// Positions are 1-based; a missing position reads as empty, so a creation has every "before"
// empty, a removal every "after" empty, and positions empty on both sides are never listed (a
// record created empty has an entry with no change). A value's text may hold subvalue marks
// (0xFC), never attribute or value marks.
//
// No interface call and no command changes or removes an entry. DELETE.FILE keeps the file's
// history: it stays readable under the file's name, and a file made again under that name
// continues it. The history is not part of a dump.

#include <cstdint>
#include <string>
#include <vector>

namespace store {

struct HistoryChange {
    int attribute = 0;
    int value = 0;
    std::string before, after;
    bool operator==(const HistoryChange&) const = default;
};

struct HistoryEntry {
    // Orders the entries: a record's later entry always has a higher one, and entries of
    // different records follow the time of their writes. Compare it; its value means nothing
    // else (the embedded engine counts microseconds).
    std::int64_t sequence = 0;
    std::string user;
    std::string time;  // "dd/mm/yyyy hh:mm:ss", UTC
    std::string file, id;
    std::vector<HistoryChange> changes;  // by attribute, then value
};

}  // namespace store
