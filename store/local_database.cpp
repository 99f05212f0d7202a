#include "local_database.h"

#include <cstdio>
#include <ctime>
#include <istream>
#include <ostream>

#include "platform/engine/commands.h"
#include "platform/engine/database.h"
#include "platform/engine/dynarray.h"
#include "platform/engine/error.h"
#include "platform/engine/jsonl.h"
#include "platform/engine/query.h"
#include "platform/engine/text.h"
#include "store_error.h"

namespace store {
namespace {

std::uint32_t CodeOf(mv::ErrorKind kind) {
    switch (kind) {
        case mv::ErrorKind::Io:
            return ErrorCode::IoError;
        case mv::ErrorKind::FileNotFound:
            return ErrorCode::FileNotFound;
        case mv::ErrorKind::Command:
            return ErrorCode::CommandError;
        case mv::ErrorKind::RecordNotFound:
            return ErrorCode::RecordNotFound;
        case mv::ErrorKind::Locked:
            return ErrorCode::RecordLocked;
        case mv::ErrorKind::RecordExists:
            return ErrorCode::RecordExists;
        case mv::ErrorKind::Failure:
            break;
    }
    return ErrorCode::Failure;
}

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

// Runs fn with engine errors turned into StoreError.
template <typename Fn>
auto Guard(Fn&& fn) -> decltype(fn()) {
    try {
        return fn();
    } catch (const mv::Error& e) {
        throw StoreError(CodeOf(e.kind()), e.what());
    } catch (const std::bad_alloc&) {
        throw StoreError(ErrorCode::Failure, "Mémoire insuffisante.");
    }
}

class LocalFile : public File {
  public:
    LocalFile(std::shared_ptr<mv::Database> engine, mv::FileRef ref)
        : engine_(std::move(engine)), ref_(std::move(ref)) {}

    const std::string& Name() const override { return ref_.name; }

    Record Read(const std::string& id) override {
        return Guard([&] { return ReadRecord(id); });
    }

    Record ReadForUpdate(const std::string& id) override {
        return Guard([&] {
            engine_->Lock(ref_, id);
            try {
                return ReadRecord(id);
            } catch (...) {
                engine_->Unlock(ref_, id);
                throw;
            }
        });
    }

    Record NewItem(const std::string& id) override {
        return Guard([&] {
            if (std::string why = mv::Database::CheckId(id); !why.empty())
                throw mv::Error(mv::ErrorKind::Failure, why);
            if (engine_->Exists(ref_, id)) {
                throw mv::Error(mv::ErrorKind::RecordExists,
                                "L'enregistrement " + mv::text::Printable(id) +
                                    " existe déjà dans le fichier " + ref_.name + ".");
            }
            return Record(shared_from_this(), id, std::string());
        });
    }

    void Release(const std::string& id) override {
        Guard([&] { engine_->Unlock(ref_, id); });
    }

    void Write(const std::string& id, const std::string& text) override {
        Guard([&] {
            engine_->Write(ref_, id, text);
            engine_->Unlock(ref_, id);
        });
    }

    void Create(const std::string& id, const std::string& text) override {
        Guard([&] {
            engine_->Create(ref_, id, text);
            engine_->Unlock(ref_, id);
        });
    }

    void DeleteRecord(const std::string& id) override {
        Guard([&] {
            engine_->Delete(ref_, id);
            engine_->Unlock(ref_, id);
        });
    }

  private:
    Record ReadRecord(const std::string& id) {
        auto body = engine_->Read(ref_, id);
        if (!body) {
            throw mv::Error(mv::ErrorKind::RecordNotFound,
                            "L'enregistrement " + mv::text::Printable(id) +
                                " n'existe pas dans le fichier " + ref_.name + ".");
        }
        return Record(shared_from_this(), id, std::move(*body));
    }

    std::shared_ptr<mv::Database> engine_;
    mv::FileRef ref_;
};

bool IsIdField(const std::string& name) {
    return name == "0" || mv::text::EqualsNoCase(name, "@ID");
}

std::vector<std::string> SplitFields(const std::string& fields) {
    std::vector<std::string> out;
    size_t start = 0;
    while (start < fields.size()) {
        size_t end = fields.find(' ', start);
        if (end == std::string::npos)
            end = fields.size();
        if (end > start)
            out.push_back(fields.substr(start, end - start));
        start = end + 1;
    }
    if (out.empty())
        out.push_back("0");
    return out;
}

// Appends text with every from mark replaced by to.
void AppendMapped(std::string& out, std::string_view text, char from, char to) {
    size_t start = out.size();
    out.append(text);
    for (size_t i = out.find(from, start); i != std::string::npos; i = out.find(from, i + 1))
        out[i] = to;
}

// Builds the result record of a selection as records arrive (see database.h for the two
// layouts): the first record is kept aside until a second one shows which layout applies.
class ResultBuilder {
  public:
    explicit ResultBuilder(const std::vector<std::string>& fields) {
        for (const std::string& f : fields)
            withId_ = withId_ || IsIdField(f);
    }

    void Add(const std::vector<std::string_view>& columns) {
        ++rows_;
        if (!withId_ && rows_ == 1) {
            first_.assign(columns.begin(), columns.end());
            return;
        }
        if (!withId_ && rows_ == 2) {
            std::vector<std::string_view> kept(first_.begin(), first_.end());
            AppendRow(kept);
        }
        AppendRow(columns);
    }

    std::string Finish() {
        if (withId_ || rows_ != 1)
            return std::move(text_);
        std::string text;
        for (const std::string& column : first_) {
            if (column.empty())
                continue;
            if (!text.empty())
                text.push_back(mv::kAttributeMark);
            AppendMapped(text, column, mv::kValueMark, mv::kAttributeMark);
        }
        return text;
    }

