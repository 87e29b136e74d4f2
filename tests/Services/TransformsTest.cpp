// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Services/RenameEngine.h"

#include <gtest/gtest.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>

#include <chrono>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace {

// One row of a transform table: the rule, the name it gets, the item's index and the result.
struct Row {
    std::string name;
    RenameRule rule;
    std::string input;
    std::string expected;
    std::int64_t index = 0;
};

std::string apply(const Row& row) {
    const RenameRule& rule = row.rule;
    switch (rule.type) {
        case RuleType::insert:
            return RenameEngine::applyInsert(rule, row.input);
        case RuleType::remove:
            return RenameEngine::applyRemove(rule, row.input);
        case RuleType::caseConversion:
            return RenameEngine::applyCase(rule, row.input);
        case RuleType::numbering:
            return RenameEngine::applyNumbering(rule, row.input, row.index);
        case RuleType::cleanup:
            return RenameEngine::applyCleanup(rule, row.input);
        default:
            return RenameEngine::applyRules({rule}, row.input, row.index, "");
    }
}

class TransformsTest : public ::testing::TestWithParam<Row> {};

TEST_P(TransformsTest, GivesExpectedName) {
    EXPECT_EQ(apply(GetParam()), GetParam().expected);
}

std::string rowName(const ::testing::TestParamInfo<Row>& info) {
    return info.param.name;
}

// Text that looks alike but is spelt differently, written out so that no editor merges it.
const std::string eAcuteNfc = "\u00E9";                                   // é precomposed
const std::string eAcuteNfd = "e\u0301";                                  // e + combining acute
const std::string family = "\U0001F468\u200D\U0001F469\u200D\U0001F467";  // one character
const std::string flag = "\U0001F1E9\U0001F1EA";                          // DE, one character
const std::string thumbDark = "\U0001F44D\U0001F3FF";                     // with skin tone

RenameRule insertRule(InsertPosition position, std::string text, std::int64_t index = 0,
                      std::string anchor = "") {
    RenameRule rule(RuleType::insert);
    rule.insertPosition = position;
    rule.insertText = std::move(text);
    rule.insertIndex = index;
    rule.insertAnchorText = std::move(anchor);
    return rule;
}

std::vector<Row> insertRows() {
    using P = InsertPosition;
    return {
        {"Beginning", insertRule(P::beginning, "new_"), "photo", "new_photo"},
        {"End", insertRule(P::end, "_x"), "photo", "photo_x"},
        {"EndOfEmptyName", insertRule(P::end, "x"), "", "x"},
        {"AtIndexNegativeIsStart", insertRule(P::atIndex, "X", -5), "abcdef", "Xabcdef"},
        {"AtIndexBeyondEndAppends", insertRule(P::atIndex, "X", 100), "abcdef", "abcdefX"},
        {"AtIndexMiddle", insertRule(P::atIndex, "X", 2), "abcdef", "abXcdef"},
        {"AtIndexLowestValue",
         insertRule(P::atIndex, "X", std::numeric_limits<std::int64_t>::min()), "ab", "Xab"},
        {"AtIndexAfterCombiningMark", insertRule(P::atIndex, "X", 1), eAcuteNfd + "cole",
         eAcuteNfd + "Xcole"},
        {"AtIndexAfterZwjSequence", insertRule(P::atIndex, "X", 1), family + "ab", family + "Xab"},
        {"AtIndexAfterFlag", insertRule(P::atIndex, "X", 1), flag + flag, flag + "X" + flag},
        {"AtIndexAfterSkinTone", insertRule(P::atIndex, "X", 1), thumbDark + "a", thumbDark + "Xa"},
        {"AtIndexCrLfIsOneCharacter", insertRule(P::atIndex, "X", 1), "\r\nb", "\r\nXb"},
        {"BeforeTextTakesAnchorCase", insertRule(P::beforeText, "X", 0, "IMG"), "img_001",
         "XIMG_001"},
        {"BeforeTextReportFinal", insertRule(P::beforeText, "v2_", 0, "final"), "Report FINAL",
         "Report v2_final"},
        {"AfterTextFirstOccurrenceOnly", insertRule(P::afterText, "!", 0, "a"), "banana",
         "ba!nana"},
        {"BeforeTextEmptyAnchor", insertRule(P::beforeText, "X", 0, ""), "photo", "photo"},
        {"AfterTextAnchorMissing", insertRule(P::afterText, "X", 0, "zz"), "photo", "photo"},
        {"AfterTextNfcAnchorInNfdName", insertRule(P::afterText, "X", 0, eAcuteNfc),
         "caf" + eAcuteNfd, "caf" + eAcuteNfc + "X"},
        {"BeforeTextNotInsideCluster", insertRule(P::beforeText, "X", 0, "e"), eAcuteNfd + "te",
         eAcuteNfd + "tXe"},
        {"AfterTextFullCaseFolding", insertRule(P::afterText, "_X", 0, "STRASSE"), "stra\u00DFe 1",
         "STRASSE_X 1"},
    };
}

