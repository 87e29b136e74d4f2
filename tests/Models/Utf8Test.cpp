// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Models/Utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Shown {
    const char* name;
    std::string bytes;
    std::string shown;
};

class Utf8EscapeTest : public ::testing::TestWithParam<Shown> {};

TEST_P(Utf8EscapeTest, ControlsAreShownNotObeyed) {
    EXPECT_EQ(Utf8::escapeControls(GetParam().bytes), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    , Utf8EscapeTest,
    ::testing::Values(
        Shown{"Plain", "photo 01.jpg", "photo 01.jpg"},
        Shown{"Unicode", "Caf\xC3\xA9 \xF0\x9F\x93\xB7", "Caf\xC3\xA9 \xF0\x9F\x93\xB7"},
        // A title change and a clear screen, as a terminal would read them.
        Shown{"TerminalSequences", "\x1b]0;pwned\x07\x1b[2J", "\\e]0;pwned\\x07\\e[2J"},
        Shown{"LineBreaksAndTab", "a\rb\nc\td", "a\\rb\\nc\\td"},
        Shown{"NulAndDel", std::string("a\0b\x7f", 4), "a\\x00b\\x7f"},
        Shown{"C1Control",
              "a\xC2\x85"
              "b\xC2\x9B",
              "a\\u0085b\\u009b"},
        Shown{"BidiOverrideAndIsolate", "exe.\xE2\x80\xAEtxt\xE2\x81\xA6", "exe.\\u202etxt\\u2066"},
        Shown{"OtherFormatCharactersStay",
              "a\xE2\x80\x8B"
              "b",
              "a\xE2\x80\x8B"
              "b"},
        // A name that spells an escape must not look like one that holds the control.
        Shown{"Backslash", "a\\eb", "a\\\\eb"},
        Shown{"InvalidBytes", "caf\xE9\xFF.txt", "caf\\xe9\\xff.txt"},
        Shown{"TruncatedSequence", "a\xE2\x82", "a\\xe2\\x82"}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
