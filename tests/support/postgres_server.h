#pragma once
// The private PostgreSQL server of one test program (platform/server/private_server.h), in a
// temporary folder, stopped and removed at the end. Register it once with
// ::testing::AddGlobalTestEnvironment(PostgresServer::Instance()); when the server cannot be
// made or started, SetUp fails the run and says why: nothing is skipped.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/server/private_server.h"

namespace testsupport {

class PostgresServer : public ::testing::Environment {
  public:
    static PostgresServer* Instance();

    void SetUp() override;
    void TearDown() override;

    // Creates an empty database and returns its connection string.
    std::string NewDatabase();

  private:
    PostgresServer() = default;

    std::string folder_;
    std::unique_ptr<mv::server::PrivateServer> server_;
    int databases_ = 0;
};

}  // namespace testsupport
