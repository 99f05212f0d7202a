#include "dump_format.h"

#include "catalog.h"
#include "error.h"
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

std::string RecordLine(std::string_view file, std::string_view id, std::string_view body) {
    return "{\"file\": " + JsonString(file) + ", \"id\": " + JsonString(id) +
           ", \"attrs\": " + AttributesToJson(body) + "}\n";
}

std::string FileLine(std::string_view file) {
    return "{\"file\": " + JsonString(file) + "}\n";
}

std::string IndexLine(std::string_view file, std::string_view field, int idPrefix) {
    std::string out = "{\"index\": " + JsonString(file) + ", \"field\": " + JsonString(field);
    if (idPrefix > 0)
        out += ", \"idprefix\": \"" + std::to_string(idPrefix) + "\"";
    return out + "}\n";
}

DumpLine ParseDumpLine(std::string_view lineText, std::int64_t line) {
    DumpLine parsed;
    if (line == 1 && lineText.substr(0, 3) == "\xEF\xBB\xBF")
        lineText.remove_prefix(3);
    if (lineText.find_first_not_of(" \t\r") == std::string_view::npos)
        return parsed;
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
        if (const Json* prefix = object.Member("idprefix")) {
            auto n = text::ParseCount(Text(*prefix, line, "« idprefix »"));
            if (!n || *n < 1 || *n > 100)
                BadLine(line, "« idprefix » doit être un nombre de 1 à 100");
            parsed.idPrefix = *n;
        }
        parsed.kind = DumpLine::Kind::Index;
        parsed.file = Text(*index, line, "« index »");
        parsed.field = Text(*field, line, "« field »");
        return parsed;
    }
    const Json* fileName = object.Member("file");
    if (!fileName)
        BadLine(line, "« file » ou « index » manque");
    parsed.file = NormalizeFileName(Text(*fileName, line, "« file »"));
    parsed.kind = DumpLine::Kind::File;
    const Json* id = object.Member("id");
    if (!id)
        return parsed;
    parsed.kind = DumpLine::Kind::Record;
    parsed.id = Text(*id, line, "« id »");
    if (std::string why = CheckRecordId(parsed.id); !why.empty())
        BadLine(line, why.substr(0, why.size() - 1));
    if (const Json* attrs = object.Member("attrs"))
        AppendBody(parsed.body, *attrs, 0, line);
    return parsed;
}

std::string CheckDumpFile(std::string_view name, std::int64_t line) {
    bool isDict = name.rfind("DICT ", 0) == 0;
    std::string dataName(isDict ? name.substr(5) : name);
    if (std::string why = CheckNewFileName(dataName); !why.empty())
        BadLine(line, why.substr(0, why.size() - 1));
    return dataName;
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

}  // namespace

void AtLine(std::int64_t line, const Error& e) {
    throw Error(e.kind(), "Ligne " + std::to_string(line) + " : " + e.what());
}

bool LoadChecks::Note(std::int64_t fileId, std::string_view fileName, std::string_view id,
                      std::int64_t line) {
    std::string key(reinterpret_cast<const char*>(&fileId), sizeof fileId);
    key += id;
    auto [first, isNew] = seen_.emplace(std::move(key), line);
    if (isNew)
        return true;
    if (duplicates_.size() < kNamed) {
        duplicates_.push_back(std::string(fileName) + " " + text::Printable(id) + " (lignes " +
                              std::to_string(first->second) + " et " + std::to_string(line) + ")");
    }
    ++duplicateCount_;
    return false;
}

void LoadChecks::NoteReplaced(std::string_view fileName, std::string_view id) {
    if (replaced_.size() < kNamed)
        replaced_.push_back(std::string(fileName) + " " + text::Printable(id));
    ++replacedCount_;
}

void LoadChecks::Finish(bool replaceAllowed) const {
    if (duplicateCount_ > 0) {
        throw Error(ErrorKind::Command, "Le vidage donne plusieurs fois le même enregistrement : " +
                                            Listing(duplicates_, duplicateCount_) +
                                            ". Rien n'a été chargé.");
    }
    if (replacedCount_ > 0 && !replaceAllowed) {
        throw Error(ErrorKind::RecordExists,
                    "Le chargement remplacerait " + std::to_string(replacedCount_) +
                        " enregistrement(s) existant(s) : " + Listing(replaced_, replacedCount_) +
                        ". Rien n'a été chargé.");
    }
}

}  // namespace mv
