#pragma once
// What both backends do alike over their engines (platform/engine's Database and
// platform/server's Database, which answer the same record, command, history, dump and load
// calls): the files they hand out, and every call that goes straight to the engine with its
// errors turned into StoreError. A backend adds what differs: how a name finds its file, and
// where the base is.
//
// The definitions are in engine_backend_impl.h, instantiated once per engine by its backend.

#include <chrono>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "backend_database.h"
#include "request_results.h"

namespace store {

template <typename EngineType>
class EngineBackend : public BackendDatabase {
  public:
    ~EngineBackend() override;

    Record CallSubroutine(const std::string& routine, std::string& status,
                          const std::string& command) override;
    Record ExecuteRequest(const std::string& request, const std::string& options,
                          std::string& status) override;
    Record SelectRequest(const std::string& request, const std::string& options,
                         std::string& status) override;
    void SetUserName(const std::string& name) override;
    std::vector<HistoryEntry> History(const std::string& file, const std::string& id = {}) override;

    void SetLockWait(std::chrono::milliseconds wait) override;
    mv::CommandOutput Run(const std::string& command,
                          const std::vector<std::string>& columns = {}) override;
    mv::CommandHost& Names() override;
    void Dump(std::ostream& out, const std::vector<std::string>& files = {}) override;
    using BackendDatabase::Load;
    LoadResult Load(std::istream& in, const LoadOptions& options) override;
    std::vector<std::string> VerifyIndexes() override;
    std::unique_ptr<Scope> BeginTransaction() override;

    // The engine, for the shell and the benchmarks.
    EngineType& Engine() { return *engine_; }

  protected:
    explicit EngineBackend(std::shared_ptr<EngineType> engine);
    // The file a resolved name designates.
    std::shared_ptr<File> FileOf(const mv::FileRef& ref) const;

    std::shared_ptr<EngineType> engine_;

  private:
    CommandRunner Runner();
};

}  // namespace store
