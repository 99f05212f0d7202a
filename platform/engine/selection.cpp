#include "selection.h"

#include <algorithm>
#include <unordered_set>

#include "error.h"
#include "key_ranges.h"
#include "text.h"

namespace mv {
namespace {

// Beyond this many rows a candidate is only known to be large.
constexpr std::int64_t kEstimateCap = 5000;

struct Plan {
    enum class Kind { Scan, IdRange, IndexRange, IndexOrder };
    Kind kind = Kind::Scan;
    bool none = false;  // contradictory id conditions: nothing can match
    std::optional<KeyRange> ids;
    IndexDef index;
    KeyRange keys;
    // Texts the record (or id) must contain for the conditions to hold: tested inside SQLite,
    // so that most records never leave it. The conditions are still checked exactly.
    std::vector<std::string> bodyHolds, idHolds;
};

constexpr size_t kMaxHolds = 4;

void AddHolds(const std::vector<const Condition*>& conjuncts, Plan& plan) {
    for (const Condition* c : conjuncts) {
        if (c->negate || c->op != Op::Eq || c->value.empty())
            continue;
        if (c->match == Match::Exact && c->field.numeric && text::IsNumber(c->value))
            continue;
        if (c->field.kind == Field::Kind::Attribute && plan.bodyHolds.size() < kMaxHolds)
            plan.bodyHolds.push_back(c->value);
        else if (c->field.kind == Field::Kind::Id && c->match != Match::Prefix &&
                 c->match != Match::Exact && plan.idHolds.size() < kMaxHolds)
            plan.idHolds.push_back(c->value);
    }
}

// SQL tests for the holds, on the given columns; parameters from ?20 on.
std::string HoldsSql(const Plan& plan, const char* body, const char* id) {
    std::string sqlText;
    int n = 20;
    for (size_t i = 0; i < plan.bodyHolds.size(); ++i)
        sqlText += " AND instr(" + std::string(body) + ", ?" + std::to_string(n++) + ") > 0";
    for (size_t i = 0; i < plan.idHolds.size(); ++i)
        sqlText += " AND instr(" + std::string(id) + ", ?" + std::to_string(n++) + ") > 0";
    return sqlText;
}

void BindHolds(sql::Statement& s, const Plan& plan) {
    int n = 20;
    for (const std::string& h : plan.bodyHolds)
        s.Bind(n++, h);
    for (const std::string& h : plan.idHolds)
        s.Bind(n++, h);
}

// " AND column >= ?n" and, for a bounded range, " AND column < ?n+1".
std::string RangeSql(const char* column, const KeyRange& r, int n) {
    std::string sqlText = std::string(" AND ") + column + " >= ?" + std::to_string(n);
    if (r.hi)
        sqlText += std::string(" AND ") + column + " < ?" + std::to_string(n + 1);
    return sqlText;
}

void BindRange(sql::Statement& s, const KeyRange& r, int n) {
    s.Bind(n, r.lo);
    if (r.hi)
        s.Bind(n + 1, *r.hi);
}

class Runner {
  public:
    Runner(Database& db, const Query& query) : db_(db), query_(query), eval_(db) {}

