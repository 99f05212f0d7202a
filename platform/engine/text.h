#pragma once
// Byte-level helpers shared by the engine: views into record text, number comparison, key
// ranges and message-safe quoting. Pure functions.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mv::text {

// The n-th (1-based) attribute of a record, without copying; empty when missing.
std::string_view Attribute(std::string_view body, int n);

// The parts of s between marks equal to mark; an empty text has one empty part.
std::vector<std::string_view> Split(std::string_view s, char mark);

// The first value (first subvalue of the first value) of an attribute.
std::string_view FirstValue(std::string_view attribute);

// Position of the first value or subvalue mark (or of any mark), npos when none. Hand-written:
// the library's find_first_of scans its set for every byte.
size_t FindValueMark(std::string_view s);
size_t FindAnyMark(std::string_view s);
// Whether s holds something besides value and subvalue marks.
bool HasValue(std::string_view s);

// Calls fn(value) for every value and subvalue of an attribute; an empty attribute has one
// empty value. fn returns true to stop early; ForEachValue then returns true.
template <typename Fn>
bool ForEachValue(std::string_view attribute, Fn&& fn) {
    size_t start = 0;
    for (size_t i = 0; i <= attribute.size(); ++i) {
        if (i == attribute.size() || attribute[i] == '\xFD' || attribute[i] == '\xFC') {
            if (fn(attribute.substr(start, i - start)))
                return true;
            start = i + 1;
        }
    }
    return false;
}

// A decimal number: optional sign, digits, optional point and digits; at least one digit.
bool IsNumber(std::string_view s);
// Exact comparison of two texts that satisfy IsNumber: -1, 0 or 1.
int CompareNumbers(std::string_view a, std::string_view b);
// Byte comparison (memcmp, shorter first on a common prefix): -1, 0 or 1.
int CompareBytes(std::string_view a, std::string_view b);

// The smallest text greater than every text beginning with prefix; nullopt when there is none
// (prefix empty or all 0xFF).
std::optional<std::string> PrefixEnd(std::string_view prefix);

// Length of the valid UTF-8 sequence that starts at s[i], or 0 when the bytes there are not one.
size_t Utf8Length(std::string_view s, size_t i);

// Text for a French message: invalid UTF-8 and control bytes become "?", long texts are cut.
std::string Printable(std::string_view bytes, size_t maxLength = 60);

// ASCII case folding; other bytes are left as they are.
std::string Upper(std::string_view s);
bool EqualsNoCase(std::string_view a, std::string_view b);

// 64-bit FNV-1a of the parts, separated so that ("AB","C") and ("A","BC") differ.
std::uint64_t Hash(std::string_view a, std::string_view b);

// A positive decimal integer made of digits only (no sign); nullopt otherwise or when too large.
std::optional<int> ParseCount(std::string_view s);

}  // namespace mv::text
