// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Models/Uuid.h"

#include <gtest/gtest.h>

#include <set>
#include <thread>
#include <vector>

TEST(UuidTest, RandomIdsAreVersionFourAndDistinctAcrossRefillsAndThreads) {
    // More than one block of kernel randomness per thread, on two threads at once.
    constexpr int perThread = 1000;
    std::vector<Uuid> first(perThread);
    std::vector<Uuid> second(perThread);
    std::thread other([&] {
        for (auto& id : second) {
            id = Uuid::random();
        }
    });
    for (auto& id : first) {
        id = Uuid::random();
    }
    other.join();
    std::set<Uuid> all(first.begin(), first.end());
    all.insert(second.begin(), second.end());
    EXPECT_EQ(all.size(), 2u * perThread);
    for (const auto& id : all) {
        const std::string text = id.toString();
        ASSERT_EQ(text[14], '4') << text;
        ASSERT_TRUE(std::string("89AB").find(text[19]) != std::string::npos) << text;
    }
}

TEST(UuidTest, TextFormIsUpperCaseAndEitherCaseReadsBack) {
    const auto id = Uuid::random();
    const std::string upper = id.toString();
    std::string lower = upper;
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    EXPECT_EQ(upper.find_first_of("abcdef"), std::string::npos);
    EXPECT_EQ(Uuid::fromString(upper), id);
    EXPECT_EQ(Uuid::fromString(lower), id);
    for (const char* bad :
         {"", "not-a-uuid", "E621E1F8-C36C-495A-93FC-0C247A3E6E5",  // one short
          "E621E1F8-C36C-495A-93FC-0C247A3E6E5FF", "E621E1F8xC36C-495A-93FC-0C247A3E6E5F"}) {
        EXPECT_FALSE(Uuid::fromString(bad).has_value()) << bad;
    }
}