RenameRule removeRule(RemoveTarget target) {
    RenameRule rule(RuleType::remove);
    rule.removeTarget = target;
    return rule;
}
RenameRule removeText(std::string text) {
    RenameRule rule = removeRule(RemoveTarget::text);
    rule.removeText = std::move(text);
    return rule;
}
RenameRule removeCount(RemoveTarget target, std::int64_t count) {
    RenameRule rule = removeRule(target);
    rule.removeCount = count;
    return rule;
}
RenameRule removeRange(std::int64_t from, std::int64_t to) {
    RenameRule rule = removeRule(RemoveTarget::fromTo);
    rule.removeFromIndex = from;
    rule.removeToIndex = to;
    return rule;
}
RenameRule removeBetween(std::string start, std::string end) {
    RenameRule rule = removeRule(RemoveTarget::betweenText);
    rule.removeBetweenStart = std::move(start);
    rule.removeBetweenEnd = std::move(end);
    return rule;
}

std::vector<Row> removeRows() {
    using T = RemoveTarget;
    return {
        {"TextAllOccurrencesAnyCase", removeText("copy"), "Copy of copy", " of "},
        {"TextEmptyLeavesName", removeText(""), "photo", "photo"},
        {"TextNonOverlapping", removeText("aa"), "aaa", "a"},
        {"TextNfdInNfcName", removeText(eAcuteNfd), "caf" + eAcuteNfc + "!", "caf!"},
        {"TextNfcInNfdName", removeText(eAcuteNfc), eAcuteNfd + "t" + eAcuteNfd, "t"},
        {"TextBaseLetterNotInsideCluster", removeText("e"), eAcuteNfd + "e", eAcuteNfd},
        {"TextKeepsOtherSpellings", removeText("x"), "X" + eAcuteNfd + "x" + eAcuteNfc,
         eAcuteNfd + eAcuteNfc},
        {"TextEmojiSequence", removeText(family), "a" + family + "b", "ab"},
        {"TextEmojiNotInsideZwjSequence", removeText("\U0001F469"), family, family},
        {"TextSharpSFolding", removeText("SS"), "Gro\u00DFe", "Groe"},
        {"FirstNZero", removeCount(T::firstN, 0), "photo", "photo"},
        {"FirstNNegative", removeCount(T::firstN, -3), "photo", "photo"},
        {"FirstNBeyondLength", removeCount(T::firstN, 10), "photo", ""},
        {"FirstNTwo", removeCount(T::firstN, 2), "photo", "oto"},
        {"FirstNCombiningMark", removeCount(T::firstN, 1), eAcuteNfd + "cole", "cole"},
        {"LastNTwo", removeCount(T::lastN, 2), "photo", "pho"},
        {"LastNNegative", removeCount(T::lastN, -1), "photo", "photo"},
        {"LastNBeyondLength", removeCount(T::lastN, 99), "photo", ""},
        {"LastNZwjSequence", removeCount(T::lastN, 1), "ab" + family, "ab"},
        {"LastNSkinTone", removeCount(T::lastN, 1), "a" + thumbDark, "a"},
        {"LastNFlag", removeCount(T::lastN, 1), flag + flag, flag},
        {"FromToFirstThree", removeRange(0, 3), "abcdef", "def"},
        {"FromToEqual", removeRange(2, 2), "abcdef", "abcdef"},
        {"FromToReversed", removeRange(5, 3), "abcdef", "abcdef"},
        {"FromToBeyondLength", removeRange(2, 100), "abcdef", "ab"},
        {"FromToNegativeFrom", removeRange(-4, 2), "abcdef", "cdef"},
        {"FromToNegativeTo", removeRange(2, -1), "abcdef", "abcdef"},
        {"FromToClusters", removeRange(1, 3), "a" + eAcuteNfd + flag + "b", "ab"},
        {"BetweenParentheses", removeBetween("(", ")"), "photo (copy) 1", "photo () 1"},
        {"BetweenSameMarker", removeBetween("-", "-"), "a-b-c", "a-b-c"},
        {"BetweenEndBeforeStart", removeBetween("[", "]"), "]x[y]", "]x[y]"},
        {"BetweenAdjacent", removeBetween("(", ")"), "a()b", "a()b"},
        {"BetweenStartMissing", removeBetween("<", ">"), "a>b", "a>b"},
        {"BetweenEndMissing", removeBetween("<", ">"), "a<b", "a<b"},
        {"BetweenEmptyMarker", removeBetween("", ")"), "a(b)", "a(b)"},
        {"BetweenCaseless", removeBetween("START", "end"), "xStartabcENDy", "xStartENDy"},
        {"BetweenFirstOccurrences", removeBetween("[", "]"), "[a] [b]", "[] [b]"},
        {"BetweenKeepsClusters", removeBetween("<", ">"), "<" + family + eAcuteNfd + ">", "<>"},
    };
}

