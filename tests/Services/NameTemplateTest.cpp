// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Services/NameTemplate.h"

#include <gtest/gtest.h>

#include <string>

#include "Services/RenameEngine.h"

namespace {

using Clock = FileMetadata::Clock;

// A photo and a song as the reader would have left them, and a file with nothing in it.
FileMetadata photo() {
    FileMetadata m;
    m.parts = FileMetadata::file | FileMetadata::exif | FileMetadata::audio | FileMetadata::digest;
    m.size = 2048;
    m.modified = Clock::from_time_t(1700000000);  // 2023-11-14 22:13:20 UTC
    m.exifDate = FileMetadata::WallClock{2024, 5, 17, 23, 59, 9};
    m.make = "Camera Maker";
    m.model = "X/100\x01 ";
    m.iso = 200;
    m.width = 8;
    m.sha256 = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";
    m.artist = "AC/DC";
    m.title = "  Back\tin Black ";
    m.track = 3;
    return m;
}

struct Row {
    const char* name;
    const char* text;
    const char* expected;  // the new base name, or the problem's detail
    bool problem = false;
};

class NameTemplateTable : public ::testing::TestWithParam<Row> {};

// The file is "/music/Holiday/IMG_7.jpg", the 5th of its list (index 4), the 2nd of its
// folder; time zone UTC.
TEST_P(NameTemplateTable, GivesTheNameOrSaysWhichValueIsMissing) {
    const Row& row = GetParam();
    auto parsed = NameTemplate::parse(row.text);
    ASSERT_TRUE(parsed.ok()) << parsed.error().detail;
    const FileItem item(std::filesystem::path("/music/Holiday/IMG_7.jpg"), false);
    const FileMetadata m = photo();
    const ItemFacts facts{&item, &m};
    // Position 4; 2nd of its folder (ordinal 1), 3rd group of companions (ordinal 2).
    const NumberingOrdinals::Ordinals ordinals{{4, 1, 2, 1}};
    const auto made = parsed->apply(icu::UnicodeString::fromUTF8("IMG_7"), ordinals, facts);
    std::string out;
    if (made) {
        made->toUTF8String(out);
    }
    EXPECT_EQ(made ? out : made.error().detail, row.expected);
    EXPECT_EQ(!made.ok(), row.problem);
}

INSTANTIATE_TEST_SUITE_P(
    Tokens, NameTemplateTable,
    ::testing::Values(
        Row{"NameExtFolder", "{name}-{ext}-{folder}", "IMG_7-jpg-Holiday"},
        Row{"Braces", "{{x}} {name}}}", "{x} IMG_7}"},
        Row{"CounterDefaultsAsTheNumberingRule", "{counter}", "005"},
        Row{"CounterArguments", "{counter:10,5,4}", "0030"},
        Row{"CounterByFolder", "{counter:1,1,2,folder}", "02"},
        Row{"CounterShared", "{counter:1,1,1,shared}", "3"},
        // EXIF times are written as the camera wrote them, in no time zone.
        Row{"ExifDateAsWritten", "{exif.date:yyyy-MM-dd HH.mm.ss}", "2024-05-17 23.59.09"},
        Row{"ExifDateDefaultPattern", "{exif.date}", "2024-05-17"},
        Row{"Modified", "{modified:yyyyMMdd-HHmm}", "20231114-2213"},
        Row{"FallbackTakesTheFirstWithAValue", "{exif.lens|exif.make}", "Camera Maker"},
        Row{"PatternServesTheGroup", "{exif.date|modified:yyyyMMdd}", "20240517"},
        Row{"ValuesAreCleaned", "{exif.model}|{audio.artist}|{audio.title}",
            "X_100|AC_DC|Backin Black"},
        Row{"Numbers", "{size} {exif.iso} {exif.width} {audio.track:2} {audio.track}",
            "2048 200 8 03 3"},
        Row{"Digest", "{sha256:8}", "ba7816bf"},
        Row{"MissingValue", "{exif.lens} x", "No lens in this file", true},
        Row{"MissingAlternatives", "{audio.album|audio.genre}", "No album tag in this file", true},
        Row{"MissingBirthTime", "{created}",
            "No creation time for this item: the file system keeps none", true},
        Row{"LiteralBracesOnly", "{{}}", "{}"},
        Row{"NothingLeft", "", "The template leaves this item without a name", true}),
    [](const auto& row) { return std::string(row.param.name); });

// What cannot be read is a problem of the rule, with where it is.
TEST(NameTemplateTest, MalformedTemplatesSayWhatAndWhere) {
    const std::pair<const char*, const char*> rows[] = {
        {"{nme}", "the template has the unknown token {nme} (at offset 0)"},
        {"a {name",
         "the template has a \"{\" that is never closed; write \"{{\" for a brace (at "
         "offset 2)"},
        {"a}",
         "the template has a \"}\" that closes nothing; write \"}}\" for a brace (at offset "
         "1)"},
        {"{}", "the template has an empty token (at offset 0)"},
        {"{exif.make:x}", "the template token {exif.make} takes no argument (at offset 0)"},
        {"{counter:1,x}",
         "the template token {counter} has \"x\" where a whole number from "
         "-999999999 to 999999999 belongs (at offset 0)"},
        {"{counter:1,1,3,disc}",
         "the template token {counter} counts by \"disc\", not by folder or shared (at offset 0)"},
        {"{sha256:0}",
         "the template token {sha256} takes a number of digits from 1 to 64 (at "
         "offset 0)"},
        {"{modified:}", "the template token {modified} has an empty date pattern (at offset 0)"},
    };
    for (const auto& [text, detail] : rows) {
        SCOPED_TRACE(text);
        const auto parsed = NameTemplate::parse(text);
        ASSERT_FALSE(parsed.ok());
        EXPECT_EQ(parsed.error().code, Error::Code::badPattern);
        EXPECT_EQ(parsed.error().detail, detail);
    }
}

// Through the engine: an entry without the value keeps its name with the problem, the rule's
// own fault names the rule, and the extension stays.
TEST(NameTemplateTest, PreviewFlagsMissingValuesAndKeepsTheName) {
    RenameRule rule(RuleType::nameTemplate);
    rule.templateText = "{exif.date:yyyy-MM-dd} {exif.model}";
    const std::vector<FileItem> files{FileItem(std::filesystem::path("/p/a.jpg"), false),
                                      FileItem(std::filesystem::path("/p/b.jpg"), false)};
    const RenameEngine::MetadataList known{std::make_shared<const FileMetadata>(photo()),
                                           std::make_shared<const FileMetadata>()};
    auto entries = RenameEngine::preview({rule}, files, Clock::now(), 1, nullptr, &known);
    EXPECT_EQ(entries[0].preview, "2024-05-17 X_100.jpg");
    EXPECT_FALSE(entries[0].problem);
    EXPECT_EQ(entries[1].preview, "b.jpg");
    ASSERT_TRUE(entries[1].problem);
    EXPECT_EQ(entries[1].problem->code, Error::Code::missingValue);
    EXPECT_EQ(entries[1].problem->detail, "No EXIF date in this file");

    rule.templateText = "{exif.dat}";
    entries = RenameEngine::preview({RenameRule(RuleType::trim), rule}, files, Clock::now(), 1,
                                    nullptr, &known);
    ASSERT_TRUE(entries[0].problem);
    EXPECT_EQ(entries[0].problem->detail,
              "Rule 2: the template has the unknown token {exif.dat} (at offset 0)");
}

}  // namespace
