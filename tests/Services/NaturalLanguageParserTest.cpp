// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Services/NaturalLanguageParser.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace {

// What one suggestion must be: the rule with the fields the phrase sets (every other field at
// its default), the confidence and the description.
struct Expected {
    RenameRule rule;
    double confidence;
    std::string description;
};

struct Row {
    std::string name;
    std::string phrase;
    std::vector<Expected> suggestions;
};

Expected replace(std::string find, std::string with, std::string description) {
    RenameRule rule(RuleType::replace);
    rule.findText = std::move(find);
    rule.replaceText = std::move(with);
    return {std::move(rule), 0.95, std::move(description)};
}

Expected insert(std::string text, InsertPosition position, double confidence,
                std::string description, std::int64_t index = 0) {
    RenameRule rule(RuleType::insert);
    rule.insertText = std::move(text);
    rule.insertPosition = position;
    rule.insertIndex = index;
    return {std::move(rule), confidence, std::move(description)};
}

Expected removeCount(RemoveTarget target, std::int64_t count, std::string description) {
    RenameRule rule(RuleType::remove);
    rule.removeTarget = target;
    rule.removeCount = count;
    return {std::move(rule), 0.95, std::move(description)};
}

Expected removeText(std::string text, std::string description) {
    RenameRule rule(RuleType::remove);
    rule.removeTarget = RemoveTarget::text;
    rule.removeText = std::move(text);
    return {std::move(rule), 0.8, std::move(description)};
}

Expected removeNamed(std::string text, const std::string& verb = "Remove") {
    RenameRule rule(RuleType::remove);
    rule.removeTarget = RemoveTarget::text;
    rule.removeText = text;
    return {std::move(rule), 0.9, verb + " \"" + text + "\""};
}

Expected removeBetween(std::string start, std::string end) {
    RenameRule rule(RuleType::remove);
    rule.removeTarget = RemoveTarget::betweenText;
    rule.removeBetweenStart = start;
    rule.removeBetweenEnd = end;
    return {std::move(rule), 0.9, "Remove text between \"" + start + "\" and \"" + end + "\""};
}

Expected toCase(CaseConversionType type, std::string description) {
    RenameRule rule(RuleType::caseConversion);
    rule.caseType = type;
    return {std::move(rule), 0.9, std::move(description)};
}

Expected numbering(std::int64_t start, NumberingPosition position, std::string description) {
    RenameRule rule(RuleType::numbering);
    rule.numberingStart = start;
    rule.numberingPosition = position;
    return {std::move(rule), 0.85, std::move(description)};
}

Expected cleanup(bool special) {
    RenameRule rule(RuleType::cleanup);
    rule.removeSpecialChars = special;
    return {std::move(rule), 0.8,
            special ? "Cleanup filenames and remove special characters" : "Cleanup filenames"};
}

// A cleanup suggestion that writes names in ASCII or makes them safe for Windows.
Expected travel(bool ascii, bool windows) {
    RenameRule rule(RuleType::cleanup);
    rule.transliterateToASCII = ascii;
    rule.makeWindowsSafe = windows;
    return {std::move(rule), 0.8,
            ascii ? "Cleanup filenames and make them ASCII"
                  : "Cleanup filenames and make them safe for Windows"};
}

Expected date(InsertPosition position) {
    RenameRule rule(RuleType::dateStamp);
    rule.datePosition = position;
    const bool atStart = position == InsertPosition::beginning;
    return {std::move(rule), 0.8, atStart ? "Add today's date at beginning" : "Add today's date"};
}

// A rule of `kind` with the fields `set` gives it, every other field at its default.
Expected rule(RuleType kind, double confidence, std::string description,
              const std::function<void(RenameRule&)>& set = {}) {
    RenameRule rule(kind);
    if (set) {
        set(rule);
    }
    return {std::move(rule), confidence, std::move(description)};
}

// What a phrase read only in part is given instead of `expected`'s confidence.
Expected partly(Expected expected) {
    expected.confidence -= 0.3;
    return expected;
}

class NaturalLanguageParserTest : public ::testing::TestWithParam<Row> {};

