#pragma once
// Engine errors (mv::Error) as record-store errors (StoreError), for the backends' adapters.

#include <new>

#include "platform/engine/error.h"
#include "store_error.h"

namespace store {

inline std::uint32_t CodeOf(mv::ErrorKind kind) {
    switch (kind) {
        case mv::ErrorKind::Io:
            return ErrorCode::IoError;
        case mv::ErrorKind::FileNotFound:
            return ErrorCode::FileNotFound;
        case mv::ErrorKind::Command:
            return ErrorCode::CommandError;
        case mv::ErrorKind::RecordNotFound:
            return ErrorCode::RecordNotFound;
        case mv::ErrorKind::Locked:
            return ErrorCode::RecordLocked;
        case mv::ErrorKind::RecordExists:
            return ErrorCode::RecordExists;
        case mv::ErrorKind::Failure:
            break;
    }
    return ErrorCode::Failure;
}

// Runs fn with engine errors turned into StoreError.
template <typename Fn>
auto Guard(Fn&& fn) -> decltype(fn()) {
    try {
        return fn();
    } catch (const mv::Error& e) {
        throw StoreError(CodeOf(e.kind()), e.what());
    } catch (const std::bad_alloc&) {
        throw StoreError(ErrorCode::Failure, "Mémoire insuffisante.");
    }
}

}  // namespace store
