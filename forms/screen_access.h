#pragma once
// The user's rights on a window. Every window of the component asks the rights object the host
// handed in (DroitsUtilisateur) for the screen "ASSOCIATION" and keeps the answer until it ends;
// level 2 is full rights, anything else consultation: nothing may then be written, and leaving
// never asks to save.

#include <cstdint>
#include <memory>

#include "store/components.h"

namespace forms {

class ScreenAccess {
  public:
    // Keeps rights (may be null: no rights at all) and asks it for the screen's level.
    void SetRights(std::shared_ptr<store::UserRights> rights);
    // Drops both objects.
    void Release();

    const std::shared_ptr<store::UserRights>& Rights() const { return rights_; }
    // 0 before SetRights or without rights.
    std::int16_t Level() const;
    bool Full() const { return Level() == kFullRights; }

    static constexpr std::int16_t kFullRights = 2;

  private:
    std::shared_ptr<store::UserRights> rights_;
    std::shared_ptr<store::ScreenRights> screen_;
};

}  // namespace forms