TEST_P(NaturalLanguageParserTest, YieldsExactlyTheExpectedSuggestions) {
    const Row& row = GetParam();
    const auto actual = NaturalLanguageParser::parse(row.phrase);
    ASSERT_EQ(actual.size(), row.suggestions.size()) << "phrase: " << row.phrase;
    for (std::size_t i = 0; i < actual.size(); ++i) {
        SCOPED_TRACE("suggestion " + std::to_string(i));
        RenameRule expected = row.suggestions[i].rule;
        // The identifier is fresh per suggestion; every other field must match.
        expected.id = actual[i].rule.id;
        EXPECT_EQ(actual[i].rule.toJson(), expected.toJson());
        EXPECT_DOUBLE_EQ(actual[i].confidence, row.suggestions[i].confidence);
        EXPECT_EQ(actual[i].description, row.suggestions[i].description);
    }
}

std::string rowName(const ::testing::TestParamInfo<Row>& info) {
    return info.param.name;
}

const auto end = InsertPosition::end;
const auto beginning = InsertPosition::beginning;
const auto atIndex = InsertPosition::atIndex;

INSTANTIATE_TEST_SUITE_P(
    Replace, NaturalLanguageParserTest,
    ::testing::Values(
        Row{"KeepsTypedCase",
            "replace report with Summary",
            {replace("report", "Summary", "Replace \"report\" \u2192 \"Summary\"")}},
        Row{"CapitalKeywordIsRecognised",
            "Replace report with summary",
            {replace("report", "summary", "Replace \"report\" \u2192 \"summary\"")}},
        Row{"QuotedChange",
            "change \"old name\" to \"new name\"",
            {replace("old name", "new name", "Replace \"old name\" \u2192 \"new name\"")}},
        Row{"UnquotedChange", "change x to Y", {replace("x", "Y", "Replace \"x\" \u2192 \"Y\"")}},
        Row{"RenameQuoted",
            "rename \"Draft\" to \"Final\"",
            {replace("Draft", "Final", "Replace \"Draft\" \u2192 \"Final\"")}},
        Row{"SwapIsOneWay",
            "swap \"a\" with \"b\"",
            {replace("a", "b", "Replace \"a\" \u2192 \"b\"")}},
        Row{"QuotesAreNotCaptured",
            "replace \"a\" with \"b\"",
            {replace("a", "b", "Replace \"a\" \u2192 \"b\"")}},
        Row{"UnquotedFindIsOneWord", "replace a b with c", {}},
        Row{"UnquotedReplacementIsOneWord",
            "replace a with b c",
            {partly(replace("a", "b", "Replace \"a\" \u2192 \"b\""))}},
        Row{"HalfQuoted",
            "replace \"a b\" with c",
            {replace("a b", "c", "Replace \"a b\" \u2192 \"c\"")}},
        Row{"FoundAnywhereInRawInput",
            "  please replace x with y  ",
            {replace("x", "y", "Replace \"x\" \u2192 \"y\"")}},
        Row{"Accents",
            "replace café with Café",
            {replace("café", "Café", "Replace \"café\" \u2192 \"Café\"")}},
        Row{"DecomposedAccentKeptAsTyped",
            "replace cafe\u0301 with CAFE\u0301",
            {replace("cafe\u0301", "CAFE\u0301", "Replace \"cafe\u0301\" \u2192 \"CAFE\u0301\"")}},
        Row{"Emoji",
            "replace 🙂 with 👍🏽",
            {replace("🙂", "👍🏽", "Replace \"🙂\" \u2192 \"👍🏽\"")}},
        Row{"IllFormedBytesBecomeReplacementCharacter",
            "replace \xff with x",
            {replace("\uFFFD", "x", "Replace \"\uFFFD\" \u2192 \"x\"")}}),
    rowName);

