#include "selection.h"

#include <algorithm>

#include "database.h"
#include "platform/engine/error.h"
#include "platform/engine/key_ranges.h"
#include "platform/engine/text.h"

namespace mv::server {
namespace {

// A LIKE pattern on bytea matching value literally.
std::string LikeLiteral(std::string_view value) {
    std::string out;
    for (char c : value) {
        if (c == '%' || c == '_' || c == '\\')
            out.push_back('\\');
        out.push_back(c);
    }
    return out;
}

const char* SqlOperator(Op op) {
    switch (op) {
        case Op::Eq:
            return "=";
        case Op::Ne:
            return "<>";
        case Op::Lt:
            return "<";
        case Op::Gt:
            return ">";
        case Op::Le:
            return "<=";
        case Op::Ge:
            return ">=";
        case Op::NotEmpty:
            break;
    }
    return "=";
}

class Builder {
  public:
    Builder(Database& db, const Query& query) : db_(db), query_(query) {}

    std::string Param(std::string_view bytes) {
        params_.Bytes(bytes);
        return "$" + std::to_string(params_.Count());
    }
    // File and index ids are written into the statement, not passed: each statement is then
    // planned once for its own file and index, with their statistics, and kept.
    static std::string Literal(std::int64_t value) { return std::to_string(value); }

    // The whole text of a field for record r.
    std::string FieldText(const Field& field) {
        switch (field.kind) {
            case Field::Kind::Id:
                return "r.id";
            case Field::Kind::Attribute:
                if (field.location == keyOnly_)
                    return "r.a";
                return "mv.attr(r.attrs, " + std::to_string(field.location) + ")";
            case Field::Kind::Virtual:
                return Expression(*field.expr);
        }
        return "r.id";
    }

    std::string Expression(const Expr& e) {
        switch (e.kind) {
            case Expr::Kind::Literal:
                return Param(e.literal) + "::bytea";
            case Expr::Kind::Id:
                return "r.id";
            case Expr::Kind::Concat: {
                std::string out = "(";
                for (size_t i = 0; i < e.args.size(); ++i)
                    out += (i ? " || " : "") + Expression(*e.args[i]);
                return out + ")";
            }
            case Expr::Kind::Oconv:
                return "mv.oconv(" + Expression(*e.args[0]) + ", " + Expression(*e.args[1]) + ")";
        }
        return "''::bytea";
    }

    // The test of one value v.
    std::string ValueTest(const Condition& c, const std::string& v) {
        if (c.match != Match::Exact) {
            std::string literal = LikeLiteral(c.value);
            std::string pattern = c.match == Match::Prefix   ? literal + "%"
                                  : c.match == Match::Suffix ? "%" + literal
                                                             : "%" + literal + "%";
            std::string test = "(" + v + " LIKE " + Param(pattern) + ")";
            return c.op == Op::Ne ? "NOT " + test : test;
        }
        std::string bytes = "(" + v + " " + SqlOperator(c.op) + " " + Param(c.value) + ")";
        if (!c.field.numeric || !text::IsNumber(c.value))
            return bytes;
        params_.Text(c.value);
        std::string number = "$" + std::to_string(params_.Count()) + "::text::numeric";
        return "coalesce(mv.num(" + v + ") " + SqlOperator(c.op) + " " + number + ", " + bytes +
               ")";
    }

    std::string Leaf(const Condition& c) {
        std::string f = FieldText(c.field);
        std::string any;
        if (c.op == Op::NotEmpty) {
            any = c.field.kind == Field::Kind::Id
                      ? "(length(r.id) > 0)"
                      : "(length(btrim(" + f + ", '\\xfdfc'::bytea)) > 0)";
        } else if (c.field.kind == Field::Kind::Id) {
            any = ValueTest(c, f);
        } else {
            any = "(CASE WHEN position('\\xfd'::bytea IN " + f +
                  ") = 0 AND position('\\xfc'::bytea IN " + f + ") = 0 THEN " + ValueTest(c, f) +
                  " ELSE EXISTS (SELECT 1 FROM mv.split_values(" + f + ") AS v(x) WHERE " +
                  ValueTest(c, "v.x") + ") END)";
        }
        return c.negate ? "(NOT " + any + ")" : any;
    }

