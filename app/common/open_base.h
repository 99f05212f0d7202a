#pragma once
// The opening of the base a program is given (--db), shared by meridoval, composants and mvsh so
// that what a name may designate is decided in one place.
//
// A name is a libpq connection string beginning with "postgresql:" or "postgres:" (a PostgreSQL
// server database: store/server_database.h) or the path of a local base file (the embedded
// engine). A server database holding no file yet is a new base, prepared in one transaction (a
// failed preparation leaves it without files). A path that names no file, or an empty file, is
// a new base: it is made and prepared before anyone sees it, as asked (the
// system's files, or the demo data set with its templates in the folder "modeles" beside it).
// A preparation that fails leaves no half-prepared base behind: a file it made is removed, an
// empty file given is emptied again, sidecar files it made are removed; then the error goes on.
//
// Errors: StoreError from the record store (a file that is no base, a folder refused ...),
// std::exception from the file system. Not thread-safe.

#include <memory>
#include <string>

#include "store/backend_database.h"
#include "store/database.h"
#include "store/local_database.h"

namespace appbase {

enum class Preparation {
    SystemFiles,  // the system's files, dictionaries and indexes
    DemoData,     // those and the demo data set
};

struct OpenOptions {
    Preparation preparation = Preparation::SystemFiles;
    // Whether the missing folders of a new base's path are made; otherwise opening refuses them.
    bool makeFolders = false;
};

struct Opened {
    std::shared_ptr<store::Database> database;
    // The same object, for the tools that administer the base (mvsh): dump, load, commands.
    std::shared_ptr<store::BackendDatabase> backend;
    // The same object when the base is a local file, for the tools that need the engine.
    std::shared_ptr<store::LocalDatabase> local;
    bool prepared = false;  // the base was new and has just been prepared
};

// Whether name designates a base that does not exist yet: no file, or an empty one.
bool IsNewBase(const std::string& name);

// The folder where the demo templates of the base at path go: "modeles" beside it, or in the
// current folder for a server base.
std::string TemplateFolder(const std::string& path);

Opened OpenBase(const std::string& name, const OpenOptions& options = {});

}  // namespace appbase
