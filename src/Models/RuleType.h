// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string_view>

#include "Models/EnumCases.h"
#include "Models/UiText.h"

// The eleven rule kinds.
enum class RuleType {
    replace,
    insert,
    remove,
    caseConversion,
    numbering,
    cleanup,
    trim,
    dateStamp,
    extensionChange,
    regex,
    nameTemplate,
};

template <>
struct EnumCases<RuleType> {
    static constexpr std::array<std::pair<RuleType, std::string_view>, 11> table{{
        {RuleType::replace, UI_TEXT("StoredValue", "Replace Text")},
        {RuleType::insert, UI_TEXT("StoredValue", "Insert Text")},
        {RuleType::remove, UI_TEXT("StoredValue", "Remove Text")},
        {RuleType::caseConversion, UI_TEXT("StoredValue", "Case Conversion")},
        {RuleType::numbering, UI_TEXT("StoredValue", "Sequential Numbering")},
        {RuleType::cleanup, UI_TEXT("StoredValue", "Filename Cleanup")},
        {RuleType::trim, UI_TEXT("StoredValue", "Trim Characters")},
        {RuleType::dateStamp, UI_TEXT("StoredValue", "Add Date/Time")},
        {RuleType::extensionChange, UI_TEXT("StoredValue", "Change Extension")},
        {RuleType::regex, UI_TEXT("StoredValue", "Regular Expression")},
        {RuleType::nameTemplate, UI_TEXT("StoredValue", "Template")},
    }};
};
