#pragma once
// A FileSystem double for tests: it records every copy made, in order, and can be told to fail
// on a given path. It forwards to another FileSystem (usually Default()) or, without one, keeps
// the files in memory.

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "file_system.h"

namespace files {

class RecordingFileSystem : public FileSystem {
  public:
    struct CopyMade {
        // As the caller wrote them, separators included.
        std::string source;
        std::string destination;
        bool operator==(const CopyMade&) const = default;
    };

    // target: where the work is really done; null keeps the files in memory.
    explicit RecordingFileSystem(FileSystem* target = nullptr) : target_(target) {}

    // Every operation on path (either end of a copy) throws FileError with message, or with the
    // message the real file system gives for a missing template when message is empty.
    void FailOn(const std::string& path, std::string message = {});
    void ClearFailures() { failures_.clear(); }

    // Runs after each successful copy, so that a test can interleave copies with other calls.
    void OnCopy(std::function<void(const CopyMade&)> listener) { listener_ = std::move(listener); }

    const std::vector<CopyMade>& Copies() const { return copies_; }
    void ClearCopies() { copies_.clear(); }

    void Copy(const std::string& source, const std::string& destination) override;
    bool Exists(const std::string& path) override;
    std::string ReadFile(const std::string& path) override;
    void WriteFile(const std::string& path, std::string_view contents) override;
    void CreateFolder(const std::string& path) override;

  private:
    void ThrowIfFailing(const std::string& path) const;

    FileSystem* target_;
    std::map<std::string, std::string> failures_;  // native path -> message
    std::map<std::string, std::string> memory_;    // native path -> contents
    std::set<std::string> folders_;                // native paths created in memory
    std::vector<CopyMade> copies_;
    std::function<void(const CopyMade&)> listener_;
};

}  // namespace files
