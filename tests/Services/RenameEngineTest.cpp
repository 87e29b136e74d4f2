// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Services/RenameEngine.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

RenameRule literal(std::string find, std::string with, bool caseSensitive = false) {
    RenameRule rule(RuleType::replace);
    rule.findText = std::move(find);
    rule.replaceText = std::move(with);
    rule.isCaseSensitive = caseSensitive;
    return rule;
}

RenameRule pattern(std::string find, std::string with, bool caseSensitive = false) {
    RenameRule rule = literal(std::move(find), std::move(with), caseSensitive);
    rule.useRegex = true;
    return rule;
}

RenameRule regexRule(std::string find, std::string with, bool caseSensitive = false) {
    RenameRule rule(RuleType::regex);
    rule.findText = std::move(find);
    rule.replaceText = std::move(with);
    rule.isCaseSensitive = caseSensitive;  // the regex kind must not read it
    return rule;
}

RenameRule extension(std::string newExtension, bool enabled = true) {
    RenameRule rule(RuleType::extensionChange);
    rule.newExtension = std::move(newExtension);
    rule.isEnabled = enabled;
    return rule;
}

RenameRule disabled(RenameRule rule) {
    rule.isEnabled = false;
    return rule;
}

const RenameRule kTrim(RuleType::trim);

struct Transform {
    std::string name;
    std::vector<RenameRule> rules;
    std::string input;
    std::string output;
};

class RenameEngineTransformTest : public ::testing::TestWithParam<Transform> {};

TEST_P(RenameEngineTransformTest, AppliesTheRulesInOrder) {
    const auto& row = GetParam();
    EXPECT_EQ(RenameEngine::applyRules(row.rules, row.input, 0, "txt"), row.output);
}

INSTANTIATE_TEST_SUITE_P(
    , RenameEngineTransformTest,
    ::testing::Values(
        Transform{"NoRules", {}, "Name", "Name"},
        Transform{"LiteralCaseSensitive", {literal("a", "o", true)}, "Banana", "Bonono"},
        Transform{"LiteralCaseSensitiveMisses", {literal("a", "o", true)}, "ABBA", "ABBA"},
        Transform{"LiteralIgnoringCase", {literal("a", "o")}, "ABBA", "oBBo"},
        Transform{"LiteralEmptyFindMatchesNothing", {literal("", "x")}, "abc", "abc"},
        Transform{"LiteralTakesDollarLiterally", {literal("b", "$0\\1")}, "abc", "a$0\\1c"},
        Transform{"LiteralPatternCharactersAreText", {literal(".", "-")}, "a.b.c", "a-b-c"},
        Transform{"LiteralNonOverlapping", {literal("aa", "b")}, "aaaaa", "bba"},
        Transform{"LiteralNonAsciiIgnoringCase", {literal("\xC3\x89", "E")}, "caf\xC3\xA9", "cafE"},
        Transform{"LiteralNfcFindsNfd", {literal("\xC3\xA9", "e")}, "Cafe\xCC\x81", "Cafe"},
        Transform{"LiteralEmoji",
                  {literal("\xF0\x9F\x93\xB7", "photo")},
                  "\xF0\x9F\x93\xB7 1",
                  "photo 1"},
        Transform{"LiteralNeverSplitsACharacter",
                  {literal("e", "x")},
                  "Cafe\xCC\x81 e",
                  "Cafe\xCC\x81 x"},
        Transform{"RegexGroupTemplate", {pattern("(\\d+)", "#$1")}, "img12", "img#12"},
        Transform{"RegexWholeMatch", {pattern("\\d", "<$0>")}, "a1b2", "a<1>b<2>"},
        Transform{"RegexIgnoringCase", {pattern("IMG", "pic")}, "img_IMG", "pic_pic"},
        Transform{"RegexCaseSensitive", {pattern("IMG", "pic", true)}, "img_IMG", "img_pic"},
        Transform{"RegexBackslashEscapesDollar", {pattern("a", "\\$1")}, "cat", "c$1t"},
        Transform{"RegexDoesNotCompile", {pattern("(", "x")}, "a(b", "a(b"},
        Transform{"RegexEmptyPatternMatchesEverywhere", {pattern("", "-")}, "ab", "-a-b-"},
        Transform{"RegexLazyQuantifier", {pattern("<.+?>", "")}, "a<b>c<d>", "ac"},
        Transform{"RegexUnicodeClass",
                  {pattern("\\p{L}", "L")},
                  "\xC3\xA9"
                  "1",
                  "L1"},
        Transform{"RegexKindIsCaseSensitive", {regexRule("IMG", "pic")}, "img", "img"},
        Transform{"RegexKindMatches", {regexRule("^(\\w+)-(\\w+)$", "$2-$1")}, "ab-cd", "cd-ab"},
        Transform{"RegexKindEmptyPatternChangesNothing", {regexRule("", "-")}, "ab", "ab"},
        Transform{"RegexKindDoesNotCompile", {regexRule("[", "x")}, "a[", "a["},
        Transform{"TrimSpacesAndTabs", {kTrim}, " \t a b \t ", "a b"},
        Transform{
            "TrimUnicodeSpaceSeparators", {kTrim}, "\xC2\xA0\xE3\x80\x80name\xE2\x80\x83", "name"},
        Transform{"TrimKeepsLineBreaks", {kTrim}, "\n name \n", "\n name \n"},
        Transform{"TrimToEmpty", {kTrim}, "   ", ""},
        Transform{"DisabledRuleIsSkipped", {disabled(literal("a", "b"))}, "aaa", "aaa"},
        Transform{
            "EachRuleSeesThePreviousOutput", {literal("a", "b"), literal("b", "c")}, "ab", "cc"},
        Transform{"ExtensionRuleLeavesTheBase", {extension("png")}, "photo", "photo"}),
    [](const auto& row) { return row.param.name; });

