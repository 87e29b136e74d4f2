// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

#include "Services/LinearProbing.h"

// A hash table from names to values for the planner's passes over a folder: one flat array
// probed in a line, so that a folder of a hundred thousand names costs no allocation per name
// and few cache misses. Keys are views: the bytes they view must outlive the table. Names are
// never removed; a caller marks a value as no longer standing instead.
template <typename Value>
class NameTable {
  public:
    // Room for `count` names without growing.
    void reserve(std::size_t count) {
        if (count * 2 > slots_.size()) {
            grow(count * 2);
        }
    }

    // The value of `name`, or null.
    Value* find(std::string_view name) {
        if (slots_.empty()) {
            return nullptr;
        }
        const std::uint32_t tag = tagOf(name);
        for (std::size_t at = tag & mask_;; at = (at + 1) & mask_) {
            Slot& slot = slots_[at];
            if (slot.tag == 0) {
                return nullptr;
            }
            if (slot.tag == tag && slot.name() == name) {
                return &slot.value;
            }
        }
    }
    const Value* find(std::string_view name) const {
        return const_cast<NameTable*>(this)->find(name);
    }
    bool contains(std::string_view name) const { return find(name) != nullptr; }

    // Adds `name` with `value` unless it is there; the value it has, and whether it was added.
    std::pair<Value*, bool> tryEmplace(std::string_view name, Value value) {
        if ((count_ + 1) * 2 > slots_.size()) {
            grow(std::max<std::size_t>(16, slots_.size() * 2));
        }
        const std::uint32_t tag = tagOf(name);
        for (std::size_t at = tag & mask_;; at = (at + 1) & mask_) {
            Slot& slot = slots_[at];
            if (slot.tag == 0) {
                slot = Slot{name.data(), static_cast<std::uint32_t>(name.size()), tag,
                            std::move(value)};
                ++count_;
                return {&slot.value, true};
            }
            if (slot.tag == tag && slot.name() == name) {
                return {&slot.value, false};
            }
        }
    }

    // Calls `visit(name, value)` for every name, in no particular order; `value` may be
    // changed.
    template <typename Visit>
    void forEach(const Visit& visit) {
        for (Slot& slot : slots_) {
            if (slot.tag != 0) {
                visit(slot.name(), slot.value);
            }
        }
    }

  private:
    // A name's bytes, its length (names are far below 4 GiB) and its hash with the lowest bit
    // set, so that a tag of zero marks a free slot.
    struct Slot {
        const char* data = nullptr;
        std::uint32_t size = 0;
        std::uint32_t tag = 0;
        Value value{};
        std::string_view name() const { return {data, size}; }
    };

    static std::uint32_t tagOf(std::string_view name) {
        return static_cast<std::uint32_t>(std::hash<std::string_view>{}(name)) | 1u;
    }

    // To the next power of two of at least `wanted` slots.
    void grow(std::size_t wanted) {
        mask_ = LinearProbing::regrow(
            slots_, wanted, [](const Slot& slot) { return slot.tag != 0; },
            [](const Slot& slot) { return slot.tag; });
    }

    std::vector<Slot> slots_;
    std::size_t mask_ = 0;
    std::size_t count_ = 0;
};
