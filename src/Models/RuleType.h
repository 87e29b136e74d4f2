#pragma once

#include <string_view>

#include "Models/EnumCases.h"

// The ten rule kinds.
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
};

template <>
struct EnumCases<RuleType> {
    static constexpr std::array<std::pair<RuleType, std::string_view>, 10> table{{
        {RuleType::replace, "Replace Text"},
        {RuleType::insert, "Insert Text"},
        {RuleType::remove, "Remove Text"},
        {RuleType::caseConversion, "Case Conversion"},
        {RuleType::numbering, "Sequential Numbering"},
        {RuleType::cleanup, "Filename Cleanup"},
        {RuleType::trim, "Trim Characters"},
        {RuleType::dateStamp, "Add Date/Time"},
        {RuleType::extensionChange, "Change Extension"},
        {RuleType::regex, "Regular Expression"},
    }};
};

// The symbol name of the icon shown beside the kind; the window maps it to a theme icon.
constexpr std::string_view systemImage(RuleType type) {
    switch (type) {
        case RuleType::replace:
            return "arrow.left.arrow.right";
        case RuleType::insert:
            return "text.insert";
        case RuleType::remove:
            return "minus.circle";
        case RuleType::caseConversion:
            return "textformat";
        case RuleType::numbering:
            return "number";
        case RuleType::cleanup:
            return "sparkles";
        case RuleType::trim:
            return "scissors";
        case RuleType::dateStamp:
            return "calendar";
        case RuleType::extensionChange:
            return "doc.badge.arrow.up";
        case RuleType::regex:
            return "chevron.left.forwardslash.chevron.right";
    }
    return {};
}
