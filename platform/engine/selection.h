#pragma once
// Runs the selections of the query language.
//
// The planner reads a file through the best of: the id key (conditions on @ID), a secondary
// index (equality and "begins with" on an indexed attribute, with the id conditions checked on
// the index entries; an index grouped by id prefix when the id must begin with a long enough
// text), an index walked in order (a single ascending sort on an indexed left-justified
// attribute and nothing better to use), or the whole file in id order. When several apply, the
// number of rows each would read is counted (up to the best so far, and kept until another
// process commits). Every condition is then checked on the records fetched, so the plan never
// changes the result; when all it looks at is the id and the indexed attribute, single-valued
// entries answer without reading the records.
//
// Sorting: sort keys in order, then the id. A multivalued key sorts by its first value. A
// right-justified key sorts the empty text first, then numbers by value, then other texts by
// bytes; a left-justified key sorts by bytes. Without sort keys, records come in id order.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "command_host.h"
#include "database.h"
#include "query.h"

namespace mv {

// The selected records in order, with the texts of columns.
std::vector<Row> RunSelect(Database& db, const Query& query, const std::vector<Field>& columns);

// As above, handing each record to sink as it comes (the views last until sink returns);
// returns the number of records.
std::int64_t RunSelect(Database& db, const Query& query, const std::vector<Field>& columns,
                       const RowSink& sink);

// Number of records satisfying the query's conditions.
std::int64_t RunCount(Database& db, const Query& query);

// How a query would be read, for tests and the shell: "index SigleAssoc", "id", "scan" ...
std::string ExplainPlan(Database& db, const Query& query);

// True when one value of an attribute satisfies the condition (SANS not applied).
bool ValueMatches(const Condition& condition, std::string_view value);

}  // namespace mv
