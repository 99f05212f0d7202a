// The server backend when its connection is lost: a French message with the I/O code for the
// call that met it, nothing half-written, the session's locks gone, and the next call connected
// again.
#include <libpq-fe.h>

#include "engine_test_util.h"

namespace {

using namespace enginetest;
using namespace std::chrono_literals;

class ServerConnection : public BackendTest {
  protected:
    // What a server administrator (or a network cut) does: ends every other session.
    void CutOtherSessions() {
        std::string conninfo = location;
        PGconn* admin = PQconnectdb(conninfo.c_str());
        ASSERT_EQ(PQstatus(admin), CONNECTION_OK) << PQerrorMessage(admin);
        PGresult* r = PQexec(admin,
                             "SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE "
                             "datname = current_database() AND pid <> pg_backend_pid()");
        EXPECT_EQ(PQresultStatus(r), PGRES_TUPLES_OK) << PQerrorMessage(admin);
        PQclear(r);
        PQfinish(admin);
    }
};

TEST_P(ServerConnection, LostConnectionIsReportedAndTheNextCallConnectsAgain) {
    MakeFile("COMPTEUR");
    Put("COMPTEUR", "999", "5");
    auto counters = db->OpenFile("COMPTEUR");
    store::Record counter = counters->ReadForUpdate("999");
    CutOtherSessions();

    counter.SetValue(1, "6");
    EXPECT_EQ(ErrorOf([&] { counter.DBWrite(); }), store::ErrorCode::IoError);
    EXPECT_EQ(MessageOf([&] { counter.DBWrite(); }), "")
        << "the next call connects again and writes";
    EXPECT_EQ(counters->Read("999").Value(1), "6");

    counters->ReadForUpdate("999");
    CutOtherSessions();
    auto other = Open(location);
    other->SetLockWait(0ms);
    EXPECT_NE(MessageOf([&] { counters->Read("999"); }).find("connexion au serveur"),
              std::string::npos)
        << "said in French";
    EXPECT_NO_THROW(other->OpenFile("COMPTEUR")->ReadForUpdate("999"))
        << "the lost session's lock went with it";
    EXPECT_EQ(Ids("SSELECT COMPTEUR"), V{"999"});
}

INSTANTIATE_TEST_SUITE_P(Server, ServerConnection, ::testing::Values(Backend::Server), BackendName);

}  // namespace
