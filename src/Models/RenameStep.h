// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <string>
#include <vector>

// One step of a rename plan. Paths are exact bytes (a path is made of them only for the
// system call), valid at the moment the step runs (the entries inside a folder are moved
// while the folder still has its old name).
struct RenameStep {
    enum class Kind {
        move,      // `from` to `to`, never replacing an item at `to`
        exchange,  // `from` and `to` trade places in one atomic call
        cycle,     // names that go round: `exchanges`, or `throughTemporary` where the file
                   // system refuses to exchange
    };

    Kind kind = Kind::move;
    std::string from;
    std::string to;
    // The plan entries (indexes) that this step brings to their new names.
    std::vector<std::size_t> completes;
    // For a move of a cycle's fallback: `from` or `to` is the cycle's temporary name.
    bool temporary = false;
    // For a cycle: k-1 exchanges for k entries, then any letter-case moves of the spellings
    // the exchanges kept; or one move to a temporary name that does not exist and is no new
    // name of the plan, the others from the end of the chain so opened, and the move from
    // the temporary name last.
    std::vector<RenameStep> exchanges;
    std::vector<RenameStep> throughTemporary;
};