    Plan Choose() {
        Plan plan;
        KeyPaths paths = FindKeyPaths(db_, query_);
        plan.ids = std::move(paths.ids);
        const std::vector<IndexCandidate>& candidates = paths.candidates;
        AddHolds(paths.conjuncts, plan);
        if (plan.ids && IsEmpty(*plan.ids)) {
            plan.none = true;
            return plan;
        }
        if (candidates.empty()) {
            if (plan.ids) {
                plan.kind = Plan::Kind::IdRange;
            } else if (query_.sort.size() == 1 && !query_.sort[0].descending &&
                       query_.sort[0].field.kind == Field::Kind::Attribute &&
                       !query_.sort[0].field.numeric) {
                if (auto index = db_.IndexAt(query_.file, query_.sort[0].field.location)) {
                    plan.kind = Plan::Kind::IndexOrder;
                    plan.index = *index;
                }
            }
            return plan;
        }
        // The id key answers a single id at once; otherwise compare how much each path reads.
        if (plan.ids && plan.ids->single) {
            plan.kind = Plan::Kind::IdRange;
            return plan;
        }
        if (candidates.size() == 1 && !plan.ids) {
            plan.kind = Plan::Kind::IndexRange;
            plan.index = candidates[0].index;
            plan.keys = candidates[0].keys;
            return plan;
        }
        // Each path costs about one step per row it reads; count each only as far as the best
        // so far, so that estimating never costs much more than the cheapest path.
        std::int64_t best = kEstimateCap;
        if (plan.ids) {
            plan.kind = Plan::Kind::IdRange;
            best = CountIds(*plan.ids, best);
        }
        bool chosen = plan.ids.has_value();
        for (const IndexCandidate& c : candidates) {
            std::int64_t cost = CountKeys(c.index, c.keys, best);
            if (!chosen || cost < best) {
                chosen = true;
                best = cost;
                plan.kind = Plan::Kind::IndexRange;
                plan.index = c.index;
                plan.keys = c.keys;
            }
        }
        return plan;
    }

    // Calls fn(id, body) for every record satisfying the conditions, in plan order.
    template <typename Fn>
    void ForEach(const Plan& plan, bool needBody, Fn&& fn) {
        if (plan.none)
            return;
        switch (plan.kind) {
            case Plan::Kind::Scan:
            case Plan::Kind::IdRange: {
                std::string sqlText = "SELECT id, body FROM records WHERE file_id = ?1";
                if (plan.ids)
                    sqlText += RangeSql("id", *plan.ids, 2);
                sqlText += HoldsSql(plan, "body", "id") + " ORDER BY id";
                sql::Statement& s = db_.Prepare(sqlText);
                sql::Use use(s);
                BindHolds(s, plan);
                s.Bind(1, query_.file.id);
                if (plan.ids)
                    BindRange(s, *plan.ids, 2);
                while (s.Step()) {
                    if (Test(s.Bytes(0), s.Bytes(1)))
                        fn(s.Bytes(0), s.Bytes(1), std::string_view(), -1);
                }
                break;
            }
            case Plan::Kind::IndexRange: {
                if (keyOnly_) {
                    ForEachKey(plan, fn);
                    break;
                }
                sql::Statement& s =
                    PrepareEntries(plan,
                                   "SELECT e.id, r.body FROM index_entries e CROSS JOIN records r "
                                   "ON r.file_id = ?1 AND r.id = e.id",
                                   true);
                sql::Use use(s);
                s.Bind(1, query_.file.id);
                // Several values of one record may fall in a range of prefixes.
                std::unordered_set<std::string> seen;
                while (s.Step()) {
                    std::string_view id = s.Bytes(0);
                    if (!plan.keys.single && !seen.emplace(id).second)
                        continue;
                    if (Test(id, s.Bytes(1)))
                        fn(id, s.Bytes(1), std::string_view(), -1);
                }
                break;
            }
            case Plan::Kind::IndexOrder: {
                sql::Statement& s = db_.Prepare(
                    "SELECT id, key, pos FROM index_entries WHERE index_id = ?1 AND pos < 2 "
                    "ORDER BY key, id");
                sql::Use use(s);
                s.Bind(1, plan.index.id);
                std::string body;
                while (s.Step()) {
                    std::string_view id = s.Bytes(0);
                    int pos = static_cast<int>(s.Int(2));
                    if (needBody || query_.where || pos != 0) {
                        auto read = db_.Read(query_.file, id);
                        if (!read)
                            continue;
                        body = std::move(*read);
                        if (!Test(id, body))
                            continue;
                        fn(id, std::string_view(body), s.Bytes(1), -1);
                    } else {
                        fn(id, std::string_view(), s.Bytes(1), 0);
                    }
                }
                break;
            }
        }
    }

    bool Test(std::string_view id, std::string_view body) {
        return !query_.where || Test(*query_.where, id, body);
    }

    // Whether everything the query and the asked fields look at is the id or the indexed
    // attribute, so that index entries holding a whole attribute answer without the records.
    void SetKeyOnly(const Plan& plan, const std::vector<Field>& columns) {
        keyOnly_ =
            plan.kind == Plan::Kind::IndexRange && OnlyIdAnd(plan.index.location, query_, columns);
    }