    std::string Condition(const CondNode& node) {
        if (node.kind == CondNode::Kind::Leaf)
            return Leaf(node.condition);
        std::string out = "(";
        for (size_t i = 0; i < node.children.size(); ++i) {
            if (i > 0)
                out += node.kind == CondNode::Kind::And ? " AND " : " OR ";
            out += Condition(node.children[i]);
        }
        return out + ")";
    }

    std::string RangeSql(const std::string& column, const KeyRange& r) {
        std::string out = " AND " + column + " >= " + Param(r.lo);
        if (r.hi)
            out += " AND " + column + " < " + Param(*r.hi);
        return out;
    }

    std::string OrderBy() {
        std::string out = " ORDER BY ";
        for (const SortKey& key : query_.sort) {
            std::string first = key.field.kind == Field::Kind::Id
                                    ? "r.id"
                                    : "mv.first(" + FieldText(key.field) + ")";
            const char* dir = key.descending ? " DESC" : "";
            if (key.field.numeric) {
                // Equal numbers tie whatever their spelling ("10", "010"): the id decides.
                out += "(CASE WHEN length(" + first + ") = 0 THEN 0 WHEN mv.num(" + first +
                       ") IS NOT NULL THEN 1 ELSE 2 END)" + dir + ", mv.num(" + first + ")" + dir +
                       ", (CASE WHEN mv.num(" + first + ") IS NULL THEN " + first + " END)" + dir +
                       ", ";
            } else {
                out += first + dir + ", ";
            }
        }
        return out + "r.id";
    }

    // The access path and conditions: "FROM ... WHERE ...", and the ORDER BY when the path
    // gives the order itself.
    std::pair<std::string, std::string> Source(bool sorted, const std::vector<Field>& columns) {
        std::string f = Literal(query_.file.id);
        KeyPaths paths = FindKeyPaths(db_, query_);
        const std::optional<KeyRange>& ids = paths.ids;
        const std::vector<IndexCandidate>& candidates = paths.candidates;
        auto where = [&] {
            return query_.where ? " AND " + Condition(*query_.where) : std::string();
        };
        if (candidates.empty() && !ids && sorted && query_.sort.size() == 1 &&
            !query_.sort[0].descending && query_.sort[0].field.kind == Field::Kind::Attribute &&
            !query_.sort[0].field.numeric) {
            if (auto index = db_.IndexAt(query_.file, query_.sort[0].field.location)) {
                // Each record has one entry with pos 0 or 1: its first value, in key order.
                std::string ix = Literal(index->id);
                if (OnlyIdAnd(index->location, query_, columns)) {
                    keyOnly_ = index->location;
                    std::string loc = std::to_string(index->location);
                    return {
                        " FROM (SELECT e.id, e.key AS k, CASE WHEN e.pos = 0 THEN e.key ELSE "
                        "(SELECT mv.attr(x.attrs, " +
                            loc +
                            ") FROM mv.records x WHERE "
                            "x.file_id = " +
                            f +
                            " AND x.id = e.id) END AS a FROM "
                            "mv.index_entries e WHERE e.index_id = " +
                            ix + " AND e.pos < 2 OFFSET 0) r WHERE true" + where(),
                        " ORDER BY r.k, r.id"};
                }
                return {" FROM mv.index_entries e JOIN mv.records r ON r.file_id = " + f +
                            " AND r.id = e.id WHERE e.index_id = " + ix + " AND e.pos < 2" +
                            where(),
                        " ORDER BY e.key, e.id"};
            }
        }
        if (!candidates.empty() && OnlyIdAnd(candidates.front().index.location, query_, columns)) {
            // Entries of a single-valued attribute hold it whole: the records are read only for
            // the multivalued ones, once each (their first entry in the range). OFFSET 0 keeps
            // the planner from copying the attribute's expression into every test.
            const IndexCandidate& best = candidates.front();
            keyOnly_ = best.index.location;
            const std::string ix = Literal(best.index.id);
            const std::string lo = Param(best.keys.lo);
            std::string from =
                " FROM (SELECT e.id, CASE WHEN e.pos = 0 THEN substring(e.key FROM " +
                (best.index.idPrefix > 0
                     ? "least(length(e.id), " + std::to_string(best.index.idPrefix) + ") + 2"
                     : std::string("1")) +
                ") ELSE (SELECT mv.attr(x.attrs, " + std::to_string(best.index.location) +
                ") FROM mv.records x WHERE x.file_id = " + f +
                " AND x.id = e.id) END AS a FROM mv.index_entries e WHERE e.index_id = " + ix +
                " AND e.key >= " + lo;
            if (best.keys.hi)
                from += " AND e.key < " + Param(*best.keys.hi);
            if (ids)
                from += RangeSql("e.id", *ids);
            from +=
                " AND (e.pos = 0 OR NOT EXISTS (SELECT 1 FROM mv.index_entries d WHERE "
                "d.index_id = " +
                ix + " AND d.key >= " + lo +
                " AND d.key < e.key AND d.id = e.id)) OFFSET 0) r WHERE true";
            return {from + where(), sorted ? OrderBy() : std::string()};
        }
        std::string from = " FROM mv.records r WHERE r.file_id = " + f;
        if (ids)
            from += RangeSql("r.id", *ids);
        if (!candidates.empty()) {
            const IndexCandidate& best = candidates.front();
            from += " AND r.id IN (SELECT e.id FROM mv.index_entries e WHERE e.index_id = " +
                    Literal(best.index.id) + RangeSql("e.key", best.keys);
            if (ids)
                from += RangeSql("e.id", *ids);
            from += ")";
        }
        return {from + where(), sorted ? OrderBy() : std::string()};
    }

