// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Services/PresetManager.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <ctime>
#include <fstream>
#include <functional>
#include <iterator>

#include "Models/RuleKeys.h"
#include "Services/RuleKinds.h"
#include "Support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

std::vector<std::string> namesOf(const std::vector<Preset>& presets) {
    std::vector<std::string> names;
    for (const auto& preset : presets) {
        names.push_back(preset.name);
    }
    return names;
}

const std::vector<std::string> builtInNames = {"Clean Spaces", "Title Case", "Add Date Suffix",
                                               "Sequential Numbering", "Lowercase + Underscores"};

// Entries of `folder` whose name starts with `prefix`, sorted.
std::vector<std::string> entriesStartingWith(const fs::path& folder, const std::string& prefix) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(prefix, 0) == 0) {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

class PresetManagerTest : public testing::Test {
  protected:
    const std::string relative = "data/Quorvane/Presets/presets.json";
    fs::path file() const { return temp.path() / relative; }
    fs::path folder() const { return file().parent_path(); }
    std::vector<Preset> onDisk() const {
        auto decoded = PresetManager::decodePresets(temp.read(relative));
        EXPECT_TRUE(decoded.ok()) << decoded.error().detail;
        return decoded.ok() ? *decoded : std::vector<Preset>{};
    }

    TempDir temp;
};

TEST_F(PresetManagerTest, FirstStartWritesTheBuiltIns) {
    PresetManager store(file());
    EXPECT_EQ(namesOf(store.presets()), builtInNames);
    EXPECT_FALSE(store.loadProblem());
    EXPECT_FALSE(store.writeProblem());
    EXPECT_FALSE(store.backupFile());
    // One compact array, exactly the list in memory.
    const std::string bytes = temp.read(relative);
    EXPECT_EQ(bytes.find('\n'), std::string::npos);
    EXPECT_EQ(bytes.find(": "), std::string::npos);
    EXPECT_EQ(onDisk(), store.presets());
    // The write leaves nothing else behind in the folder.
    EXPECT_EQ(entriesStartingWith(folder(), ""), std::vector<std::string>{"presets.json"});
}

TEST(PresetManagerBuiltInTest, HoldTheFiveRuleListsInOrder) {
    const auto presets = PresetManager::builtInPresets();
    ASSERT_EQ(presets.size(), 5u);
    const std::vector<std::string> icons = {"sparkles", "textformat", "calendar", "number",
                                            "textformat.abc"};
    for (std::size_t i = 0; i < presets.size(); ++i) {
        EXPECT_EQ(presets[i].name, builtInNames[i]);
        EXPECT_EQ(presets[i].icon, icons[i]);
        for (const auto& rule : presets[i].rules) {
            EXPECT_TRUE(rule.isEnabled);
        }
    }
    ASSERT_EQ(presets[0].rules.size(), 1u);
    const RenameRule& clean = presets[0].rules[0];
    EXPECT_EQ(clean.type, RuleType::cleanup);
    EXPECT_TRUE(clean.trimWhitespace && clean.removeDuplicateSpaces);
    EXPECT_FALSE(clean.replaceSpacesWithUnderscores || clean.removeSpecialChars);
    ASSERT_EQ(presets[1].rules.size(), 1u);
    EXPECT_EQ(presets[1].rules[0].type, RuleType::caseConversion);
    EXPECT_EQ(presets[1].rules[0].caseType, CaseConversionType::titleCase);
    ASSERT_EQ(presets[2].rules.size(), 1u);
    EXPECT_EQ(presets[2].rules[0].type, RuleType::dateStamp);
    EXPECT_EQ(presets[2].rules[0].dateFormat, "yyyy-MM-dd");
    EXPECT_EQ(presets[2].rules[0].datePosition, InsertPosition::end);
    ASSERT_EQ(presets[3].rules.size(), 1u);
    const RenameRule& numbering = presets[3].rules[0];
    EXPECT_EQ(numbering.type, RuleType::numbering);
    EXPECT_EQ(numbering.numberingStart, 1);
    EXPECT_EQ(numbering.numberingStep, 1);
    EXPECT_EQ(numbering.numberingPadding, 3);
    EXPECT_EQ(numbering.numberingPosition, NumberingPosition::suffix);
    EXPECT_EQ(numbering.numberingSeparator, "_");
    ASSERT_EQ(presets[4].rules.size(), 2u);
    EXPECT_EQ(presets[4].rules[0].type, RuleType::caseConversion);
    EXPECT_EQ(presets[4].rules[0].caseType, CaseConversionType::lowercase);
    const RenameRule& underscores = presets[4].rules[1];
    EXPECT_EQ(underscores.type, RuleType::cleanup);
    EXPECT_TRUE(underscores.replaceSpacesWithUnderscores && underscores.trimWhitespace &&
                underscores.removeDuplicateSpaces);
    EXPECT_FALSE(underscores.removeSpecialChars);
    // Fresh identities every time.
    EXPECT_NE(presets[0].id, PresetManager::builtInPresets()[0].id);
}

TEST_F(PresetManagerTest, ReadsAnExistingFileAndLeavesItAlone) {
    const Preset mine(Uuid::random(), "Mine", {RenameRule(RuleType::trim)}, Preset::Clock::now(),
                      "star");
    const std::string bytes = PresetManager::encodePresets({mine});
    temp.file(relative, bytes);
    PresetManager store(file());
    ASSERT_EQ(store.presets().size(), 1u);
    EXPECT_EQ(store.presets()[0], mine);
    EXPECT_EQ(temp.read(relative), bytes);
}

TEST_F(PresetManagerTest, ReadsCreatedAtAsTheSameMoment) {
    json preset = PresetManager::builtInPresets()[0].toJson();
    preset["createdAt"] = 757382400.125;  // 2025-01-01T00:00:00.125Z
    temp.file(relative, json::array({preset}).dump());
    PresetManager store(file());
    ASSERT_EQ(store.presets().size(), 1u);
    using namespace std::chrono_literals;
    EXPECT_EQ(store.presets()[0].createdAt, Preset::Clock::time_point(1735689600s) + 125ms);
}

TEST_F(PresetManagerTest, AnEmptyArrayBringsBackTheBuiltIns) {
    temp.file(relative, "[]");
    PresetManager store(file());
    EXPECT_EQ(namesOf(store.presets()), builtInNames);
    EXPECT_FALSE(store.loadProblem());
    EXPECT_FALSE(store.backupFile());
    EXPECT_EQ(namesOf(onDisk()), builtInNames);
}

struct UnreadableRow {
    const char* name;
    std::function<std::string()> bytes;
};

class PresetManagerUnreadableTest : public PresetManagerTest,
                                    public testing::WithParamInterface<UnreadableRow> {};

// A valid file with one user preset, changed by `change`.
std::string userFile(const std::function<void(json&)>& change) {
    RenameRule rule(RuleType::insert);
    rule.insertText = "Caf\xC3\xA9 ";
    json preset = Preset("My photos", {rule}).toJson();
    change(preset);
    return json::array({preset}).dump();
}

TEST_P(PresetManagerUnreadableTest, KeepsTheFileAsideAndStartsWithTheBuiltIns) {
    const std::string bad = GetParam().bytes();
    temp.file(relative, bad);
    PresetManager store(file());
    EXPECT_EQ(namesOf(store.presets()), builtInNames);
    EXPECT_TRUE(store.loadProblem());
    EXPECT_FALSE(store.writeProblem());
    ASSERT_TRUE(store.backupFile());
    EXPECT_EQ(store.backupFile()->parent_path(), folder());
    EXPECT_EQ(store.backupFile()->filename().string().rfind("presets.json.unreadable-", 0), 0u);
    EXPECT_EQ(temp.read(fs::relative(*store.backupFile(), temp.path()).string()), bad);
    EXPECT_EQ(onDisk(), store.presets());
}

const UnreadableRow unreadableRows[] = {
    {"NotJson", [] { return std::string("my presets, surely"); }},
    {"Truncated", [] { return userFile([](json&) {}).substr(0, 40); }},
    {"EmptyFile", [] { return std::string(); }},
    {"ObjectNotArray", [] { return std::string("{\"name\":\"x\"}"); }},
    {"PresetMissingIcon", [] { return userFile([](json& p) { p.erase("icon"); }); }},
    {"RuleMissingKey", [] { return userFile([](json& p) { p["rules"][0].erase("findText"); }); }},
    {"WrongType", [] { return userFile([](json& p) { p["createdAt"] = "yesterday"; }); }},
    {"InvalidUuid", [] { return userFile([](json& p) { p["id"] = "not-a-uuid"; }); }},
    {"InvalidUtf8", [] { return std::string("[\"\xC3\x28\"]"); }},
};

INSTANTIATE_TEST_SUITE_P(Rows, PresetManagerUnreadableTest, testing::ValuesIn(unreadableRows),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(PresetManagerTest, RepeatedStartsNeverOverwriteAKeptFile) {
    // Three bad files in a row, all within the same second most likely: each is kept under
    // a name of its own.
    const std::vector<std::string> bad = {"first bad", "second bad", "third bad"};
    for (const auto& bytes : bad) {
        temp.file(relative, bytes);
        PresetManager store(file());
        EXPECT_TRUE(store.backupFile());
    }
    const auto kept = entriesStartingWith(folder(), "presets.json.unreadable-");
    ASSERT_EQ(kept.size(), 3u);
    std::vector<std::string> contents;
    for (const auto& name : kept) {
        contents.push_back(temp.read(fs::relative(folder() / name, temp.path()).string()));
    }
    std::sort(contents.begin(), contents.end());
    EXPECT_EQ(contents, (std::vector<std::string>{"first bad", "second bad", "third bad"}));
    EXPECT_EQ(namesOf(onDisk()), builtInNames);
}

std::string stamp(std::time_t moment) {
    std::tm local{};
    ::localtime_r(&moment, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

TEST_F(PresetManagerTest, AnOccupiedNameIsNotTakenOverEvenByADanglingLink) {
    temp.file(relative, "bad");
    // Occupy the names of this second and the next, so the start cannot avoid them by luck.
    const std::time_t now = std::time(nullptr);
    std::vector<fs::path> taken;
    for (const std::time_t moment : {now, now + 1}) {
        const fs::path base = folder() / ("presets.json.unreadable-" + stamp(moment));
        fs::create_symlink("nowhere", base);
        temp.file(fs::relative(base, temp.path()).string() + "-2", "older copy");
        taken.push_back(base);
    }
    PresetManager store(file());
    ASSERT_TRUE(store.backupFile());
    EXPECT_EQ(store.backupFile()->filename().string().substr(
                  store.backupFile()->filename().string().size() - 2),
              "-3");
    EXPECT_EQ(temp.read(fs::relative(*store.backupFile(), temp.path()).string()), "bad");
    for (const auto& base : taken) {
        EXPECT_EQ(fs::read_symlink(base), "nowhere");
        EXPECT_EQ(temp.read(fs::relative(base, temp.path()).string() + "-2"), "older copy");
    }
}

TEST_F(PresetManagerTest, AnUnreadableFileIsKeptEvenWithoutReadAccess) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "permissions do not stop root from reading";
    }
    temp.file(relative, "secret presets");
    fs::permissions(file(), fs::perms::none);
    PresetManager store(file());
    ASSERT_TRUE(store.loadProblem());
    EXPECT_EQ(store.loadProblem()->code, Error::Code::fileSystem);
    ASSERT_TRUE(store.backupFile());
    fs::permissions(*store.backupFile(), fs::perms::owner_read);
    EXPECT_EQ(temp.read(fs::relative(*store.backupFile(), temp.path()).string()), "secret presets");
    EXPECT_EQ(namesOf(onDisk()), builtInNames);
}

TEST_F(PresetManagerTest, AFifoInPlaceOfTheFileDoesNotHangTheStart) {
    fs::create_directories(folder());
    ASSERT_EQ(::mkfifo(file().c_str(), 0600), 0);
    PresetManager store(file());
    EXPECT_EQ(namesOf(store.presets()), builtInNames);
    ASSERT_TRUE(store.backupFile());
    EXPECT_TRUE(fs::is_fifo(*store.backupFile()));
    EXPECT_EQ(namesOf(onDisk()), builtInNames);
}

TEST_F(PresetManagerTest, WhatCannotBeKeptAsideIsNeverReplaced) {
    // A folder cannot be hard-linked or copied: it must stay, and every write says why not.
    temp.file(relative + "/inside", "user data");
    PresetManager store(file());
    EXPECT_EQ(namesOf(store.presets()), builtInNames);
    ASSERT_TRUE(store.loadProblem());
    EXPECT_FALSE(store.backupFile());
    EXPECT_TRUE(store.writeProblem());
    EXPECT_TRUE(store.save(Preset("New", {})));
    EXPECT_EQ(store.presets().size(), 6u);
    EXPECT_EQ(temp.read(relative + "/inside"), "user data");
}

TEST_F(PresetManagerTest, SaveReplacesInPlaceByIdAndAppendsNewOnes) {
    PresetManager store(file());
    int announced = 0;
    const auto subscription = store.subscribe([&] { ++announced; });

    Preset changed = store.presets()[2];
    changed.name = "Date at the end";
    changed.rules.push_back(RenameRule(RuleType::trim));
    EXPECT_FALSE(store.save(changed));
    ASSERT_EQ(store.presets().size(), 5u);
    EXPECT_EQ(store.presets()[2], changed);
    EXPECT_EQ(announced, 1);

    // Same name, new id: a second entry at the end.
    const Preset twin("Title Case", {RenameRule(RuleType::caseConversion)});
    EXPECT_FALSE(store.save(twin));
    ASSERT_EQ(store.presets().size(), 6u);
    EXPECT_EQ(store.presets()[5], twin);
    EXPECT_EQ(store.presets()[1].name, "Title Case");
    EXPECT_EQ(announced, 2);

    EXPECT_EQ(onDisk(), store.presets());
    PresetManager reopened(file());
    EXPECT_EQ(reopened.presets(), store.presets());
}

TEST_F(PresetManagerTest, DeleteRemovesEveryMatchAndKeepsTheOrder) {
    PresetManager store(file());
    int announced = 0;
    const auto subscription = store.subscribe([&] { ++announced; });
    const Uuid second = store.presets()[1].id;
    EXPECT_FALSE(store.deletePreset(second));
    EXPECT_EQ(namesOf(store.presets()),
              (std::vector<std::string>{"Clean Spaces", "Add Date Suffix", "Sequential Numbering",
                                        "Lowercase + Underscores"}));
    EXPECT_EQ(announced, 1);
    EXPECT_EQ(onDisk(), store.presets());
}

TEST_F(PresetManagerTest, DeletingAnUnknownIdStillRewritesTheFile) {
    PresetManager store(file());
    temp.file(relative, "[]");
    EXPECT_FALSE(store.deletePreset(Uuid::random()));
    EXPECT_EQ(onDisk(), store.presets());
}

TEST_F(PresetManagerTest, DeletingTheLastPresetWritesAnEmptyArrayUntilTheNextStart) {
    {
        PresetManager store(file());
        while (!store.presets().empty()) {
            EXPECT_FALSE(store.deletePreset(store.presets().front().id));
        }
        EXPECT_EQ(temp.read(relative), "[]");
    }
    PresetManager next(file());
    EXPECT_EQ(namesOf(next.presets()), builtInNames);
    EXPECT_FALSE(next.backupFile());
}

TEST_F(PresetManagerTest, UnicodeNamesSurviveTheFileByteForByte) {
    PresetManager store(file());
    store.save(Preset("Caf\xC3\xA9", {}));
    store.save(Preset("Cafe\xCC\x81", {}));
    store.save(Preset("\xF0\x9F\x93\xB7", {}));
    PresetManager reopened(file());
    ASSERT_EQ(reopened.presets().size(), 8u);
    EXPECT_EQ(reopened.presets()[5].name, "Caf\xC3\xA9");
    EXPECT_EQ(reopened.presets()[6].name, "Cafe\xCC\x81");
    EXPECT_EQ(reopened.presets()[7].name, "\xF0\x9F\x93\xB7");
}

TEST_F(PresetManagerTest, AFailedWriteIsReportedAndTheListStillChanges) {
    fs::path storage = file();
    const bool root = ::geteuid() == 0;
    std::string before;
    std::optional<PresetManager> store;
    if (root) {
        // Permissions do not stop root: put the folder under a regular file instead.
        storage = temp.file("blocker") / "Presets" / "presets.json";
        store.emplace(storage);
        EXPECT_TRUE(store->writeProblem());
    } else {
        store.emplace(storage);
        before = temp.read(relative);
        fs::permissions(folder(), fs::perms::owner_read | fs::perms::owner_exec);
    }
    int announced = 0;
    const auto subscription = store->subscribe([&] { ++announced; });

    const Preset added("Added", {RenameRule(RuleType::trim)});
    const auto problem = store->save(added);
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->code, Error::Code::fileSystem);
    EXPECT_NE(problem->systemError, 0);
    EXPECT_EQ(store->writeProblem(), problem);
    EXPECT_EQ(store->presets().back(), added);
    EXPECT_EQ(announced, 1);
    EXPECT_TRUE(store->deletePreset(added.id));
    EXPECT_EQ(store->presets().size(), 5u);

    if (!root) {
        EXPECT_EQ(temp.read(relative), before);
        fs::permissions(folder(), fs::perms::owner_all);
        EXPECT_EQ(entriesStartingWith(folder(), ""), std::vector<std::string>{"presets.json"});
        // Once the folder can be written again the next change lands and the problem clears.
        EXPECT_FALSE(store->save(added));
        EXPECT_FALSE(store->writeProblem());
        EXPECT_EQ(onDisk(), store->presets());
    }
}

TEST(PresetManagerMemoryTest, WithoutAFileKeepsEverythingInMemory) {
    PresetManager store(std::nullopt);
    EXPECT_FALSE(store.storageURL());
    EXPECT_EQ(namesOf(store.presets()), builtInNames);
    int announced = 0;
    const auto subscription = store.subscribe([&] { ++announced; });
    const Preset added("Added", {});
    EXPECT_FALSE(store.save(added));
    EXPECT_FALSE(store.deletePreset(store.presets()[0].id));
    EXPECT_EQ(store.presets().size(), 5u);
    EXPECT_EQ(store.presets().back(), added);
    EXPECT_EQ(announced, 2);
    EXPECT_FALSE(store.writeProblem());
}

struct XdgRow {
    const char* name;
    std::optional<std::string> xdgDataHome;
    std::optional<std::string> home;
    std::optional<std::string> expected;
};

class PresetManagerLocationTest : public testing::TestWithParam<XdgRow> {};

TEST_P(PresetManagerLocationTest, FollowsTheXdgRules) {
    const auto& row = GetParam();
    const auto file = PresetManager::storageFileFor(row.xdgDataHome, row.home);
    if (row.expected) {
        ASSERT_TRUE(file);
        EXPECT_EQ(file->string(), *row.expected);
    } else {
        EXPECT_FALSE(file);
    }
}

const XdgRow xdgRows[] = {
    {"DataHomeSet", "/data", "/home/ann", "/data/Quorvane/Presets/presets.json"},
    {"DataHomeWithoutHome", "/data", std::nullopt, "/data/Quorvane/Presets/presets.json"},
    {"DataHomeUnset", std::nullopt, "/home/ann",
     "/home/ann/.local/share/Quorvane/Presets/presets.json"},
    {"DataHomeEmpty", "", "/home/ann", "/home/ann/.local/share/Quorvane/Presets/presets.json"},
    {"DataHomeRelative", "data", "/home/ann",
     "/home/ann/.local/share/Quorvane/Presets/presets.json"},
    {"DataHomeUnicode", "/d\xC3\xA1ta", "/home/ann", "/d\xC3\xA1ta/Quorvane/Presets/presets.json"},
    {"NothingSet", std::nullopt, std::nullopt, std::nullopt},
    {"HomeEmpty", std::nullopt, "", std::nullopt},
    {"HomeRelative", "", "ann", std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(Rows, PresetManagerLocationTest, testing::ValuesIn(xdgRows),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace

namespace {

std::string testData(const char* name) {
    std::ifstream in(std::string(QUORVANE_TEST_DATA) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

// A presets file as the first versions wrote it (the five built-ins and a user's preset, byte
// for byte) reads completely, to the same rules, and is left alone.
TEST_F(PresetManagerTest, AFileOfTheFirstFormatReadsToTheSameRules) {
    const std::string bytes = testData("presets-first-format.json");
    ASSERT_FALSE(bytes.empty());
    temp.file(relative, bytes);
    PresetManager store(file());
    EXPECT_FALSE(store.loadProblem());
    EXPECT_FALSE(store.readOnly());
    auto names = builtInNames;
    names.push_back("Fotos vom Urlaub \u2014 Sommer");
    EXPECT_EQ(namesOf(store.presets()), names);
    // Every rule and preset writes back to the very object it was read from, with the keys
    // of later formats added at their defaults (which older versions ignore).
    const json stored = json::parse(bytes);
    for (std::size_t p = 0; p < stored.size(); ++p) {
        SCOPED_TRACE(stored[p]["name"].get<std::string>());
        json written = store.presets()[p].toJson();
        for (auto& rule : written["rules"]) {
            const RenameRule fresh(RuleType::replace);
            for (const auto& key : RuleKeys::all()) {
                if (!key.required()) {
                    EXPECT_EQ(rule[std::string(key.name)], fresh.toJson()[std::string(key.name)]);
                    rule.erase(std::string(key.name));
                }
            }
        }
        EXPECT_EQ(written, stored[p]);
        EXPECT_EQ(PresetManager::formatOf(store.presets()[p]), 1);
    }
    // The built-ins hold the rules they are made of today.
    const auto builtIns = PresetManager::builtInPresets();
    for (std::size_t p = 0; p < builtIns.size(); ++p) {
        ASSERT_EQ(store.presets()[p].rules.size(), builtIns[p].rules.size());
        for (std::size_t r = 0; r < builtIns[p].rules.size(); ++r) {
            RenameRule expected = builtIns[p].rules[r];
            expected.id = store.presets()[p].rules[r].id;
            EXPECT_EQ(store.presets()[p].rules[r], expected) << builtIns[p].name;
        }
    }
    const RenameRule& numbering = store.presets()[5].rules[3];
    EXPECT_EQ(numbering.numberingSeparator, " - ");
    EXPECT_FALSE(numbering.isEnabled);
    EXPECT_EQ(temp.read(relative), bytes);
}

// A file that a newer version wrote is read as far as this version can, and never written:
// saving and deleting change nothing and say why.
TEST_F(PresetManagerTest, AFileOfANewerFormatIsReadAsFarAsPossibleAndNeverWritten) {
    json known = PresetManager::builtInPresets()[1].toJson();
    json newerButReadable = PresetManager::builtInPresets()[3].toJson();
    newerButReadable["formatVersion"] = RuleKinds::newestFormat() + 1;
    newerButReadable["rules"][0]["numberingResetPerFolder"] = true;
    json newKind = PresetManager::builtInPresets()[0].toJson();
    newKind["formatVersion"] = RuleKinds::newestFormat() + 2;
    newKind["name"] = "Shuffled";
    newKind["rules"][0]["type"] = "Shuffle Letters";
    const std::string bytes = json::array({known, newerButReadable, newKind}).dump();
    temp.file(relative, bytes);

    PresetManager store(file());
    EXPECT_FALSE(store.loadProblem());
    ASSERT_TRUE(store.readOnly());
    EXPECT_EQ(store.readOnly()->code, Error::Code::newerFormat);
    EXPECT_EQ(store.unreadablePresets(), 1u);
    EXPECT_EQ(namesOf(store.presets()),
              (std::vector<std::string>{"Title Case", "Sequential Numbering"}));
    const auto before = store.presets();
    const auto saved = store.save(Preset("Mine", {RenameRule(RuleType::trim)}));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->code, Error::Code::newerFormat);
    EXPECT_TRUE(store.deletePreset(before[0].id));
    EXPECT_EQ(store.presets(), before);
    EXPECT_EQ(temp.read(relative), bytes);
    EXPECT_TRUE(entriesStartingWith(folder(), "presets.json.").empty());

    // A preset of a format this version knows must still read, as before.
    known["formatVersion"] = 1;
    known.erase("icon");
    temp.file(relative, json::array({known, newKind}).dump());
    PresetManager strict(file());
    EXPECT_TRUE(strict.loadProblem());
}
