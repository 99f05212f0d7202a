#pragma once
// Commands of the record store's query language, parsed and resolved against a database.
//
//   SSELECT|SELECT file [conditions] [PAR|BY|PAR.DSND|BY.DSND field]...
//   COMPTER|COUNT file [conditions]
//   LIST file [conditions] [PAR ... field]... [field]...
//   CREATE.FILE file [sizes]        DELETE.FILE file
//   CREATE.INDEX file field [PREFIXE.ID n]     (same for BUILD.INDEX and DELETE.INDEX;
//                                              see IndexDef for the id prefix)
//   DATE.FORMAT [word]
//
// conditions: terms joined by AND / OR (AND binds tighter), in parentheses if wanted (64 levels
// at most). A term is AVEC|WITH or SANS|WITHOUT, a field, and an operator (= # <> < > <= >= EQ
// NE LT GT LE GE) with a value; without operator and value, AVEC means "not empty" and SANS
// "empty". A multivalued field satisfies a test when one of its values does; SANS holds when
// none does.
// Values are delimited by "...", '...' or \...\ and cannot hold their delimiter. With = and #,
// a "]" ending the value means "begins with", a "[" starting it "ends with", both "contains".
// Keywords are case-insensitive; "DICT X" names the dictionary of X. Anything else is an error
// (Error(Command), or Error(FileNotFound) for an unknown file) naming the token and its 1-based
// byte position.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalog.h"
#include "fields.h"

namespace mv {

struct Token {
    enum class Kind { Word, Value, Operator, Open, Close, End };
    Kind kind = Kind::End;
    std::string text;  // a value without its delimiters
    int position = 0;  // 1-based byte offset
    char delimiter = '"';
};

// Splits a command into tokens. Accepts any bytes; an unclosed value throws Error(Command).
std::vector<Token> Tokenize(std::string_view command);

enum class Op { Eq, Ne, Lt, Gt, Le, Ge, NotEmpty };
enum class Match { Exact, Prefix, Suffix, Contains };

struct Condition {
    Field field;
    bool negate = false;  // SANS
    Op op = Op::NotEmpty;
    Match match = Match::Exact;
    std::string value;  // without its wildcards
};

struct CondNode {
    enum class Kind { Leaf, And, Or };
    Kind kind = Kind::Leaf;
    Condition condition;
    std::vector<CondNode> children;
};

struct SortKey {
    Field field;
    bool descending = false;
};

struct Query {
    FileRef file;
    std::optional<CondNode> where;
    std::vector<SortKey> sort;
    std::vector<Field> columns;  // LIST only
};

enum class Verb {
    Select,
    Count,
    List,
    CreateFile,
    DeleteFile,
    CreateIndex,
    BuildIndex,
    DeleteIndex,
    DateFormat,
};

struct Command {
    Verb verb = Verb::Select;
    Query query;            // Select, Count, List
    std::string fileName;   // file commands
    std::string sizes;      // CREATE.FILE
    std::string fieldName;  // index commands
    int fieldPosition = 0;
    int idPrefix = 0;
};

// Parses and resolves a command. Unknown files throw Error(FileNotFound), except for the file
// commands, which report them when run.
Command ParseCommand(Catalog& db, std::string_view text);

// The first word of a command in upper case ("SSELECT"), empty for a blank command.
std::string CommandVerb(std::string_view text);

// The verb a command word names, in either language and any case; nullopt for another word.
std::optional<Verb> VerbNamed(std::string_view word);

}  // namespace mv
