// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>

#include "Models/CompactOptional.h"
#include "Models/Error.h"

// One entry given to the planner: the item's location and the name it is to get in its own
// folder. Entries outside the batch keep their names and hold them against the others.
struct RenameRequest {
    // The location, exact bytes.
    std::string source;
    std::string newName;
    bool inBatch = true;
    // Why the new name cannot be used at all (found by the caller), or none.
    CompactOptional<Error> problem;
};
