#include "fields.h"

#include <cctype>
#include <vector>

#include "error.h"
#include "text.h"

namespace mv {

namespace {

[[noreturn]] void Fail(const std::string& message) {
    throw Error(ErrorKind::Command, message);
}

class ExprParser {
  public:
    explicit ExprParser(std::string_view text) : text_(text) {}

    std::shared_ptr<const Expr> Parse() {
        auto expr = Concat();
        SkipBlanks();
        if (pos_ < text_.size())
            Bad("texte inattendu");
        return expr;
    }

  private:
    [[noreturn]] void Bad(const char* what) {
        Fail("Expression mal formée (" + std::string(what) + ") à la position " +
             std::to_string(pos_ + 1) + " : " + text::Printable(text_.substr(pos_)));
    }

    void SkipBlanks() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t'))
            ++pos_;
    }

    bool Accept(char c) {
        SkipBlanks();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    std::shared_ptr<const Expr> Concat() {
        auto first = Primary();
        if (!Accept(':'))
            return first;
        auto concat = std::make_shared<Expr>();
        concat->kind = Expr::Kind::Concat;
        concat->args.push_back(first);
        do {
            concat->args.push_back(Primary());
        } while (Accept(':'));
        return concat;
    }

    std::shared_ptr<const Expr> Literal(std::string value) {
        auto e = std::make_shared<Expr>();
        e->kind = Expr::Kind::Literal;
        e->literal = std::move(value);
        return e;
    }

    std::shared_ptr<const Expr> Primary() {
        SkipBlanks();
        if (pos_ >= text_.size())
            Bad("fin inattendue");
        char c = text_[pos_];
        if (c == '"' || c == '\'') {
            size_t end = text_.find(c, pos_ + 1);
            if (end == std::string_view::npos)
                Bad("texte non fermé");
            std::string value(text_.substr(pos_ + 1, end - pos_ - 1));
            pos_ = end + 1;
            return Literal(std::move(value));
        }
        if (c >= '0' && c <= '9') {
            size_t start = pos_;
            while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9')
                ++pos_;
            return Literal(std::string(text_.substr(start, pos_ - start)));
        }
        size_t start = pos_;
        while (pos_ < text_.size() &&
               (std::isalnum(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '@' ||
                text_[pos_] == '.' || text_[pos_] == '_'))
            ++pos_;
        std::string word = text::Upper(text_.substr(start, pos_ - start));
        if (word == "@ID") {
            auto e = std::make_shared<Expr>();
            e->kind = Expr::Kind::Id;
            return e;
        }
        if (word == "@VM")
            return Literal("\xFD");
        if (word == "@SVM" || word == "@SM")
            return Literal("\xFC");
        if (word == "@FM" || word == "@AM")
            return Literal("\xFE");
        if (word == "OCONV") {
            if (!Accept('('))
                Bad("« ( » attendue");
            // Each level costs stack here and in every evaluation.
            if (++depth_ > kMaxDepth)
                Bad("imbrication trop profonde");
            auto e = std::make_shared<Expr>();
            e->kind = Expr::Kind::Oconv;
            e->args.push_back(Concat());
            if (!Accept(','))
                Bad("« , » attendue");
            e->args.push_back(Concat());
            if (!Accept(')'))
                Bad("« ) » attendue");
            --depth_;
            return e;
        }
        pos_ = start;
        Bad("terme inconnu");
    }

    static constexpr int kMaxDepth = 32;

    std::string_view text_;
    size_t pos_ = 0;
    int depth_ = 0;
};

// Width and justification of a format such as "10L" or "5R".
void ApplyFormat(Field& field, std::string_view format) {
    size_t i = 0;
    int width = 0;
    while (i < format.size() && format[i] >= '0' && format[i] <= '9' && width < 1000)
        width = width * 10 + (format[i++] - '0');
    if (width > 0)
        field.width = width;
    if (i < format.size()) {
        char j = format[i];
        field.numeric = j == 'R' || j == 'r';
    }
}

Field FromItem(const FileRef& file, std::string_view name, std::string_view item, int position) {
    Field field;
    field.name = std::string(name);
    std::string_view type = text::Attribute(item, 1);
    std::string_view location = text::Attribute(item, 2);
    char kind =
        type.empty() ? ' ' : static_cast<char>(std::toupper(static_cast<unsigned char>(type[0])));
    if (kind == 'D') {
        auto n = text::ParseCount(location);
        if (!n) {
            Fail("Le champ " + text::Printable(name) + " du fichier " + file.name +
                 " a une position invalide : " + text::Printable(location) + " (position " +
                 std::to_string(position) + ").");
        }
        field.kind = *n == 0 ? Field::Kind::Id : Field::Kind::Attribute;
        field.location = *n;
    } else if (kind == 'V' || kind == 'I') {
        field.kind = Field::Kind::Virtual;
        try {
            field.expr = ParseExpression(location);
        } catch (const Error& e) {
            Fail("Champ virtuel " + text::Printable(name) + " (position " +
                 std::to_string(position) + ") : " + e.what());
        }
    } else {
        Fail("Le champ " + text::Printable(name) + " du fichier " + file.name +
             " a un type inconnu : " + text::Printable(type) + " (position " +
             std::to_string(position) + ").");
    }
    std::string_view heading = text::Attribute(item, 4);
    field.heading = heading.empty() ? std::string(name) : std::string(heading);
    ApplyFormat(field, text::Attribute(item, 5));
    return field;
}

// Position 0: a field named outside a command (requested columns, dump index lines).
[[noreturn]] void UnknownField(const FileRef& file, std::string_view name, int position) {
    Fail("Champ inconnu" +
         (position > 0 ? " à la position " + std::to_string(position) : std::string()) + " : " +
         text::Printable(name) + " (fichier " + text::Printable(file.DataName()) + ").");
}

Field ResolveItem(Catalog& db, const FileRef& file, std::string_view name, int position) {
    auto dict = db.FindFile(file.DictName());
    if (!dict)
        UnknownField(file, name, position);
    if (CheckRecordId(name).empty()) {
        if (auto item = db.Read(*dict, name))
            return FromItem(file, name, *item, position);
    }
    std::vector<std::string> matches = db.IdsIgnoringCase(*dict, name);
    if (matches.empty())
        UnknownField(file, name, position);
    if (matches.size() > 1) {
        std::string list;
        for (const auto& m : matches)
            list += (list.empty() ? "" : ", ") + text::Printable(m);
        Fail("Champ ambigu à la position " + std::to_string(position) + " : " +
             text::Printable(name) + " (" + list + ").");
    }
    auto item = db.Read(*dict, matches.front());
    return FromItem(file, matches.front(), item ? *item : std::string(), position);
}

}  // namespace

std::shared_ptr<const Expr> ParseExpression(std::string_view text) {
    return ExprParser(text).Parse();
}

Field ResolveField(Catalog& db, const FileRef& file, std::string_view name, int position) {
    Field field;
    field.name = std::string(name);
    field.heading = std::string(name);
    if (text::EqualsNoCase(name, "@ID") || name == "0") {
        field.kind = Field::Kind::Id;
        field.heading = file.DataName();
        return field;
    }
    if (!name.empty() && name.find_first_not_of("0123456789") == std::string_view::npos) {
        auto n = text::ParseCount(name);
        if (!n || *n > 100000)
            Fail("Numéro d'attribut trop grand à la position " + std::to_string(position) + " : " +
                 text::Printable(name));
        field.kind = Field::Kind::Attribute;
        field.location = *n;
        return field;
    }
    if (file.isDict)
        UnknownField(file, name, position);
    struct FieldCache : Catalog::Cache {
        std::map<std::pair<std::int64_t, std::string>, Field, std::less<>> fields;
    };
    db.CatalogEpoch();  // drops the cache when it may be stale
    std::unique_ptr<Catalog::Cache>& slot = db.FieldCache();
    if (!slot)
        slot = std::make_unique<FieldCache>();
    auto& cache = static_cast<FieldCache&>(*slot).fields;
    auto key = std::make_pair(file.id, std::string(name));
    if (auto it = cache.find(key); it != cache.end())
        return it->second;
    Field resolved = ResolveItem(db, file, name, position);
    if (cache.size() > 4096)
        cache.clear();
    cache.emplace(std::move(key), resolved);
    return resolved;
}

std::string_view Evaluator::Text(const Field& field, std::string_view id, std::string_view body,
                                 std::string& scratch) {
    switch (field.kind) {
        case Field::Kind::Id:
            return id;
        case Field::Kind::Attribute:
            return text::Attribute(body, field.location);
        case Field::Kind::Virtual:
            scratch = Evaluate(*field.expr, id);
            return scratch;
    }
    return {};
}

std::string Evaluator::Evaluate(const Expr& expr, std::string_view id) {
    switch (expr.kind) {
        case Expr::Kind::Literal:
            return expr.literal;
        case Expr::Kind::Id:
            return std::string(id);
        case Expr::Kind::Concat: {
            std::string out;
            for (const auto& arg : expr.args)
                out += Evaluate(*arg, id);
            return out;
        }
        case Expr::Kind::Oconv: {
            std::string value = Evaluate(*expr.args[0], id);
            std::string conversions = Evaluate(*expr.args[1], id);
            size_t start = 0;
            while (start <= conversions.size()) {
                size_t end = conversions.find('\xFD', start);
                if (end == std::string::npos)
                    end = conversions.size();
                value = Convert(std::string_view(conversions).substr(start, end - start), value);
                start = end + 1;
            }
            return value;
        }
    }
    return {};
}

std::string Evaluator::Convert(std::string_view conversion, std::string_view value) {
    if (conversion.empty())
        return std::string(value);
    const std::string upper = text::Upper(conversion);
    std::string out;
    bool first = true;
    // Each value converts on its own; the value marks stay.
    size_t start = 0;
    while (start <= value.size()) {
        size_t end = value.find('\xFD', start);
        if (end == std::string_view::npos)
            end = value.size();
        std::string_view v = value.substr(start, end - start);
        if (!first)
            out.push_back('\xFD');
        first = false;
        if (upper == "MCU") {
            out += text::Upper(v);
        } else if (upper == "MCL") {
            for (char c : v)
                out.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
        } else if (upper[0] == 'T') {
            std::string_view range = conversion.substr(1);
            size_t comma = range.find(',');
            auto m = text::ParseCount(range.substr(0, comma));
            auto n = comma == std::string_view::npos ? std::optional<int>()
                                                     : text::ParseCount(range.substr(comma + 1));
            if (m && comma == std::string_view::npos) {
                out += v.substr(0, static_cast<size_t>(*m));
            } else if (m && n && *m >= 1) {
                size_t from = static_cast<size_t>(*m - 1);
                if (from < v.size())
                    out += v.substr(from, static_cast<size_t>(*n));
            } else {
                out += Translate(conversion, v);
            }
        } else {
            Fail("Conversion non prise en charge : " + text::Printable(conversion) + ".");
        }
        start = end + 1;
    }
    return out;
}

std::string Evaluator::Translate(std::string_view conversion, std::string_view value) {
    // "Tfile;code;input;output"
    std::vector<std::string_view> parts;
    std::string_view rest = conversion.substr(1);
    for (;;) {
        size_t semi = rest.find(';');
        parts.push_back(rest.substr(0, semi));
        if (semi == std::string_view::npos)
            break;
        rest.remove_prefix(semi + 1);
    }
    auto attribute = parts.size() == 4 ? text::ParseCount(parts[3]) : std::nullopt;
    std::string code = parts.size() > 1 ? text::Upper(parts[1]) : std::string();
    if (!attribute || parts[0].empty() || (code != "X" && code != "C" && code != "V")) {
        Fail("Conversion non prise en charge : " + text::Printable(conversion) + ".");
    }
    if (value.empty())
        return {};
    std::string cacheKey(conversion);
    cacheKey.push_back('\xFE');
    cacheKey.append(value);
    if (auto it = translations_.find(cacheKey); it != translations_.end())
        return it->second;
    auto fileIt = files_.find(parts[0]);
    if (fileIt == files_.end())
        fileIt = files_.emplace(std::string(parts[0]), db_.FindFile(parts[0])).first;
    if (!fileIt->second) {
        throw Error(ErrorKind::FileNotFound, "Le fichier " + text::Printable(parts[0]) +
                                                 " de la conversion " +
                                                 text::Printable(conversion) + " n'existe pas.");
    }
    std::string result;
    if (CheckRecordId(value).empty()) {
        if (auto body = db_.Read(*fileIt->second, value))
            result = std::string(text::Attribute(*body, *attribute));
        else if (code == "C")
            result = std::string(value);
    } else if (code == "C") {
        result = std::string(value);
    }
    if (translations_.size() > 4096)
        translations_.clear();
    translations_.emplace(std::move(cacheKey), result);
    return result;
}

}  // namespace mv
