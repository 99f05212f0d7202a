#pragma once
// Fields of the selection language, resolved against a file's dictionary, and their evaluation.
//
// A field is the id ("@ID" or "0"), an attribute number, or a dictionary item of "DICT file":
// attribute 1 the type (D data, V or I virtual), 2 the location (attribute number, 0 the id) or
// the expression, 3 a conversion, 4 the heading, 5 the format ("10L", "10R": R compares and sorts
// numerically), 6 "S" or "M".
//
// Virtual expressions: string literals ("..." or '...'), @ID, @VM, @SVM, @FM, numbers, ":"
// concatenation and OCONV(expression, conversions). Conversions, several separated by @VM and
// applied in turn to every value: "Tm,n" (n characters from the m-th), "Tn" (the first n),
// "Tfile;X;;a" (attribute a of the record of file whose id is the value; empty when missing; "C"
// instead of "X" keeps the value), "MCU" and "MCL" (upper and lower case).

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalog.h"

namespace mv {

// A virtual field's expression, parsed.
struct Expr {
    enum class Kind { Literal, Id, Concat, Oconv };
    Kind kind = Kind::Literal;
    std::string literal;
    std::vector<std::shared_ptr<const Expr>> args;  // Concat: parts; Oconv: value, conversions
};

struct Field {
    enum class Kind { Id, Attribute, Virtual };
    Kind kind = Kind::Id;
    int location = 0;      // attribute number for Attribute
    bool numeric = false;  // right-justified: numbers compare as numbers
    std::string name;      // as written
    std::string heading;
    int width = 10;
    std::shared_ptr<const Expr> expr;  // for Virtual
};

// Resolves name on file: "@ID" and "0", attribute numbers, then a dictionary item (exact name,
// then a unique case-insensitive match). Throws Error(Command) naming name and its position.
Field ResolveField(Catalog& db, const FileRef& file, std::string_view name, int position);

// Parses a virtual expression; throws Error(Command) with a French message.
std::shared_ptr<const Expr> ParseExpression(std::string_view text);

// Computes field texts for records. Keeps a small cache of translations for one command.
class Evaluator {
  public:
    explicit Evaluator(Catalog& db) : db_(db) {}
    // The whole text of field (values separated by value marks). The view stays valid until the
    // next call with the same scratch.
    std::string_view Text(const Field& field, std::string_view id, std::string_view body,
                          std::string& scratch);
    std::string Evaluate(const Expr& expr, std::string_view id);

  private:
    std::string Convert(std::string_view conversion, std::string_view value);
    std::string Translate(std::string_view conversion, std::string_view value);

    Catalog& db_;
    std::map<std::string, std::optional<FileRef>, std::less<>> files_;
    std::map<std::string, std::string, std::less<>> translations_;
};

}  // namespace mv
