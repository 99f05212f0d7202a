// mvsh --db PATH [-c COMMAND]...
// Opens the database at PATH as every program does (app/common: a path naming no file or an
// empty file gives a new base, ready for the system) and runs each COMMAND in turn, stopping at
// the first error with exit code 1; without -c, reads commands from standard input. Exit code 2:
// bad arguments or a database that cannot be opened. Its writes are recorded in the history
// under the user name "mvsh".
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "app/common/open_base.h"
#include "app/shell/shell.h"

namespace {

int Usage(const std::string& why) {
    if (!why.empty())
        std::cerr << "mvsh : " << why << "\n";
    std::cerr << "Usage : mvsh --db CHEMIN [-c COMMANDE]...\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string path;
    std::vector<std::string> commands;
    bool batch = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if ((arg == "--db" || arg == "-c") && i + 1 == argc) {
            return Usage("l'option " + arg + " attend " +
                         (arg == "-c" ? "une commande" : "le chemin de la base"));
        } else if (arg == "--db") {
            path = argv[++i];
        } else if (arg.rfind("--db=", 0) == 0) {
            path = arg.substr(5);
        } else if (arg == "-c") {
            commands.push_back(argv[++i]);
            batch = true;
        } else if (arg == "-h" || arg == "--help") {
            Usage("");
            return 0;
        } else {
            return Usage("argument inattendu : " + arg);
        }
    }
    if (path.empty())
        return Usage("l'option --db est obligatoire");

    std::shared_ptr<store::BackendDatabase> db;
    try {
        appbase::Opened opened = appbase::OpenBase(path);
        db = opened.backend;
        if (opened.prepared)
            std::cerr << "Nouvelle base créée : " << path << "\n";
    } catch (const std::exception& e) {
        std::cerr << "mvsh : " << e.what() << "\n";
        return 2;
    }
    db->SetUserName("mvsh");
    mvsh::Shell shell(db, std::cout, std::cerr, appbase::TemplateFolder(path));

    if (batch) {
        for (const std::string& command : commands) {
            // At a prompt a blank line is nothing; given as a command it is a mistake.
            if (command.find_first_not_of(" \t\r\n") == std::string::npos) {
                std::cerr << "Erreur : Commande vide.\n";
                return 1;
            }
            mvsh::Shell::Result result = shell.Run(command);
            std::cout.flush();
            if (result == mvsh::Shell::Result::Error)
                return 1;
            if (result == mvsh::Shell::Result::Quit)
                break;
        }
        return 0;
    }
    bool interactive = ::isatty(STDIN_FILENO);
    bool failed = false;
    std::string line;
    for (;;) {
        if (interactive)
            std::cout << "mvsh> " << std::flush;
        if (!std::getline(std::cin, line))
            break;
        mvsh::Shell::Result result = shell.Run(line);
        std::cout.flush();
        if (result == mvsh::Shell::Result::Quit)
            break;
        failed = failed || result == mvsh::Shell::Result::Error;
    }
    // Piped input reports a failure like -c does.
    return !interactive && failed ? 1 : 0;
}