RenameRule caseRule(CaseConversionType type) {
    RenameRule rule(RuleType::caseConversion);
    rule.caseType = type;
    return rule;
}

std::vector<Row> caseRows() {
    using C = CaseConversionType;
    return {
        {"UpperAscii", caseRule(C::uppercase), "photo 1", "PHOTO 1"},
        {"UpperSharpS", caseRule(C::uppercase), "stra\u00DFe", "STRASSE"},
        {"UpperTurkishDotlessIWithoutLocale", caseRule(C::uppercase), "i", "I"},
        {"UpperCombiningMark", caseRule(C::uppercase), eAcuteNfd, "E\u0301"},
        {"UpperEmojiUnchanged", caseRule(C::uppercase), family + "a", family + "A"},
        {"LowerAscii", caseRule(C::lowercase), "PHOTO", "photo"},
        {"LowerDottedCapitalI", caseRule(C::lowercase), "\u0130", "i\u0307"},
        {"LowerGreekFinalSigma", caseRule(C::lowercase), "\u039F\u03A3", "\u03BF\u03C2"},
        {"TitleWords", caseRule(C::titleCase), "hello wORLD", "Hello World"},
        {"TitleEmpty", caseRule(C::titleCase), "", ""},
        {"TitleAccentedNfd", caseRule(C::titleCase), eAcuteNfd + "COLE", "E\u0301cole"},
        {"TitleLigature", caseRule(C::titleCase), "\uFB01sh", "Fish"},
        {"CamelExample", caseRule(C::camelCase), "my file-name_v2", "myFileNameV2"},
        {"CamelDoubleSpace", caseRule(C::camelCase), "HELLO  world", "helloWorld"},
        {"CamelLeadingSeparator", caseRule(C::camelCase), "_old copy", "OldCopy"},
        {"CamelTrailingSeparator", caseRule(C::camelCase), "a-", "a"},
        {"CamelDigitsAreLetters", caseRule(C::camelCase), "v2 beta", "v2Beta"},
        {"CamelNfdComponent", caseRule(C::camelCase), "x " + eAcuteNfd + "t" + eAcuteNfd,
         "xE\u0301t" + eAcuteNfd},
        {"SnakeExample", caseRule(C::snakeCase), "My Great-File", "my_great-file"},
        {"SnakeRunOfSpaces", caseRule(C::snakeCase), "A  B\tC", "a__b\tc"},
        {"SentenceExample", caseRule(C::sentenceCase), "hELLO World", "Hello world"},
        {"SentenceEmpty", caseRule(C::sentenceCase), "", ""},
        {"SentenceFirstIsCluster", caseRule(C::sentenceCase), eAcuteNfd + "T" + eAcuteNfc,
         "E\u0301t" + eAcuteNfc},
        {"SentenceSharpSFirst", caseRule(C::sentenceCase), "\u00DFA", "SSa"},
        {"SentenceEmojiFirst", caseRule(C::sentenceCase), thumbDark + "ABC", thumbDark + "abc"},
    };
}

