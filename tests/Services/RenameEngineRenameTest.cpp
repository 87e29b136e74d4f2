// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>
#include <linux/magic.h>

#include <algorithm>
#include <atomic>
#include <map>
#include <string>
#include <vector>

#include "Services/PosixCalls.h"
#include "Services/PosixFileSystem.h"
#include "Services/RenameEngine.h"
#include "Services/RenamePlanner.h"
#include "Support/CaseFoldingCalls.h"
#include "Support/DriveCalls.h"
#include "Support/TempDir.h"

namespace {

namespace fs = std::filesystem;

RenameRule replaceRule(std::string find, std::string with, bool caseSensitive = true) {
    RenameRule rule(RuleType::replace);
    rule.findText = std::move(find);
    rule.replaceText = std::move(with);
    rule.isCaseSensitive = caseSensitive;
    return rule;
}

RenameRule regexRule(std::string pattern, std::string templ) {
    RenameRule rule(RuleType::regex);
    rule.findText = std::move(pattern);
    rule.replaceText = std::move(templ);
    return rule;
}

RenameRule extensionRule(std::string extension) {
    RenameRule rule(RuleType::extensionChange);
    rule.newExtension = std::move(extension);
    return rule;
}

// What is in a folder, name by name: the content of files, "<dir>" for folders.
std::map<std::string, std::string> listing(const TempDir& dir) {
    std::map<std::string, std::string> out;
    for (const auto& entry : fs::directory_iterator(dir.path())) {
        const std::string name = entry.path().filename().string();
        out[name] = entry.is_directory() ? "<dir>" : dir.read(name);
    }
    return out;
}

struct Item {
    std::string name;
    bool folder = false;
    bool selected = true;
    bool create = true;  // false: the item was listed and has vanished since
};

struct Outcome {
    std::string from;
    std::string to;
    bool success;
    std::string errorContains;
};

struct Case {
    const char* name;
    std::vector<Item> items;
    std::vector<RenameRule> rules;
    std::vector<Outcome> results;
    std::map<std::string, std::string> after;  // the folder afterwards
    std::vector<std::string> bystanders = {};  // files outside the batch, content "kept"
};

class RenameEngineRenameTest : public ::testing::TestWithParam<Case> {};

TEST_P(RenameEngineRenameTest, MovesAsTheTableSays) {
    const Case& row = GetParam();
    TempDir dir;
    std::vector<FileItem> files;
    for (const auto& item : row.items) {
        if (item.create) {
            if (item.folder) {
                dir.folder(item.name);
            } else {
                dir.file(item.name, item.name);
            }
        }
        FileItem file(dir.path() / item.name, item.folder);
        file.isSelected = item.selected;
        files.push_back(file);
    }
    for (const auto& name : row.bystanders) {
        dir.file(name, "kept");
    }

    const auto results = RenameEngine::rename(files, row.rules);

    ASSERT_EQ(results.size(), row.results.size());
    for (std::size_t i = 0; i < results.size(); ++i) {
        SCOPED_TRACE(i);
        const auto& want = row.results[i];
        EXPECT_EQ(results[i].originalURL, dir.path() / want.from);
        EXPECT_EQ(results[i].newURL.filename().string(), want.to);
        EXPECT_EQ(results[i].newURL.parent_path(), results[i].originalURL.parent_path());
        EXPECT_EQ(results[i].renamed(), want.success);
        EXPECT_EQ(results[i].error.has_value(), !want.success);
        if (results[i].error) {
            EXPECT_NE(results[i].error->detail.find(want.errorContains), std::string::npos)
                << results[i].error->detail;
        }
    }
    EXPECT_EQ(listing(dir), row.after);
}

const std::string kSlash = "\xE2\x80\x9C/\xE2\x80\x9D";

INSTANTIATE_TEST_SUITE_P(
    , RenameEngineRenameTest,
    ::testing::Values(
        Case{"ChainRunsFromItsFreeEnd",
             {{"a.txt"}, {"b.txt"}},
             {replaceRule("b", "c"), replaceRule("a", "b")},
             {{"a.txt", "b.txt", true, ""}, {"b.txt", "c.txt", true, ""}},
             {{"b.txt", "a.txt"}, {"c.txt", "b.txt"}}},
        Case{"ChainOfThree",
             {{"1.txt"}, {"2.txt"}, {"3.txt"}},
             {regexRule("^3$", "4"), regexRule("^2$", "3"), regexRule("^1$", "2")},
             {{"1.txt", "2.txt", true, ""},
              {"2.txt", "3.txt", true, ""},
              {"3.txt", "4.txt", true, ""}},
             {{"2.txt", "1.txt"}, {"3.txt", "2.txt"}, {"4.txt", "3.txt"}}},
        Case{"SwapByOneExchange",
             {{"a"}, {"b"}},
             {regexRule("^a$", "x"), regexRule("^b$", "a"), regexRule("^x$", "b")},
             {{"a", "b", true, ""}, {"b", "a", true, ""}},
             {{"a", "b"}, {"b", "a"}}},
        Case{"CycleOfThree",
             {{"a"}, {"b"}, {"c"}},
             {regexRule("^a$", "x"), regexRule("^c$", "a"), regexRule("^b$", "c"),
              regexRule("^x$", "b")},
             {{"a", "b", true, ""}, {"b", "c", true, ""}, {"c", "a", true, ""}},
             {{"a", "c"}, {"b", "a"}, {"c", "b"}}},
        Case{"LaterDuplicateIsSkipped",
             {{"one.txt"}, {"two.txt"}},
             {regexRule("^.*$", "a")},
             {{"one.txt", "a.txt", true, ""}, {"two.txt", "a.txt", false, "also gets the name"}},
             {{"a.txt", "one.txt"}, {"two.txt", "two.txt"}}},
        Case{"NamesDifferingInCaseBothMoveInACaseSensitiveFolder",
             {{"one.txt"}, {"two.TXT"}},
             {regexRule("^.*$", "a")},
             {{"one.txt", "a.txt", true, ""}, {"two.TXT", "a.TXT", true, ""}},
             {{"a.txt", "one.txt"}, {"a.TXT", "two.TXT"}}},
        Case{"ATakenNameBlocksTheWholeChain",
             {{"a"}, {"b"}},
             {regexRule("^b$", "c"), regexRule("^a$", "b")},
             {{"a", "b", false,
               "\xE2\x80\x9C"
               "b\xE2\x80\x9D already exists"},
              {"b", "c", false,
               "\xE2\x80\x9C"
               "c\xE2\x80\x9D already exists"}},
             {{"a", "a"}, {"b", "b"}, {"c", "kept"}},
             {"c"}},
        Case{"UnchangedNamesGiveNoResult",
             {{"a.txt"}, {"A.TXT"}},
             {replaceRule("zzz", "y")},
             {},
             {{"a.txt", "a.txt"}, {"A.TXT", "A.TXT"}}},
        Case{"UnselectedItemStays",
             {{"a1.txt", false, false}, {"a2.txt"}},
             {replaceRule("a", "b")},
             {{"a2.txt", "b2.txt", true, ""}},
             {{"a1.txt", "a1.txt"}, {"b2.txt", "a2.txt"}}},
        Case{"EmptyNewExtension",
             {{"photo.jpg"}},
             {extensionRule("")},
             {{"photo.jpg", "photo", true, ""}},
             {{"photo", "photo.jpg"}}},
        Case{"VanishedSourceFailsAndBatchGoesOn",
             {{"gone.txt", false, true, false}, {"here.txt"}},
             {extensionRule("md")},
             {{"gone.txt", "gone.md", false, "No such file or directory"},
              {"here.txt", "here.md", true, ""}},
             {{"here.md", "here.txt"}}},
        Case{"DestinationOutsideTheBatchIsKept",
             {{"draft.txt"}},
             {replaceRule("draft", "final")},
             {{"draft.txt", "final.txt", false, "already exists in this folder"}},
             {{"draft.txt", "draft.txt"}, {"final.txt", "kept"}},
             {"final.txt"}},
        Case{"FolderIsRenamed",
             {{"Holiday.Photos", true}},
             {replaceRule("Holiday", "Trip")},
             {{"Holiday.Photos", "Trip.Photos", true, ""}},
             {{"Trip.Photos", "<dir>"}}},
        Case{"FolderDoesNotReplaceAnEmptyFolder",
             {{"old", true}, {"new", true, false}},
             {replaceRule("old", "new")},
             {{"old", "new", false, "already exists in this folder"}},
             {{"old", "<dir>"}, {"new", "<dir>"}}},
        Case{"UnicodeNamesNfdAndEmoji",
             {{"Cafe\xCC\x81.txt"}, {"\xF0\x9F\x93\xB7 shot.jpg"}},
             {regexRule("\\s", "_"), replaceRule("e\xCC\x81", "\xC3\xA9")},
             {{"Cafe\xCC\x81.txt", "Caf\xC3\xA9.txt", true, ""},
              {"\xF0\x9F\x93\xB7 shot.jpg", "\xF0\x9F\x93\xB7_shot.jpg", true, ""}},
             {{"Caf\xC3\xA9.txt", "Cafe\xCC\x81.txt"},
              {"\xF0\x9F\x93\xB7_shot.jpg", "\xF0\x9F\x93\xB7 shot.jpg"}}},
        // Each kind of name that would leave the folder or cannot exist: refused, no move.
        Case{"EmptyNameRefused",
             {{"notes"}},
             {regexRule("^.*$", "")},
             {{"notes", "notes", false, "The new name is empty."}},
             {{"notes", "notes"}}},
        Case{"DotRefused",
             {{"x"}},
             {regexRule("x", ".")},
             {{"x", "x", false, "cannot be"}},
             {{"x", "x"}}},
        Case{"DotDotRefused",
             {{"x"}},
             {regexRule("x", "..")},
             {{"x", "x", false, "cannot be"}},
             {{"x", "x"}}},
        Case{"SlashRefused",
             {{"a-b.txt"}},
             {replaceRule("-", "/")},
             {{"a-b.txt", "a-b.txt", false, "The new name contains " + kSlash + "."}},
             {{"a-b.txt", "a-b.txt"}}},
        Case{"ParentTraversalRefused",
             {{"a.txt"}},
             {replaceRule("a", "../a")},
             {{"a.txt", "a.txt", false, kSlash}},
             {{"a.txt", "a.txt"}}},
        Case{"NulRefused",
             {{"a.txt"}},
             {replaceRule("a", std::string("a\0b", 3))},
             {{"a.txt", "a.txt", false, "NUL"}},
             {{"a.txt", "a.txt"}}},
        Case{"LongerThan255BytesRefused",
             {{"a.txt"}},
             {replaceRule("a", std::string(252, 'z'))},
             {{"a.txt", std::string(252, 'z') + ".txt", false, "255 bytes"}},
             {{"a.txt", "a.txt"}}},
        // Rules that cannot run on a name refuse it, whatever they did to it so far.
        Case{"TimedOutPatternRefused",
             {{"x-" + std::string(30, 'a') + "!-x.txt"}},
             {regexRule("(a|aa)+!-y|x", "Y")},
             {{"x-" + std::string(30, 'a') + "!-x.txt", "x-" + std::string(30, 'a') + "!-x.txt",
               false, "The pattern took too long on this name"}},
             {{"x-" + std::string(30, 'a') + "!-x.txt", "x-" + std::string(30, 'a') + "!-x.txt"}}},
        Case{"InvalidPatternRefused",
             {{"a.txt"}},
             {replaceRule("a", "b"), regexRule("(", "x")},
             {{"a.txt", "a.txt", false, "Rule 2: the pattern does not compile"}},
             {{"a.txt", "a.txt"}}},
        Case{"InvalidReplacementRefused",
             {{"b1.txt"}},
             {regexRule("(\\d)", "$5")},
             {{"b1.txt", "b1.txt", false, "Rule 1: the replacement refers to group 5"}},
             {{"b1.txt", "b1.txt"}}},
        Case{"Exactly255BytesMoves",
             {{"a.txt"}},
             {replaceRule("a", std::string(251, 'z'))},
             {{"a.txt", std::string(251, 'z') + ".txt", true, ""}},
             {{std::string(251, 'z') + ".txt", "a.txt"}}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(RenameEngineRenameMoreTest, ANameThatIsNotUtf8IsLeftUnchanged) {
    TempDir dir;
    const std::string bad = "caf\xE9.txt";  // Latin-1, not UTF-8
    dir.file(bad, "x");
    std::vector<FileItem> files{FileItem(dir.path() / bad)};
    const auto results = RenameEngine::rename(files, {extensionRule("md")});
    ASSERT_EQ(results.size(), 1u);
    EXPECT_FALSE(results[0].renamed());
    ASSERT_TRUE(results[0].error);
    EXPECT_EQ(results[0].error->code, Error::Code::nameNotUtf8);
    EXPECT_EQ(results[0].newURL, dir.path() / bad);
    EXPECT_EQ(listing(dir), (std::map<std::string, std::string>{{bad, "x"}}));
}

TEST(RenameEngineRenameMoreTest, NothingChangingGivesAnEmptyList) {
    TempDir dir;
    dir.file("a.txt");
    EXPECT_TRUE(RenameEngine::rename({FileItem(dir.path() / "a.txt")}, {}).empty());
}

TEST(RenameEngineRenameMoreTest, TheItemsPassedInAreNotChanged) {
    TempDir dir;
    dir.file("a.txt");
    std::vector<FileItem> files{FileItem(dir.path() / "a.txt")};
    const auto copy = files;
    RenameEngine::rename(files, {extensionRule("md")});
    EXPECT_EQ(files[0].url, copy[0].url);
}

TEST(RenameEngineRenameMoreTest, ProgressCountsTheAttemptedMoves) {
    TempDir dir;
    std::vector<FileItem> files;
    for (const char* name : {"a.txt", "b.md", "c.md", "d.md"}) {
        dir.file(name);
        files.emplace_back(dir.path() / name);
    }
    files[3].isSelected = false;
    RenameEngine::RenameOptions options;
    std::vector<std::pair<std::size_t, std::size_t>> reports;
    options.progress = [&](std::size_t done, std::size_t total) {
        reports.emplace_back(done, total);
    };
    // a.txt keeps its name and d.md is not selected: two moves in all.
    const auto results = RenameEngine::rename(files, {extensionRule("txt")}, options);
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(reports, (std::vector<std::pair<std::size_t, std::size_t>>{{1, 2}, {2, 2}}));
}

TEST(RenameEngineRenameMoreTest, AStopRequestEndsTheBatchBeforeTheNextMove) {
    TempDir dir;
    std::vector<FileItem> files;
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
        dir.file(name);
        files.emplace_back(dir.path() / name);
    }
    std::atomic<bool> stop{false};
    RenameEngine::RenameOptions options;
    options.stop = &stop;
    std::vector<std::pair<std::size_t, std::size_t>> reports;
    options.progress = [&](std::size_t done, std::size_t total) {
        reports.emplace_back(done, total);
        if (done == 2) {
            stop = true;
        }
    };
    const auto results = RenameEngine::rename(files, {extensionRule("md")}, options);
    ASSERT_EQ(results.size(), 3u);
    EXPECT_EQ(results[1].status, RenameResult::Status::renamed);
    EXPECT_EQ(results[2].status, RenameResult::Status::notAttempted);
    EXPECT_EQ(reports, (std::vector<std::pair<std::size_t, std::size_t>>{{1, 3}, {2, 3}}));
    EXPECT_EQ(listing(dir),
              (std::map<std::string, std::string>{{"a.md", ""}, {"b.md", ""}, {"c.txt", ""}}));
}

TEST(RenameEngineRenameMoreTest, AnUnselectedItemCountsForNumbering) {
    RenameRule numbering(RuleType::numbering);
    numbering.numberingPadding = 1;
    TempDir dir;
    std::vector<FileItem> files;
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
        dir.file(name, name);
        files.emplace_back(dir.path() / name);
    }
    files[1].isSelected = false;
    RenameEngine::rename(files, {numbering});
    EXPECT_EQ(listing(dir), (std::map<std::string, std::string>{
                                {"a_1.txt", "a.txt"}, {"b.txt", "b.txt"}, {"c_3.txt", "c.txt"}}));
}

TEST(RenameEngineRenameMoreTest, ACaseOnlyChangeOnACaseInsensitiveFolderSucceeds) {
    TempDir dir;
    dir.file("photo.jpg", "picture");
    CaseFoldingCalls calls;
    PosixFileSystem disk(calls);
    RenameEngine::RenameOptions options;
    options.fileSystem = &disk;
    const auto results = RenameEngine::rename({FileItem(dir.path() / "photo.jpg")},
                                              {replaceRule("photo", "Photo")}, options);
    ASSERT_EQ(results.size(), 1u);
    EXPECT_TRUE(results[0].renamed()) << results[0].error.value_or(Error{}).detail;
    // Refused as a clash with itself, then through a temporary name.
    ASSERT_EQ(calls.renames.size(), 3u);
    EXPECT_EQ(calls.renames.back().second, "Photo.jpg");
    EXPECT_EQ(listing(dir), (std::map<std::string, std::string>{{"photo.jpg", "picture"}}));
}

TEST(RenameEngineRenameMoreTest, ADriveOfWindowsRulesRefusesItsNamesBeforeAnythingMoves) {
    struct Drive {
        long type;
        const char* mounted;
        bool windowsNames;
    };
    for (const Drive& drive : std::vector<Drive>{{MSDOS_SUPER_MAGIC, "vfat", true},
                                                 {EXFAT_SUPER_MAGIC, "exfat", true},
                                                 {0x7366746e, "ntfs3", true},
                                                 {0xFF534D42, "cifs", true},
                                                 {0xFE534D42, "smb3", true},
                                                 {FUSE_SUPER_MAGIC, "fuseblk", true},
                                                 {FUSE_SUPER_MAGIC, "fuse.sshfs", false},
                                                 {EXT4_SUPER_MAGIC, "ext4", false}}) {
        TempDir dir;
        DriveCalls calls(drive.type, drive.mounted);
        EXPECT_EQ(PosixFileSystem(calls).folderFacts(dir.path())->windowsNames, drive.windowsNames)
            << drive.mounted;
    }

    struct Name {
        std::string name;
        std::optional<Error::Code> refused;  // none: renamed
        std::string subject = {};
    };
    using C = Error::Code;
    const std::vector<Name> names = {
        {"AC:DC.mp3", C::driveCharacter, ":"},
        {"Why?.mp3", C::driveCharacter, "?"},
        {"a\\b|c.mp3", C::driveCharacter, "\\"},
        {"tab\there.mp3", C::driveControl},
        {"ends.", C::driveTrailingDot},
        {"ends ", C::driveTrailingSpace},
        {"con.mp3", C::driveReservedName, "con"},
        {"LPT1", C::driveReservedName, "LPT1"},
        {"Nul .tar.gz", C::driveReservedName, "Nul"},
        {"COM\u00B2.txt", C::driveReservedName, "COM\u00B2"},
        {"console.mp3", std::nullopt},
        {"COM10.mp3", std::nullopt},
        {"M\u00FCller.mp3", std::nullopt},
    };
    TempDir dir;
    std::vector<RenameRequest> requests;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string old = "old" + std::to_string(i);
        dir.file(old, old);
        requests.push_back({(dir.path() / old).native(), names[i].name, true, std::nullopt});
    }
    DriveCalls calls(MSDOS_SUPER_MAGIC, "vfat");
    PosixFileSystem disk(calls);
    const RenamePlan plan =
        RenamePlanner::plan(requests, RenameEngine::readFolders(requests, disk));
    RenameEngine::RenameOptions options;
    options.fileSystem = &disk;
    const auto results = RenameEngine::renameRequests(requests, options);
    ASSERT_EQ(results.size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(names[i].name);
        const auto& skip = plan.entries[i].skip;
        if (!names[i].refused) {
            EXPECT_FALSE(skip.has_value()) << skip.value_or(Error{}).detail;
            EXPECT_TRUE(results[i].renamed());
            EXPECT_EQ(dir.read(names[i].name), "old" + std::to_string(i));
            continue;
        }
        ASSERT_TRUE(skip.has_value());
        EXPECT_EQ(skip->code, *names[i].refused);
        EXPECT_EQ(skip->subject, names[i].subject);
        EXPECT_EQ(results[i].status, RenameResult::Status::skipped);
        EXPECT_EQ(results[i].error, skip);
        EXPECT_EQ(dir.read("old" + std::to_string(i)), "old" + std::to_string(i));
    }
    EXPECT_EQ(plan.entries[0].skip->detail, "This drive does not accept \u201C:\u201D in names.");

    // The preview flags the same, as its problem, with the folder's facts read once.
    dir.file("track.mp3", "t");
    const FileItem item(dir.path() / "track.mp3");
    const RenamePlanner::Folders folders{{dir.path().native(), *disk.folderFacts(dir.path())}};
    const auto preview = RenameEngine::preview({replaceRule("track", "AC:DC")}, {item},
                                               RenameEngine::Clock::now(), 1, &folders);
    ASSERT_TRUE(preview[0].problem.has_value());
    EXPECT_EQ(preview[0].problem->code, C::driveCharacter);
    EXPECT_FALSE(preview[0].hasConflict);
}

TEST(RenameEngineRenameMoreTest, PerformMovesReportsEachMoveInOrder) {
    TempDir dir;
    dir.file("a", "1");
    dir.file("c", "3");
    const auto results = RenameEngine::performMoves(
        {{dir.path() / "a", dir.path() / "c"}, {dir.path() / "a", dir.path() / "b"}});
    ASSERT_EQ(results.size(), 2u);
    EXPECT_FALSE(results[0].renamed());
    EXPECT_TRUE(results[1].renamed());
    EXPECT_EQ(listing(dir), (std::map<std::string, std::string>{{"b", "1"}, {"c", "3"}}));
}

}  // namespace

