#include "Models/Utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Shown {
    const char* name;
    std::string bytes;
    std::string terminal;
    std::string window;
};

class Utf8ShownTest : public ::testing::TestWithParam<Shown> {};

TEST_P(Utf8ShownTest, ControlsAreShownNotObeyed) {
    const Shown& row = GetParam();
    EXPECT_EQ(Utf8::forTerminal(row.bytes), row.terminal);
    EXPECT_EQ(Utf8::forWindow(row.bytes), row.window);
}

INSTANTIATE_TEST_SUITE_P(
    , Utf8ShownTest,
    ::testing::Values(Shown{"Plain", "photo 01.jpg", "photo 01.jpg", "photo 01.jpg"},
                      Shown{"Unicode", "Caf\xC3\xA9 \xF0\x9F\x93\xB7",
                            "Caf\xC3\xA9 \xF0\x9F\x93\xB7", "Caf\xC3\xA9 \xF0\x9F\x93\xB7"},
                      // A title change and a clear screen, as a terminal would read them.
                      Shown{"TerminalSequences", "\x1b]0;pwned\x07\x1b[2J",
                            "\\e]0;pwned\\x07\\e[2J",
                            "\xE2\x90\x9B]0;pwned\xE2\x90\x87\xE2\x90\x9B[2J"},
                      Shown{"LineBreaksAndTab", "a\rb\nc\td", "a\\rb\\nc\\td",
                            "a\xE2\x90\x8D"
                            "b\xE2\x90\x8A"
                            "c\xE2\x90\x89"
                            "d"},
                      Shown{"NulAndDel", std::string("a\0b\x7f", 4), "a\\x00b\\x7f",
                            "a\xE2\x90\x80"
                            "b\xE2\x90\xA1"},
                      Shown{"C1Control",
                            "a\xC2\x85"
                            "b\xC2\x9B",
                            "a\\u0085b\\u009b", "a\\u0085b\\u009b"},
                      Shown{"BidiOverrideAndIsolate", "exe.\xE2\x80\xAEtxt\xE2\x81\xA6",
                            "exe.\\u202etxt\\u2066", "exe.\\u202etxt\\u2066"},
                      // A name that spells an escape must not look like one that holds the control.
                      Shown{"Backslash", "a\\eb", "a\\\\eb", "a\\eb"},
                      Shown{"InvalidBytes", "caf\xE9\xFF.txt", "caf\\xe9\\xff.txt",
                            "caf\xEF\xBF\xBD\xEF\xBF\xBD.txt"},
                      Shown{"TruncatedSequence", "a\xE2\x82", "a\\xe2\\x82", "a\xEF\xBF\xBD"}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
