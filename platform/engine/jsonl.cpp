#include "jsonl.h"

#include <algorithm>
#include <istream>
#include <map>
#include <ostream>
#include <set>
#include <tuple>
#include <unordered_map>
#include <variant>

#include "error.h"
#include "fields.h"
#include "text.h"

namespace mv {
namespace {

const char kHex[] = "0123456789abcdef";

void AppendUtf8(std::string& out, unsigned int cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// A parsed JSON value: only what dump lines hold.
struct Json {
    enum class Kind { String, Array, Object, Other };
    Kind kind = Kind::Other;
    std::string string;
    std::vector<Json> items;        // array items, or object member values
    std::vector<std::string> keys;  // object member names

    const Json* Member(std::string_view key) const {
        for (size_t i = 0; i < keys.size(); ++i) {
            if (keys[i] == key)
                return &items[i];
        }
        return nullptr;
    }
};

class JsonParser {
  public:
    explicit JsonParser(std::string_view text) : s_(text) {}

    Json ParseLine() {
        Json value = Value(0);
        Blank();
        if (i_ != s_.size())
            Bad("texte après la fin de l'objet");
        return value;
    }

  private:
    [[noreturn]] void Bad(const std::string& what) {
        throw Error(ErrorKind::Command,
                    "JSON invalide (" + what + ") au caractère " + std::to_string(i_ + 1));
    }

    void Blank() {
        while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\t' || s_[i_] == '\r'))
            ++i_;
    }

    bool Accept(char c) {
        Blank();
        if (i_ < s_.size() && s_[i_] == c) {
            ++i_;
            return true;
        }
        return false;
    }

    Json Value(int depth) {
        if (depth > 16)
            Bad("imbrication trop profonde");
        Blank();
        if (i_ >= s_.size())
            Bad("fin de ligne inattendue");
        Json v;
        char c = s_[i_];
        if (c == '"') {
            v.kind = Json::Kind::String;
            v.string = String();
        } else if (c == '[') {
            ++i_;
            v.kind = Json::Kind::Array;
            if (!Accept(']')) {
                do {
                    v.items.push_back(Value(depth + 1));
                } while (Accept(','));
                if (!Accept(']'))
                    Bad("« ] » attendu");
            }
        } else if (c == '{') {
            ++i_;
            v.kind = Json::Kind::Object;
            if (!Accept('}')) {
                do {
                    Blank();
                    if (i_ >= s_.size() || s_[i_] != '"')
                        Bad("nom de membre attendu");
                    std::string key = String();
                    if (!Accept(':'))
                        Bad("« : » attendu");
                    v.keys.push_back(std::move(key));
                    v.items.push_back(Value(depth + 1));
                } while (Accept(','));
                if (!Accept('}'))
                    Bad("« } » attendu");
            }
        } else {
            Bad("chaîne, tableau ou objet attendu");
        }
        return v;
    }

    unsigned int Hex4() {
        if (i_ + 4 > s_.size())
            Bad("échappement \\u incomplet");
        unsigned int v = 0;
        for (int k = 0; k < 4; ++k) {
            char c = s_[i_++];
            v <<= 4;
            if (c >= '0' && c <= '9')
                v |= static_cast<unsigned int>(c - '0');
            else if (c >= 'a' && c <= 'f')
                v |= static_cast<unsigned int>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                v |= static_cast<unsigned int>(c - 'A' + 10);
            else
                Bad("échappement \\u invalide");
        }
        return v;
    }

    std::string String() {
        ++i_;  // opening quote
        std::string out;
        for (;;) {
            if (i_ >= s_.size())
                Bad("chaîne non fermée");
            char c = s_[i_];
            if (c == '"') {
                ++i_;
                return out;
            }
            if (static_cast<unsigned char>(c) < 0x20)
                Bad("caractère de contrôle dans une chaîne");
            if (c != '\\') {
                size_t n = text::Utf8Length(s_, i_);
                if (n == 0)
                    Bad("UTF-8 invalide");
                out.append(s_.substr(i_, n));
                i_ += n;
                continue;
            }
            ++i_;
            if (i_ >= s_.size())
                Bad("échappement incomplet");
            char e = s_[i_++];
            switch (e) {
                case '"':
                case '\\':
                case '/':
                    out.push_back(e);
                    break;
                case 'b':
                    out.push_back('\b');
                    break;
                case 'f':
                    out.push_back('\f');
                    break;
                case 'n':
                    out.push_back('\n');
                    break;
                case 'r':
                    out.push_back('\r');
                    break;
                case 't':
                    out.push_back('\t');
                    break;
                case 'u': {
                    unsigned int cp = Hex4();
                    if (cp >= 0xD800 && cp <= 0xDBFF) {
                        if (i_ + 6 > s_.size() || s_[i_] != '\\' || s_[i_ + 1] != 'u')
                            Bad("paire de substitution incomplète");
                        i_ += 2;
                        unsigned int low = Hex4();
                        if (low < 0xDC00 || low > 0xDFFF)
                            Bad("paire de substitution invalide");
                        AppendUtf8(out, 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00));
                    } else if (cp >= 0xDC80 && cp <= 0xDCFF) {
                        out.push_back(static_cast<char>(cp - 0xDC00));  // an escaped raw byte
                    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
                        Bad("substitut isolé");
                    } else {
                        AppendUtf8(out, cp);
                    }
                    break;
                }
                default:
                    Bad("échappement inconnu");
            }
        }
    }

    std::string_view s_;
    size_t i_ = 0;
};

// Record text nests three levels deep: attributes, values, subvalues. A JSON item stands at one
// level more than its array: the "attrs" array is level 0, a subvalue level 3.
constexpr char kMarks[] = {'\xFE', '\xFD', '\xFC'};
constexpr const char* kItemNames[] = {"« attrs »", "un attribut", "une valeur", "une sous-valeur"};

[[noreturn]] void BadLine(std::int64_t line, const std::string& what) {
    throw Error(ErrorKind::Command, "Ligne " + std::to_string(line) + " : " + what + ".");
}

std::string Text(const Json& v, std::int64_t line, const char* what) {
    if (v.kind != Json::Kind::String)
        BadLine(line, std::string(what) + " doit être une chaîne");
    if (text::FindAnyMark(v.string) != std::string::npos)
        BadLine(line, std::string(what) + " contient un séparateur d'attributs ou de valeurs");
    return v.string;
}

// Appends the record text of a JSON item of that level.
void AppendBody(std::string& body, const Json& item, int level, std::int64_t line) {
    if (level > 0 && (item.kind == Json::Kind::String || level == 3)) {
        body += Text(item, line, kItemNames[level]);
        return;
    }
    if (item.kind != Json::Kind::Array) {
        BadLine(line,
                std::string(kItemNames[level]) +
                    (level == 0 ? " doit être un tableau" : " doit être une chaîne ou un tableau"));
    }
    for (size_t i = 0; i < item.items.size(); ++i) {
        if (i > 0)
            body.push_back(kMarks[level]);
        AppendBody(body, item.items[i], level + 1, line);
    }
}

// Appends bytes as a JSON item of that level: a string when it holds no deeper mark, else an array
// (the whole record always is one, empty for an empty record).
void AppendJson(std::string& out, std::string_view bytes, int level) {
    const bool array = level == 0 ||
                       (level == 1 && text::FindValueMark(bytes) != std::string_view::npos) ||
                       (level == 2 && bytes.find(kMarks[2]) != std::string_view::npos);
    if (!array) {
        out += JsonString(bytes);
        return;
    }
    out += "[";
    for (size_t start = 0; level > 0 || !bytes.empty();) {
        const size_t end = bytes.find(kMarks[level], start);
        if (start > 0)
            out += ", ";
        AppendJson(out, bytes.substr(start, end - start), level + 1);
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    out += "]";
}

}  // namespace

std::string JsonString(std::string_view s) {
    std::string out = "\"";
    for (size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        size_t n = text::Utf8Length(s, i);
        if (n == 0) {
            out += "\\udc";
            out.push_back(kHex[c >> 4]);
            out.push_back(kHex[c & 0xF]);
            ++i;
            continue;
        }
        if (n == 1) {
            switch (c) {
                case '"':
                    out += "\\\"";
                    break;
                case '\\':
                    out += "\\\\";
                    break;
                case '\n':
                    out += "\\n";
                    break;
                case '\r':
                    out += "\\r";
                    break;
                case '\t':
                    out += "\\t";
                    break;
                default:
                    if (c < 0x20) {
                        out += "\\u00";
                        out.push_back(kHex[c >> 4]);
                        out.push_back(kHex[c & 0xF]);
                    } else {
                        out.push_back(static_cast<char>(c));
                    }
            }
            ++i;
            continue;
        }
        out.append(s.substr(i, n));
        i += n;
    }
    out.push_back('"');
    return out;
}

std::string AttributesToJson(std::string_view body) {
    std::string out;
    AppendJson(out, body, 0);
    return out;
}

void DumpJsonLines(Database& db, std::ostream& out, const std::vector<std::string>& files) {
    std::vector<std::string> names;
    if (files.empty()) {
        names = db.FileNames();
    } else {
        std::set<std::string> wanted;
        for (const std::string& f : files)
            wanted.insert(db.RequireFile(f).name);
        names.assign(wanted.begin(), wanted.end());
    }
    std::vector<std::tuple<std::string, std::string, int>> indexes;
    sql::Statement scan(db.Connection(),
                        "SELECT id, body FROM records WHERE file_id = ?1 ORDER BY id");
    for (const std::string& name : names) {
        FileRef file = db.RequireFile(name);
        std::string fileJson = JsonString(file.name);
        bool any = false;
        {
            sql::Use use(scan);
            scan.Bind(1, file.id);
            while (scan.Step()) {
                any = true;
                out << "{\"file\": " << fileJson << ", \"id\": " << JsonString(scan.Bytes(0))
                    << ", \"attrs\": " << AttributesToJson(scan.Bytes(1)) << "}\n";
            }
        }
        if (!any && !file.isDict)
            out << "{\"file\": " << fileJson << "}\n";
        if (!file.isDict) {
            for (const IndexDef& index : db.Indexes(file))
                indexes.emplace_back(file.name, index.field, index.idPrefix);
        }
    }
    std::sort(indexes.begin(), indexes.end());
    for (const auto& [file, field, idPrefix] : indexes) {
        out << "{\"index\": " << JsonString(file) << ", \"field\": " << JsonString(field);
        if (idPrefix > 0)
            out << ", \"idprefix\": \"" << idPrefix << "\"";
        out << "}\n";
    }
    if (!out)
        throw Error(ErrorKind::Io, "Écriture du vidage impossible.");
}

namespace {

// How many of a list a message names before "…".
constexpr size_t kNamed = 5;

// "A, B, C" then ", … (n en tout)" when more were found than named.
std::string Listing(const std::vector<std::string>& named, std::int64_t total) {
    std::string text;
    for (const std::string& item : named)
        text += (text.empty() ? "" : ", ") + item;
    if (total > static_cast<std::int64_t>(named.size()))
        text += ", … (" + std::to_string(total) + " en tout)";
    return text;
}

// The error of an index line, with its number in front.
[[noreturn]] void AtLine(std::int64_t line, const Error& e) {
    throw Error(e.kind(), "Ligne " + std::to_string(line) + " : " + e.what());
}

}  // namespace

LoadCounts LoadJsonLines(Database& db, std::istream& in, const LoadOptions& options) {
    LoadCounts counts;
    Database::Transaction transaction(db);
    std::map<std::string, FileRef> files;
    struct IndexLine {
        std::string file, field;
        int idPrefix;
        std::int64_t line;
    };
    std::vector<IndexLine> indexes;
    auto fileNamed = [&](const std::string& rawName, std::int64_t line) -> const FileRef& {
        std::string name = Database::NormalizeName(rawName);
        if (auto it = files.find(name); it != files.end())
            return it->second;
        auto file = db.FindFile(name);
        if (!file) {
            bool isDict = name.rfind("DICT ", 0) == 0;
            std::string dataName = isDict ? name.substr(5) : name;
            if (std::string why = Database::CheckNewFileName(dataName); !why.empty())
                BadLine(line, why.substr(0, why.size() - 1));
            db.CreateFile(dataName, "");
            ++counts.files;
            file = db.FindFile(name);
        }
        return files.emplace(name, *file).first->second;
    };
    // file id (8 bytes) and record id -> the line that gave it
    std::unordered_map<std::string, std::int64_t> seen;
    std::vector<std::string> duplicates, replaced;
    std::int64_t duplicateCount = 0;
    std::string lineText;
    std::int64_t line = 0;
    while (std::getline(in, lineText)) {
        ++line;
        if (line == 1 && lineText.rfind("\xEF\xBB\xBF", 0) == 0)
            lineText.erase(0, 3);
        if (lineText.find_first_not_of(" \t\r") == std::string::npos)
            continue;
        Json object;
        try {
            object = JsonParser(lineText).ParseLine();
        } catch (const Error& e) {
            BadLine(line, e.what());
        }
        if (object.kind != Json::Kind::Object)
            BadLine(line, "un objet JSON est attendu");
        if (const Json* index = object.Member("index")) {
            const Json* field = object.Member("field");
            if (!field)
                BadLine(line, "« field » manque");
            int idPrefix = 0;
            if (const Json* prefix = object.Member("idprefix")) {
                auto n = text::ParseCount(Text(*prefix, line, "« idprefix »"));
                if (!n || *n < 1 || *n > 100)
                    BadLine(line, "« idprefix » doit être un nombre de 1 à 100");
                idPrefix = *n;
            }
            indexes.push_back(
                {Text(*index, line, "« index »"), Text(*field, line, "« field »"), idPrefix, line});
            continue;
        }
        const Json* fileName = object.Member("file");
        if (!fileName)
            BadLine(line, "« file » ou « index » manque");
        const FileRef& file = fileNamed(Text(*fileName, line, "« file »"), line);
        const Json* id = object.Member("id");
        if (!id)
            continue;
        std::string idText = Text(*id, line, "« id »");
        if (std::string why = Database::CheckId(idText); !why.empty())
            BadLine(line, why.substr(0, why.size() - 1));
        std::string body;
        if (const Json* attrs = object.Member("attrs"))
            AppendBody(body, *attrs, 0, line);
        std::string key(reinterpret_cast<const char*>(&file.id), sizeof file.id);
        key += idText;
        auto [first, isNew] = seen.emplace(std::move(key), line);
        if (!isNew) {
            if (duplicates.size() < kNamed) {
                duplicates.push_back(file.name + " " + text::Printable(idText) + " (lignes " +
                                     std::to_string(first->second) + " et " + std::to_string(line) +
                                     ")");
            }
            ++duplicateCount;
            continue;
        }
        if (duplicateCount > 0)
            continue;  // the load is refused: only the other duplicates matter now
        switch (db.Write(file, idText, body)) {
            case WriteResult::Created:
                ++counts.created;
                break;
            case WriteResult::Replaced:
                if (replaced.size() < kNamed)
                    replaced.push_back(file.name + " " + text::Printable(idText));
                ++counts.replaced;
                break;
            case WriteResult::Unchanged:
                ++counts.unchanged;
                break;
        }
    }
    if (in.bad())
        throw Error(ErrorKind::Io, "Lecture du fichier à charger impossible.");
    if (duplicateCount > 0) {
        throw Error(ErrorKind::Command, "Le vidage donne plusieurs fois le même enregistrement : " +
                                            Listing(duplicates, duplicateCount) +
                                            ". Rien n'a été chargé.");
    }
    if (counts.replaced > 0 && !options.replace) {
        throw Error(ErrorKind::RecordExists,
                    "Le chargement remplacerait " + std::to_string(counts.replaced) +
                        " enregistrement(s) existant(s) : " + Listing(replaced, counts.replaced) +
                        ". Rien n'a été chargé.");
    }
    for (const IndexLine& index : indexes) {
        try {
            FileRef file = db.RequireFile(index.file);
            Field field = ResolveField(db, file, index.field, 0);
            if (field.kind != Field::Kind::Attribute)
                throw Error(ErrorKind::Command, "Index impossible sur le champ " +
                                                    text::Printable(index.field) + " du fichier " +
                                                    file.name + " : il ne lit pas un attribut.");
            if (db.CreateIndex(file, index.field, field.location, index.idPrefix))
                ++counts.indexes;
        } catch (const Error& e) {
            AtLine(index.line, e);
        }
    }
    transaction.Commit();
    return counts;
}

}  // namespace mv
