// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <utility>

// The string-backed enumerations of the rule record share one shape: a fixed list of
// cases whose raw value is at once the display text, the stored JSON value and the identity
// in pickers. Each enumeration specialises EnumCases with its table in declaration order.
template <typename E>
struct EnumCases;

// Every case of E in declaration order (the order of every picker and menu).
template <typename E>
constexpr auto allCases() {
    std::array<E, EnumCases<E>::table.size()> cases{};
    for (std::size_t i = 0; i < cases.size(); ++i) {
        cases[i] = EnumCases<E>::table[i].first;
    }
    return cases;
}

// The raw value of a case: its display text, stored value and identity.
template <typename E>
constexpr std::string_view rawValue(E value) {
    for (const auto& [c, raw] : EnumCases<E>::table) {
        if (c == value) {
            return raw;
        }
    }
    return {};
}

// The case whose raw value equals `raw` exactly (case-sensitive, whole string), or none.
template <typename E>
constexpr std::optional<E> fromRawValue(std::string_view raw) {
    for (const auto& [c, r] : EnumCases<E>::table) {
        if (r == raw) {
            return c;
        }
    }
    return std::nullopt;
}
