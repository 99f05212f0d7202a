#pragma once
// The definitions of engine_backend.h, for the backends that instantiate it.

#include <istream>
#include <optional>
#include <ostream>
#include <string_view>

#include "engine_backend.h"
#include "engine_errors.h"
#include "history_entries.h"
#include "platform/engine/dump_format.h"
#include "platform/engine/dynarray.h"
#include "platform/engine/text.h"

namespace store {
namespace engine_backend {

template <typename EngineType>
class EngineFile final : public File {
  public:
    EngineFile(std::shared_ptr<EngineType> engine, mv::FileRef ref)
        : engine_(std::move(engine)), ref_(std::move(ref)) {}

    const std::string& Name() const override { return ref_.name; }

    Record Read(const std::string& id) override {
        return Guard([&] { return Found(id, engine_->Read(ref_, id)); });
    }

    Record ReadForUpdate(const std::string& id) override {
        return Guard([&] { return Found(id, engine_->ReadForUpdate(ref_, id)); });
    }

    Record NewItem(const std::string& id) override {
        return Guard([&] {
            mv::RequireRecordId(id);
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

    // A write that succeeds drops the update lock. The server's engine drops it in the write's
    // own transaction, so that releasing it again finds nothing to do.
    void Write(const std::string& id, const std::string& text) override {
        Guard([&] {
            engine_->Write(ref_, id, text);
            engine_->Release(ref_, id);
        });
    }

    void Create(const std::string& id, const std::string& text) override {
        Guard([&] {
            engine_->Create(ref_, id, text);
            engine_->Release(ref_, id);
        });
    }

    void DeleteRecord(const std::string& id) override {
        Guard([&] {
            engine_->Delete(ref_, id);
            engine_->Release(ref_, id);
        });
    }

  private:
    Record Found(const std::string& id, std::optional<std::string> body) {
        if (!body) {
            throw mv::Error(mv::ErrorKind::RecordNotFound,
                            "L'enregistrement " + mv::text::Printable(id) +
                                " n'existe pas dans le fichier " + ref_.name + ".");
        }
        return Record(shared_from_this(), id, std::move(*body));
    }

    std::shared_ptr<EngineType> engine_;
    mv::FileRef ref_;
};

}  // namespace engine_backend

template <typename EngineType>
EngineBackend<EngineType>::EngineBackend(std::shared_ptr<EngineType> engine)
    : engine_(std::move(engine)) {}

template <typename EngineType>
EngineBackend<EngineType>::~EngineBackend() = default;

template <typename EngineType>
std::shared_ptr<File> EngineBackend<EngineType>::FileOf(const mv::FileRef& ref) const {
    return std::make_shared<engine_backend::EngineFile<EngineType>>(engine_, ref);
}

template <typename EngineType>
CommandRunner EngineBackend<EngineType>::Runner() {
    return [this](const std::string& command, const std::vector<std::string>& columns,
                  const mv::RowSink* sink) {
        return Guard([&] { return engine_->Run(command, columns, sink); });
    };
}

template <typename EngineType>
Record EngineBackend<EngineType>::CallSubroutine(const std::string& routine, std::string& status,
                                                 const std::string& command) {
    if (routine != "DBA.EXECUTE") {
        throw StoreError(ErrorCode::CommandError,
                         "Routine inconnue : " + mv::text::Printable(routine) + ".");
    }
    return OutputRecord(Runner(), command, status);
}

template <typename EngineType>
Record EngineBackend<EngineType>::ExecuteRequest(const std::string& request, const std::string&,
                                                 std::string& status) {
    return OutputRecord(Runner(), mv::extract(request, 1), status);
}

template <typename EngineType>
Record EngineBackend<EngineType>::SelectRequest(const std::string& request, const std::string&,
                                                std::string& status) {
    return SelectionRecord(Runner(), request, status);
}

template <typename EngineType>
void EngineBackend<EngineType>::SetUserName(const std::string& name) {
    engine_->SetHistoryUser(name);
}

template <typename EngineType>
std::vector<HistoryEntry> EngineBackend<EngineType>::History(const std::string& file,
                                                             const std::string& id) {
    return ToStoreHistory(Guard([&] {
        return engine_->History(file,
                                id.empty() ? std::nullopt : std::optional<std::string_view>(id));
    }));
}

template <typename EngineType>
void EngineBackend<EngineType>::SetLockWait(std::chrono::milliseconds wait) {
    engine_->SetLockWait(wait);
}

template <typename EngineType>
mv::CommandOutput EngineBackend<EngineType>::Run(const std::string& command,
                                                 const std::vector<std::string>& columns) {
    return Guard([&] { return engine_->Run(command, columns); });
}

template <typename EngineType>
mv::CommandHost& EngineBackend<EngineType>::Names() {
    return *engine_;
}

template <typename EngineType>
void EngineBackend<EngineType>::Dump(std::ostream& out, const std::vector<std::string>& files) {
    Guard([&] { engine_->Dump(out, files); });
}

template <typename EngineType>
BackendDatabase::LoadResult EngineBackend<EngineType>::Load(std::istream& in,
                                                            const LoadOptions& options) {
    mv::LoadOptions engineOptions;
    engineOptions.replace = options.replace;
    mv::LoadCounts counts = Guard([&] { return engine_->Load(in, engineOptions); });
    return {counts.created, counts.replaced, counts.unchanged, counts.files, counts.indexes};
}

template <typename EngineType>
std::vector<std::string> EngineBackend<EngineType>::VerifyIndexes() {
    return Guard([&] { return engine_->VerifyIndexes(); });
}

template <typename EngineType>
std::unique_ptr<BackendDatabase::Scope> EngineBackend<EngineType>::BeginTransaction() {
    struct EngineScope : Scope {
        explicit EngineScope(EngineType& engine) : transaction(engine) {}
        void Commit() override {
            Guard([&] { transaction.Commit(); });
        }
        typename EngineType::Transaction transaction;
    };
    return Guard(
        [&]() -> std::unique_ptr<Scope> { return std::make_unique<EngineScope>(*engine_); });
}

}  // namespace store
