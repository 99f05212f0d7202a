#pragma once
// The engines' history entries (platform/engine/history.h) as the record store gives them
// (history.h): times written "dd/mm/yyyy hh:mm:ss" in UTC, changes as HistoryChange.

#include <vector>

#include "history.h"
#include "platform/engine/history.h"

namespace store {

std::vector<HistoryEntry> ToStoreHistory(std::vector<mv::HistoryEntry> entries);

}  // namespace store
