#include "local_database.h"

#include <istream>
#include <ostream>

#include "engine_errors.h"
#include "history_entries.h"
#include "platform/engine/commands.h"
#include "platform/engine/database.h"
#include "platform/engine/dynarray.h"
#include "platform/engine/error.h"
#include "platform/engine/jsonl.h"
#include "platform/engine/query.h"
#include "platform/engine/text.h"
#include "request_results.h"
#include "store_error.h"

namespace store {
namespace {

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
            if (std::string why = mv::CheckRecordId(id); !why.empty())
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

}  // namespace

LocalDatabase::LocalDatabase(std::shared_ptr<mv::Database> engine) : engine_(std::move(engine)) {}

LocalDatabase::~LocalDatabase() = default;

const std::string& LocalDatabase::Path() const {
    return engine_->Path();
}

std::string LocalDatabase::Location() const {
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

CommandRunner LocalDatabase::Runner() {
    return [this](const std::string& command, const std::vector<std::string>& columns,
                  const mv::RowSink* sink) {
        return Guard([&] { return mv::RunCommand(*engine_, command, columns, sink); });
    };
}

Record LocalDatabase::CallSubroutine(const std::string& routine, std::string& status,
                                     const std::string& command) {
    if (routine != "DBA.EXECUTE") {
        throw StoreError(ErrorCode::CommandError,
                         "Routine inconnue : " + mv::text::Printable(routine) + ".");
    }
    return OutputRecord(Runner(), command, status);
}

Record LocalDatabase::ExecuteRequest(const std::string& request, const std::string&,
                                     std::string& status) {
    return OutputRecord(Runner(), mv::extract(request, 1), status);
}

Record LocalDatabase::SelectRequest(const std::string& request, const std::string&,
                                    std::string& status) {
    return SelectionRecord(Runner(), request, status);
}

mv::CommandOutput LocalDatabase::Run(const std::string& command,
                                     const std::vector<std::string>& columns) {
    return Guard([&] { return mv::RunCommand(*engine_, command, columns); });
}

mv::CommandHost& LocalDatabase::Names() {
    return *engine_;
}

std::vector<std::string> LocalDatabase::VerifyIndexes() {
    return Guard([&] { return engine_->VerifyIndexes(); });
}

std::unique_ptr<BackendDatabase::Scope> LocalDatabase::BeginTransaction() {
    struct LocalScope : Scope {
        explicit LocalScope(LocalDatabase& db) : transaction(db) {}
        void Commit() override { transaction.Commit(); }
        Transaction transaction;
    };
    return std::make_unique<LocalScope>(*this);
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
    return ToStoreHistory(Guard([&] {
        return engine_->History(file,
                                id.empty() ? std::nullopt : std::optional<std::string_view>(id));
    }));
}

std::shared_ptr<LocalDatabase> OpenLocalDatabase(const std::string& path) {
    return Guard(
        [&] { return std::make_shared<LocalDatabase>(std::make_shared<mv::Database>(path)); });
}

}  // namespace store
