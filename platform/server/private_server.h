#pragma once
// A private PostgreSQL server for tests and benchmarks: initdb in a folder, a Unix socket in that
// folder and no TCP port. Run as root, the server runs under the unprivileged "postgres" account
// the Debian package creates (the folder is given to it). The programs are found with
// pg_config --bindir, else in /usr/lib/postgresql/15/bin.
//
// Failures throw std::runtime_error with a French reason (the end of the server's log
// included). Not thread-safe.

#include <string>
#include <vector>

namespace mv::server {

class PrivateServer {
  public:
    // folder: where the cluster lives (made when missing; an existing cluster is reused).
    // settings: extra "-c name=value" settings.
    PrivateServer(std::string folder, std::vector<std::string> settings = {});
    ~PrivateServer();  // stops the server
    PrivateServer(const PrivateServer&) = delete;
    PrivateServer& operator=(const PrivateServer&) = delete;

    const std::string& Folder() const { return folder_; }
    // A connection string for database name.
    std::string ConnInfo(const std::string& name) const;
    // Creates an empty database (from template0) and returns its connection string.
    std::string CreateDatabase(const std::string& name);
    void Stop();

  private:
    int RunAsOwner(const std::vector<std::string>& argv);

    std::string bin_, folder_, log_;
    int uid_ = -1, gid_ = -1;
    bool running_ = false;
};

}  // namespace mv::server