INSTANTIATE_TEST_SUITE_P(
    Insert, NaturalLanguageParserTest,
    ::testing::Values(
        Row{"AtTheEndLowerCased",
            "add _V2 at the end",
            {insert("_v2", end, 0.9, "Add \"_v2\" at end")}},
        Row{"QuotedAtTheStartTrimmed",
            "Add \"Report \" at the START",
            {insert("report", beginning, 0.9, "Add \"report\" at beginning")}},
        Row{"AtTheBeginning",
            "add new_ at the beginning",
            {insert("new_", beginning, 0.9, "Add \"new_\" at beginning")}},
        Row{"NothingBeforeAtTheEnd", "add at the end", {}},
        Row{"PrefixWith",
            "prefix with 2024",
            {insert("2024", beginning, 0.9, "Prefix with \"2024\"")}},
        Row{"PrefixWithoutWith",
            "prefix draft_",
            {insert("draft_", beginning, 0.9, "Prefix with \"draft_\"")}},
        Row{"PrefixWithStraySpace",
            "prefix  with x",
            {insert("x", beginning, 0.9, "Prefix with \"x\"")}},
        Row{"Append", "append final", {insert("final", end, 0.85, "Append \"final\"")}},
        Row{"AppendQuotedTrimmed", "append \" x\t\"", {insert("x", end, 0.85, "Append \"x\"")}},
        Row{"IdeographicSpacesTrimmed",
            "append \"\u3000x\u3000\"",
            {insert("x", end, 0.85, "Append \"x\"")}},
        Row{"AfterOrdinal",
            "insert - after the third character",
            {insert("-", atIndex, 0.85, "Insert \"-\" at position 3", 3)}},
        Row{"AfterNumberOfCharacters",
            "insert x after 3 characters",
            {insert("x", atIndex, 0.85, "Insert \"x\" at position 3", 3)}},
        Row{"AfterSuffixedOrdinalIsOne",
            "insert x after the 3rd character",
            {insert("x", atIndex, 0.85, "Insert \"x\" at position 1", 1)}},
        Row{"AfterEleventhIsOne",
            "insert x after the eleventh character",
            {insert("x", atIndex, 0.85, "Insert \"x\" at position 1", 1)}},
        Row{"AfterLargeNumber",
            "insert x after the 99999999999 character",
            {insert("x", atIndex, 0.85, "Insert \"x\" at position 99999999999", 99999999999)}},
        Row{"Japanese",
            "add \"日本\" at the end",
            {insert("日本", end, 0.9, "Add \"日本\" at end")}},
        Row{"AccentsLowerCased",
            "add ÉTÉ at the end",
            {insert("été", end, 0.9, "Add \"été\" at end")}},
        Row{"DecomposedAccentLowerCased",
            "add E\u0301 at the end",
            {insert("e\u0301", end, 0.9, "Add \"e\u0301\" at end")}}),
    rowName);

INSTANTIATE_TEST_SUITE_P(
    Remove, NaturalLanguageParserTest,
    ::testing::Values(
        Row{"FirstN",
            "remove the first 3 characters",
            {removeCount(RemoveTarget::firstN, 3, "Remove first 3 characters")}},
        Row{"FirstOneCharacter",
            "remove first 1 character",
            {removeCount(RemoveTarget::firstN, 1, "Remove first 1 characters")}},
        Row{"LastN",
            "remove the last 4 characters",
            {removeCount(RemoveTarget::lastN, 4, "Remove last 4 characters")}},
        Row{"UpperCaseKeywords",
            "REMOVE THE FIRST 2 CHARACTERS",
            {removeCount(RemoveTarget::firstN, 2, "Remove first 2 characters")}},
        Row{"BadCountPhraseIsNotText", "remove first 3 chars", {}},
        Row{"CountInWordsIsNotText", "remove last two characters", {}},
        Row{"FirstAloneIsNotText", "remove first", {}},
        Row{"Text", "remove copy", {removeText("copy", "Remove \"copy\"")}},
        Row{"QuotedTextLowerCasedAndTrimmed",
            "remove \"  Copy  \"",
            {removeText("copy", "Remove \"copy\"")}},
        Row{"DeleteLastIsText", "delete last", {removeText("last", "Delete \"last\"")}},
        Row{"DeleteQuoted", "delete \"tmp\"", {removeText("tmp", "Delete \"tmp\"")}},
        Row{"CountTooLargeIsNotText", "remove the first 99999999999999999999 characters", {}},
        Row{"NonAsciiDigitsAreNotText", "remove the first \u0663 characters", {}},
        Row{"Emoji", "delete 🎉", {removeText("🎉", "Delete \"🎉\"")}}),
    rowName);

