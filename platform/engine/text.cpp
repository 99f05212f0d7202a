#include "text.h"

#include <cstring>

namespace mv::text {

std::string_view Attribute(std::string_view body, int n) {
    if (n <= 0)
        return {};
    size_t pos = 0;
    for (int i = 1; i < n; ++i) {
        size_t next = body.find('\xFE', pos);
        if (next == std::string_view::npos)
            return {};
        pos = next + 1;
    }
    size_t end = body.find('\xFE', pos);
    return body.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
}

std::vector<std::string_view> Split(std::string_view s, char mark) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (;;) {
        size_t end = s.find(mark, start);
        parts.push_back(s.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

std::string_view FirstValue(std::string_view attribute) {
    return attribute.substr(0, FindValueMark(attribute));
}

size_t FindValueMark(std::string_view s) {
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\xFD' || s[i] == '\xFC')
            return i;
    }
    return std::string_view::npos;
}

size_t FindAnyMark(std::string_view s) {
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\xFE' || s[i] == '\xFD' || s[i] == '\xFC')
            return i;
    }
    return std::string_view::npos;
}

bool HasValue(std::string_view s) {
    for (char c : s) {
        if (c != '\xFD' && c != '\xFC')
            return true;
    }
    return false;
}

namespace {

struct Decimal {
    bool negative = false;
    std::string_view integer;   // no leading zeros
    std::string_view fraction;  // no trailing zeros
    bool IsZero() const { return integer.empty() && fraction.empty(); }
};

Decimal Split(std::string_view s) {
    Decimal d;
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
        d.negative = s[0] == '-';
        s.remove_prefix(1);
    }
    size_t point = s.find('.');
    std::string_view integer = s.substr(0, point);
    std::string_view fraction =
        point == std::string_view::npos ? std::string_view{} : s.substr(point + 1);
    while (!integer.empty() && integer.front() == '0')
        integer.remove_prefix(1);
    while (!fraction.empty() && fraction.back() == '0')
        fraction.remove_suffix(1);
    d.integer = integer;
    d.fraction = fraction;
    if (d.IsZero())
        d.negative = false;
    return d;
}

int CompareMagnitude(const Decimal& a, const Decimal& b) {
    if (a.integer.size() != b.integer.size())
        return a.integer.size() < b.integer.size() ? -1 : 1;
    if (int c = a.integer.compare(b.integer))
        return c < 0 ? -1 : 1;
    if (int c = a.fraction.compare(b.fraction))
        return c < 0 ? -1 : 1;
    return 0;
}

}  // namespace

bool IsNumber(std::string_view s) {
    if (!s.empty() && (s[0] == '-' || s[0] == '+'))
        s.remove_prefix(1);
    bool digit = false, point = false;
    for (char c : s) {
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digit;
}

int CompareNumbers(std::string_view a, std::string_view b) {
    Decimal x = Split(a), y = Split(b);
    if (x.negative != y.negative)
        return x.negative ? -1 : 1;
    int c = CompareMagnitude(x, y);
    return x.negative ? -c : c;
}

int CompareBytes(std::string_view a, std::string_view b) {
    size_t n = a.size() < b.size() ? a.size() : b.size();
    int c = n ? std::memcmp(a.data(), b.data(), n) : 0;
    if (c)
        return c < 0 ? -1 : 1;
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

std::optional<std::string> PrefixEnd(std::string_view prefix) {
    std::string end(prefix);
    while (!end.empty()) {
        unsigned char last = static_cast<unsigned char>(end.back());
        if (last != 0xFF) {
            end.back() = static_cast<char>(last + 1);
            return end;
        }
        end.pop_back();
    }
    return std::nullopt;
}

size_t Utf8Length(std::string_view s, size_t i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    size_t n;
    unsigned int min;
    if (c < 0x80)
        return 1;
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
        min = 0x80;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        min = 0x800;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        min = 0x10000;
    } else {
        return 0;
    }
    if (i + n > s.size())
        return 0;
    unsigned int cp = c & (0xFF >> (n + 1));
    for (size_t k = 1; k < n; ++k) {
        unsigned char d = static_cast<unsigned char>(s[i + k]);
        if ((d & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (d & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return n;
}

std::string Printable(std::string_view bytes, size_t maxLength) {
    std::string out;
    size_t count = 0;
    for (size_t i = 0; i < bytes.size();) {
        if (count == maxLength) {
            out += "…";
            break;
        }
        size_t n = Utf8Length(bytes, i);
        unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (n == 0 || (n == 1 && (c < 0x20 || c == 0x7F))) {
            out.push_back('?');
            i += 1;
        } else {
            out.append(bytes.substr(i, n));
            i += n;
        }
        ++count;
    }
    return out;
}

std::string Upper(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z')
            x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z')
            y = static_cast<char>(y - 'a' + 'A');
        if (x != y)
            return false;
    }
    return true;
}

std::uint64_t Hash(std::string_view a, std::string_view b) {
    std::uint64_t h = 14695981039346656037ull;
    auto mix = [&h](std::string_view s) {
        for (unsigned char c : s) {
            h ^= c;
            h *= 1099511628211ull;
        }
    };
    mix(a);
    h ^= 0xFF;  // a byte that never ends a file name
    h *= 1099511628211ull;
    mix(b);
    return h;
}

std::optional<int> ParseCount(std::string_view s) {
    if (s.empty() || s.size() > 9)
        return std::nullopt;
    int n = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

}  // namespace mv::text