    // Field text, taking an indexed attribute from the index key when the record was not read.
    std::string_view Text(const Field& field, std::string_view id, std::string_view body,
                          std::string_view key, int pos, const Plan& plan, std::string& scratch) {
        if (pos == 0 && field.kind == Field::Kind::Attribute &&
            field.location == plan.index.location)
            return key;
        return eval_.Text(field, id, body, scratch);
    }

    // Whether fields can all be had from the id and an index key that holds the whole attribute.
    static bool KeysSuffice(const std::vector<Field>& fields, const Plan& plan) {
        for (const Field& f : fields) {
            if (f.kind == Field::Kind::Id)
                continue;
            if (f.kind == Field::Kind::Attribute && plan.kind == Plan::Kind::IndexOrder &&
                f.location == plan.index.location)
                continue;
            return false;
        }
        return true;
    }

    std::string Describe(const Plan& plan) {
        if (plan.none)
            return "aucun";
        switch (plan.kind) {
            case Plan::Kind::Scan:
                return "parcours";
            case Plan::Kind::IdRange:
                return "identifiant";
            case Plan::Kind::IndexRange:
                return "index " + plan.index.field +
                       (plan.index.idPrefix ? " par préfixe d'identifiant" : "") +
                       (plan.ids ? " + identifiant" : "");
            case Plan::Kind::IndexOrder:
                return "ordre de l'index " + plan.index.field;
        }
        return {};
    }

  private:
    // Range sizes are kept until another process commits: a type-ahead asks for the same id
    // range at every key typed. They only guide the plan, so a few own writes do not matter.
    struct Estimates : Database::Cache {
        std::unordered_map<std::string, std::pair<std::int64_t, std::int64_t>> counts;  // n, cap
    };

    template <typename CountFn>
    std::int64_t Estimate(char kind, std::int64_t owner, const KeyRange& r, std::int64_t cap,
                          CountFn&& count) {
        db_.CatalogEpoch();
        std::unique_ptr<Database::Cache>& slot = db_.EstimateCache();
        if (!slot)
            slot = std::make_unique<Estimates>();
        auto& counts = static_cast<Estimates&>(*slot).counts;
        std::string key(1, kind);
        key += std::to_string(owner);
        key.push_back('\0');
        key += r.lo;
        key.push_back('\0');
        key += r.hi ? *r.hi : std::string("\xFF\xFF");
        if (auto it = counts.find(key); it != counts.end()) {
            auto [n, counted] = it->second;
            if (n <= counted || cap <= counted)
                return std::min(n, cap + 1);
        }
        std::int64_t n = count(cap);
        if (counts.size() > 1024)
            counts.clear();
        counts[key] = {n, cap};
        return n;
    }

    std::int64_t CountIds(const KeyRange& r, std::int64_t cap) {
        return Estimate('r', query_.file.id, r, cap, [&](std::int64_t c) {
            return CountRange("records", "file_id", query_.file.id, "id", r, c);
        });
    }

    std::int64_t CountKeys(const IndexDef& index, const KeyRange& r, std::int64_t cap) {
        return Estimate('i', index.id, r, cap, [&](std::int64_t c) {
            return CountRange("index_entries", "index_id", index.id, "key", r, c);
        });
    }

    // Rows of table in a range of column, counting no further than cap + 1.
    std::int64_t CountRange(const char* table, const char* owner, std::int64_t ownerId,
                            const char* column, const KeyRange& r, std::int64_t cap) {
        sql::Statement& s =
            db_.Prepare(std::string("SELECT count(*) FROM (SELECT 1 FROM ") + table + " WHERE " +
                        owner + " = ?1" + RangeSql(column, r, 2) + " LIMIT ?4)");
        sql::Use use(s);
        s.Bind(1, ownerId).Bind(4, cap + 1);
        BindRange(s, r, 2);
        return s.Step() ? s.Int(0) : 0;
    }

