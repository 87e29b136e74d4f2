#pragma once

#include "Models/EnumCases.h"

// Where a numbering rule puts the number.
enum class NumberingPosition { prefix, suffix, replace };

template <>
struct EnumCases<NumberingPosition> {
    static constexpr std::array<std::pair<NumberingPosition, std::string_view>, 3> table{{
        {NumberingPosition::prefix, "Prefix"},
        {NumberingPosition::suffix, "Suffix"},
        {NumberingPosition::replace, "Replace Name"},
    }};
};