RenameRule numberingRule(std::int64_t start, std::int64_t step, std::int64_t padding,
                         NumberingPosition position = NumberingPosition::suffix,
                         std::string separator = "_") {
    RenameRule rule(RuleType::numbering);
    rule.numberingStart = start;
    rule.numberingStep = step;
    rule.numberingPadding = padding;
    rule.numberingPosition = position;
    rule.numberingSeparator = std::move(separator);
    return rule;
}

std::vector<Row> numberingRows() {
    using P = NumberingPosition;
    constexpr auto maxInt = std::numeric_limits<std::int64_t>::max();
    constexpr auto minInt = std::numeric_limits<std::int64_t>::min();
    RenameRule changedFormat = numberingRule(1, 1, 3);
    changedFormat.numberingFormat = "%05d";
    return {
        {"DefaultsFirst", RenameRule(RuleType::numbering), "photo", "photo_001", 0},
        {"DefaultsTenth", RenameRule(RuleType::numbering), "photo", "photo_010", 9},
        {"WiderThanPadding", numberingRule(1, 1, 3), "photo", "photo_1235", 1234},
        {"NoPadding", numberingRule(7, 1, 0), "a", "a_7", 0},
        {"NegativePaddingIsNone", numberingRule(7, 1, -4), "a", "a_7", 0},
        {"LowestPaddingIsNone", numberingRule(-7, 1, minInt), "a", "a_-7", 0},
        {"ReplaceName", numberingRule(7, 1, 0, P::replace), "photo", "7", 0},
        {"Prefix", numberingRule(1, 1, 2, P::prefix, " - "), "photo", "03 - photo", 2},
        {"EmptySeparator", numberingRule(1, 1, 1, P::suffix, ""), "photo", "photo1", 0},
        {"EmptyNameKeepsSeparator", numberingRule(1, 1, 1), "", "_1", 0},
        {"StepZero", numberingRule(5, 0, 1), "a", "a_5", 40},
        {"StepTen", numberingRule(100, 10, 1), "a", "a_130", 3},
        {"NegativeStep", numberingRule(1, -1, 1), "a", "a_-2", 3},
        {"NegativeSignCountsInWidth", numberingRule(-5, 1, 3), "a", "a_-05", 0},
        {"FormatFieldIsIgnored", changedFormat, "a", "a_002", 1},
        {"PaddingCappedAt255", numberingRule(1, 1, 1000000000, P::replace), std::string(""),
         std::string(254, '0') + "1", 0},
        {"Padding255Kept", numberingRule(1, 1, 255, P::replace), "", std::string(254, '0') + "1",
         0},
        {"OverflowSaturatesHigh", numberingRule(maxInt, 1, 0, P::replace), "",
         "9223372036854775807", 5},
        {"ProductOverflowSaturatesLow", numberingRule(0, minInt, 0, P::replace), "",
         "-9223372036854775808", 2},
        {"LargeTermsThatCancel", numberingRule(minInt, maxInt, 0, P::replace), "", "-1", 1},
        {"LowestValuePadded", numberingRule(minInt, 0, 21, P::replace), "", "-09223372036854775808",
         0},
    };
}

