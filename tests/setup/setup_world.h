#pragma once
// What the set-up works on, made real: a database file with CONVENTIONCOL and CIVILAIDANT in a
// temporary folder, a template folder holding Contrat.txt, Avenant.txt and Defaut.txt, and the
// recording wrappers that log every command, dictionary write and copy in one sequence.

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "platform/filesystem/recording_file_system.h"
#include "recording_database.h"
#include "store/database.h"

class SetupWorld {
  public:
    SetupWorld();
    ~SetupWorld();
    SetupWorld(const SetupWorld&) = delete;
    SetupWorld& operator=(const SetupWorld&) = delete;

    void AddConventions(std::initializer_list<std::string> keys);

    // Contents of a file of the template folder; "<absent>" when there is none.
    std::string Template(const std::string& name) const;
    void RemoveTemplate(const std::string& name) const;
    void WriteTemplate(const std::string& name, const std::string& contents) const;
    // Names of the files in the template folder, sorted.
    std::vector<std::string> TemplateNames() const;
    // True when the record store has that file.
    bool HasFile(const std::string& name) const;

    std::string root;    // temporary folder, removed at the end
    std::string folder;  // template folder, no trailing separator
    std::vector<std::string> log;
    std::shared_ptr<store::Database> real;
    std::shared_ptr<RecordingDatabase> db;
    files::RecordingFileSystem files{&files::Default()};
};
