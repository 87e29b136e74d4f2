// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Models/EnumCases.h"
#include "Models/UiText.h"

// What a remove rule removes.
enum class RemoveTarget { text, firstN, lastN, fromTo, betweenText };

template <>
struct EnumCases<RemoveTarget> {
    static constexpr std::array<std::pair<RemoveTarget, std::string_view>, 5> table{{
        {RemoveTarget::text, UI_TEXT("StoredValue", "Specific Text")},
        {RemoveTarget::firstN, UI_TEXT("StoredValue", "First N Characters")},
        {RemoveTarget::lastN, UI_TEXT("StoredValue", "Last N Characters")},
        {RemoveTarget::fromTo, UI_TEXT("StoredValue", "From Position to Position")},
        {RemoveTarget::betweenText, UI_TEXT("StoredValue", "Between Two Strings")},
    }};
};
