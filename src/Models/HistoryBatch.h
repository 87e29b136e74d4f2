// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One rename batch of the history, with the state its undos and redos left it in.
struct HistoryBatch {
    enum class State {
        done,         // its moves are in place
        undone,       // they were moved back
        interrupted,  // the program stopped during it, or during an undo or redo of it
    };

    std::string id;
    // When the batch ran, in microseconds since 1970, UTC.
    std::int64_t time = 0;
    // The entries whose names it changes.
    std::uint64_t count = 0;
    State state = State::done;
    // The folders it renamed in, exact bytes.
    std::vector<std::string> folders;
    // When its state last changed (the batch itself, an undo or a redo), as `time`.
    std::int64_t changed = 0;
    // The journal of the batch.
    std::string file;
    // For an interrupted batch: the journal without a closing record, and whether what
    // stopped was going forward (the batch or a redo) rather than back (an undo).
    std::string pendingFile;
    bool pendingForward = true;
};
