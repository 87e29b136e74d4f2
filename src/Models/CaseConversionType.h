#pragma once

#include "Models/EnumCases.h"

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
        {CaseConversionType::uppercase, "UPPERCASE"},
        {CaseConversionType::lowercase, "lowercase"},
        {CaseConversionType::titleCase, "Title Case"},
        {CaseConversionType::camelCase, "camelCase"},
        {CaseConversionType::snakeCase, "snake_case"},
        {CaseConversionType::sentenceCase, "Sentence case"},
    }};
};