INSTANTIATE_TEST_SUITE_P(
    Case, NaturalLanguageParserTest,
    ::testing::Values(
        Row{"TitleCase",
            "title case",
            {toCase(CaseConversionType::titleCase, "Convert to Title Case")}},
        Row{"TitleCaseAnyLetterCase",
            "Title Case",
            {toCase(CaseConversionType::titleCase, "Convert to Title Case")}},
        Row{"TrimmedAndLowerCased",
            "  TITLE CASE  \n",
            {toCase(CaseConversionType::titleCase, "Convert to Title Case")}},
        Row{"AllCaps",
            "make it all caps",
            {toCase(CaseConversionType::uppercase, "Convert to UPPERCASE")}},
        Row{"Uppercase",
            "uppercase",
            {toCase(CaseConversionType::uppercase, "Convert to UPPERCASE")}},
        Row{"UpperCase",
            "upper case",
            {toCase(CaseConversionType::uppercase, "Convert to UPPERCASE")}},
        Row{"Lowercase",
            "lowercase",
            {toCase(CaseConversionType::lowercase, "Convert to lowercase")}},
        Row{"LowerCase",
            "lower case",
            {toCase(CaseConversionType::lowercase, "Convert to lowercase")}},
        Row{"SentenceCase",
            "sentence case",
            {toCase(CaseConversionType::sentenceCase, "Convert to Sentence case")}},
        Row{"CamelCase",
            "camel case",
            {toCase(CaseConversionType::camelCase, "Convert to camelCase")}},
        Row{"Camelcase",
            "camelcase",
            {toCase(CaseConversionType::camelCase, "Convert to camelCase")}},
        Row{"SnakeCase",
            "snake case",
            {toCase(CaseConversionType::snakeCase, "Convert to snake_case")}},
        Row{"SnakeUnderscore",
            "snake_case please",
            {toCase(CaseConversionType::snakeCase, "Convert to snake_case")}},
        Row{"TitleBeatsLowercase",
            "lowercase or title case",
            {partly(toCase(CaseConversionType::titleCase, "Convert to Title Case"))}},
        Row{"TableOrderNotPhraseOrder",
            "lower case then uppercase",
            {partly(toCase(CaseConversionType::uppercase, "Convert to UPPERCASE"))}},
        Row{"CaseAloneIsNothing", "case", {}},
        // Root lower-casing keeps the dot of İ as a combining mark, so this is no keyword.
        Row{"DottedCapitalINotTurkish", "T\u0130TLE CASE", {}}),
    rowName);

INSTANTIATE_TEST_SUITE_P(
    Numbering, NaturalLanguageParserTest,
    ::testing::Values(
        Row{"NumberFiles",
            "number files",
            {numbering(1, NumberingPosition::suffix, "Add sequential numbering from 1")}},
        Row{"StartAndPrefix",
            "numbering starting at 10 as prefix",
            {numbering(10, NumberingPosition::prefix,
                       "Add sequential numbering from 10 as prefix")}},
        Row{"StartWithoutAt",
            "numbering starting 007",
            {numbering(7, NumberingPosition::suffix, "Add sequential numbering from 7")}},
        Row{"UpperCaseStart",
            "NUMBERING STARTING AT  5",
            {numbering(5, NumberingPosition::suffix, "Add sequential numbering from 5")}},
        Row{"StartTooLargeKeepsDefault",
            "numbering starting at 99999999999999999999",
            {partly(numbering(1, NumberingPosition::suffix, "Add sequential numbering from 1"))}},
        Row{"NonAsciiStartKeepsDefault",
            "numbering starting at \u0665",
            {partly(numbering(1, NumberingPosition::suffix, "Add sequential numbering from 1"))}},
        Row{"Sequential",
            "sequential",
            {numbering(1, NumberingPosition::suffix, "Add sequential numbering from 1")}},
        Row{"SequentialPrefix",
            "add sequential numbers as prefix",
            {numbering(1, NumberingPosition::prefix, "Add sequential numbering from 1 as prefix")}},
        Row{"Renumber",
            "renumber",
            {numbering(1, NumberingPosition::suffix, "Add sequential numbering from 1")}},
        Row{"Numbers",
            "numbers",
            {numbering(1, NumberingPosition::suffix, "Add sequential numbering from 1")}},
        Row{"SequenceIsNothing", "sequence", {}}),
    rowName);