    pq::Params& Params() { return params_; }

  private:
    Database& db_;
    const Query& query_;
    pq::Params params_;
    int keyOnly_ = -1;  // the attribute read from the index entries as r.a
};

const char* kVersion = "(SELECT value FROM mv.meta WHERE key = 'catalog')";

}  // namespace

SqlStatement SelectStatement(Database& db, const Query& query, const std::vector<Field>& columns) {
    Builder b(db, query);
    auto [from, order] = b.Source(true, columns);
    std::string select = "SELECT r.id";
    for (const Field& column : columns)
        select += ", " + b.FieldText(column);
    std::string sql = std::string("SELECT ") + kVersion + ", q.* FROM (SELECT 1) one LEFT JOIN (" +
                      select + from + order + ") q ON true";
    return {std::move(sql), std::move(b.Params())};
}

SqlStatement CountStatement(Database& db, const Query& query) {
    Builder b(db, query);
    auto [from, order] = b.Source(false, {});
    return {std::string("SELECT ") + kVersion + ", count(*)" + from, std::move(b.Params())};
}

std::int64_t Database::SelectRows(const Query& query, const std::vector<Field>& columns,
                                  const RowSink& sink) {
    AfterReconnect();
    SqlStatement statement = SelectStatement(*this, query, columns);
    pq::Result r = RunContained(statement.sql, statement.params);
    CheckCatalog(r.Rows() > 0 ? r.Int(0, 0) : -1);
    std::vector<std::string_view> views(columns.size());
    std::int64_t n = 0;
    for (int i = 0; i < r.Rows(); ++i) {
        if (r.IsNull(i, 1))
            continue;
        for (size_t c = 0; c < columns.size(); ++c)
            views[c] = r.Bytes(i, static_cast<int>(c) + 2);
        sink(r.Bytes(i, 1), views);
        ++n;
    }
    return n;
}

std::int64_t Database::CountRows(const Query& query) {
    AfterReconnect();
    SqlStatement statement = CountStatement(*this, query);
    pq::Result r = RunContained(statement.sql, statement.params);
    CheckCatalog(r.Int(0, 0));
    return r.Int(0, 1);
}

}  // namespace mv::server
