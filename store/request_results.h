#pragma once
// The result records of CallSubroutine, ExecuteRequest and SelectRequest (see database.h), built
// from what a backend's command gives, so that every backend answers the screens alike.

#include <functional>
#include <string>
#include <vector>

#include "platform/engine/command_host.h"
#include "record.h"

namespace store {

// Runs a command: (command, columns, sink or nullptr) -> its output. Errors are StoreError.
using CommandRunner = std::function<mv::CommandOutput(
    const std::string& command, const std::vector<std::string>& columns, const mv::RowSink*)>;

// The output record of a command that returns no selection; status receives its status.
Record OutputRecord(const CommandRunner& run, const std::string& command, std::string& status);

// The result record of a selection request (attribute 1 the command, 2 the file, 3 the fields).
Record SelectionRecord(const CommandRunner& run, const std::string& request, std::string& status);

}  // namespace store
