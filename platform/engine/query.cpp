#include "query.h"

#include "error.h"
#include "text.h"

namespace mv {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsSpecial(char c) {
    return std::string_view("\"'\\=#<>()").find(c) != std::string_view::npos;
}

[[noreturn]] void Fail(const std::string& message) {
    throw Error(ErrorKind::Command, message);
}

class Parser {
  public:
    Parser(Catalog& db, std::string_view text) : db_(db), text_(text), tokens_(Tokenize(text)) {}

    Command Parse() {
        const Token& first = Peek();
        if (first.kind == Token::Kind::End)
            Fail("Commande vide.");
        std::optional<Verb> verb =
            first.kind == Token::Kind::Word ? VerbNamed(first.text) : std::nullopt;
        if (!verb) {
            Fail("Commande inconnue à la position " + std::to_string(first.position) + " : " +
                 Show(first));
        }
        Command command;
        command.verb = *verb;
        Next();
        switch (command.verb) {
            case Verb::Select:
            case Verb::Count:
            case Verb::List:
                ParseQuery(command);
                break;
            case Verb::CreateFile:
                ParseCreateFile(command, first);
                return command;
            case Verb::DeleteFile:
                command.fileName = RawFileName(first, false, command);
                return command;
            case Verb::CreateIndex:
            case Verb::BuildIndex:
            case Verb::DeleteIndex: {
                command.fileName = FileName().first;
                const Token& field = Peek();
                if (field.kind != Token::Kind::Word)
                    Expected("nom de champ attendu", field);
                command.fieldName = field.text;
                command.fieldPosition = field.position;
                Next();
                if (PeekWord({"PREFIXE.ID"})) {
                    Next();
                    const Token& n = Peek();
                    auto length = n.kind == Token::Kind::Word ? text::ParseCount(n.text)
                                                              : std::optional<int>();
                    if (!length || *length < 1 || *length > 100)
                        Expected("longueur de préfixe (1 à 100) attendue", n);
                    command.idPrefix = *length;
                    Next();
                }
                break;
            }
            case Verb::DateFormat:
                if (Peek().kind == Token::Kind::Word)
                    Next();
                break;
        }
        ExpectEnd();
        return command;
    }

  private:
    const Token& Peek() const { return tokens_[index_]; }
    void Next() {
        if (index_ + 1 < tokens_.size())
            ++index_;
    }

    static std::string Show(const Token& t) {
        switch (t.kind) {
            case Token::Kind::Value:
                return text::Printable(t.delimiter + t.text + t.delimiter);
            case Token::Kind::End:
                return "(fin de commande)";
            default:
                return text::Printable(t.text);
        }
    }

    // what carries its own agreement: "valeur attendue", "champ attendu".
    [[noreturn]] void Expected(const std::string& what, const Token& t) {
        if (t.kind == Token::Kind::End) {
            Fail("Fin de commande inattendue à la position " + std::to_string(t.position) + " : " +
                 what + ".");
        }
        Fail(Capital(what) + " à la position " + std::to_string(t.position) + " : " + Show(t));
    }

    static std::string Capital(std::string s) {
        if (!s.empty() && s[0] >= 'a' && s[0] <= 'z')
            s[0] = static_cast<char>(s[0] - 'a' + 'A');
        return s;
    }

    void ExpectEnd() {
        const Token& t = Peek();
        if (t.kind != Token::Kind::End)
            Fail("Mot inattendu à la position " + std::to_string(t.position) + " : " + Show(t));
    }

    bool PeekWord(std::initializer_list<const char*> words) const {
        const Token& t = Peek();
        if (t.kind != Token::Kind::Word)
            return false;
        for (const char* w : words) {
            if (text::EqualsNoCase(t.text, w))
                return true;
        }
        return false;
    }

    // A file name, or "DICT" and a file name.
    std::pair<std::string, int> FileName() {
        const Token& t = Peek();
        if (t.kind != Token::Kind::Word)
            Expected("nom de fichier attendu", t);
        int position = t.position;
        std::string name = t.text;
        Next();
        if (text::EqualsNoCase(name, "DICT")) {
            const Token& data = Peek();
            if (data.kind != Token::Kind::Word)
                Expected("nom de fichier attendu après DICT", data);
            name = "DICT " + data.text;
            Next();
        }
        return {name, position};
    }

    // The name is taken from the raw text, not the tokens: a name built from an association code
    // keeps the code's blanks ("CREATE.FILE CONTRAT 07A1 3,1" creates "CONTRAT 07A1"). The sizes
    // are the last word when it is made of digits and commas.
    void ParseCreateFile(Command& command, const Token& verb) {
        std::string name = RawFileName(verb, true, command);
        if (name.size() > 4 && text::EqualsNoCase(name.substr(0, 4), "DICT") &&
            (name[4] == ' ' || name[4] == '\t')) {
            Fail("CREATE.FILE crée le fichier et son dictionnaire : nommez le fichier sans DICT.");
        }
        if (std::string why = CheckNewFileName(name); !why.empty())
            Fail(why);
        // Blanks belong to names, but a second size word means a mistyped command, not a name.
        for (size_t start = 0; start < name.size();) {
            size_t end = name.find(' ', start);
            if (end == std::string::npos)
                end = name.size();
            std::string_view word = std::string_view(name).substr(start, end - start);
            if (word.find(',') != std::string_view::npos &&
                word.find_first_not_of("0123456789,") == std::string_view::npos) {
                Fail("Mot inattendu dans le nom de fichier : " + text::Printable(name));
            }
            start = end + 1;
        }
        command.fileName = name;
    }

