#pragma once
// A store::Database that forwards to a real one and writes every call the set-up makes into a
// shared log, so that commands, dictionary writes and template copies can be checked as one
// sequence. It can also be told to refuse a command, as a database would.

#include <memory>
#include <string>
#include <vector>

#include "store/database.h"
#include "store/file.h"
#include "store/store_error.h"

class RecordingDatabase : public store::Database {
  public:
    RecordingDatabase(std::shared_ptr<store::Database> target, std::vector<std::string>& log)
        : target_(std::move(target)), log_(log) {}

    // A command beginning with prefix throws StoreError(CommandError, message) instead of running.
    void RefuseCommand(std::string prefix, std::string message) {
        refusedPrefix_ = std::move(prefix);
        refusal_ = std::move(message);
    }

    std::shared_ptr<store::File> OpenFile(const std::string& name) override;
    store::Record CallSubroutine(const std::string& routine, std::string& status,
                                 const std::string& command) override {
        return target_->CallSubroutine(routine, status, command);
    }
    store::Record ExecuteRequest(const std::string& request, const std::string& options,
                                 std::string& status) override;
    store::Record SelectRequest(const std::string& request, const std::string& options,
                                std::string& status) override;

    // Request text with its marks shown as "|", for readable expectations.
    static std::string Readable(std::string text);

  private:
    std::shared_ptr<store::Database> target_;
    std::vector<std::string>& log_;
    std::string refusedPrefix_, refusal_;
};
