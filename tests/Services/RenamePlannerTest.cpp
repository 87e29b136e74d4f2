// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Services/RenamePlanner.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

// Paths in the table are below /d; steps and targets are written without that prefix.
std::string shortPath(const std::string& text) {
    return text.rfind("/d/", 0) == 0 ? text.substr(3) : text;
}

std::string describe(const RenameStep& step) {
    const auto list = [](const std::vector<RenameStep>& steps) {
        std::string out;
        for (const auto& s : steps) {
            out += (out.empty() ? "" : ", ") + describe(s);
        }
        return out;
    };
    switch (step.kind) {
        case RenameStep::Kind::move:
            return shortPath(step.from) + ">" + shortPath(step.to);
        case RenameStep::Kind::exchange:
            return shortPath(step.from) + "<>" + shortPath(step.to);
        case RenameStep::Kind::cycle:
            break;
    }
    return "cycle(" + list(step.exchanges) + " | " + list(step.throughTemporary) + ")";
}

std::string outcome(const RenamePlan::Entry& entry) {
    if (!entry.changes) {
        return "stays";
    }
    if (entry.skip) {
        return (entry.skip->code == Error::Code::conflict ? "conflict: " : "skip: ") +
               entry.skip->detail;
    }
    return !entry.warning ? "moves" : "moves; " + entry.warning->detail;
}

struct Request {
    std::string path;  // below /d
    std::string newName;
    bool inBatch = true;
};

struct PlanCase {
    const char* name;
    std::vector<Request> requests;
    // Folder below /d ("" for /d itself) -> case-insensitive?, names on disk.
    std::map<std::string, FolderFacts> folders;
    std::vector<std::string> outcomes;
    std::vector<std::string> steps;
    std::vector<std::string> targets = {};  // checked only when given
};

class RenamePlannerTest : public ::testing::TestWithParam<PlanCase> {};

TEST_P(RenamePlannerTest, PlansAsTheTableSays) {
    const PlanCase& row = GetParam();
    std::vector<RenameRequest> requests;
    for (const auto& r : row.requests) {
        requests.push_back({"/d/" + r.path, r.newName, r.inBatch, std::nullopt});
    }
    RenamePlanner::Folders folders;
    for (const auto& [folder, facts] : row.folders) {
        folders.emplace(folder.empty() ? "/d" : "/d/" + folder, facts);
    }
    const RenamePlan plan = RenamePlanner::plan(requests, folders);

    std::vector<std::string> outcomes;
    std::vector<std::string> targets;
    for (const auto& entry : plan.entries) {
        outcomes.push_back(outcome(entry));
        targets.push_back(shortPath(entry.target));
    }
    std::vector<std::string> steps;
    for (const auto& step : plan.steps) {
        steps.push_back(describe(step));
    }
    EXPECT_EQ(outcomes, row.outcomes);
    EXPECT_EQ(steps, row.steps);
    if (!row.targets.empty()) {
        EXPECT_EQ(targets, row.targets);
    }
}

const std::string kTaken = "skip: An item named \xE2\x80\x9C";
const std::string kExists = "\xE2\x80\x9D already exists in this folder.";
const FolderFacts kCaseInsensitive{true, {}};

