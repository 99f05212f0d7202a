#pragma once
// The operations that go on past a failing record-store call (the start-up, the displays, the
// update of an association) run each step through SkippingErrors: a StoreError ends that step
// only, and the next one runs. Anything else still escapes.

#include "store/store_error.h"

namespace store {

template <typename Step>
void SkippingErrors(Step&& step) {
    try {
        step();
    } catch (const StoreError&) {
    }
}

}  // namespace store
