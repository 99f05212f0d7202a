#pragma once
// What the set-up works on, made real in a temporary folder: a database file with CONVENTIONCOL
// and CIVILAIDANT, and a template folder holding Contrat.txt, Avenant.txt and Defaut.txt. Every
// command, dictionary write and template copy lands in one log, in order.

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "platform/filesystem/file_system.h"
#include "store/database.h"
#include "tests/engine/engine_test_util.h"

using Log = std::vector<std::string>;

// Forwards to a real database and logs the calls the set-up makes.
class RecordingDatabase : public store::Database {
  public:
    RecordingDatabase(std::shared_ptr<store::Database> target, Log& log)
        : target_(std::move(target)), log_(log) {}
    std::shared_ptr<store::File> OpenFile(const std::string& name) override;
    store::Record CallSubroutine(const std::string& routine, std::string& status,
                                 const std::string& command) override {
        return target_->CallSubroutine(routine, status, command);
    }
    store::Record ExecuteRequest(const std::string& request, const std::string& options,
                                 std::string& status) override;
    store::Record SelectRequest(const std::string& request, const std::string& options,
                                std::string& status) override;
    void SetUserName(const std::string& name) override { target_->SetUserName(name); }
    std::vector<store::HistoryEntry> History(const std::string& file,
                                             const std::string& id = {}) override {
        return target_->History(file, id);
    }

  private:
    std::shared_ptr<store::Database> target_;
    Log& log_;
};

// Forwards to the real file system and logs each copy by its names in the template folder:
// "COPY Contrat.txt > Contrat007A1.txt".
class LoggingFiles : public files::FileSystem {
  public:
    LoggingFiles(const std::string& folder, Log& log) : prefix_(folder + "\\"), log_(log) {}
    void Copy(const std::string& source, const std::string& destination) override;
    bool Exists(const std::string& path) override { return real_.Exists(path); }
    std::string ReadFile(const std::string& path) override { return real_.ReadFile(path); }
    void WriteFile(const std::string& path, std::string_view contents) override {
        real_.WriteFile(path, contents);
    }
    void CreateFolder(const std::string& path) override { real_.CreateFolder(path); }

    std::function<void()> afterCopy;  // lets a test look at the screen while the work runs

  private:
    files::FileSystem& real_ = files::Default();
    std::string prefix_;
    Log& log_;
};

struct SetupWorld {
    SetupWorld();
    void AddConventions(std::initializer_list<std::string> keys);
    // Contents of a file of the template folder; "<absent>" when there is none.
    std::string Template(const std::string& name) const;
    void WriteTemplate(const std::string& name, const std::string& contents) const;
    size_t TemplateCount() const;
    bool HasFile(const std::string& name) const {
        return real->Engine().FindFile(name).has_value();
    }

    enginetest::TempFolder temp;
    std::string folder = temp / "modeles";  // the template folder, no trailing separator
    Log log;
    std::shared_ptr<store::LocalDatabase> real = store::OpenLocalDatabase(temp / "base.mvdb");
    RecordingDatabase db{real, log};
    LoggingFiles files{folder, log};
};
