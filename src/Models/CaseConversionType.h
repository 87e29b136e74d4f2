// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Models/EnumCases.h"
#include "Models/UiText.h"

// The case styles of a case-conversion rule.
enum class CaseConversionType {
    uppercase,
    lowercase,
    titleCase,
    camelCase,
    snakeCase,
    sentenceCase
};

template <>
struct EnumCases<CaseConversionType> {
    static constexpr std::array<std::pair<CaseConversionType, std::string_view>, 6> table{{
        {CaseConversionType::uppercase, UI_TEXT("StoredValue", "UPPERCASE")},
        {CaseConversionType::lowercase, UI_TEXT("StoredValue", "lowercase")},
        {CaseConversionType::titleCase, UI_TEXT("StoredValue", "Title Case")},
        {CaseConversionType::camelCase, UI_TEXT("StoredValue", "camelCase")},
        {CaseConversionType::snakeCase, UI_TEXT("StoredValue", "snake_case")},
        {CaseConversionType::sentenceCase, UI_TEXT("StoredValue", "Sentence case")},
    }};
};
