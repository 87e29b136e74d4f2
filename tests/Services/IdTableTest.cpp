// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Services/IdTable.h"

#include <gtest/gtest.h>

#include <random>
#include <unordered_map>
#include <vector>

namespace {

// Adds, overwrites and removes ids (from the counter and random ones) in a mixed order that
// makes the table grow and removals shift long runs, checking every answer against a map.
TEST(IdTableTest, AnswersAsAMapDoesThroughGrowthAndRemovals) {
    std::vector<Uuid> ids;
    for (int i = 0; i < 3000; ++i) {
        ids.push_back(i % 3 == 0 ? Uuid::random() : Uuid::sequential());
    }
    std::mt19937 pick(7);
    IdTable<int> table;
    std::unordered_map<Uuid, int> expected;
    for (int step = 0; step < 40000; ++step) {
        const Uuid& id = ids[pick() % ids.size()];
        if (pick() % 3 == 0) {
            table.erase(id);
            expected.erase(id);
        } else {
            table.insertOrAssign(id, step);
            expected.insert_or_assign(id, step);
        }
        if (step % 997 == 0) {
            ASSERT_EQ(table.size(), expected.size());
            for (const auto& each : ids) {
                const int* found = table.find(each);
                const auto known = expected.find(each);
                ASSERT_EQ(found != nullptr, known != expected.end());
                if (found != nullptr) {
                    EXPECT_EQ(*found, known->second);
                }
            }
        }
    }
    table.clear();
    EXPECT_TRUE(table.empty());
    EXPECT_FALSE(table.contains(ids.front()));
    table.erase(ids.front());
    EXPECT_EQ(table.size(), 0u);
}

}  // namespace