    // The index entries "e" of plan's key and id ranges, head giving the columns and any join;
    // with holds, the body tests on the joined records "r".
    sql::Statement& PrepareEntries(const Plan& plan, const std::string& head, bool holds) {
        std::string sqlText = head + " WHERE e.index_id = ?2" + RangeSql("e.key", plan.keys, 3);
        if (plan.ids)
            sqlText += RangeSql("e.id", *plan.ids, 5);
        if (holds)
            sqlText += HoldsSql(plan, "r.body", "e.id");
        sql::Statement& s = db_.Prepare(sqlText);
        s.Bind(2, plan.index.id);
        BindRange(s, plan.keys, 3);
        if (plan.ids)
            BindRange(s, *plan.ids, 5);
        if (holds)
            BindHolds(s, plan);
        return s;
    }

    // IndexRange without the records: an entry holding a whole attribute stands for the record
    // (a body with only that attribute); the others are read.
    template <typename Fn>
    void ForEachKey(const Plan& plan, Fn&& fn) {
        sql::Statement& s =
            PrepareEntries(plan, "SELECT e.id, e.key, e.pos FROM index_entries e", false);
        sql::Use use(s);
        std::unordered_set<std::string> seen;
        std::string body;
        while (s.Step()) {
            std::string_view id = s.Bytes(0);
            if (s.Int(2) == 0) {
                std::string_view key = s.Bytes(1);
                if (plan.index.idPrefix > 0) {
                    size_t group = std::min(id.size(), size_t(plan.index.idPrefix)) + 1;
                    key.remove_prefix(std::min(key.size(), group));
                }
                body.assign(static_cast<size_t>(plan.index.location - 1), '\xFE');
                body.append(key);
            } else {
                if (!seen.emplace(id).second)
                    continue;
                auto read = db_.Read(query_.file, id);
                if (!read)
                    continue;
                body = std::move(*read);
            }
            if (Test(id, body))
                fn(id, std::string_view(body), std::string_view(), -1);
        }
    }

    bool Test(const CondNode& node, std::string_view id, std::string_view body) {
        switch (node.kind) {
            case CondNode::Kind::Leaf:
                return TestLeaf(node.condition, id, body);
            case CondNode::Kind::And:
                for (const CondNode& child : node.children) {
                    if (!Test(child, id, body))
                        return false;
                }
                return true;
            case CondNode::Kind::Or:
                for (const CondNode& child : node.children) {
                    if (Test(child, id, body))
                        return true;
                }
                return false;
        }
        return false;
    }

    bool TestLeaf(const Condition& c, std::string_view id, std::string_view body) {
        std::string_view value = eval_.Text(c.field, id, body, scratch_);
        bool any;
        if (c.op == Op::NotEmpty)
            any = text::HasValue(value);
        else
            any = text::ForEachValue(value, [&](std::string_view v) { return ValueMatches(c, v); });
        return c.negate ? !any : any;
    }

