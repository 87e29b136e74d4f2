// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Services/EditList.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

// Every name comes back from its own line exactly, whatever bytes it holds.
TEST(EditListTest, NamesSurviveTheirLines) {
    const std::vector<std::string> names{"plain.txt",
                                         "#tag",
                                         "a\\b",
                                         "line\nbreak\r\t",
                                         std::string("\x1b[31m"),
                                         "caf\xE9",
                                         "\xE2\x80\xAE"
                                         "evil",
                                         " spaced ",
                                         "\xC2\x85next",
                                         "\xF0\x9F\x98\x80"};
    const std::string text = EditList::write(names, {"a comment"});
    EXPECT_EQ(text.find("\t#"), std::string::npos) << text;
    const auto reading = EditList::read(text, names.size());
    ASSERT_TRUE(reading.errors.empty()) << reading.errors.front().detail;
    ASSERT_EQ(reading.names.size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(reading.names.at(i + 1), names[i]) << i;
    }
}

struct ReadRow {
    const char* name;
    std::string text;
    std::map<std::size_t, std::string> names;
    std::vector<std::string> errors;
};

class EditListReadTest : public ::testing::TestWithParam<ReadRow> {};

TEST_P(EditListReadTest, ReadsWhatWasLeft) {
    const ReadRow& row = GetParam();
    const auto reading = EditList::read(row.text, 3);
    std::vector<std::string> errors;
    for (const auto& error : reading.errors) {
        errors.push_back(error.detail);
    }
    EXPECT_EQ(reading.names, row.names);
    EXPECT_EQ(errors, row.errors);
}

INSTANTIATE_TEST_SUITE_P(
    , EditListReadTest,
    ::testing::Values(
        ReadRow{"CommentsBlanksAndCrlf", "# x\n\n2\tb\r\n#1\tz\n", {{2, "b"}}, {}},
        ReadRow{"RemovedLinesAreAbsent", "", {}, {}},
        ReadRow{"EmptyNameIsANameNotAnError", "1\t\n", {{1, ""}}, {}},
        ReadRow{"UnknownIds",
                "0\ta\n4\tb\nx\tc\n 1\td\n",
                {},
                {"line 1: unknown ID \"0\"", "line 2: unknown ID \"4\"", "line 3: unknown ID \"x\"",
                 "line 4: unknown ID \" 1\""}},
        ReadRow{"RepeatedId", "1\ta\n1\tb\n", {{1, "a"}}, {"line 2: ID 1 is given twice"}},
        ReadRow{"NoTab", "1 a\n", {}, {"line 1: no TAB between the ID and the name"}},
        ReadRow{"BadEscapes",
                "1\ta\\q\n2\t\\x4\n3\t\\ud800\n",
                {},
                {"line 1: a backslash that starts no known escape",
                 "line 2: a backslash that starts no known escape",
                 "line 3: a backslash that starts no known escape"}},
        ReadRow{"SlashOrNul",
                "1\ta/b\n2\t\\x00\n3\tok\\x2fno\n",
                {},
                {"line 1: a name cannot hold \"/\" or a NUL byte",
                 "line 2: a name cannot hold \"/\" or a NUL byte",
                 "line 3: a name cannot hold \"/\" or a NUL byte"}}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