INSTANTIATE_TEST_SUITE_P(
    Cleanup, NaturalLanguageParserTest,
    ::testing::Values(Row{"CleanUp", "clean up names", {cleanup(false)}},
                      Row{"Cleanup", "CLEANUP", {cleanup(false)}},
                      Row{"SanitizeSpecial", "sanitize special characters", {cleanup(true)}},
                      Row{"FixSpaces", "fix spaces", {cleanup(false)}},
                      Row{"FixWithStraySpace", "fix  spaces", {cleanup(false)}},
                      Row{"SpecialAloneIsNothing", "special", {}},
                      Row{"MakeNamesAscii", "make names ascii", {travel(true, false)}},
                      Row{"RemoveAccents", "remove accents", {travel(true, false)}},
                      Row{"Transliterate", "transliterate the names", {travel(true, false)}},
                      Row{"SafeForWindows", "safe for windows", {travel(false, true)}},
                      Row{"WindowsSafe", "make them windows-safe", {travel(false, true)}},
                      Row{"SafeForUsbSticks", "safe for usb sticks", {travel(false, true)}},
                      Row{"AsciiAndSafeForWindows",
                          "make names ascii and safe for windows",
                          {travel(true, false), travel(false, true)}},
                      Row{"CleanUpAsciiForWindows",
                          "clean up special characters, ascii only, safe for windows",
                          {cleanup(true), travel(true, false), travel(false, true)}}),
    rowName);

INSTANTIATE_TEST_SUITE_P(
    Date, NaturalLanguageParserTest,
    ::testing::Values(
        Row{"Timestamp", "add a timestamp", {date(end)}},
        Row{"DateAtTheStart", "date at the start", {date(beginning)}},
        Row{"PrefixWithDate", "prefix with date", {date(beginning)}},
        Row{"TodayAtBeginning", "today at beginning", {date(beginning)}},
        Row{"UpdateIsNoDate", "update", {}},
        Row{"TodaysDateAtTheStart", "Add today's date at the start", {date(beginning)}}),
    rowName);

INSTANTIATE_TEST_SUITE_P(
    Template, NaturalLanguageParserTest,
    ::testing::Values(
        Row{"QuotedTemplate",
            "name from template \"{audio.track:2} {audio.artist} - {audio.title}\"",
            {rule(RuleType::nameTemplate, 0.9,
                  "Name from template \"{audio.track:2} {audio.artist} - {audio.title}\"",
                  [](RenameRule& r) {
                      r.templateText = "{audio.track:2} {audio.artist} - {audio.title}";
                  })}},
        Row{"UnquotedIsNothing", "use template name", {}}),
    rowName);

INSTANTIATE_TEST_SUITE_P(
    FrontEnd, NaturalLanguageParserTest,
    ::testing::Values(
        Row{"Empty", "", {}}, Row{"OnlyBlanks", "  \n\t \r\n", {}},
        Row{"Unrecognised", "make it nicer", {}},
        Row{"DateIsNotInsertedText", "add date at the start", {date(beginning)}},
        Row{"AndSplitsInstructions",
            "replace a with b and remove the first 2 characters",
            {replace("a", "b", "Replace \"a\" \u2192 \"b\""),
             removeCount(RemoveTarget::firstN, 2, "Remove first 2 characters")}},
        Row{"AllSevenInRecogniserOrder",
            "replace a with b ; add x at the end ; remove the first 2 characters ; "
            "title case ; number ; clean ; date",
            {replace("a", "b", "Replace \"a\" \u2192 \"b\""),
             insert("x", end, 0.9, "Add \"x\" at end"),
             removeCount(RemoveTarget::firstN, 2, "Remove first 2 characters"),
             toCase(CaseConversionType::titleCase, "Convert to Title Case"),
             numbering(1, NumberingPosition::suffix, "Add sequential numbering from 1"),
             cleanup(false), date(end)}},
        Row{"RunOnPhraseIsOneInstructionReadInPart",
            "date clean number title case remove the first 2 characters add x at the end "
            "replace a with b",
            {partly(replace("a", "b", "Replace \"a\" \u2192 \"b\""))}}),
    rowName);

