// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Services/ReplacementTemplate.h"

#include <gtest/gtest.h>

#include <string>

#include "Services/RenameEngine.h"

namespace {

struct Reading {
    const char* name;
    std::string pattern;
    std::string replacement;
    std::string base;
    std::string result;         // the new base name; the old one when the replacement is refused
    std::string errorContains;  // ICU's error when the replacement is refused
};

class ReplacementTemplateTest : public ::testing::TestWithParam<Reading> {};

// Through the preview, as the window and the command line read a replacement.
TEST_P(ReplacementTemplateTest, ReadsAsDocumented) {
    const Reading& row = GetParam();
    RenameRule rule(RuleType::regex);
    rule.findText = row.pattern;
    rule.replaceText = row.replacement;
    const auto entries = RenameEngine::preview({rule}, {FileItem("/folder/" + row.base, false)});
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].preview, row.result);
    if (row.errorContains.empty()) {
        EXPECT_EQ(entries[0].problem.value_or(Error{}).detail, "");
    } else {
        EXPECT_NE(entries[0].problem.value_or(Error{}).detail.find(row.errorContains),
                  std::string::npos)
            << entries[0].problem.value_or(Error{}).detail;
    }
}

INSTANTIATE_TEST_SUITE_P(
    , ReplacementTemplateTest,
    ::testing::Values(
        Reading{"WholeMatchAndGroup", "(b)", "<$0$1>", "abc", "a<bb>c", ""},
        Reading{"DigitsWhileTheyNameAGroup", "(b)", "$12", "abc", "ab2c", ""},
        Reading{"NamedGroup", "(?<n>b)", "[${n}]", "abc", "a[b]c", ""},
        Reading{"GroupWithoutPartInTheMatch", "(x)?b", "[$1]", "abc", "a[]c", ""},
        Reading{"EscapedDollar", "b", "\\$", "abc", "a$c", ""},
        Reading{"EscapedBackslash", "b", "\\\\", "abc", "a\\c", ""},
        Reading{"LoneBackslashIsItself", "b", "\\", "abc", "a\\c", ""},
        Reading{"TrailingBackslashIsItself", "b", "x\\", "abc", "ax\\c", ""},
        Reading{"CodePoint", "b", "\\u00e9\\U0001F600", "abc",
                "a\xC3\xA9\xF0\x9F\x98\x80"
                "c",
                ""},
        Reading{"IncompleteCodePointIsLiteral", "b", "\\u00z", "abc", "au00zc", ""},
        Reading{"EveryMatch", "\\d", "#", "a1b22", "a#b##", ""},
        Reading{"LoneDollar", "b", "$", "abc", "abc", "U_REGEX_INVALID_CAPTURE_GROUP_NAME"},
        Reading{"DoubleDollar", "b", "$$", "abc", "abc", "U_REGEX_INVALID_CAPTURE_GROUP_NAME"},
        Reading{"UnknownName", "(?<n>b)", "${m}", "abc", "abc",
                "U_REGEX_INVALID_CAPTURE_GROUP_NAME"},
        Reading{"NumberAsName", "(b)", "${1}", "abc", "abc", "U_REGEX_INVALID_CAPTURE_GROUP_NAME"},
        Reading{"GroupBeyondThePattern", "(b)", "$5", "abc", "abc", "U_INDEX_OUTOFBOUNDS_ERROR"},
        Reading{"AnyGroupWithoutGroups", "b", "$1", "abc", "abc", "U_INDEX_OUTOFBOUNDS_ERROR"}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
