#pragma once

#include "Models/EnumCases.h"

// Where an insert rule puts its text; also where a date rule puts the date.
enum class InsertPosition { beginning, end, atIndex, beforeText, afterText };

template <>
struct EnumCases<InsertPosition> {
    static constexpr std::array<std::pair<InsertPosition, std::string_view>, 5> table{{
        {InsertPosition::beginning, "Beginning"},
        {InsertPosition::end, "End"},
        {InsertPosition::atIndex, "At Position"},
        {InsertPosition::beforeText, "Before Text"},
        {InsertPosition::afterText, "After Text"},
    }};
};
