// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <cstdint>
#include <string_view>
#include <type_traits>

#include "Models/EnumCases.h"

// The window's words for texts that the core keeps in English: stored enumeration values
// (kind names, positions, case styles) and the texts the rule kinds' descriptions mark with
// UI_TEXT. The stored values themselves never change; only what is shown is translated.
namespace Texts {

// A stored enumeration value as the window shows it (context "StoredValue").
QString stored(std::string_view rawValue);
template <typename E>
requires std::is_enum_v<E> QString stored(E value) {
    return stored(rawValue(value));
}
// A text marked with UI_TEXT(context, text), translated; for one marked with UI_TEXT_N,
// `n` (from count()) fills %n.
QString marked(const char* context, const char* text, int n = -1);
// A count as tr() takes it: clamped to 0 and to int's largest value.
int count(std::int64_t value);

}  // namespace Texts