    std::string RawFileName(const Token& verb, bool withSizes, Command& command) {
        const size_t after = static_cast<size_t>(verb.position - 1) + verb.text.size();
        std::string_view rest = text_.substr(std::min(after, text_.size()));
        if (rest.empty() || rest.front() != ' ')
            Expected("nom de fichier attendu", Peek());
        rest.remove_prefix(1);
        const size_t blank = withSizes ? rest.rfind(' ') : std::string_view::npos;
        if (blank != std::string_view::npos) {
            std::string_view last = rest.substr(blank + 1);
            if (!last.empty() && last.find_first_not_of("0123456789,") == std::string_view::npos) {
                command.sizes = std::string(last);
                rest = rest.substr(0, blank);
            }
        }
        if (rest.empty())
            Expected("nom de fichier attendu", Peek());
        return std::string(rest);
    }

    void ParseQuery(Command& command) {
        auto [name, position] = FileName();
        auto file = db_.FindFile(name);
        if (!file) {
            throw Error(ErrorKind::FileNotFound, "Fichier inconnu à la position " +
                                                     std::to_string(position) + " : " +
                                                     text::Printable(name));
        }
        Query& query = command.query;
        query.file = *file;
        while (Peek().kind != Token::Kind::End) {
            const Token& t = Peek();
            if (t.kind == Token::Kind::Open || PeekWord({"AVEC", "WITH", "SANS", "WITHOUT"})) {
                if (query.where) {
                    Fail("AND ou OR attendu à la position " + std::to_string(t.position) + " : " +
                         Show(t));
                }
                query.where = ParseOr(query.file);
            } else if (PeekWord({"PAR", "BY", "PAR.DSND", "BY.DSND"})) {
                if (command.verb == Verb::Count) {
                    Fail("COMPTER ne trie pas : mot inattendu à la position " +
                         std::to_string(t.position) + " : " + Show(t));
                }
                bool descending = PeekWord({"PAR.DSND", "BY.DSND"});
                std::string keyword = t.text;
                Next();
                const Token& f = Peek();
                if (f.kind != Token::Kind::Word)
                    Expected("champ attendu après " + keyword, f);
                query.sort.push_back(
                    {ResolveField(db_, query.file, f.text, f.position), descending});
                Next();
            } else if (command.verb == Verb::List && t.kind == Token::Kind::Word &&
                       !PeekWord({"AND", "OR"})) {
                query.columns.push_back(ResolveField(db_, query.file, t.text, t.position));
                Next();
            } else {
                Fail("Mot inattendu à la position " + std::to_string(t.position) + " : " + Show(t));
            }
        }
    }

    CondNode ParseOr(const FileRef& file) {
        return Joined(CondNode::Kind::Or, "OR", [&] { return ParseAnd(file); });
    }

    CondNode ParseAnd(const FileRef& file) {
        return Joined(CondNode::Kind::And, "AND", [&] { return ParseTerm(file); });
    }

    // One operand, or several joined by word.
    template <typename Operand>
    CondNode Joined(CondNode::Kind kind, const char* word, Operand&& operand) {
        CondNode first = operand();
        if (!PeekWord({word}))
            return first;
        CondNode node;
        node.kind = kind;
        node.children.push_back(std::move(first));
        while (PeekWord({word})) {
            Next();
            node.children.push_back(operand());
        }
        return node;
    }

    CondNode ParseTerm(const FileRef& file) {
        const Token& t = Peek();
        if (t.kind == Token::Kind::Open) {
            // Each level costs stack in the parser and in every record's test.
            if (++depth_ > kMaxDepth) {
                Fail("Trop de parenthèses imbriquées à la position " + std::to_string(t.position) +
                     " (" + std::to_string(kMaxDepth) + " niveaux au plus).");
            }
            Next();
            CondNode inner = ParseOr(file);
            if (Peek().kind != Token::Kind::Close)
                Expected("parenthèse fermante attendue", Peek());
            Next();
            --depth_;
            return inner;
        }
        if (!PeekWord({"AVEC", "WITH", "SANS", "WITHOUT"}))
            Expected("AVEC ou SANS attendu", t);
        CondNode node;
        Condition& c = node.condition;
        c.negate = PeekWord({"SANS", "WITHOUT"});
        std::string keyword = t.text;
        Next();
        const Token& f = Peek();
        if (f.kind != Token::Kind::Word)
            Expected("champ attendu après " + keyword, f);
        c.field = ResolveField(db_, file, f.text, f.position);
        Next();
        const Token& op = Peek();
        std::optional<Op> parsed;
        if (op.kind == Token::Kind::Operator || op.kind == Token::Kind::Word)
            parsed = ParseOperator(op.text);
        if (!parsed) {
            if (op.kind == Token::Kind::Value)
                Expected("opérateur attendu", op);
            c.op = Op::NotEmpty;
            return node;
        }
        c.op = *parsed;
        Next();
        const Token& value = Peek();
        if (value.kind != Token::Kind::Value)
            Expected("valeur entre délimiteurs attendue", value);
        SetValue(c, value);
        Next();
        return node;
    }