TEST(RenameEngineTest, SingleTransformsRunEvenWhenTheRuleIsDisabled) {
    EXPECT_EQ(RenameEngine::applyReplace(disabled(literal("a", "o", true)), "Banana"), "Bonono");
    EXPECT_EQ(RenameEngine::applyRegex(regexRule("(\\d+)", "#$1"), "img12"), "img#12");
}

TEST(RenameEngineTest, ACatastrophicPatternGivesUpPromptly) {
    const std::string name = std::string(40, 'a') + "b";
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(RenameEngine::applyRules({regexRule("(a+)+$", "x")}, name, 0, ""), name);
    EXPECT_EQ(RenameEngine::applyRules({pattern("(a+)+$", "x")}, name, 0, ""), name);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

std::vector<FileItem> items(const std::vector<std::string>& names) {
    std::vector<FileItem> out;
    for (const auto& name : names) {
        out.emplace_back(fs::path("/folder") / name, false);
    }
    return out;
}

std::vector<std::string> newNames(const std::vector<PreviewEntry>& entries) {
    std::vector<std::string> out;
    for (const auto& e : entries) {
        out.push_back(e.preview);
    }
    return out;
}

std::vector<bool> conflicts(const std::vector<PreviewEntry>& entries) {
    std::vector<bool> out;
    for (const auto& e : entries) {
        out.push_back(e.hasConflict);
    }
    return out;
}

struct Final {
    std::string name;
    std::vector<RenameRule> rules;
    std::string file;
    std::string preview;
};

class RenameEngineFinalNameTest : public ::testing::TestWithParam<Final> {};

TEST_P(RenameEngineFinalNameTest, JoinsBaseAndExtension) {
    const auto& row = GetParam();
    const auto entries = RenameEngine::preview(row.rules, items({row.file}));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].original, row.file);
    EXPECT_EQ(entries[0].preview, row.preview);
}

