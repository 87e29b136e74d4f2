// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

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
