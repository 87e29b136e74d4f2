// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>

// One move of a journaled batch as it was planned. Paths are exact bytes, valid at the moment
// the step runs; the items are named by device and inode, so that what is on disk now can be
// told apart from what the batch did.
struct JournalStep {
    enum class Kind {
        move,      // `from` to `to`, never replacing
        exchange,  // `from` and `to` trade places
    };
    // Which way of carrying out a cycle of names the step belongs to: none (an ordinary
    // step), the exchanges, or the way through a temporary name.
    enum class Variant { none, exchanges, throughTemporary };

    // An item on disk; {0, 0} when it was not known.
    struct Item {
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        bool known() const { return device != 0 || inode != 0; }
        friend bool operator==(const Item&, const Item&) = default;
    };

    Kind kind = Kind::move;
    // Whether `from` or `to` is a cycle's temporary name.
    bool temporary = false;
    Variant variant = Variant::none;
    // The cycle the step belongs to (the index of its first step) when `variant` is not none.
    std::uint64_t cycle = 0;
    std::string from;
    std::string to;
    // The item at `from` before the step; for an exchange, `other` is the one at `to`.
    Item item;
    Item other;
};