RenameRule cleanupRule(bool trim, bool collapse, bool underscores, bool special) {
    RenameRule rule(RuleType::cleanup);
    rule.trimWhitespace = trim;
    rule.removeDuplicateSpaces = collapse;
    rule.replaceSpacesWithUnderscores = underscores;
    rule.removeSpecialChars = special;
    return rule;
}

std::vector<Row> cleanupRows() {
    return {
        {"AllFlags", cleanupRule(true, true, true, true), "  a  b & c  ", "a_b__c"},
        {"Defaults", RenameRule(RuleType::cleanup), " \ta   b  ", "a b"},
        {"NoFlags", cleanupRule(false, false, false, false), " a  & b ", " a  & b "},
        {"TrimKeepsLineBreaks", cleanupRule(true, false, false, false), "\n a \u3000", "\n a"},
        {"CollapseBeforeUnderscores", cleanupRule(false, true, true, false), "a  b", "a_b"},
        {"CollapseLongRun", cleanupRule(false, true, false, false), "a     b", "a b"},
        {"CollapseRunAtStart", cleanupRule(false, true, false, false), "  a b", " a b"},
        {"TrimNothingToTrim", cleanupRule(true, false, false, false), "a  b", "a  b"},
        {"CollapseLeavesTabs", cleanupRule(false, true, false, false), "a\t\tb  \t c",
         "a\t\tb \t c"},
        {"FilterAfterCollapse", cleanupRule(false, true, false, true), "a & b", "a  b"},
        {"FilterKeepsAccentsAndDigits", cleanupRule(false, false, false, true),
         "\u00E9" + eAcuteNfd + " \u0663\u0967 (x)-y_z.",
         "\u00E9" + eAcuteNfd + " \u0663\u0967 (x)-y_z."},
        {"FilterDropsPunctuationAndSymbols", cleanupRule(false, false, false, true),
         "a&b#c+d,e!f@g", "abcdefg"},
        {"FilterDropsEmojiCodePoints", cleanupRule(false, false, false, true),
         "a" + family + thumbDark + flag + "b", "ab"},
        {"FilterKeepsLettersOfAnyScript", cleanupRule(false, false, false, true),
         "\u65E5\u672C\u0416\u05D0", "\u65E5\u672C\u0416\u05D0"},
        {"FilterDropsTabs", cleanupRule(false, false, false, true), "a\tb", "ab"},
    };
}

// Names for drives of other systems: only the two options on, or with the defaults.
RenameRule travelRule(bool ascii, bool windows, bool defaults = false) {
    RenameRule rule =
        defaults ? RenameRule(RuleType::cleanup) : cleanupRule(false, false, false, false);
    rule.transliterateToASCII = ascii;
    rule.makeWindowsSafe = windows;
    return rule;
}

