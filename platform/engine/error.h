#pragma once
// Failures of the engine. The kind is what callers test; the message is French, for the user.

#include <stdexcept>
#include <string>

namespace mv {

enum class ErrorKind {
    Failure,         // anything not listed below (busy database, bad id ...)
    Io,              // the database file failed, is damaged or is not a database
    FileNotFound,    // a file named in a call or a command does not exist
    Command,         // malformed or unknown command, unknown field, bad dump line
    RecordNotFound,  // read of a missing id
    Locked,          // the update lock of a record stayed held by someone else
    RecordExists,    // creation of an id that exists
};

class Error : public std::runtime_error {
  public:
    Error(ErrorKind kind, const std::string& message) : std::runtime_error(message), kind_(kind) {}
    ErrorKind kind() const noexcept { return kind_; }

  private:
    ErrorKind kind_;
};

// French words for a system error number (errno), for the end of a message: "accès refusé".
std::string SystemReason(int errnum);

}  // namespace mv
