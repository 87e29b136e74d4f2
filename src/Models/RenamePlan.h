// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "Models/CompactOptional.h"
#include "Models/Error.h"
#include "Models/RenameStep.h"

// How a batch of renames is carried out: what becomes of each entry, and the steps in the
// order they must run (the entries inside a folder before the folder; in a folder, chains of
// names from their free end, cycles as one step). Made by RenamePlanner, carried out by
// RenameEngine::execute.
struct RenamePlan {
    // One entry per request, in the order of the requests; paths are exact bytes.
    struct Entry {
        std::string source;
        std::string newName;
        // Whether the entry takes part: in the batch, and its name changes or the rules could
        // not run on it.
        bool changes = false;
        // Why a changing entry is skipped (conflict, name taken, invalid name), or none.
        CompactOptional<Error> skip;
        // A note that does not block (a letter-case near-twin in a case-sensitive folder,
        // code caseOnly), or none.
        CompactOptional<Error> warning;
        // Where the entry ends when every step succeeds.
        std::string target;
    };

    std::vector<Entry> entries;
    std::vector<RenameStep> steps;
    // Whether a folder of the plan holds other entries of it, so that their final locations
    // depend on the folder's move.
    bool foldersMove = false;
};