// Phrases as people type them: words that name characters, every kind by its usual wording,
// several instructions in one phrase, stray spaces and capitals.
INSTANTIATE_TEST_SUITE_P(
    Phrases, NaturalLanguageParserTest,
    ::testing::Values(
        Row{"SpacesWithUnderscores",
            "replace spaces with underscores",
            {replace(" ", "_", "Replace \" \" \u2192 \"_\"")}},
        Row{"QuotedWordsAreLiteral",
            "replace 'spaces' with 'gaps'",
            {replace("spaces", "gaps", "Replace \"spaces\" \u2192 \"gaps\"")}},
        Row{"TypographicQuotesKeepLetters",
            "replace \u201C\u00C9t\u00E9 \u00E0 Z\u00FCrich\u201D with \u2018\u5317\u4EAC\u2019",
            {replace("\u00C9t\u00E9 \u00E0 Z\u00FCrich", "\u5317\u4EAC",
                     "Replace \"\u00C9t\u00E9 \u00E0 Z\u00FCrich\" \u2192 \"\u5317\u4EAC\"")}},
        Row{"StraySpacesAndCapitals",
            "  REPLACE   all  Dashes   WITH a Space ",
            {replace("-", " ", "Replace \"-\" \u2192 \" \"")}},
        Row{"TwoNamedTargets",
            "replace spaces and dots with dashes",
            {replace(" ", "-", "Replace \" \" \u2192 \"-\""),
             replace(".", "-", "Replace \".\" \u2192 \"-\"")}},
        Row{"AndInsideQuotesDoesNotSplit",
            "replace \"salt and pepper\" with \"spice\"",
            {replace("salt and pepper", "spice", "Replace \"salt and pepper\" \u2192 \"spice\"")}},
        Row{"UseInsteadOf",
            "use underscores instead of spaces",
            {replace(" ", "_", "Replace \" \" \u2192 \"_\"")}},
        Row{"ChangeExtension",
            "change extension to txt",
            {rule(RuleType::extensionChange, 0.9, "Change extension to \"txt\"",
                  [](RenameRule& r) { r.newExtension = "txt"; })}},
        Row{"ExtensionWithDotKeepsCase",
            "Set the extension to .JPG",
            {rule(RuleType::extensionChange, 0.9, "Change extension to \"JPG\"",
                  [](RenameRule& r) { r.newExtension = "JPG"; })}},
        Row{"ExtensionFromIsReadInPart",
            "change extension from jpeg to jpg",
            {partly(rule(RuleType::extensionChange, 0.9, "Change extension to \"jpg\"",
                         [](RenameRule& r) { r.newExtension = "jpg"; }))}},
        Row{"RemoveExtension",
            "remove the extension",
            {rule(RuleType::extensionChange, 0.9, "Remove the extension")}},
        Row{"AddSuffix", "add suffix _old", {insert("_old", end, 0.9, "Add \"_old\" at end")}},
        Row{"AddAPrefix",
            "add a prefix 2024_",
            {insert("2024_", beginning, 0.9, "Add \"2024_\" at beginning")}},
        Row{"Prepend", "prepend draft-", {insert("draft-", beginning, 0.85, "Prepend \"draft-\"")}},
        Row{"PutInFront",
            "put new_ in front",
            {insert("new_", beginning, 0.9, "Add \"new_\" at beginning")}},
        Row{"NamedCharacterInserted",
            "add a dash at the end of the name",
            {insert("-", end, 0.9, "Add \"-\" at end")}},
        Row{"QuotedAccentsLowerCased",
            "add '\u00C7A' at the start",
            {insert("\u00E7a", beginning, 0.9, "Add \"\u00E7a\" at beginning")}},
        Row{"InsertBeforeText",
            "insert x before 'final'",
            {rule(RuleType::insert, 0.85, "Insert \"x\" before \"final\"",
                  [](RenameRule& r) {
                      r.insertText = "x";
                      r.insertPosition = InsertPosition::beforeText;
                      r.insertAnchorText = "final";
                  })}},
        Row{"InsertAtPosition",
            "insert _ at position 4",
            {insert("_", atIndex, 0.85, "Insert \"_\" at position 4", 4)}},
        Row{"NumberFilesStartingAt",
            "number files starting at 10",
            {numbering(10, NumberingPosition::suffix, "Add sequential numbering from 10")}},
        Row{"NumberingEveryOption",
            "Number the files starting at 10 by 5 with 4 digits at the front, separated by a "
            "dash",
            {rule(RuleType::numbering, 0.85,
                  "Add sequential numbering from 10 as prefix, step 5, 4 digits, separator \"-\"",
                  [](RenameRule& r) {
                      r.numberingStart = 10;
                      r.numberingStep = 5;
                      r.numberingPadding = 4;
                      r.numberingPosition = NumberingPosition::prefix;
                      r.numberingSeparator = "-";
                  })}},
        Row{"NumbersAtTheEndAreNumbering",
            "add numbers at the end",
            {numbering(1, NumberingPosition::suffix, "Add sequential numbering from 1")}},
        Row{"NumberInPlaceOfName",
            "number files instead of the name with no padding",
            {rule(RuleType::numbering, 0.85,
                  "Add sequential numbering from 1 in place of the name, no padding",
                  [](RenameRule& r) {
                      r.numberingPosition = NumberingPosition::replace;
                      r.numberingPadding = 0;
                  })}},
        Row{"RemoveSpaces", "remove spaces", {removeNamed(" ")}},
        Row{"RemoveNamedList",
            "delete all dashes, dots and (",
            {removeNamed("-", "Delete"), removeNamed(".", "Delete"), removeNamed("(", "Delete")}},
        Row{"RemoveNumbersIsNotNumbering",
            "remove numbers",
            {rule(RuleType::regex, 0.9, "Remove every digit",
                  [](RenameRule& r) { r.findText = "\\d"; })}},
        Row{"RemoveFirstCharacter",
            "delete the first character",
            {removeCount(RemoveTarget::firstN, 1, "Remove first 1 characters")}},
        Row{"RemoveRange",
            "remove characters 2 to 5",
            {rule(RuleType::remove, 0.9, "Remove characters 2 to 5",
                  [](RenameRule& r) {
                      r.removeTarget = RemoveTarget::fromTo;
                      r.removeFromIndex = 1;
                      r.removeToIndex = 5;
                  })}},
        Row{"RemovePositions",
            "remove from position 2 to 5",
            {rule(RuleType::remove, 0.9, "Remove from position 2 to 5",
                  [](RenameRule& r) {
                      r.removeTarget = RemoveTarget::fromTo;
                      r.removeFromIndex = 2;
                      r.removeToIndex = 5;
                  })}},
        Row{"RemoveBetweenMarkersAndDoesNotSplit",
            "remove the text between ( and )",
            {removeBetween("(", ")")}},
        Row{"RemoveInBrackets", "remove everything in square brackets", {removeBetween("[", "]")}},
        Row{"RemoveSpecialCharacters", "remove special characters", {cleanup(true)}},
        Row{"Trim", "trim spaces", {rule(RuleType::trim, 0.9, "Trim white space at both ends")}},
        Row{"LeadingAndTrailingIsOneInstruction",
            "remove leading and trailing spaces",
            {rule(RuleType::trim, 0.9, "Trim white space at both ends")}},
        Row{"ConvertToSentenceCase",
            "Convert to Sentence Case",
            {toCase(CaseConversionType::sentenceCase, "Convert to Sentence case")}},
        Row{"ChangeItToUppercaseIsNoReplacement",
            "change it to uppercase",
            {toCase(CaseConversionType::uppercase, "Convert to UPPERCASE")}},
        Row{"Capitalize",
            "capitalize each word",
            {toCase(CaseConversionType::titleCase, "Convert to Title Case")}},
        Row{"DateAtTheEndOnly", "add date at the end", {date(end)}},
        Row{"DatePatternAtTheStart",
            "add the date as yyyymmdd in front",
            {rule(RuleType::dateStamp, 0.8, "Add today's date as \"yyyyMMdd\" at beginning",
                  [](RenameRule& r) {
                      r.dateFormat = "yyyyMMdd";
                      r.datePosition = InsertPosition::beginning;
                  })}},
        Row{"DateQuotedPattern",
            "add today's date in format 'dd.MM.yy HH:mm'",
            {rule(RuleType::dateStamp, 0.8, "Add today's date as \"dd.MM.yy HH:mm\"",
                  [](RenameRule& r) { r.dateFormat = "dd.MM.yy HH:mm"; })}},
        Row{"LowercaseAndReplace",
            "lowercase and replace spaces with dashes",
            {toCase(CaseConversionType::lowercase, "Convert to lowercase"),
             replace(" ", "-", "Replace \" \" \u2192 \"-\"")}},
        Row{"ThreeInstructionsInOrder",
            "Clean up, remove the extension and add suffix _x",
            {cleanup(false), rule(RuleType::extensionChange, 0.9, "Remove the extension"),
             insert("_x", end, 0.9, "Add \"_x\" at end")}},
        Row{"UnreadInstructionLowersTheRest",
            "lowercase and make it nicer",
            {partly(toCase(CaseConversionType::lowercase, "Convert to lowercase"))}},
        Row{"MultiWordUnquotedFindIsNothing", "replace salt and pepper with spice", {}}),
    rowName);

