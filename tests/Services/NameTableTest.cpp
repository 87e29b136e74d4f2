// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Services/NameTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Names that share prefixes, differ only in a last byte or in length, and the empty name, in
// numbers that make the table grow many times.
TEST(NameTableTest, EveryNameKeepsItsFirstValueThroughGrowth) {
    std::vector<std::string> names{"", "a", "A", "a\0b"};
    names[3].assign("a\0b", 3);
    for (int i = 0; i < 20000; ++i) {
        names.push_back("IMG " + std::to_string(i) + ".jpg");
    }
    NameTable<std::size_t> table;
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_TRUE(table.tryEmplace(names[i], i).second) << names[i];
        // A second claim leaves the first value.
        EXPECT_FALSE(table.tryEmplace(names[i], i + 1).second);
    }
    std::size_t visited = 0;
    table.forEach([&](std::string_view name, std::size_t& value) {
        ++visited;
        EXPECT_EQ(name, names[value]);
    });
    EXPECT_EQ(visited, names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::size_t* value = table.find(names[i]);
        ASSERT_NE(value, nullptr) << names[i];
        EXPECT_EQ(*value, i);
    }
    EXPECT_FALSE(table.contains(std::string_view("a\0", 2)));
    EXPECT_FALSE(table.contains("IMG 20000.jpg"));
    EXPECT_FALSE(NameTable<int>().contains(""));
}

}  // namespace
