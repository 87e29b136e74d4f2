// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "Models/JournalStep.h"

// One journal as it was read: a rename batch with its planned steps, or an undo or redo of
// one, and whether it ended.
struct JournalBatch {
    enum class Kind { rename, undo, redo };
    enum class End {
        none,      // no closing record: the program stopped during the batch
        done,      // carried out (each step, or reported as it failed)
        reversed,  // rolled back after an interruption
    };

    std::string id;
    // Microseconds since 1970, UTC.
    std::int64_t time = 0;
    Kind kind = Kind::rename;
    // For an undo or redo: the id of the rename batch it acts on.
    std::string of;
    // The entries whose names the batch changes.
    std::uint64_t count = 0;
    // The folders the batch renamed in, exact bytes.
    std::vector<std::string> folders;
    std::vector<JournalStep> steps;
    // Whether every planned step was written (only then can anything have moved).
    bool planComplete = false;
    // The cycles (by JournalStep::cycle) that went through a temporary name.
    std::set<std::uint64_t> fallbacks;
    End end = End::none;
    // The journal's file.
    std::string file;
};
