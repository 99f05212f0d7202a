#pragma once
// Multivalue dynamic arrays: the text of a record, with attribute, value and subvalue marks.
//
// Positions are 1-based. Reading a position that does not exist gives the empty string; writing
// one creates the missing attributes, values and subvalues empty. The text is bytes: the marks are
// single bytes 0xFE, 0xFD, 0xFC and never occur inside UTF-8, so UTF-8 text is carried untouched.
// These functions are pure and thread-safe.

#include <string>
#include <string_view>

namespace mv {

inline constexpr char kAttributeMark = '\xFE';
inline constexpr char kValueMark = '\xFD';
inline constexpr char kSubvalueMark = '\xFC';

// Text at a position. value <= 0 means the whole attribute; subvalue <= 0 the whole value.
// attribute <= 0 gives the empty string.
std::string extract(std::string_view text, int attribute, int value = 0, int subvalue = 0);

// Replaces a position, creating missing positions empty. attribute <= 0 does nothing.
void replace(std::string& text, int attribute, std::string_view newText);
void replace(std::string& text, int attribute, int value, std::string_view newText);
void replace(std::string& text, int attribute, int value, int subvalue, std::string_view newText);

// Inserts newText as a new value at that position; later ones move up by one.
void insertValue(std::string& text, int attribute, int value, std::string_view newText);

// Removes an attribute (or a value); later ones move down by one. A missing position does nothing.
void removeAttribute(std::string& text, int attribute);
void removeValue(std::string& text, int attribute, int value);

// Number of substrings delimited by mark: 0 for an empty text, else the count of marks plus one.
int dcount(std::string_view text, char mark);
// Number of attributes of a record.
inline int attributeCount(std::string_view text) {
    return dcount(text, kAttributeMark);
}
// Number of values of one attribute.
int valueCount(std::string_view text, int attribute);

}  // namespace mv
