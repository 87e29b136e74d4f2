// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "Models/Uuid.h"
#include "Services/LinearProbing.h"

// A hash table from entry ids to values, for facts kept per listed entry and read for every
// entry on each sort: one flat array probed in a line, so a look costs about one cache miss
// where a node-based map costs several. Removing an entry moves the entries after it back, so
// no marks of removed entries pile up.
template <typename Value>
class IdTable {
  public:
    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    // Room for `count` ids without growing.
    void reserve(std::size_t count) {
        if (count * 2 > slots_.size()) {
            grow(count * 2);
        }
    }
    void clear() {
        slots_.clear();
        mask_ = 0;
        count_ = 0;
    }

    // The value of `id`, or null.
    const Value* find(const Uuid& id) const {
        if (count_ == 0) {
            return nullptr;
        }
        for (std::size_t at = home(id);; at = (at + 1) & mask_) {
            const Slot& slot = slots_[at];
            if (!slot.used) {
                return nullptr;
            }
            if (slot.id == id) {
                return &slot.value;
            }
        }
    }
    bool contains(const Uuid& id) const { return find(id) != nullptr; }

    // Sets the value of `id`, adding it when it is not there.
    void insertOrAssign(const Uuid& id, Value value) {
        if ((count_ + 1) * 2 > slots_.size()) {
            grow(std::max<std::size_t>(16, slots_.size() * 2));
        }
        for (std::size_t at = home(id);; at = (at + 1) & mask_) {
            Slot& slot = slots_[at];
            if (!slot.used) {
                slot = Slot{id, true, std::move(value)};
                ++count_;
                return;
            }
            if (slot.id == id) {
                slot.value = std::move(value);
                return;
            }
        }
    }

    // Removes `id`; nothing when it is not there.
    void erase(const Uuid& id) {
        if (count_ == 0) {
            return;
        }
        std::size_t hole = home(id);
        for (;; hole = (hole + 1) & mask_) {
            if (!slots_[hole].used) {
                return;
            }
            if (slots_[hole].id == id) {
                break;
            }
        }
        // Each later entry of the run whose home is not between the hole and itself would be
        // cut off from its home by the hole: it moves into it, leaving a hole of its own.
        for (std::size_t at = (hole + 1) & mask_; slots_[at].used; at = (at + 1) & mask_) {
            const std::size_t start = home(slots_[at].id);
            const bool reachable =
                hole < at ? (hole < start && start <= at) : (hole < start || start <= at);
            if (!reachable) {
                slots_[hole] = std::move(slots_[at]);
                hole = at;
            }
        }
        slots_[hole] = Slot{};
        --count_;
    }

  private:
    struct Slot {
        Uuid id;
        bool used = false;
        Value value{};
    };

    std::size_t home(const Uuid& id) const { return hashOf(id) & mask_; }

    // Ids from the counter differ in their last bytes only, so the two halves are mixed
    // (as splitmix64 does) before the low bits pick a slot.
    static std::size_t hashOf(const Uuid& id) {
        std::uint64_t high = 0;
        std::uint64_t low = 0;
        std::memcpy(&high, id.bytes().data(), sizeof high);
        std::memcpy(&low, id.bytes().data() + sizeof high, sizeof low);
        std::uint64_t h = high ^ (low + 0x9E3779B97F4A7C15ULL);
        h = (h ^ (h >> 30)) * 0xBF58476D1CE4E5B9ULL;
        h = (h ^ (h >> 27)) * 0x94D049BB133111EBULL;
        return static_cast<std::size_t>(h ^ (h >> 31));
    }

    // To the next power of two of at least `wanted` slots.
    void grow(std::size_t wanted) {
        mask_ = LinearProbing::regrow(
            slots_, wanted, [](const Slot& slot) { return slot.used; },
            [](const Slot& slot) { return hashOf(slot.id); });
    }

    std::vector<Slot> slots_;
    std::size_t mask_ = 0;
    std::size_t count_ = 0;
};
