#pragma once
// What both engines' planners read from a query before choosing how to read a file: the key
// range an "= value" or "= prefix]" test covers, the conditions that must all hold, the range
// of ids they allow and the index ranges that could serve them. Each engine then weighs the
// paths its own way (the embedded one counts rows, the server lets its planner decide).

#include <optional>
#include <string>
#include <vector>

#include "command_host.h"
#include "query.h"

namespace mv {

struct KeyRange {
    std::string lo;
    std::optional<std::string> hi;  // exclusive; none means unbounded
    bool single = false;            // one key exactly
};

void Intersect(KeyRange& a, const KeyRange& b);
bool IsEmpty(const KeyRange& r);

// The key range an "= value" or "= prefix]" test covers; none when keys cannot serve it (a
// number against a right-justified field compares by value, not by bytes).
std::optional<KeyRange> KeyRangeOf(const Condition& c);

struct IndexCandidate {
    IndexDef index;
    KeyRange keys;
};

struct KeyPaths {
    std::vector<const Condition*> conjuncts;  // the conditions that must all hold
    std::optional<KeyRange> ids;              // where every selected id lies, when known
    // The index ranges the conjuncts allow, grouped indexes first: a grouped index reads a part
    // of what the plain one reads, so it wins ties.
    std::vector<IndexCandidate> candidates;
};

KeyPaths FindKeyPaths(CommandHost& db, const Query& query);

// Whether everything the query's conditions and sort keys and fields look at is the id or
// attribute location: then index entries holding a whole attribute answer without the records.
bool OnlyIdAnd(int location, const Query& query, const std::vector<Field>& fields);

}  // namespace mv
