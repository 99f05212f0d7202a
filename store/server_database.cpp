#include "server_database.h"

#include "engine_errors.h"
#include "history_entries.h"
#include "platform/engine/dynarray.h"
#include "platform/engine/text.h"
#include "platform/server/database.h"

namespace store {
namespace {

class ServerFile : public File {
  public:
    ServerFile(std::shared_ptr<mv::server::Database> engine, mv::FileRef ref)
        : engine_(std::move(engine)), ref_(std::move(ref)) {}

    const std::string& Name() const override { return ref_.name; }

    Record Read(const std::string& id) override {
        return Guard([&] { return Bound(id, engine_->Read(ref_, id)); });
    }

    Record ReadForUpdate(const std::string& id) override {
        return Guard([&] { return Bound(id, engine_->ReadForUpdate(ref_, id)); });
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
        Guard([&] { engine_->Release(ref_, id); });
    }

    void Write(const std::string& id, const std::string& text) override {
        Guard([&] { engine_->Write(ref_, id, text); });
    }

    void Create(const std::string& id, const std::string& text) override {
        Guard([&] { engine_->Create(ref_, id, text); });
    }

    void DeleteRecord(const std::string& id) override {
        Guard([&] { engine_->Delete(ref_, id); });
    }

  private:
    Record Bound(const std::string& id, std::optional<std::string> body) {
        if (!body) {
            throw mv::Error(mv::ErrorKind::RecordNotFound,
                            "L'enregistrement " + mv::text::Printable(id) +
                                " n'existe pas dans le fichier " + ref_.name + ".");
        }
        return Record(shared_from_this(), id, std::move(*body));
    }

    std::shared_ptr<mv::server::Database> engine_;
    mv::FileRef ref_;
};

}  // namespace

ServerDatabase::ServerDatabase(std::shared_ptr<mv::server::Database> engine)
    : engine_(std::move(engine)) {}

ServerDatabase::~ServerDatabase() = default;

std::shared_ptr<File> ServerDatabase::OpenFile(const std::string& name) {
    return Guard([&]() -> std::shared_ptr<File> {
        auto ref = engine_->FindFileNow(name);
        if (!ref) {
            throw mv::Error(mv::ErrorKind::FileNotFound,
                            "Le fichier " + mv::text::Printable(mv::NormalizeFileName(name)) +
                                " n'existe pas.");
        }
        return std::make_shared<ServerFile>(engine_, *ref);
    });
}

CommandRunner ServerDatabase::Runner() {
    return [this](const std::string& command, const std::vector<std::string>& columns,
                  const mv::RowSink* sink) {
        return Guard([&] { return engine_->Run(command, columns, sink); });
    };
}

Record ServerDatabase::CallSubroutine(const std::string& routine, std::string& status,
                                      const std::string& command) {
    if (routine != "DBA.EXECUTE") {
        throw StoreError(ErrorCode::CommandError,
                         "Routine inconnue : " + mv::text::Printable(routine) + ".");
    }
    return OutputRecord(Runner(), command, status);
}

Record ServerDatabase::ExecuteRequest(const std::string& request, const std::string&,
                                      std::string& status) {
    return OutputRecord(Runner(), mv::extract(request, 1), status);
}

Record ServerDatabase::SelectRequest(const std::string& request, const std::string&,
                                     std::string& status) {
    return SelectionRecord(Runner(), request, status);
}

std::string ServerDatabase::Location() const {
    return engine_->ConnInfo();
}

void ServerDatabase::SetLockWait(std::chrono::milliseconds wait) {
    engine_->SetLockWait(wait);
}

mv::CommandOutput ServerDatabase::Run(const std::string& command,
                                      const std::vector<std::string>& columns) {
    return Guard([&] { return engine_->Run(command, columns); });
}

mv::CommandHost& ServerDatabase::Names() {
    return *engine_;
}

void ServerDatabase::Dump(std::ostream& out, const std::vector<std::string>& files) {
    Guard([&] { engine_->Dump(out, files); });
}

ServerDatabase::LoadResult ServerDatabase::Load(std::istream& in, const LoadOptions& options) {
    mv::LoadOptions engineOptions;
    engineOptions.replace = options.replace;
    mv::LoadCounts counts = Guard([&] { return engine_->Load(in, engineOptions); });
    return {counts.created, counts.replaced, counts.unchanged, counts.files, counts.indexes};
}

void ServerDatabase::SetUserName(const std::string& name) {
    engine_->SetHistoryUser(name);
}

std::vector<HistoryEntry> ServerDatabase::History(const std::string& file, const std::string& id) {
    return ToStoreHistory(Guard([&] {
        return engine_->History(file,
                                id.empty() ? std::nullopt : std::optional<std::string_view>(id));
    }));
}

std::vector<std::string> ServerDatabase::VerifyIndexes() {
    return Guard([&] { return engine_->VerifyIndexes(); });
}

std::unique_ptr<BackendDatabase::Scope> ServerDatabase::BeginTransaction() {
    struct ServerScope : Scope {
        explicit ServerScope(mv::server::Database& db) : transaction(db) {}
        void Commit() override {
            Guard([&] { transaction.Commit(); });
        }
        mv::server::Database::Transaction transaction;
    };
    return Guard(
        [&]() -> std::unique_ptr<Scope> { return std::make_unique<ServerScope>(*engine_); });
}

bool ServerDatabase::Fresh() const {
    return engine_->Empty();
}

std::shared_ptr<ServerDatabase> OpenServerDatabase(const std::string& conninfo) {
    return Guard([&] {
        return std::make_shared<ServerDatabase>(std::make_shared<mv::server::Database>(conninfo));
    });
}

}  // namespace store
