// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <utility>
#include <vector>

// What the flat hash tables (NameTable, IdTable) share: one array of slots, probed in a line
// from each key's home slot.
namespace LinearProbing {

// Moves every slot of `table` that `used` accepts into a fresh array of the next power of two
// of at least `wanted` (and 16) slots, each at the first free slot from `hash(slot) & mask`;
// returns that mask.
template <typename Slot, typename Used, typename Hash>
std::size_t regrow(std::vector<Slot>& table, std::size_t wanted, const Used& used,
                   const Hash& hash) {
    std::size_t size = 16;
    while (size < wanted) {
        size *= 2;
    }
    std::vector<Slot> old(size);
    old.swap(table);
    const std::size_t mask = size - 1;
    for (Slot& slot : old) {
        if (used(slot)) {
            std::size_t at = hash(slot) & mask;
            while (used(table[at])) {
                at = (at + 1) & mask;
            }
            table[at] = std::move(slot);
        }
    }
    return mask;
}

}  // namespace LinearProbing
