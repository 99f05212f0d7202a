// One private PostgreSQL server for the whole program: the backend-parameterised suites run on
// it; when it cannot start, the run fails saying why.
#include <gtest/gtest.h>

#include "tests/support/postgres_server.h"

namespace {

::testing::Environment* const server =
    ::testing::AddGlobalTestEnvironment(testsupport::PostgresServer::Instance());

}  // namespace
