#include "postgres_server.h"

#include <unistd.h>

#include <filesystem>

namespace testsupport {

PostgresServer* PostgresServer::Instance() {
    static PostgresServer* server = new PostgresServer();  // owned by gtest once registered
    return server;
}

void PostgresServer::SetUp() {
    std::error_code ec;
    const std::filesystem::path temp = std::filesystem::temp_directory_path(ec);
    ASSERT_FALSE(ec) << "Pas de dossier temporaire pour le serveur PostgreSQL de test : "
                     << ec.message();
    std::string pattern = (temp / "mvpg-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr)
        << "Dossier temporaire impossible dans " << temp << " pour le serveur PostgreSQL de test.";
    folder_ = pattern;
    try {
        // Durability is not what these tests check: the disk is not flushed.
        server_ = std::make_unique<mv::server::PrivateServer>(
            folder_,
            std::vector<std::string>{"fsync=off", "full_page_writes=off", "max_connections=60"});
    } catch (const std::exception& e) {
        FAIL() << e.what();
    }
}

void PostgresServer::TearDown() {
    server_.reset();
    if (!folder_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
}

std::string PostgresServer::NewDatabase() {
    if (!server_) {
        ADD_FAILURE() << "Le serveur PostgreSQL de test n'a pas démarré.";
        return "postgresql:///absente?host=/nonexistent";
    }
    try {
        return server_->CreateDatabase("essai" + std::to_string(++databases_));
    } catch (const std::exception& e) {
        ADD_FAILURE() << e.what();
        return server_->ConnInfo("absente");
    }
}

}  // namespace testsupport
