#pragma once
// Commands of the query language on the embedded engine: see command_host.h.

#include "command_host.h"
#include "database.h"
#include "selection.h"
