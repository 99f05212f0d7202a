#include "key_ranges.h"

#include <algorithm>

#include "text.h"

namespace mv {
namespace {

void Conjuncts(const CondNode& node, std::vector<const Condition*>& out) {
    if (node.kind == CondNode::Kind::Leaf) {
        out.push_back(&node.condition);
    } else if (node.kind == CondNode::Kind::And) {
        for (const CondNode& child : node.children)
            Conjuncts(child, out);
    }
}

}  // namespace

void Intersect(KeyRange& a, const KeyRange& b) {
    if (text::CompareBytes(b.lo, a.lo) > 0)
        a.lo = b.lo;
    if (b.hi && (!a.hi || text::CompareBytes(*b.hi, *a.hi) < 0))
        a.hi = b.hi;
    a.single = a.single || b.single;
}

bool IsEmpty(const KeyRange& r) {
    return r.hi && text::CompareBytes(r.lo, *r.hi) >= 0;
}

std::optional<KeyRange> KeyRangeOf(const Condition& c) {
    if (c.negate || c.op != Op::Eq)
        return std::nullopt;
    if (c.match == Match::Exact) {
        if (c.field.numeric && text::IsNumber(c.value))
            return std::nullopt;
        std::string hi = c.value;
        hi.push_back('\0');
        return KeyRange{c.value, hi, true};
    }
    if (c.match == Match::Prefix && !c.value.empty())
        return KeyRange{c.value, text::PrefixEnd(c.value), false};
    return std::nullopt;
}

KeyPaths FindKeyPaths(CommandHost& db, const Query& query) {
    KeyPaths paths;
    if (query.where)
        Conjuncts(*query.where, paths.conjuncts);
    std::string idPrefix;  // the longest text every selected id begins with
    for (const Condition* c : paths.conjuncts) {
        auto range = KeyRangeOf(*c);
        if (!range || c->field.kind != Field::Kind::Id)
            continue;
        if (paths.ids)
            Intersect(*paths.ids, *range);
        else
            paths.ids = range;
        if (c->value.size() > idPrefix.size())
            idPrefix = c->value;
    }
    for (const Condition* c : paths.conjuncts) {
        auto range = KeyRangeOf(*c);
        if (!range || c->field.kind != Field::Kind::Attribute)
            continue;
        for (const IndexDef& index : db.Indexes(query.file)) {
            if (index.location != c->field.location)
                continue;
            if (index.idPrefix == 0) {
                paths.candidates.push_back({index, *range});
            } else if (idPrefix.size() >= static_cast<size_t>(index.idPrefix)) {
                // Keys of a grouped index begin with the group of the ids.
                std::string group = index.GroupOf(idPrefix);
                KeyRange keys{group + range->lo, {}, range->single};
                keys.hi = range->hi ? group + *range->hi : text::PrefixEnd(group);
                paths.candidates.push_back({index, keys});
            }
        }
    }
    std::stable_sort(paths.candidates.begin(), paths.candidates.end(),
                     [](const IndexCandidate& a, const IndexCandidate& b) {
                         return a.index.idPrefix > b.index.idPrefix;
                     });
    return paths;
}

bool OnlyIdAnd(int location, const Query& query, const std::vector<Field>& fields) {
    auto served = [&](const Field& f) {
        return f.kind == Field::Kind::Id ||
               (f.kind == Field::Kind::Attribute && f.location == location);
    };
    std::vector<const CondNode*> pending;
    if (query.where)
        pending.push_back(&*query.where);
    while (!pending.empty()) {
        const CondNode* node = pending.back();
        pending.pop_back();
        if (node->kind == CondNode::Kind::Leaf && !served(node->condition.field))
            return false;
        for (const CondNode& child : node->children)
            pending.push_back(&child);
    }
    for (const SortKey& key : query.sort) {
        if (!served(key.field))
            return false;
    }
    for (const Field& f : fields) {
        if (!served(f))
            return false;
    }
    return true;
}

}  // namespace mv
