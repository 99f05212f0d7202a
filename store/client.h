#pragma once
// The client object handed to the system by its host ("TheClient"): the session on whose behalf
// the database is used. The system only hands it on to companion components.

#include <string>

namespace store {

class Client {
  public:
    explicit Client(std::string userName = {}) : userName_(std::move(userName)) {}
    const std::string& UserName() const { return userName_; }

  private:
    std::string userName_;
};

}  // namespace store
