#include "local_database.h"

#include "engine_backend_impl.h"
#include "platform/engine/database.h"

namespace store {

template class EngineBackend<mv::Database>;

LocalDatabase::LocalDatabase(std::shared_ptr<mv::Database> engine)
    : EngineBackend(std::move(engine)) {}

LocalDatabase::~LocalDatabase() = default;

std::shared_ptr<File> LocalDatabase::OpenFile(const std::string& name) {
    return Guard([&] { return FileOf(engine_->RequireFile(name)); });
}

const std::string& LocalDatabase::Path() const {
    return engine_->Path();
}

std::string LocalDatabase::Location() const {
    return engine_->Path();
}

std::shared_ptr<LocalDatabase> OpenLocalDatabase(const std::string& path) {
    return Guard(
        [&] { return std::make_shared<LocalDatabase>(std::make_shared<mv::Database>(path)); });
}

}  // namespace store