    Database& db_;
    const Query& query_;
    Evaluator eval_;
    std::string scratch_;
    bool keyOnly_ = false;
};

int CompareKeys(std::string_view a, std::string_view b, bool numeric) {
    if (!numeric)
        return text::CompareBytes(a, b);
    auto rank = [](std::string_view s) { return s.empty() ? 0 : text::IsNumber(s) ? 1 : 2; };
    int ra = rank(a), rb = rank(b);
    if (ra != rb)
        return ra < rb ? -1 : 1;
    return ra == 1 ? text::CompareNumbers(a, b) : text::CompareBytes(a, b);
}

}  // namespace

bool ValueMatches(const Condition& c, std::string_view v) {
    bool hit;
    switch (c.match) {
        case Match::Prefix:
            hit = v.substr(0, c.value.size()) == c.value;
            return c.op == Op::Ne ? !hit : hit;
        case Match::Suffix:
            hit = v.size() >= c.value.size() && v.substr(v.size() - c.value.size()) == c.value;
            return c.op == Op::Ne ? !hit : hit;
        case Match::Contains:
            hit = v.find(c.value) != std::string_view::npos;
            return c.op == Op::Ne ? !hit : hit;
        case Match::Exact:
            break;
    }
    int cmp = c.field.numeric && text::IsNumber(v) && text::IsNumber(c.value)
                  ? text::CompareNumbers(v, c.value)
                  : text::CompareBytes(v, c.value);
    switch (c.op) {
        case Op::Eq:
            return cmp == 0;
        case Op::Ne:
            return cmp != 0;
        case Op::Lt:
            return cmp < 0;
        case Op::Gt:
            return cmp > 0;
        case Op::Le:
            return cmp <= 0;
        case Op::Ge:
            return cmp >= 0;
        case Op::NotEmpty:
            return !v.empty();
    }
    return false;
}

std::int64_t RunSelect(Database& db, const Query& query, const std::vector<Field>& columns,
                       const RowSink& sink) {
    Runner runner(db, query);
    Plan plan = runner.Choose();
    std::vector<Field> needed = columns;
    for (const SortKey& k : query.sort)
        needed.push_back(k.field);
    bool needBody = !Runner::KeysSuffice(needed, plan);
    runner.SetKeyOnly(plan, columns);
    bool presorted = plan.kind == Plan::Kind::IndexOrder ||
                     (query.sort.empty() && plan.kind != Plan::Kind::IndexRange);

    // One scratch per column: the views of a row must all stay valid together.
    std::vector<std::string> scratch(columns.size() + 1);
    std::vector<std::string_view> views(columns.size());
    std::int64_t count = 0;
    if (presorted) {
        runner.ForEach(
            plan, needBody,
            [&](std::string_view id, std::string_view body, std::string_view key, int pos) {
                for (size_t c = 0; c < columns.size(); ++c)
                    views[c] = runner.Text(columns[c], id, body, key, pos, plan, scratch[c]);
                sink(id, views);
                ++count;
            });
        return count;
    }

    struct Work {
        std::string id;
        std::vector<std::string> columns;
        std::vector<std::string> keys;
    };
    std::vector<Work> work;
    runner.ForEach(plan, needBody,
                   [&](std::string_view id, std::string_view body, std::string_view key, int pos) {
                       Work w;
                       w.id = std::string(id);
                       w.columns.reserve(columns.size());
                       for (size_t c = 0; c < columns.size(); ++c)
                           w.columns.emplace_back(
                               runner.Text(columns[c], id, body, key, pos, plan, scratch[c]));
                       for (const SortKey& k : query.sort) {
                           w.keys.emplace_back(text::FirstValue(
                               runner.Text(k.field, id, body, key, pos, plan, scratch.back())));
                       }
                       work.push_back(std::move(w));
                   });
    std::sort(work.begin(), work.end(), [&](const Work& a, const Work& b) {
        for (size_t i = 0; i < query.sort.size(); ++i) {
            int c = CompareKeys(a.keys[i], b.keys[i], query.sort[i].field.numeric);
            if (c != 0)
                return query.sort[i].descending ? c > 0 : c < 0;
        }
        return text::CompareBytes(a.id, b.id) < 0;
    });
    for (const Work& w : work) {
        for (size_t c = 0; c < columns.size(); ++c)
            views[c] = w.columns[c];
        sink(w.id, views);
    }
    return static_cast<std::int64_t>(work.size());
}

std::vector<Row> RunSelect(Database& db, const Query& query, const std::vector<Field>& columns) {
    std::vector<Row> rows;
    RunSelect(db, query, columns,
              [&](std::string_view id, const std::vector<std::string_view>& values) {
                  Row row;
                  row.id = std::string(id);
                  row.columns.assign(values.begin(), values.end());
                  rows.push_back(std::move(row));
              });
    return rows;
}

std::int64_t RunCount(Database& db, const Query& query) {
    if (!query.where)
        return db.Count(query.file);
    Runner runner(db, query);
    Plan plan = runner.Choose();
    std::int64_t n = 0;
    runner.ForEach(plan, true,
                   [&](std::string_view, std::string_view, std::string_view, int) { ++n; });
    return n;
}

std::string ExplainPlan(Database& db, const Query& query) {
    Runner runner(db, query);
    return runner.Describe(runner.Choose());
}

}  // namespace mv
