// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Services/TextSearch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Range = TextSearch::Range;

struct SearchRow {
    std::string name;
    std::u16string haystack;
    std::u16string needle;
    bool caseSensitive;
    std::vector<Range> expected;  // UTF-16 ranges of the haystack
};

class TextSearchTest : public ::testing::TestWithParam<SearchRow> {};

icu::UnicodeString u(const std::u16string& text) {
    return icu::UnicodeString(text.data(), static_cast<int32_t>(text.size()));
}

TEST_P(TextSearchTest, FindsExactlyTheseRanges) {
    const auto& row = GetParam();
    const TextSearch search(u(row.needle), row.caseSensitive);
    EXPECT_EQ(search.findAll(u(row.haystack)), row.expected);
    const auto first = search.findFirst(u(row.haystack));
    if (row.expected.empty()) {
        EXPECT_FALSE(first.has_value());
    } else {
        ASSERT_TRUE(first.has_value());
        EXPECT_EQ(*first, row.expected.front());
    }
    // The same answer from the UTF-8 bytes, which plain ASCII texts are searched in directly.
    std::string utf8;
    u(row.haystack).toUTF8String(utf8);
    EXPECT_EQ(search.foundIn(utf8), !row.expected.empty());
}

std::string searchRowName(const ::testing::TestParamInfo<SearchRow>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TextSearchTest,
    ::testing::Values(
        SearchRow{"AsciiCaseless", u"Copy of copy", u"COPY", false, {{0, 4}, {8, 12}}},
        SearchRow{"AsciiCaseSensitive", u"Copy of copy", u"copy", true, {{8, 12}}},
        SearchRow{"EmptyNeedleNeverFound", u"abc", u"", false, {}},
        SearchRow{"EmptyHaystack", u"", u"a", false, {}},
        SearchRow{"NonOverlapping", u"aaaa", u"aa", false, {{0, 2}, {2, 4}}},
        SearchRow{"FullFoldingFindsSharpS", u"stra\u00DFe", u"STRASSE", false, {{0, 6}}},
        SearchRow{"SharpSFindsDoubleS", u"STRASSE", u"\u00DF", false, {{4, 6}}},
        SearchRow{"SingleSNotInsideSharpS", u"\u00DF", u"s", false, {}},
        SearchRow{"SharpSCaseSensitiveIsNotSs", u"STRASSE", u"\u00DF", true, {}},
        SearchRow{"NfcFindsNfd", u"cafe\u0301!", u"caf\u00E9", false, {{0, 5}}},
        SearchRow{"NfdFindsNfc", u"caf\u00E9!", u"cafe\u0301", false, {{0, 4}}},
        SearchRow{"NfcFindsNfdCaseSensitive", u"e\u0301", u"\u00E9", true, {{0, 2}}},
        SearchRow{"UpperNfcFindsLowerNfd", u"xe\u0301", u"\u00C9", false, {{1, 3}}},
        SearchRow{"BaseLetterNotInsideCluster", u"e\u0301e", u"e", false, {{2, 3}}},
        SearchRow{"MarkAloneNotFound", u"e\u0301", u"\u0301", false, {}},
        SearchRow{"MarkOrderIsCanonical", u"a\u0301\u0323", u"a\u0323\u0301", false, {{0, 3}}},
        SearchRow{"PrefixOfMarksNotFound", u"e\u0323\u0301", u"\u00E9", false, {}},
        SearchRow{"HangulSyllableNotSplit", u"\uD55C", u"\uD558", false, {}},
        SearchRow{"HangulJamoFindSyllable", u"\u1112\u1161\u11AB", u"\uD55C", false, {{0, 3}}},
        SearchRow{"ZwjSequenceWhole",
                  u"a\U0001F468\u200D\U0001F469\u200D\U0001F467b",
                  u"\U0001F468\u200D\U0001F469\u200D\U0001F467",
                  false,
                  {{1, 9}}},
        SearchRow{"ZwjMemberNotFound",
                  u"\U0001F468\u200D\U0001F469\u200D\U0001F467",
                  u"\U0001F469",
                  false,
                  {}},
        SearchRow{"FlagNotSplit",
                  u"\U0001F1E9\U0001F1EA\U0001F1EA\U0001F1F8",
                  u"\U0001F1EA\U0001F1EA",
                  false,
                  {}},
        SearchRow{"SkinToneBaseNotFound", u"\U0001F44D\U0001F3FF", u"\U0001F44D", false, {}},
        SearchRow{"CrLfNotSplit", u"a\r\nb", u"\n", false, {}},
        SearchRow{"KelvinSignFolds", u"\u212A", u"k", false, {{0, 1}}},
        SearchRow{"AsciiBesideOtherText", u"caf\u00E9 HOLIDAY", u"holiday", false, {{5, 12}}},
        SearchRow{"AsciiRightAfterALetter", u"\u00E9holiday", u"holiday", false, {{1, 8}}},
        SearchRow{"AsciiBeforeAMark", u"holidaye\u0301", u"holidaye", false, {}},
        SearchRow{"KelvinSignFindsAsciiK", u"OK", u"\u212A", false, {{1, 2}}},
        SearchRow{"GreekSigmaForms", u"\u03C3\u03C2", u"\u03A3\u03A3", false, {{0, 2}}},
        SearchRow{"RangesInOriginalUnits",
                  u"\u00C9t\u00E9 e\u0301t\u00E9",
                  u"\u00C9T\u00C9",
                  false,
                  {{0, 3}, {4, 8}}}),
    searchRowName);

TEST(TextSearchContains, CaselessUtf8) {
    EXPECT_TRUE(
        TextSearch::containsCaseless("Stra\xC3\x9F"
                                     "e.txt",
                                     "STRASSE"));
    EXPECT_TRUE(TextSearch::containsCaseless("Cafe\xCC\x81", "CAF\xC3\x89"));
    EXPECT_FALSE(TextSearch::containsCaseless("Cafe\xCC\x81", "cafe"));
    EXPECT_FALSE(TextSearch::containsCaseless("photo", ""));
}

}  // namespace
