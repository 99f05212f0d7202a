#include "history_entries.h"

#include <cstdio>
#include <ctime>

namespace store {
namespace {

// "dd/mm/yyyy hh:mm:ss" in UTC.
std::string UtcTime(std::int64_t seconds) {
    std::time_t t = static_cast<std::time_t>(seconds);
    std::tm tm{};
    ::gmtime_r(&t, &tm);
    char text[80];  // wide enough for any year the compiler can imagine
    std::snprintf(text, sizeof text, "%02d/%02d/%04d %02d:%02d:%02d", tm.tm_mday, tm.tm_mon + 1,
                  tm.tm_year + 1900, tm.tm_hour, tm.tm_min, tm.tm_sec);
    return text;
}

}  // namespace

std::vector<HistoryEntry> ToStoreHistory(std::vector<mv::HistoryEntry> entries) {
    std::vector<HistoryEntry> out;
    out.reserve(entries.size());
    for (mv::HistoryEntry& entry : entries) {
        HistoryEntry converted;
        converted.sequence = entry.sequence;
        converted.user = std::move(entry.user);
        converted.time = UtcTime(entry.time);
        converted.file = std::move(entry.file);
        converted.id = std::move(entry.id);
        for (mv::history::Change& change : entry.changes) {
            converted.changes.push_back({change.attribute, change.value, std::move(change.before),
                                         std::move(change.after)});
        }
        out.push_back(std::move(converted));
    }
    return out;
}

}  // namespace store
