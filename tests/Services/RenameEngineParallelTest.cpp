// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <vector>

#include "Models/FileItem.h"
#include "Models/RenameRule.h"
#include "Services/RenameEngine.h"

namespace {

std::vector<FileItem> manyItems() {
    // Repeats and letter-case twins, so that conflicts fall on both sides of every slice
    // boundary, and names with combining marks and emoji beside plain ones.
    const std::vector<std::string> stems{
        "Report",      "report", "cafe\xCC\x81", "caf\xC3\xA9", "\xF0\x9F\x93\xB7 photo",
        "draft  notes"};
    std::vector<FileItem> items;
    for (int i = 0; i < 10007; ++i) {
        const std::string name = stems[static_cast<std::size_t>(i) % stems.size()] + " " +
                                 std::to_string(i % 1000) + ".txt";
        items.emplace_back(std::filesystem::path("/nonexistent") / name, false);
    }
    return items;
}

std::vector<RenameRule> chain() {
    RenameRule replace(RuleType::replace);
    replace.findText = "DRAFT";
    replace.replaceText = "final";
    RenameRule regex(RuleType::regex);
    regex.findText = "(\\d+)$";
    regex.replaceText = "n$1";
    RenameRule title(RuleType::caseConversion);
    title.caseType = CaseConversionType::titleCase;
    RenameRule numbering(RuleType::numbering);
    numbering.numberingStart = 7;
    RenameRule cleanup(RuleType::cleanup);
    return {replace, regex, title, numbering, cleanup};
}

void checkThreadCounts(const std::vector<FileItem>& items, const std::vector<RenameRule>& rules,
                       bool expectConflicts) {
    const auto now = RenameEngine::Clock::now();
    const auto sequential = RenameEngine::preview(rules, items, now, 1);
    ASSERT_EQ(sequential.size(), items.size());
    const auto conflicts = std::count_if(sequential.begin(), sequential.end(),
                                         [](const PreviewEntry& e) { return e.hasConflict; });
    EXPECT_EQ(conflicts > 0, expectConflicts);
    for (unsigned threads : {2u, 3u, 8u, 0u}) {
        EXPECT_EQ(RenameEngine::preview(rules, items, now, threads), sequential)
            << threads << " threads";
    }
}

}  // namespace

TEST(RenameEngineParallelTest, PreviewOnSeveralThreadsEqualsTheSequentialOne) {
    const auto items = manyItems();
    // With numbering every name is distinct and the index of each slice matters; without
    // it, the conflicts across slices do.
    checkThreadCounts(items, chain(), false);
    auto withoutNumbering = chain();
    withoutNumbering[3].isEnabled = false;
    checkThreadCounts(items, withoutNumbering, true);
}

// A preview whose answer is no longer wanted gives up wherever it is told (among the names,
// on any thread, or in the planner) and returns nothing; one never told to stop gives the
// same entries as without a stop. The stop is asked now and then, never once per name.
TEST(RenameEngineParallelTest, APreviewGivesUpWhenItsAnswerIsNoLongerWanted) {
    struct Row {
        const char* what;
        unsigned threads;
        // The ask that says stop, counted from 1; 0: none does.
        int stopAt;
    };
    const auto items = manyItems();
    // One thread asks every 256 names, so ask 41 is the planner's first.
    const int namesAsked = static_cast<int>((items.size() + 255) / 256);
    const std::vector<Row> rows = {
        {"never told: the same entries", 1, 0},
        {"never told, on three threads", 3, 0},
        {"told at once", 1, 1},
        {"told among the names, on two threads", 2, 10},
        {"told in the planner", 1, namesAsked + 1},
    };
    const auto rules = chain();
    const auto now = RenameEngine::Clock::now();
    const auto full = RenameEngine::preview(rules, items, now, 1);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        std::atomic<int> asks{0};
        const auto stop = [&asks, &row] { return ++asks == row.stopAt; };
        const auto entries =
            RenameEngine::preview(rules, items, now, row.threads, nullptr, nullptr, stop);
        if (row.stopAt == 0) {
            EXPECT_EQ(entries, full);
            EXPECT_GE(asks.load(), namesAsked);
            EXPECT_LE(static_cast<std::size_t>(asks.load()), items.size() / 100);
        } else {
            EXPECT_TRUE(entries.empty());
            // Once told, nobody asks again (but a thread asking at that moment).
            EXPECT_GE(asks.load(), row.stopAt);
            EXPECT_LE(asks.load(), row.stopAt + static_cast<int>(row.threads) - 1);
        }
    }
}