    static std::optional<Op> ParseOperator(const std::string& raw) {
        std::string s = text::Upper(raw);
        if (s == "=" || s == "EQ")
            return Op::Eq;
        if (s == "#" || s == "<>" || s == "NE")
            return Op::Ne;
        if (s == "<" || s == "LT")
            return Op::Lt;
        if (s == ">" || s == "GT")
            return Op::Gt;
        if (s == "<=" || s == "LE")
            return Op::Le;
        if (s == ">=" || s == "GE")
            return Op::Ge;
        return std::nullopt;
    }

    static void SetValue(Condition& c, const Token& t) {
        std::string_view v = t.text;
        bool prefix = !v.empty() && v.back() == ']';
        bool suffix = !v.empty() && v.front() == '[';
        if ((prefix || suffix) && c.op != Op::Eq && c.op != Op::Ne) {
            Fail(
                "Les caractères [ et ] de début et de fin ne s'emploient qu'avec = ou # "
                "(position " +
                std::to_string(t.position) + ") : " + Show(t));
        }
        if (prefix)
            v.remove_suffix(1);
        if (suffix && !v.empty())
            v.remove_prefix(1);
        c.match = prefix && suffix ? Match::Contains
                  : prefix         ? Match::Prefix
                  : suffix         ? Match::Suffix
                                   : Match::Exact;
        c.value = std::string(v);
    }

    static constexpr int kMaxDepth = 64;

    Catalog& db_;
    std::string_view text_;
    std::vector<Token> tokens_;
    size_t index_ = 0;
    int depth_ = 0;
};

}  // namespace

std::vector<Token> Tokenize(std::string_view s) {
    std::vector<Token> tokens;
    size_t i = 0;
    while (i < s.size()) {
        char c = s[i];
        if (IsBlank(c)) {
            ++i;
            continue;
        }
        Token t;
        t.position = static_cast<int>(i + 1);
        if (c == '"' || c == '\'' || c == '\\') {
            size_t end = s.find(c, i + 1);
            if (end == std::string_view::npos) {
                Fail("Valeur non fermée à la position " + std::to_string(i + 1) + " : " +
                     text::Printable(s.substr(i)));
            }
            t.kind = Token::Kind::Value;
            t.delimiter = c;
            t.text = std::string(s.substr(i + 1, end - i - 1));
            i = end + 1;
        } else if (c == '=' || c == '#' || c == '<' || c == '>') {
            t.kind = Token::Kind::Operator;
            size_t n = 1;
            if (i + 1 < s.size() && ((c == '<' && (s[i + 1] == '=' || s[i + 1] == '>')) ||
                                     (c == '>' && s[i + 1] == '=')))
                n = 2;
            t.text = std::string(s.substr(i, n));
            i += n;
        } else if (c == '(' || c == ')') {
            t.kind = c == '(' ? Token::Kind::Open : Token::Kind::Close;
            t.text = std::string(1, c);
            ++i;
        } else {
            size_t start = i;
            while (i < s.size() && !IsBlank(s[i]) && !IsSpecial(s[i]))
                ++i;
            t.kind = Token::Kind::Word;
            t.text = std::string(s.substr(start, i - start));
        }
        tokens.push_back(std::move(t));
    }
    Token end;
    end.kind = Token::Kind::End;
    end.position = static_cast<int>(s.size() + 1);
    tokens.push_back(end);
    return tokens;
}

std::optional<Verb> VerbNamed(std::string_view word) {
    static constexpr std::pair<std::string_view, Verb> kVerbs[] = {
        {"SSELECT", Verb::Select},
        {"SELECT", Verb::Select},
        {"COMPTER", Verb::Count},
        {"COUNT", Verb::Count},
        {"LIST", Verb::List},
        {"CREATE.FILE", Verb::CreateFile},
        {"DELETE.FILE", Verb::DeleteFile},
        {"CREATE.INDEX", Verb::CreateIndex},
        {"BUILD.INDEX", Verb::BuildIndex},
        {"DELETE.INDEX", Verb::DeleteIndex},
        {"DATE.FORMAT", Verb::DateFormat},
    };
    for (const auto& [name, verb] : kVerbs) {
        if (text::EqualsNoCase(word, name))
            return verb;
    }
    return std::nullopt;
}

Command ParseCommand(Catalog& db, std::string_view text) {
    return Parser(db, text).Parse();
}

std::string CommandVerb(std::string_view text) {
    size_t start = 0;
    while (start < text.size() && IsBlank(text[start]))
        ++start;
    size_t end = start;
    while (end < text.size() && !IsBlank(text[end]))
        ++end;
    return text::Upper(text.substr(start, end - start));
}

}  // namespace mv