std::vector<Row> travelRows() {
    const RenameRule ascii = travelRule(true, false);
    const RenameRule windows = travelRule(false, true);
    const RenameRule both = travelRule(true, true);
    return {
        {"AsciiAccents", ascii, "M\u00FCller Caf\u00E9 " + eAcuteNfd, "Muller Cafe e"},
        {"AsciiNordicAndPolish", ascii, "\u00F8re \u00C6sir \u0141\u00F3d\u017A", "ore AEsir Lodz"},
        {"AsciiLigaturesAndSharpS", ascii, "\uFB01le \u0153uvre Stra\u00DFe",
         "file oeuvre Strasse"},
        {"AsciiCjk", ascii, "\u6771\u4EAC", "dong jing"},
        {"AsciiKana", ascii, "\u3068\u3046\u304D\u3087\u3046", "toukyou"},
        {"AsciiCyrillic", ascii, "\u0427\u0430\u0439\u043A\u043E\u0432\u0441\u043A\u0438\u0439",
         "Cajkovskij"},
        {"AsciiGreek", ascii, "\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC", "Ellenika"},
        {"AsciiDropsEmoji", ascii, "a" + family + thumbDark + flag + "b", "ab"},
        {"AsciiFractionSlash", ascii, "1\u20442", "1-2"},
        {"AsciiDivisionSlash", ascii, "a\u2215b", "a-b"},
        {"AsciiFullwidthSolidus", ascii, "AC\uFF0FDC", "AC-DC"},
        {"AsciiVulgarFractionThenTrim", travelRule(true, false, true), "\u00BD", "1-2"},
        {"AsciiVulgarFractionInside", ascii, "Track\u00BD", "Track 1-2"},
        {"AsciiKeepsASlashOfAnEarlierRule", ascii, "a/\u00BD", "a/ 1-2"},
        {"AsciiDashes", ascii, "Beyonc\u00E9 \u2013 Halo", "Beyonce - Halo"},
        {"WindowsRefusedCharacters", windows, "a<b>c:d\"e\\f|g?h*i", "a_b_c_d_e_f_g_h_i"},
        {"WindowsControls", windows,
         "a\x01"
         "b\x1F",
         "a_b_"},
        {"WindowsTrailingDotsAndSpaces", windows, "name. . ", "name"},
        {"WindowsOnlyDots", windows, "...", ""},
        {"WindowsReservedInAnyCase", windows, "cOn", "cOn_"},
        {"WindowsReservedBeforeADot", windows, "nul.tar", "nul_.tar"},
        {"WindowsReservedBeforeSpaces", windows, "aux  .x", "aux_  .x"},
        {"WindowsReservedNumbered", windows, "LPT9", "LPT9_"},
        {"WindowsReservedSuperscript", windows, "COM\u00B9", "COM\u00B9_"},
        {"WindowsNotReserved", windows, "COM10 CONSOLE", "COM10 CONSOLE"},
        {"WindowsReservedAfterTrailingDot", windows, "PRN.", "PRN_"},
        {"BothAccentsAndColon", both, "Mot\u00F6rhead: Ace?", "Motorhead_ Ace_"},
        {"BothFullwidthBackslash", both, "a\uFF3Cb", "a_b"},
        {"BothFullwidthDeviceName", both, "\uFF23\uFF4F\uFF4E", "Con_"},
    };
}

INSTANTIATE_TEST_SUITE_P(Insert, TransformsTest, ::testing::ValuesIn(insertRows()), rowName);
INSTANTIATE_TEST_SUITE_P(Remove, TransformsTest, ::testing::ValuesIn(removeRows()), rowName);
INSTANTIATE_TEST_SUITE_P(Case, TransformsTest, ::testing::ValuesIn(caseRows()), rowName);
INSTANTIATE_TEST_SUITE_P(Numbering, TransformsTest, ::testing::ValuesIn(numberingRows()), rowName);
INSTANTIATE_TEST_SUITE_P(Cleanup, TransformsTest, ::testing::ValuesIn(cleanupRows()), rowName);
INSTANTIATE_TEST_SUITE_P(Travel, TransformsTest, ::testing::ValuesIn(travelRows()), rowName);

// The date rule under a fixed locale, time zone and clock.
struct DateRow {
    std::string name;
    std::string locale;
    std::string zone;
    std::string pattern;
    InsertPosition position;
    std::string expected;
};

class DateTransformTest : public ::testing::TestWithParam<DateRow> {
  protected:
    void SetUp() override {
        savedLocale_ = icu::Locale::getDefault();
        savedZone_.reset(icu::TimeZone::createDefault());
        UErrorCode status = U_ZERO_ERROR;
        icu::Locale::setDefault(icu::Locale(GetParam().locale.c_str()), status);
        ASSERT_TRUE(U_SUCCESS(status));
        icu::TimeZone::adoptDefault(
            icu::TimeZone::createTimeZone(icu::UnicodeString::fromUTF8(GetParam().zone)));
    }
    void TearDown() override {
        UErrorCode status = U_ZERO_ERROR;
        icu::Locale::setDefault(savedLocale_, status);
        icu::TimeZone::setDefault(*savedZone_);
    }

    // 2024-03-05 23:30:00 UTC.
    static RenameEngine::Clock::time_point moment() {
        return RenameEngine::Clock::time_point(std::chrono::seconds(1709681400));
    }

