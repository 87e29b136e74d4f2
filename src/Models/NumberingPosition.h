// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Models/EnumCases.h"
#include "Models/UiText.h"

// Where a numbering rule puts the number.
enum class NumberingPosition { prefix, suffix, replace };

template <>
struct EnumCases<NumberingPosition> {
    static constexpr std::array<std::pair<NumberingPosition, std::string_view>, 3> table{{
        {NumberingPosition::prefix, UI_TEXT("StoredValue", "Prefix")},
        {NumberingPosition::suffix, UI_TEXT("StoredValue", "Suffix")},
        {NumberingPosition::replace, UI_TEXT("StoredValue", "Replace Name")},
    }};
};
