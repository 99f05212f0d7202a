#include "private_server.h"

#include <libpq-fe.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>

namespace mv::server {
namespace {

std::string BinFolder() {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen("pg_config --bindir 2>/dev/null", "r"),
                                               &::pclose);
    char line[512] = {};
    if (pipe && std::fgets(line, sizeof line, pipe.get())) {
        std::string bin(line);
        while (!bin.empty() && (bin.back() == '\n' || bin.back() == ' '))
            bin.pop_back();
        if (std::filesystem::exists(bin + "/initdb") && std::filesystem::exists(bin + "/pg_ctl"))
            return bin;
    }
    if (std::filesystem::exists("/usr/lib/postgresql/15/bin/pg_ctl"))
        return "/usr/lib/postgresql/15/bin";
    throw std::runtime_error(
        "Serveur PostgreSQL introuvable (ni pg_config --bindir ni /usr/lib/postgresql/15/bin) : "
        "installez le paquet postgresql (scripts/setup.sh le fait en root).");
}

std::string Tail(const std::string& path) {
    std::ifstream in(path);
    std::stringstream all;
    all << in.rdbuf();
    std::string text = all.str();
    return text.size() > 1500 ? text.substr(text.size() - 1500) : text;
}

}  // namespace

PrivateServer::PrivateServer(std::string folder, std::vector<std::string> settings)
    : bin_(BinFolder()), folder_(std::move(folder)), log_(folder_ + "/serveur.log") {
    std::filesystem::create_directories(folder_);
    if (::geteuid() == 0) {
        // The server refuses to run as root: it runs as the account the package made.
        struct passwd* account = ::getpwnam("postgres");
        if (!account) {
            throw std::runtime_error(
                "Le compte postgres n'existe pas : installez le paquet postgresql, qui le crée.");
        }
        uid_ = static_cast<int>(account->pw_uid);
        gid_ = static_cast<int>(account->pw_gid);
        if (::chown(folder_.c_str(), account->pw_uid, account->pw_gid) != 0)
            throw std::runtime_error("Le dossier " + folder_ +
                                     " ne peut pas être donné à postgres.");
    }
    ::chmod(folder_.c_str(), 0700);
    std::ofstream(log_, std::ios::app).flush();
    if (uid_ >= 0 && ::chown(log_.c_str(), static_cast<uid_t>(uid_), static_cast<gid_t>(gid_)) != 0)
        throw std::runtime_error("Le journal " + log_ + " ne peut pas être donné à postgres.");
    if (!std::filesystem::exists(folder_ + "/data/PG_VERSION")) {
        if (RunAsOwner({bin_ + "/initdb", "-D", folder_ + "/data", "-A", "trust", "-U", "postgres",
                        "-E", "UTF8", "--no-locale"}) != 0)
            throw std::runtime_error("initdb a échoué :\n" + Tail(log_));
    }
    // Only the socket in the private folder: no TCP port.
    std::string options = "-c listen_addresses='' -c unix_socket_directories='" + folder_ + "'";
    for (const std::string& s : settings)
        options += " -c " + s;
    if (RunAsOwner({bin_ + "/pg_ctl", "-D", folder_ + "/data", "-w", "-t", "120", "-l",
                    folder_ + "/postgres.log", "-o", options, "start"}) != 0) {
        throw std::runtime_error("Le serveur PostgreSQL privé ne démarre pas :\n" +
                                 Tail(folder_ + "/postgres.log") + Tail(log_));
    }
    running_ = true;
}

PrivateServer::~PrivateServer() {
    Stop();
}

void PrivateServer::Stop() {
    if (running_)
        RunAsOwner({bin_ + "/pg_ctl", "-D", folder_ + "/data", "-w", "-m", "fast", "stop"});
    running_ = false;
}

int PrivateServer::RunAsOwner(const std::vector<std::string>& argv) {
    pid_t pid = ::fork();
    if (pid == 0) {
        if (gid_ >= 0 &&
            (::setgid(static_cast<gid_t>(gid_)) != 0 || ::setuid(static_cast<uid_t>(uid_)) != 0))
            ::_exit(126);
        if (std::FILE* out = std::fopen(log_.c_str(), "a")) {
            ::dup2(fileno(out), STDOUT_FILENO);
            ::dup2(fileno(out), STDERR_FILENO);
        }
        std::vector<char*> args;
        for (const std::string& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
}

std::string PrivateServer::ConnInfo(const std::string& name) const {
    return "postgresql:///" + name + "?host=" + folder_ + "&user=postgres";
}

std::string PrivateServer::CreateDatabase(const std::string& name) {
    PGconn* admin = PQconnectdb(ConnInfo("postgres").c_str());
    std::string error;
    if (PQstatus(admin) != CONNECTION_OK) {
        error = PQerrorMessage(admin);
    } else {
        PGresult* r = PQexec(admin, ("CREATE DATABASE " + name + " TEMPLATE template0").c_str());
        if (PQresultStatus(r) != PGRES_COMMAND_OK)
            error = PQresultErrorMessage(r);
        PQclear(r);
    }
    PQfinish(admin);
    if (!error.empty())
        throw std::runtime_error("Base " + name + " impossible à créer : " + error);
    return ConnInfo(name);
}

}  // namespace mv::server