  private:
    icu::Locale savedLocale_;
    std::unique_ptr<icu::TimeZone> savedZone_;
};

TEST_P(DateTransformTest, StampsTheGivenMoment) {
    RenameRule rule(RuleType::dateStamp);
    rule.dateFormat = GetParam().pattern;
    rule.datePosition = GetParam().position;
    EXPECT_EQ(RenameEngine::applyDate(rule, "photo", moment()), GetParam().expected);
}

std::string dateRowName(const ::testing::TestParamInfo<DateRow>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(
    Date, DateTransformTest,
    ::testing::Values(
        DateRow{"DefaultPatternUtc", "en_US", "UTC", "yyyy-MM-dd", InsertPosition::end,
                "photo_2024-03-05"},
        DateRow{"ZoneMovesTheDay", "en_US", "Asia/Tokyo", "yyyy-MM-dd HH.mm", InsertPosition::end,
                "photo_2024-03-06 08.30"},
        DateRow{"ZoneWestOfUtc", "en_US", "America/New_York", "yyyyMMdd-HHmm",
                InsertPosition::beginning, "20240305-1830_photo"},
        DateRow{"LocaleNamesTheMonth", "de_DE", "Europe/Berlin", "d. MMMM EEEE",
                InsertPosition::end, "photo_6. M\u00E4rz Mittwoch"},
        DateRow{"EnglishMonthName", "en_US", "UTC", "MMM d", InsertPosition::beginning,
                "Mar 5_photo"},
        DateRow{"AfterTextIsEnd", "en_US", "UTC", "yyyy", InsertPosition::afterText, "photo_2024"},
        DateRow{"AtPositionIsEnd", "en_US", "UTC", "yyyy", InsertPosition::atIndex, "photo_2024"},
        DateRow{"QuotedLiteral", "en_US", "UTC", "'day' dd", InsertPosition::end, "photo_day 05"}),
    dateRowName);

TEST(DateTransform, OnePreviewStampsOneMomentOnEveryRow) {
    RenameRule rule(RuleType::dateStamp);
    rule.dateFormat = "HH:mm:ss.SSS";
    const std::vector<FileItem> files{FileItem("/tmp/a.txt"), FileItem("/tmp/b.txt"),
                                      FileItem("/tmp/c.txt")};
    const auto entries = RenameEngine::preview({rule}, files);
    ASSERT_EQ(entries.size(), 3u);
    const auto stamp = [](const std::string& name) { return name.substr(2); };
    EXPECT_EQ(stamp(entries[0].preview), stamp(entries[1].preview));
    EXPECT_EQ(stamp(entries[0].preview), stamp(entries[2].preview));
}

TEST(NumberingTransform, PreviewNumbersByPositionInTheList) {
    const std::vector<FileItem> files{FileItem("/tmp/x.jpg"), FileItem("/tmp/y.jpg")};
    const auto entries = RenameEngine::preview({RenameRule(RuleType::numbering)}, files);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].preview, "x_001.jpg");
    EXPECT_EQ(entries[1].preview, "y_002.jpg");
}

TEST(CaseTransform, TitleCaseOnManyNamesReusesNothingStale) {
    // The word iterator is kept across names of one run: each name must still be
    // capitalised on its own text, also after a longer one.
    const std::vector<FileItem> files{FileItem("/tmp/first long name.txt"),
                                      FileItem("/tmp/ab cd.txt"), FileItem("/tmp/x_y-z.txt")};
    RenameRule camel = caseRule(CaseConversionType::camelCase);
    const auto titled = RenameEngine::preview({caseRule(CaseConversionType::titleCase)}, files);
    const auto camelled = RenameEngine::preview({camel}, files);
    EXPECT_EQ(titled[0].preview, "First Long Name.txt");
    EXPECT_EQ(titled[1].preview, "Ab Cd.txt");
    EXPECT_EQ(camelled[1].preview, "abCd.txt");
    EXPECT_EQ(camelled[2].preview, "xYZ.txt");
}

}  // namespace