INSTANTIATE_TEST_SUITE_P(
    , RenamePlannerTest,
    ::testing::Values(
        PlanCase{"ChainOfOne", {{"1", "2"}}, {}, {"moves"}, {"1>2"}},
        PlanCase{"ChainOfTwo", {{"1", "2"}, {"2", "3"}}, {}, {"moves", "moves"}, {"2>3", "1>2"}},
        PlanCase{"ChainOfThreeListedBackwards",
                 {{"3", "4"}, {"2", "3"}, {"1", "2"}},
                 {},
                 {"moves", "moves", "moves"},
                 {"3>4", "2>3", "1>2"}},
        PlanCase{"ChainOfFour",
                 {{"1", "2"}, {"2", "3"}, {"3", "4"}, {"4", "5"}},
                 {},
                 {"moves", "moves", "moves", "moves"},
                 {"4>5", "3>4", "2>3", "1>2"}},
        PlanCase{"ChainOfFive",
                 {{"1", "2"}, {"2", "3"}, {"3", "4"}, {"4", "5"}, {"5", "6"}},
                 {{"", FolderFacts{false, {"1", "2", "3", "4", "5"}}}},
                 {"moves", "moves", "moves", "moves", "moves"},
                 {"5>6", "4>5", "3>4", "2>3", "1>2"}},
        PlanCase{"Swap",
                 {{"a", "b"}, {"b", "a"}},
                 {{"", FolderFacts{false, {"a", "b"}}}},
                 {"moves", "moves"},
                 {"cycle(a<>b | a>.quorvane-cycle-1, b>a, .quorvane-cycle-1>b)"}},
        PlanCase{"CycleOfThreeInTwoExchanges",
                 {{"a", "b"}, {"b", "c"}, {"c", "a"}},
                 {},
                 {"moves", "moves", "moves"},
                 {"cycle(a<>b, a<>c | a>.quorvane-cycle-1, c>a, b>c, .quorvane-cycle-1>b)"}},
        // The temporary name is none of the folder's names.
        PlanCase{"TemporaryNameIsFree",
                 {{"a", "b"}, {"b", "a"}},
                 {{"", FolderFacts{false, {"a", "b", ".quorvane-cycle-1"}}}},
                 {"moves", "moves"},
                 {"cycle(a<>b | a>.quorvane-cycle-2, b>a, .quorvane-cycle-2>b)"}},
        PlanCase{"FolderWithThreeLevelsMovesAfterItsContents",
                 {{"top", "TOP"},
                  {"top/mid", "MID"},
                  {"top/mid/low", "LOW"},
                  {"top/mid/low/f", "F"},
                  {"top/keep", "keep"}},
                 {},
                 {"moves", "moves", "moves", "moves", "stays"},
                 {"top/mid/low/f>top/mid/low/F", "top/mid/low>top/mid/LOW", "top/mid>top/MID",
                  "top>TOP"},
                 {"TOP", "TOP/MID", "TOP/MID/LOW", "TOP/MID/LOW/F", "TOP/keep"}},
        PlanCase{
            "DuplicatesWithinAFolder",
            {{"a", "x"}, {"b", "x"}, {"c", "x"}},
            {},
            {"moves",
             "conflict: Another item of the batch also gets the name \xE2\x80\x9Cx\xE2\x80\x9D "
             "in this folder.",
             "conflict: Another item of the batch also gets the name \xE2\x80\x9Cx\xE2\x80\x9D "
             "in this folder."},
            {"a>x"}},
        PlanCase{"SameNameInTwoFoldersIsNoConflict",
                 {{"x/read-me", "read_me"}, {"y/READ-ME", "READ_ME"}, {"z/read-me", "read_me"}},
                 {},
                 {"moves", "moves", "moves"},
                 {"x/read-me>x/read_me", "y/READ-ME>y/READ_ME", "z/read-me>z/read_me"}},
        PlanCase{"CaseOnlyChangeInACaseInsensitiveFolder",
                 {{"a.txt", "A.txt"}},
                 {{"", FolderFacts{true, {"a.txt"}}}},
                 {"moves"},
                 {"a.txt>A.txt"}},
        PlanCase{
            "CaseTwinsConflictInACaseInsensitiveFolder",
            {{"a", "X"}, {"b", "x"}},
            {{"", kCaseInsensitive}},
            {"moves",
             "conflict: Another item of the batch also gets the name \xE2\x80\x9Cx\xE2\x80\x9D "
             "in this folder."},
            {"a>X"}},
        PlanCase{"CaseTwinsAreAWarningInACaseSensitiveFolder",
                 {{"a", "X"}, {"b", "x"}, {"c", "readme"}},
                 {{"", FolderFacts{false, {"a", "b", "c", "README"}}}},
                 {"moves; Differs from \xE2\x80\x9Cx\xE2\x80\x9D only in letter case",
                  "moves; Differs from \xE2\x80\x9CX\xE2\x80\x9D only in letter case",
                  "moves; Differs from \xE2\x80\x9CREADME\xE2\x80\x9D only in letter case"},
                 {"a>X", "b>x", "c>readme"}},
        PlanCase{"CaseInsensitiveSwapFixesTheSpellingsAfterwards",
                 {{"a", "B"}, {"b", "A"}},
                 {{"", FolderFacts{true, {"a", "b"}}}},
                 {"moves", "moves"},
                 {"cycle(a<>b, b>B, a>A | a>.quorvane-cycle-1, b>A, .quorvane-cycle-1>B)"}},
        PlanCase{"NameTakenOnDisk",
                 {{"draft", "final"}},
                 {{"", FolderFacts{false, {"draft", "final"}}}},
                 {kTaken + "final" + kExists},
                 {}},
        PlanCase{"NameTakenOnDiskInAnotherSpellingWhereCaseIsIgnored",
                 {{"draft", "final"}},
                 {{"", FolderFacts{true, {"draft", "FINAL"}}}},
                 {kTaken + "FINAL" + kExists},
                 {}},
        PlanCase{"ATakenNameFreedEarlierInThePlan",
                 {{"a", "b"}, {"b", "c"}},
                 {{"", FolderFacts{false, {"a", "b"}}}},
                 {"moves", "moves"},
                 {"b>c", "a>b"}},
        PlanCase{"ABlockedEntryKeepsItsNameAndBlocksItsChain",
                 {{"a", "b"}, {"b", "c"}},
                 {{"", FolderFacts{false, {"a", "b", "c"}}}},
                 {kTaken + "b" + kExists, kTaken + "c" + kExists},
                 {}},
        PlanCase{"AnEntryOutsideTheBatchKeepsItsName",
                 {{"a", "b"}, {"b", "c", false}},
                 {},
                 {kTaken + "b" + kExists, "stays"},
                 {}}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