struct OrdinalRow {
    std::string name;
    std::string word;
    std::int64_t value;
};

std::string ordinalName(const ::testing::TestParamInfo<OrdinalRow>& info) {
    return info.param.name;
}

class NaturalLanguageOrdinalTest : public ::testing::TestWithParam<OrdinalRow> {};

TEST_P(NaturalLanguageOrdinalTest, ReadsTheWord) {
    EXPECT_EQ(NaturalLanguageParser::ordinalToInt(GetParam().word), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Words, NaturalLanguageOrdinalTest,
    ::testing::Values(
        OrdinalRow{"First", "first", 1}, OrdinalRow{"Fifth", "fifth", 5},
        OrdinalRow{"Eighth", "eighth", 8}, OrdinalRow{"Tenth", "tenth", 10},
        OrdinalRow{"Third", "third", 3}, OrdinalRow{"Digits", "3", 3},
        OrdinalRow{"Suffixed", "3rd", 1}, OrdinalRow{"Eleventh", "eleventh", 1},
        OrdinalRow{"Last", "last", 1}, OrdinalRow{"CapitalisedIsNoOrdinal", "Third", 1},
        OrdinalRow{"Negative", "-5", -5}, OrdinalRow{"Plus", "+7", 7}, OrdinalRow{"Empty", "", 1},
        OrdinalRow{"SignAlone", "-", 1}, OrdinalRow{"TwoSigns", "+-5", 1},
        OrdinalRow{"LeadingBlank", " 3", 1},
        OrdinalRow{"Largest", "9223372036854775807", std::numeric_limits<std::int64_t>::max()},
        OrdinalRow{"Smallest", "-9223372036854775808", std::numeric_limits<std::int64_t>::min()},
        OrdinalRow{"TooLarge", "9223372036854775808", 1},
        OrdinalRow{"ArabicIndicDigit", "\u0663", 1}),
    ordinalName);

TEST(NaturalLanguageParser, EverySuggestionHasAFreshIdentifier) {
    const auto first = NaturalLanguageParser::parse("lowercase and add date at the start");
    const auto second = NaturalLanguageParser::parse("lowercase and add date at the start");
    ASSERT_EQ(first.size(), 2u);
    ASSERT_EQ(second.size(), 2u);
    EXPECT_NE(first[0].rule.id, first[1].rule.id);
    EXPECT_NE(first[0].rule.id, second[0].rule.id);
}

// Inputs of 10,000 characters built to make the lazy patterns backtrack; each must come back
// quickly, and a phrase at the front is still read.
TEST(NaturalLanguageParser, LongHostileInputReturnsPromptly) {
    const std::vector<std::string> inputs = {
        "add " + std::string(9996, ' ') + "x",
        "add" + std::string(9997, ' '),
        [] {
            std::string text;
            while (text.size() < 10000) {
                text += "add x prefix remove delete append insert ";
            }
            return text.substr(0, 10000);
        }(),
        std::string(5000, '"') + std::string(5000, 'a'),
        "replace " + std::string(9992, '\t'),
        [] {
            // Many pieces, each a long list naming the same character again and again.
            std::string text = "remove the text between ";
            while (text.size() < 10000) {
                text += "( and ";
            }
            return text;
        }(),
    };
    for (const auto& input : inputs) {
        const auto started = std::chrono::steady_clock::now();
        NaturalLanguageParser::parse(input);
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));
    }

    const auto started = std::chrono::steady_clock::now();
    const auto suggestions =
        NaturalLanguageParser::parse("replace a with b " + std::string(9983, ' '));
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));
    ASSERT_FALSE(suggestions.empty());
    EXPECT_EQ(suggestions[0].rule.findText, "a");
    EXPECT_EQ(suggestions[0].rule.replaceText, "b");
}

}  // namespace