INSTANTIATE_TEST_SUITE_P(
    , RenameEngineFinalNameTest,
    ::testing::Values(
        Final{"RulesNeverSeeTheExtension", {literal("jpg", "x")}, "jpg.jpg", "x.jpg"},
        Final{"LastEnabledExtensionWins", {extension("png"), extension("jpg")}, "a.gif", "a.jpg"},
        Final{"DisabledExtensionIgnored",
              {extension("png"), extension("jpg", false)},
              "a.gif",
              "a.png"},
        Final{"ExtensionRulePlaceDoesNotMatter",
              {extension("png"), literal("a", "b")},
              "a.gif",
              "b.png"},
        Final{"EmptyExtensionDropsIt", {extension("")}, "photo.jpg", "photo"},
        Final{"ExtensionTakenVerbatim", {extension(".JPG")}, "photo.jpg", "photo..JPG"},
        Final{"NoExtensionGainsOne", {extension("md")}, "README", "README.md"},
        Final{"FolderWithDot", {literal("Holiday", "Trip")}, "Holiday.Photos", "Trip.Photos"},
        Final{"HiddenNameIsAllBase", {literal(".", "_")}, ".env", "_env"},
        Final{"EmptiedBaseKeepsExtension", {pattern(".*", "")}, "notes.txt", ".txt"},
        Final{"TrailingDotIsBase", {literal(".", "!")}, "draft.", "draft!"}),
    [](const auto& row) { return row.param.name; });

TEST(RenameEngineTest, PreviewOfNoFilesIsEmpty) {
    EXPECT_TRUE(RenameEngine::preview({literal("a", "b")}, {}).empty());
}

TEST(RenameEngineTest, NamesThatStayNeverConflict) {
    const auto entries = RenameEngine::preview({}, items({"a.txt", "b.txt", "A.TXT"}));
    EXPECT_EQ(newNames(entries), (std::vector<std::string>{"a.txt", "b.txt", "A.TXT"}));
    EXPECT_EQ(conflicts(entries), (std::vector<bool>{false, false, false}));
}

// Two new names that differ only in letter case, non-ASCII letters included: a conflict
// where the folder ignores case, a warning where it does not.
TEST(RenameEngineTest, LetterCaseTwinsConflictOnlyWhereTheFolderIgnoresCase) {
    const std::vector<RenameRule> rules{regexRule("^x1$", "\xC3\x89t\xC3\xA9"),
                                        regexRule("^x2$", "\xC3\xA9T\xC3\x89")};
    for (bool caseInsensitive : {true, false}) {
        SCOPED_TRACE(caseInsensitive);
        const RenamePlanner::Folders folders{{"/folder", FolderFacts{caseInsensitive, {}}}};
        const auto entries = RenameEngine::preview(rules, items({"x1.txt", "x2.txt"}),
                                                   RenameEngine::Clock::now(), 1, &folders);
        EXPECT_EQ(conflicts(entries), (std::vector<bool>{false, caseInsensitive}));
        EXPECT_EQ(entries[1].warning.value_or(Error{}).detail,
                  caseInsensitive ? ""
                                  : "Differs from \xE2\x80\x9C\xC3\x89t\xC3\xA9.txt\xE2\x80\x9D "
                                    "only in letter case");
    }
}

TEST(RenameEngineTest, ConflictsArePerFolder) {
    std::vector<FileItem> files{
        FileItem("/one/photo.jpg", false), FileItem("/two/photo.jpg", false),
        FileItem("/one/picture.jpg", false), FileItem("/two/picture.jpg", false)};
    const auto entries = RenameEngine::preview({literal("picture", "photo")}, files);
    EXPECT_EQ(newNames(entries),
              (std::vector<std::string>{"photo.jpg", "photo.jpg", "photo.jpg", "photo.jpg"}));
    EXPECT_EQ(conflicts(entries), (std::vector<bool>{false, false, false, false}));
    // Each picture.jpg would land on the photo.jpg that stays in its own folder.
    EXPECT_EQ(entries[2].problem.value_or(Error{}).detail,
              "An item named \xE2\x80\x9Cphoto.jpg\xE2\x80\x9D already exists in this folder.");
    EXPECT_EQ(entries[3].problem.value_or(Error{}).detail,
              entries[2].problem.value_or(Error{}).detail);
}

TEST(RenameEngineTest, AnUncheckedItemKeepsItsName) {
    auto files = items({"a.txt", "b.txt"});
    files[0].isSelected = false;
    const auto entries = RenameEngine::preview({literal("b", "a")}, files);
    EXPECT_EQ(conflicts(entries), (std::vector<bool>{false, false}));
    EXPECT_EQ(entries[1].problem.value_or(Error{}).detail,
              "An item named \xE2\x80\x9C"
              "a.txt\xE2\x80\x9D already exists in this folder.");
}

