#include "forms/screen_access.h"

namespace forms {

void ScreenAccess::SetRights(std::shared_ptr<store::UserRights> rights) {
    rights_ = std::move(rights);
    screen_ = rights_ ? rights_->GetScreenRights("ASSOCIATION") : nullptr;
}

void ScreenAccess::Release() {
    screen_.reset();
    rights_.reset();
}

std::int16_t ScreenAccess::Level() const {
    return screen_ ? screen_->AccessLevel() : 0;
}

}  // namespace forms
