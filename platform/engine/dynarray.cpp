#include "dynarray.h"

#include <algorithm>

namespace mv {
namespace {

// Bounds [begin, end) of the n-th (1-based) field of text delimited by mark. When the field does
// not exist, found is false and begin = end = text.size(); missing is how many marks are lacking.
struct Span {
    size_t begin = 0;
    size_t end = 0;
    bool found = false;
    int missing = 0;
};

Span locate(std::string_view text, char mark, int n) {
    Span span;
    size_t pos = 0;
    for (int i = 1; i < n; ++i) {
        size_t next = text.find(mark, pos);
        if (next == std::string_view::npos) {
            span.begin = span.end = text.size();
            span.missing = n - i;
            return span;
        }
        pos = next + 1;
    }
    size_t next = text.find(mark, pos);
    span.begin = pos;
    span.end = next == std::string_view::npos ? text.size() : next;
    span.found = true;
    return span;
}

std::string_view field(std::string_view text, char mark, int n) {
    Span s = locate(text, mark, n);
    return s.found ? text.substr(s.begin, s.end - s.begin) : std::string_view{};
}

// Replaces the n-th field of text, appending marks when it does not exist yet.
void replaceField(std::string& text, char mark, int n, std::string_view newText) {
    Span s = locate(text, mark, n);
    if (!s.found) {
        text.append(static_cast<size_t>(s.missing), mark);
        text.append(newText);
        return;
    }
    text.replace(s.begin, s.end - s.begin, newText);
}

// Applies fn to the n-th field of text (created when missing) in place.
template <typename Fn>
void editField(std::string& text, char mark, int n, Fn fn) {
    Span s = locate(text, mark, n);
    std::string part = s.found ? std::string(text.substr(s.begin, s.end - s.begin)) : std::string();
    fn(part);
    replaceField(text, mark, n, part);
}

void insertField(std::string& text, char mark, int n, std::string_view newText) {
    if (n < 1)
        return;
    if (text.empty() && n == 1) {
        text.assign(newText);
        return;
    }
    Span s = locate(text, mark, n);
    if (!s.found) {
        text.append(static_cast<size_t>(s.missing), mark);
        text.append(newText);
        return;
    }
    std::string piece(newText);
    piece.push_back(mark);
    text.insert(s.begin, piece);
}

void removeField(std::string& text, char mark, int n) {
    if (n < 1)
        return;
    Span s = locate(text, mark, n);
    if (!s.found)
        return;
    if (s.end < text.size()) {
        text.erase(s.begin, s.end - s.begin + 1);  // the field and the mark after it
    } else if (s.begin > 0) {
        text.erase(s.begin - 1);  // the last field and the mark before it
    } else {
        text.clear();
    }
}

}  // namespace

std::string extract(std::string_view text, int attribute, int value, int subvalue) {
    if (attribute <= 0)
        return {};
    std::string_view a = field(text, kAttributeMark, attribute);
    if (value <= 0)
        return std::string(a);
    std::string_view v = field(a, kValueMark, value);
    if (subvalue <= 0)
        return std::string(v);
    return std::string(field(v, kSubvalueMark, subvalue));
}

void replace(std::string& text, int attribute, std::string_view newText) {
    if (attribute <= 0)
        return;
    replaceField(text, kAttributeMark, attribute, newText);
}

void replace(std::string& text, int attribute, int value, std::string_view newText) {
    if (attribute <= 0)
        return;
    if (value <= 0)
        return replace(text, attribute, newText);
    editField(text, kAttributeMark, attribute,
              [&](std::string& a) { replaceField(a, kValueMark, value, newText); });
}

void replace(std::string& text, int attribute, int value, int subvalue, std::string_view newText) {
    if (attribute <= 0)
        return;
    if (subvalue <= 0)
        return replace(text, attribute, value, newText);
    if (value <= 0)
        value = 1;
    editField(text, kAttributeMark, attribute, [&](std::string& a) {
        editField(a, kValueMark, value,
                  [&](std::string& v) { replaceField(v, kSubvalueMark, subvalue, newText); });
    });
}

void insertValue(std::string& text, int attribute, int value, std::string_view newText) {
    if (attribute <= 0 || value <= 0)
        return;
    editField(text, kAttributeMark, attribute,
              [&](std::string& a) { insertField(a, kValueMark, value, newText); });
}

void removeAttribute(std::string& text, int attribute) {
    removeField(text, kAttributeMark, attribute);
}

void removeValue(std::string& text, int attribute, int value) {
    if (attribute <= 0 || value <= 0)
        return;
    Span s = locate(text, kAttributeMark, attribute);
    if (!s.found)
        return;
    std::string a(text.substr(s.begin, s.end - s.begin));
    removeField(a, kValueMark, value);
    text.replace(s.begin, s.end - s.begin, a);
}

int dcount(std::string_view text, char mark) {
    if (text.empty())
        return 0;
    return static_cast<int>(std::count(text.begin(), text.end(), mark)) + 1;
}

int valueCount(std::string_view text, int attribute) {
    return dcount(field(text, kAttributeMark, attribute), kValueMark);
}

}  // namespace mv