std::string repeat(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) {
        out += text;
    }
    return out;
}

struct Problem {
    std::string name;
    std::vector<RenameRule> rules;
    std::string file;
    std::string problem;
};

class RenameEngineProblemTest : public ::testing::TestWithParam<Problem> {};

TEST_P(RenameEngineProblemTest, SaysWhyANameCannotBeUsed) {
    const auto& row = GetParam();
    const auto entries = RenameEngine::preview(row.rules, items({row.file}));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].problem.value_or(Error{}).detail, row.problem);
    if (row.problem.rfind("Rule ", 0) == 0 || row.problem.rfind("The pattern", 0) == 0) {
        // A rule that cannot run leaves the whole name as it was, not half renamed.
        EXPECT_EQ(entries[0].preview, row.file);
    }
}

const std::string kAs = "x-" + std::string(30, 'a') + "!-x.txt";

INSTANTIATE_TEST_SUITE_P(
    , RenameEngineProblemTest,
    ::testing::Values(
        Problem{"Fine", {literal("a", "b")}, "a.txt", ""},
        Problem{"UnchangedIsFine", {}, "a.txt", ""},
        Problem{"Empty", {pattern(".*", "")}, "notes", "The new name is empty."},
        Problem{"Dot",
                {pattern("^x$", ".")},
                "x",
                "The new name cannot be \xE2\x80\x9C.\xE2\x80\x9D or \xE2\x80\x9C..\xE2\x80\x9D."},
        Problem{"DotDot",
                {pattern("^x$", "..")},
                "x",
                "The new name cannot be \xE2\x80\x9C.\xE2\x80\x9D or \xE2\x80\x9C..\xE2\x80\x9D."},
        Problem{"Slash",
                {literal("-", "/")},
                "a-b",
                "The new name contains \xE2\x80\x9C/\xE2\x80\x9D."},
        Problem{"Nul",
                {literal("-", std::string(1, '\0'))},
                "a-b",
                "The new name contains a NUL character."},
        Problem{"Over255Bytes",
                {literal("a", std::string(256, 'z'))},
                "a",
                "The new name is longer than 255 bytes."},
        // 128 two-byte letters are 128 characters but 256 bytes.
        Problem{"Over255BytesOfUnicode",
                {literal("a", repeat("\xC3\xA9", 128))},
                "a",
                "The new name is longer than 255 bytes."},
        Problem{"NotUtf8", {}, "caf\xE9", "The name is not valid UTF-8 and was left unchanged."},
        Problem{"PatternDoesNotCompile",
                {literal("a", "b"), pattern("(", "x")},
                "a.txt",
                "Rule 2: the pattern does not compile (U_REGEX_MISMATCHED_PAREN at offset 1)"},
        Problem{"DisabledRulesCountForThePosition",
                {disabled(literal("a", "b")), regexRule("[a-", "x")},
                "zzz",
                "Rule 2: the pattern does not compile (U_REGEX_INVALID_RANGE at offset 3)"},
        Problem{"DisabledInvalidRuleIsNoProblem", {disabled(regexRule("(", "x"))}, "a", ""},
        Problem{"GroupBeyondThePattern",
                {regexRule("(\\d)", "$5")},
                "b1",
                "Rule 1: the replacement refers to group 5, which the pattern does not have "
                "(U_INDEX_OUTOFBOUNDS_ERROR at offset 0)"},
        Problem{"InvalidReplacementWhereNothingMatches", {regexRule("(\\d)", "$5")}, "b", ""},
        Problem{"LoneDollar",
                {pattern("b", "x$")},
                "abc",
                "Rule 1: the replacement has a \"$\" without a group number or {name} "
                "(U_REGEX_INVALID_CAPTURE_GROUP_NAME at offset 1)"},
        // Some matches found before the time-out must not be replaced either.
        Problem{"MatchTimesOut",
                {regexRule("(a|aa)+!-y|x", "Y")},
                kAs,
                "The pattern took too long on this name"}),
    [](const auto& row) { return row.param.name; });

}  // namespace
