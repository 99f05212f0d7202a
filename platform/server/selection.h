#pragma once
// Selections of the query language as SQL run by the server (see database.h for the storage):
// the server reads the records through the id key, a secondary index (equality and "begins
// with" on an indexed attribute, grouped by id prefix when the ids asked for begin with a long
// enough text) or an index walked in order (one ascending sort on an indexed left-justified
// attribute), as the embedded engine does, and tests every condition itself, so that only the
// selected records travel.
//
// Conditions, sort keys and the asked fields become SQL expressions with the embedded engine's
// semantics: a multivalued attribute satisfies a test when one of its values does (SANS when
// none does), bytes compare as memcmp, right-justified fields compare and sort numbers by value
// (sorting the empty text first, then numbers, then other texts by bytes), wildcards match by
// bytes (LIKE on bytea, with its escapes), and virtual fields are computed by mv.oconv.

#include <string>
#include <vector>

#include "platform/engine/fields.h"
#include "platform/engine/query.h"
#include "pq.h"

namespace mv::server {

class Database;

// A statement and its parameters. Column 0 of its rows is the catalog version; for a selection
// column 1 is the id (NULL on the one row of an empty result) and the asked fields follow; for
// a count column 1 is the number.
struct SqlStatement {
    std::string sql;
    pq::Params params;
};

SqlStatement SelectStatement(Database& db, const Query& query, const std::vector<Field>& columns);
SqlStatement CountStatement(Database& db, const Query& query);

}  // namespace mv::server