  private:
    void AppendRow(const std::vector<std::string_view>& columns) {
        if (appended_++ > 0)
            text_.push_back(mv::kAttributeMark);
        for (size_t j = 0; j < columns.size(); ++j) {
            if (j > 0)
                text_.push_back(mv::kValueMark);
            AppendMapped(text_, columns[j], mv::kValueMark, mv::kSubvalueMark);
        }
    }

    bool withId_ = false;
    std::int64_t rows_ = 0, appended_ = 0;
    std::vector<std::string> first_;
    std::string text_;
};

// Runs a command that returns no selection and gives its output record.
Record RunForOutput(mv::Database& engine, const std::string& command, std::string& status) {
    mv::CommandOutput out = Guard([&] { return mv::RunCommand(engine, command); });
    status = std::to_string(out.status);
    Record record;
    record.SetValue(1, status);
    record.SetValue(2, command);
    for (size_t i = 0; i < out.lines.size(); ++i)
        record.SetValue(3, static_cast<int>(i + 1), out.lines[i]);
    return record;
}

// The file a selection command names, as its second word (or "DICT" and the third).
std::string CommandFile(const std::string& command) {
    try {
        auto tokens = mv::Tokenize(command);
        if (tokens.size() < 3 || tokens[1].kind != mv::Token::Kind::Word)
            return {};
        if (mv::text::EqualsNoCase(tokens[1].text, "DICT") &&
            tokens[2].kind == mv::Token::Kind::Word)
            return "DICT " + tokens[2].text;
        return tokens[1].text;
    } catch (const mv::Error&) {
        return {};  // the command itself reports it
    }
}

}  // namespace

LocalDatabase::LocalDatabase(std::shared_ptr<mv::Database> engine) : engine_(std::move(engine)) {}

LocalDatabase::~LocalDatabase() = default;

const std::string& LocalDatabase::Path() const {
    return engine_->Path();
}

void LocalDatabase::SetLockWait(std::chrono::milliseconds wait) {
    engine_->SetLockWait(wait);
}

std::shared_ptr<File> LocalDatabase::OpenFile(const std::string& name) {
    return Guard([&]() -> std::shared_ptr<File> {
        return std::make_shared<LocalFile>(engine_, engine_->RequireFile(name));
    });
}

Record LocalDatabase::CallSubroutine(const std::string& routine, std::string& status,
                                     const std::string& command) {
    if (routine != "DBA.EXECUTE") {
        throw StoreError(ErrorCode::CommandError,
                         "Routine inconnue : " + mv::text::Printable(routine) + ".");
    }
    return RunForOutput(*engine_, command, status);
}

Record LocalDatabase::ExecuteRequest(const std::string& request, const std::string&,
                                     std::string& status) {
    return RunForOutput(*engine_, mv::extract(request, 1), status);
}

Record LocalDatabase::SelectRequest(const std::string& request, const std::string&,
                                    std::string& status) {
    std::string command = mv::extract(request, 1);
    std::string fileName = mv::extract(request, 2);
    std::vector<std::string> fields = SplitFields(mv::extract(request, 3));
    if (mv::VerbNamed(mv::CommandVerb(command)) != mv::Verb::Select) {
        throw StoreError(ErrorCode::CommandError,
                         "Une requête de sélection commence par SSELECT ou SELECT : " +
                             mv::text::Printable(command));
    }
    if (!fileName.empty()) {
        std::string named = CommandFile(command);
        if (!named.empty() &&
            mv::Database::NormalizeName(named) != mv::Database::NormalizeName(fileName)) {
            throw StoreError(ErrorCode::CommandError,
                             "La requête porte sur le fichier " + mv::text::Printable(fileName) +
                                 " mais la commande sur " + mv::text::Printable(named) + ".");
        }
    }
    ResultBuilder result(fields);
    mv::RowSink sink = [&](std::string_view, const std::vector<std::string_view>& columns) {
        result.Add(columns);
    };
    mv::CommandOutput out = Guard([&] { return mv::RunCommand(*engine_, command, fields, &sink); });
    status = std::to_string(out.status);
    return Record(result.Finish());
}

struct LocalDatabase::Transaction::Impl {
    explicit Impl(mv::Database& db) : transaction(db) {}
    mv::Database::Transaction transaction;
};

LocalDatabase::Transaction::Transaction(LocalDatabase& database)
    : impl_(Guard([&] { return std::make_unique<Impl>(*database.engine_); })) {}

LocalDatabase::Transaction::~Transaction() = default;

void LocalDatabase::Transaction::Commit() {
    Guard([&] { impl_->transaction.Commit(); });
}

void LocalDatabase::Dump(std::ostream& out, const std::vector<std::string>& files) {
    Guard([&] { mv::DumpJsonLines(*engine_, out, files); });
}

LocalDatabase::LoadResult LocalDatabase::Load(std::istream& in, const LoadOptions& options) {
    mv::LoadOptions engineOptions;
    engineOptions.replace = options.replace;
    mv::LoadCounts counts = Guard([&] { return mv::LoadJsonLines(*engine_, in, engineOptions); });
    return {counts.created, counts.replaced, counts.unchanged, counts.files, counts.indexes};
}

void LocalDatabase::SetUserName(const std::string& name) {
    engine_->SetHistoryUser(name);
}

std::vector<HistoryEntry> LocalDatabase::History(const std::string& file, const std::string& id) {
    auto entries = Guard([&] {
        return engine_->History(file,
                                id.empty() ? std::nullopt : std::optional<std::string_view>(id));
    });
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

std::shared_ptr<LocalDatabase> OpenLocalDatabase(const std::string& path) {
    return Guard(
        [&] { return std::make_shared<LocalDatabase>(std::make_shared<mv::Database>(path)); });
}

}  // namespace store
