#pragma once
// Request records and the values placed in selection commands.

#include <optional>
#include <string>
#include <string_view>

namespace store {

// Text of a request record: attribute 1 the command, attribute 2 the file name, attribute 3 the
// fields wanted ("0 1"). Empty trailing parts are left out.
std::string MakeRequest(std::string_view command, std::string_view fileName = {},
                        std::string_view fields = {});

// A typed text as a value of the query language, delimited by double quotes, or by single quotes
// or backslashes when the text holds a double quote. With prefix, the value matches the records
// whose field begins with the text. nullopt when the text cannot be carried without changing the
// selection: it holds all three delimiters, or a mark byte (0xFE, 0xFD, 0xFC: no record value
// can hold one), or it begins with "[" (the ends-with wildcard), or, for an exact value, ends
// with "]".
std::optional<std::string> QuoteValue(std::string_view text, bool prefix = false);

// The French message shown when QuoteValue refuses a typed text.
std::string UnquotableMessage(std::string_view text);

}  // namespace store
