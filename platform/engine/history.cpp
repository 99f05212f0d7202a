#include "history.h"

#include <pwd.h>
#include <unistd.h>

#include <charconv>
#include <cstdlib>

namespace mv::history {
namespace {

// Walks the parts of a text separated by one mark: an empty text has no part.
class Parts {
  public:
    Parts(std::string_view text, char mark) : text_(text), mark_(mark), done_(text.empty()) {}
    bool Done() const { return done_; }
    // The next part; empty once done.
    std::string_view Next() {
        if (done_)
            return {};
        size_t end = text_.find(mark_, pos_);
        if (end == std::string_view::npos) {
            done_ = true;
            return text_.substr(pos_);
        }
        std::string_view part = text_.substr(pos_, end - pos_);
        pos_ = end + 1;
        return part;
    }

  private:
    std::string_view text_;
    char mark_;
    size_t pos_ = 0;
    bool done_;
};

void AppendNumber(std::string& out, int n) {
    char digits[12];
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, n);
    out.append(digits, end);
}

}  // namespace

int AppendChanges(std::string& out, std::string_view before, std::string_view after) {
    int count = 0;
    Parts oldAttributes(before, '\xFE'), newAttributes(after, '\xFE');
    for (int a = 1; !oldAttributes.Done() || !newAttributes.Done(); ++a) {
        std::string_view oldAttribute = oldAttributes.Next(), newAttribute = newAttributes.Next();
        if (oldAttribute == newAttribute)
            continue;
        Parts oldValues(oldAttribute, '\xFD'), newValues(newAttribute, '\xFD');
        for (int v = 1; !oldValues.Done() || !newValues.Done(); ++v) {
            std::string_view oldValue = oldValues.Next(), newValue = newValues.Next();
            if (oldValue == newValue)
                continue;
            if (count++ > 0)
                out.push_back('\xFE');
            AppendNumber(out, a);
            out.push_back('\xFD');
            AppendNumber(out, v);
            out.push_back('\xFD');
            out.append(oldValue);
            out.push_back('\xFD');
            out.append(newValue);
        }
    }
    return count;
}

std::vector<Change> DecodeChanges(std::string_view encoded) {
    std::vector<Change> changes;
    Parts entries(encoded, '\xFE');
    while (!entries.Done()) {
        Parts fields(entries.Next(), '\xFD');
        std::string_view parts[4];
        int n = 0;
        while (!fields.Done() && n < 5) {
            std::string_view part = fields.Next();
            if (n < 4)
                parts[n] = part;
            ++n;
        }
        Change change;
        auto number = [](std::string_view text, int& out) {
            auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
            return ec == std::errc() && end == text.data() + text.size() && out > 0;
        };
        if (n != 4 || !number(parts[0], change.attribute) || !number(parts[1], change.value))
            continue;
        change.before = parts[2];
        change.after = parts[3];
        changes.push_back(std::move(change));
    }
    return changes;
}

}  // namespace mv::history

namespace mv {

std::string AccountName() {
    struct passwd entry {};
    struct passwd* found = nullptr;
    char buffer[4096];
    if (::getpwuid_r(::geteuid(), &entry, buffer, sizeof buffer, &found) == 0 && found &&
        found->pw_name && *found->pw_name)
        return found->pw_name;
    if (const char* user = std::getenv("USER"); user && *user)
        return user;
    return "uid " + std::to_string(::geteuid());
}

}  // namespace mv
