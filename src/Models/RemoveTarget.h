#pragma once

#include "Models/EnumCases.h"

// What a remove rule removes.
enum class RemoveTarget { text, firstN, lastN, fromTo, betweenText };

template <>
struct EnumCases<RemoveTarget> {
    static constexpr std::array<std::pair<RemoveTarget, std::string_view>, 5> table{{
        {RemoveTarget::text, "Specific Text"},
        {RemoveTarget::firstN, "First N Characters"},
        {RemoveTarget::lastN, "Last N Characters"},
        {RemoveTarget::fromTo, "From Position to Position"},
        {RemoveTarget::betweenText, "Between Two Strings"},
    }};
};
