#include "server_database.h"

#include "engine_backend_impl.h"
#include "platform/server/database.h"

namespace store {

template class EngineBackend<mv::server::Database>;

ServerDatabase::ServerDatabase(std::shared_ptr<mv::server::Database> engine)
    : EngineBackend(std::move(engine)) {}

ServerDatabase::~ServerDatabase() = default;

std::shared_ptr<File> ServerDatabase::OpenFile(const std::string& name) {
    return Guard([&] {
        auto ref = engine_->FindFileNow(name);
        if (!ref) {
            throw mv::Error(mv::ErrorKind::FileNotFound,
                            "Le fichier " + mv::text::Printable(mv::NormalizeFileName(name)) +
                                " n'existe pas.");
        }
        return FileOf(*ref);
    });
}

std::string ServerDatabase::Location() const {
    return engine_->ConnInfo();
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
