#pragma once
// The read of ReadForUpdate, the same on both engines once each has taken the update lock its
// own way.

#include <optional>
#include <string>
#include <string_view>

#include "catalog.h"

namespace mv {

// Reads a record whose update lock db has just taken: a missing record gives nullopt and keeps
// no lock, and a read that fails gives the lock back before it throws.
template <typename Engine>
std::optional<std::string> ReadLocked(Engine& db, const FileRef& file, std::string_view id) {
    std::optional<std::string> body;
    try {
        body = db.Read(file, id);
    } catch (...) {
        db.Release(file, id);
        throw;
    }
    if (!body)
        db.Release(file, id);
    return body;
}

}  // namespace mv
