// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Models/EnumCases.h"
#include "Models/UiText.h"

// Where an insert rule puts its text; also where a date rule puts the date.
enum class InsertPosition { beginning, end, atIndex, beforeText, afterText };

template <>
struct EnumCases<InsertPosition> {
    static constexpr std::array<std::pair<InsertPosition, std::string_view>, 5> table{{
        {InsertPosition::beginning, UI_TEXT("StoredValue", "Beginning")},
        {InsertPosition::end, UI_TEXT("StoredValue", "End")},
        {InsertPosition::atIndex, UI_TEXT("StoredValue", "At Position")},
        {InsertPosition::beforeText, UI_TEXT("StoredValue", "Before Text")},
        {InsertPosition::afterText, UI_TEXT("StoredValue", "After Text")},
    }};
};
