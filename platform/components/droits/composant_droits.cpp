#include "composant_droits.h"

#include <charconv>
#include <limits>

#include "store/file.h"
#include "store/store_error.h"

namespace {

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// A level that is not a whole 16-bit number counts as consultation rather than as an error:
// a mistyped rights record must not lock the user out of reading.
std::int16_t parseLevel(const std::string& text) {
    const std::string t = trimmed(text);
    int value = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (t.empty() || ec != std::errc() || end != t.data() + t.size() ||
        value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max())
        return Composant_Droits::kConsultation;
    return static_cast<std::int16_t>(value);
}

bool isMissing(const store::StoreError& e) {
    return e.code() == store::ErrorCode::FileNotFound ||
           e.code() == store::ErrorCode::RecordNotFound;
}

}  // namespace

Composant_Droits::Composant_Droits(std::shared_ptr<store::Database> database, std::string userName)
    : database_(std::move(database)), userName_(std::move(userName)) {}

std::int16_t Composant_Droits::LevelFor(const std::string& screen) const {
    if (!database_ || userName_.empty())
        return kConsultation;
    store::Record record;
    try {
        record = database_->OpenFile("DROITS")->Read(userName_);
    } catch (const store::StoreError& e) {
        if (isMissing(e))
            return kConsultation;
        throw;
    }
    const std::string wanted = trimmed(screen);
    const int count = record.DCount(1);
    for (int i = 1; i <= count; ++i) {
        if (trimmed(record.Value(1, i)) == wanted)
            return parseLevel(record.Value(2, i));
    }
    return kConsultation;
}

std::shared_ptr<store::ScreenRights> Composant_Droits::GetScreenRights(const std::string& screen) {
    return std::make_shared<DroitsEcran>(LevelFor(screen));
}