namespace {

// File systems that refuse what the plan prefers: RENAME_EXCHANGE alone, or also
// RENAME_NOREPLACE and hard links (FAT over FUSE).
class NoExchangeCalls : public PosixCalls {
  public:
    bool noReplaceFlag = true;
    int renameExchange(const char*, const char*) override { return EINVAL; }
    int renameNoReplace(const char* from, const char* to) override {
        return noReplaceFlag ? PosixCalls::renameNoReplace(from, to) : EINVAL;
    }
    int link(const char* from, const char* to) override {
        return noReplaceFlag ? PosixCalls::link(from, to) : EPERM;
    }
};

TEST(RenameEngineRenameMoreTest, WithoutExchangesACycleGoesThroughOneTemporaryName) {
    for (bool noReplaceFlag : {true, false}) {
        SCOPED_TRACE(noReplaceFlag);
        TempDir dir;
        std::vector<FileItem> files;
        for (const char* name : {"a", "b", "c"}) {
            files.emplace_back(dir.file(name, name), false);
        }
        dir.folder("d-dir");
        dir.file("d-dir/e-file", "e");
        files.emplace_back(dir.path() / "d-dir", true);
        files.emplace_back(dir.path() / "d-dir" / "e-file", false);
        dir.file("kept", "kept");
        NoExchangeCalls calls;
        calls.noReplaceFlag = noReplaceFlag;
        PosixFileSystem disk(calls);
        RenameEngine::RenameOptions options;
        options.fileSystem = &disk;
        const auto results = RenameEngine::rename(
            files,
            {regexRule("^a$", "x"), regexRule("^c$", "a"), regexRule("^b$", "c"),
             regexRule("^x$", "b"), replaceRule("-", "_"), regexRule("^kept$", "z")},
            options);
        ASSERT_EQ(results.size(), 5u);
        for (const auto& result : results) {
            EXPECT_EQ(result.status, RenameResult::Status::renamed)
                << result.originalURL << ": " << result.error.value_or(Error{}).detail;
        }
        // Only the first entry of the cycle went through the temporary name.
        EXPECT_TRUE(results[0].temporaryURL.has_value());
        EXPECT_FALSE(results[1].temporaryURL.has_value());
        EXPECT_EQ(results[4].newURL, dir.path() / "d_dir" / "e_file");
        EXPECT_EQ(listing(dir),
                  (std::map<std::string, std::string>{
                      {"a", "c"}, {"b", "a"}, {"c", "b"}, {"d_dir", "<dir>"}, {"kept", "kept"}}));
        EXPECT_EQ(dir.read("d_dir/e_file"), "e");
    }
}

}  // namespace
