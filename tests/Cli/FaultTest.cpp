// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Fault tests of the built program on real folders: killed in the middle of its work, given
// absurd input, deep and looping trees and names with odd bytes. The program runs through
// posix_spawn with an argument vector, so that names reach it byte for byte.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "Models/RenameRule.h"
#include "Services/PresetManager.h"
#include "Support/TempDir.h"

extern char** environ;

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

// Any run longer than this has hung.
constexpr auto kHang = 60s;

std::string readFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// One started program, its output streams going to files in a folder of its own.
class Child {
  public:
    // Starts `program` with `arguments`, its presets under `data`, stdin read from `input`
    // (empty input when none), in the folder `cwd` (this one when none).
    Child(const std::string& program, const std::vector<std::string>& arguments,
          const fs::path& data, const std::optional<fs::path>& input = std::nullopt,
          const std::optional<fs::path>& cwd = std::nullopt)
        : out_(io_.path() / "out"), err_(io_.path() / "err") {
        const fs::path in = input ? *input : io_.file("in");
        std::vector<std::string> words{program};
        words.insert(words.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (auto& word : words) {
            argv.push_back(word.data());
        }
        argv.push_back(nullptr);
        std::vector<std::string> variables{"XDG_DATA_HOME=" + data.string()};
        for (char** variable = environ; *variable != nullptr; ++variable) {
            if (std::strncmp(*variable, "XDG_DATA_HOME=", 14) != 0) {
                variables.emplace_back(*variable);
            }
        }
        std::vector<char*> envp;
        for (auto& variable : variables) {
            envp.push_back(variable.data());
        }
        envp.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, out_.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        posix_spawn_file_actions_addopen(&actions, 2, err_.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        if (cwd) {
            posix_spawn_file_actions_addchdir_np(&actions, cwd->c_str());
        }
        const int code =
            ::posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        if (code != 0) {
            throw std::runtime_error("cannot start " + program + ": " + std::strerror(code));
        }
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    ~Child() {
        if (!waited_) {
            ::kill(pid_, SIGKILL);
            wait();
        }
    }

    // Whether the program is still running (reaping it when it has ended).
    bool running() {
        if (waited_) {
            return false;
        }
        if (::waitpid(pid_, &status_, WNOHANG) == pid_) {
            waited_ = true;
        }
        return !waited_;
    }
    // Waits for the end, killing the program when it takes longer than kHang.
    void wait() {
        const auto deadline = std::chrono::steady_clock::now() + kHang;
        while (running()) {
            if (std::chrono::steady_clock::now() > deadline) {
                hung_ = true;
                ::kill(pid_, SIGKILL);
                ::waitpid(pid_, &status_, 0);
                waited_ = true;
            } else {
                std::this_thread::sleep_for(1ms);
            }
        }
    }
    void kill() {
        ::kill(pid_, SIGKILL);
        wait();
    }

    bool hung() const { return hung_; }
    bool killed() const { return waited_ && WIFSIGNALED(status_); }
    // The exit status, or -1 when the program did not exit by itself.
    int exitCode() const { return waited_ && WIFEXITED(status_) ? WEXITSTATUS(status_) : -1; }
    std::string out() const { return readFile(out_); }
    std::string err() const { return readFile(err_); }

  private:
    TempDir io_;
    fs::path out_;
    fs::path err_;
    pid_t pid_ = -1;
    int status_ = 0;
    bool waited_ = false;
    bool hung_ = false;
};

struct Outcome {
    int exitCode;
    bool hung;
    std::string out;
    std::string err;
};

Outcome quorvane(const std::vector<std::string>& arguments, const fs::path& data,
                 const std::optional<fs::path>& input = std::nullopt,
                 const std::optional<fs::path>& cwd = std::nullopt) {
    Child child(QUORVANE_PROGRAM, arguments, data, input, cwd);
    child.wait();
    return {child.exitCode(), child.hung(), child.out(), child.err()};
}

// Every entry of `folder` (not walked) with its content.
std::map<std::string, std::string> contents(const fs::path& folder) {
    std::map<std::string, std::string> found;
    for (const auto& entry : fs::directory_iterator(folder)) {
        found[entry.path().filename().string()] = readFile(entry.path());
    }
    return found;
}

// --- A rename killed part-way ---------------------------------------------------------------

constexpr int kManyFiles = 10000;

std::string numbered(const char* stem, int i) {
    char name[32];
    std::snprintf(name, sizeof name, "%s-%05d.txt", stem, i);
    return name;
}

struct KillMoment {
    const char* name;
    int renamedBeforeKill;  // the program is killed once this file has its new name
};

class KilledRename : public ::testing::TestWithParam<KillMoment> {};

TEST_P(KilledRename, EveryFileSurvivesOnceUnderItsOldOrNewName) {
    TempDir files;
    TempDir data;
    for (int i = 0; i < kManyFiles; ++i) {
        std::ofstream(files.path() / numbered("file", i)) << "content " << i << " of a file\n";
    }
    // Renames follow the preview, in name order.
    const fs::path watched = files.path() / numbered("item", GetParam().renamedBeforeKill);
    Child child(
        QUORVANE_PROGRAM,
        {"rename", "--recursive", "--phrase", "replace file with item", files.path().string()},
        data.path());
    struct stat st {};
    while (child.running() && ::lstat(watched.c_str(), &st) != 0) {
    }
    child.kill();
    EXPECT_TRUE(child.killed()) << "the rename ended before the kill: " << child.out();

    const auto found = contents(files.path());
    EXPECT_EQ(found.size(), static_cast<std::size_t>(kManyFiles));
    int renamed = 0;
    for (int i = 0; i < kManyFiles; ++i) {
        const std::string expected = "content " + std::to_string(i) + " of a file\n";
        const auto before = found.find(numbered("file", i));
        const auto after = found.find(numbered("item", i));
        ASSERT_NE(before == found.end(), after == found.end()) << "file " << i;
        EXPECT_EQ((before != found.end() ? before : after)->second, expected) << "file " << i;
        renamed += after != found.end() ? 1 : 0;
    }
    EXPECT_GT(renamed, GetParam().renamedBeforeKill);
}

INSTANTIATE_TEST_SUITE_P(Moments, KilledRename,
                         ::testing::Values(KillMoment{"AtTheFirstRename", 0},
                                           KillMoment{"AfterATenth", 1000},
                                           KillMoment{"HalfWay", 5000},
                                           KillMoment{"NearTheEnd", 9000}),
                         [](const auto& row) { return std::string(row.param.name); });

// --- A presets write killed part-way --------------------------------------------------------

constexpr int kPresetRules = 2000;
constexpr int kPresetKills = 12;

// The generation of the file's last preset: every one of its rules must name it.
int generationOf(const Preset& preset) {
    EXPECT_EQ(preset.rules.size(), static_cast<std::size_t>(kPresetRules)) << preset.name;
    const int generation = std::stoi(preset.name.substr(std::strlen("generation ")));
    for (std::size_t k = 0; k < preset.rules.size(); ++k) {
        const std::string expected = "g" + std::to_string(generation) + " r" + std::to_string(k);
        if (preset.rules[k].findText != expected) {
            ADD_FAILURE() << "rule " << k << " of " << preset.name << " is "
                          << preset.rules[k].findText;
            break;
        }
    }
    return generation;
}

TEST(KilledPresetsWrite, FileIsAlwaysTheOldOrTheNewList) {
    TempDir data;
    const fs::path file = data.path() / "presets.json";
    const auto builtIns = PresetManager::builtInPresets().size();
    std::mt19937 random(12);
    for (int round = 0; round < kPresetKills; ++round) {
        Child child(QUORVANE_PRESET_WRITER, {file.string(), std::to_string(kPresetRules)},
                    data.path());
        // At least one write finished, so the file has a list to lose.
        const auto deadline = std::chrono::steady_clock::now() + kHang;
        while (child.running() && child.out().empty() &&
               std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(1ms);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 60000));
        child.kill();
        ASSERT_TRUE(child.killed()) << child.err();

        // The last round reported finished, or the one after it: nothing in between.
        const std::string out = child.out();
        const int finished = std::stoi(out.substr(out.rfind('\n', out.size() - 2) + 1));
        auto decoded = PresetManager::decodePresets(readFile(file));
        ASSERT_TRUE(decoded) << "round " << round << ": " << decoded.error().detail;
        ASSERT_EQ(decoded->size(), builtIns + 1);
        const int generation = generationOf(decoded->back());
        EXPECT_TRUE(generation == finished || generation == finished + 1)
            << "file of round " << generation << " after round " << finished << " finished";
    }
    // The temporaries of killed writes go once they are old; a young one may be a live write.
    const fs::path young = data.path() / ".presets.json.young.tmp";
    std::ofstream(young) << "[";
    for (const auto& entry : fs::directory_iterator(data.path())) {
        if (entry.path().extension() == ".tmp" && entry.path() != young) {
            fs::last_write_time(entry.path(), fs::file_time_type::clock::now() - 2h);
        }
    }
    PresetManager store(file);
    std::set<fs::path> left;
    for (const auto& entry : fs::directory_iterator(data.path())) {
        left.insert(entry.path());
    }
    EXPECT_EQ(left, (std::set<fs::path>{file, young}));
}

// --- Absurd rules input ---------------------------------------------------------------------

struct BadRules {
    const char* name;
    std::string bytes;
    const char* message;  // part of the one-line message on stderr
};

class AbsurdRules : public ::testing::TestWithParam<BadRules> {};

void expectRefused(const Outcome& outcome, const TempDir& files, const char* message) {
    EXPECT_FALSE(outcome.hung);
    EXPECT_EQ(outcome.exitCode, 2) << outcome.err;
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err.rfind("quorvane: ", 0), 0u) << outcome.err;
    EXPECT_NE(outcome.err.find(message), std::string::npos) << outcome.err;
    EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
    EXPECT_LT(outcome.err.size(), 400u);
    EXPECT_EQ(files.read("a file.txt"), "kept");
}

TEST_P(AbsurdRules, FromAFileOrStdinIsAOneLineUsageError) {
    TempDir files;
    TempDir data;
    TempDir input;
    const fs::path target = files.file("a file.txt", "kept");
    const fs::path rules = input.file("rules.json", GetParam().bytes);
    expectRefused(quorvane({"rename", "--rules", rules.string(), target.string()}, data.path()),
                  files, GetParam().message);
    expectRefused(quorvane({"rename", "--rules", "-", target.string()}, data.path(), rules), files,
                  GetParam().message);
}

std::string repeated(const std::string& text, std::size_t times) {
    std::string result;
    result.reserve(text.size() * times);
    for (std::size_t i = 0; i < times; ++i) {
        result += text;
    }
    return result;
}

// A rules file of one rule with `pattern` and `replacement`, after a harmless rule.
std::string patternRules(RuleType type, const std::string& pattern,
                         const std::string& replacement) {
    RenameRule harmless(RuleType::trim);
    RenameRule rule(type);
    rule.useRegex = true;
    rule.findText = pattern;
    rule.replaceText = replacement;
    return nlohmann::json::array({harmless.toJson(), rule.toJson()}).dump();
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, AbsurdRules,
    ::testing::Values(
        BadRules{"FiftyMegabytes", "[\"" + std::string(50u << 20, 'x') + "\"]", "larger than"},
        BadRules{
            "FiftyMegabytesOfRules",
            "[" + repeated(R"({"type": "Replace Text", "findText": "file"},)", (50u << 20) / 40) +
                "{}]",
            "larger than"},
        BadRules{"ArraysNestedDeep", std::string(100000, '['), "nested deeper"},
        BadRules{"ObjectsNestedDeep", repeated(R"({"a":)", 100000), "nested deeper"},
        BadRules{"ClosedNesting", std::string(100000, '[') + std::string(100000, ']'),
                 "nested deeper"},
        BadRules{"PatternDoesNotCompile", patternRules(RuleType::regex, "(", "x"),
                 "rule 2: the pattern does not compile (U_REGEX_MISMATCHED_PAREN at offset 1)"},
        BadRules{"UnfinishedRange", patternRules(RuleType::replace, "[a-", "x"),
                 "rule 2: the pattern does not compile (U_REGEX_INVALID_RANGE"},
        BadRules{"GroupBeyondThePattern", patternRules(RuleType::regex, "(f)", "$5"),
                 "rule 2: the replacement refers to group 5"},
        BadRules{"LoneDollar", patternRules(RuleType::regex, "f", "$"),
                 "U_REGEX_INVALID_CAPTURE_GROUP_NAME at offset 0"},
        BadRules{"DoubleDollar", patternRules(RuleType::replace, "f", "$$"),
                 "U_REGEX_INVALID_CAPTURE_GROUP_NAME at offset 0"}),
    [](const auto& row) { return std::string(row.param.name); });

// --- Rules sources that are no file of rules ------------------------------------------------

struct Source {
    const char* name;
    // Makes the source in `scratch`: the --rules argument and, for "-", what stdin reads.
    std::pair<std::string, std::optional<fs::path>> (*make)(const TempDir& scratch);
    const char* message;
};

class RulesSources : public ::testing::TestWithParam<Source> {};

TEST_P(RulesSources, AreRefusedWithOneLineBeforeAnythingMoves) {
    TempDir files;
    TempDir data;
    TempDir scratch;
    const fs::path target = files.file("a file.txt", "kept");
    const auto [argument, input] = GetParam().make(scratch);
    const auto start = std::chrono::steady_clock::now();
    expectRefused(quorvane({"rename", "--rules", argument, target.string()}, data.path(), input),
                  files, GetParam().message);
    // Stopped at the limit, not after reading all there is.
    EXPECT_LT(std::chrono::steady_clock::now() - start, 20s);
}

// A file of `size` bytes that takes no room on the disk.
fs::path sparse(const TempDir& scratch, std::uintmax_t size) {
    const fs::path file = scratch.file("big.json");
    fs::resize_file(file, size);
    return file;
}

constexpr std::uintmax_t kOverTheLimit = (16u << 20) + 1;

INSTANTIATE_TEST_SUITE_P(
    Kinds, RulesSources,
    ::testing::Values(
        Source{"Folder",
               [](const TempDir& s) {
                   return std::pair{s.folder("rules").string(), std::optional<fs::path>()};
               },
               "it is a folder"},
        Source{"Device",
               [](const TempDir&) {
                   return std::pair{std::string("/dev/zero"), std::optional<fs::path>()};
               },
               "not a regular file"},
        Source{"Fifo",
               [](const TempDir& s) {
                   const fs::path fifo = s.path() / "fifo";
                   ::mkfifo(fifo.c_str(), 0600);
                   return std::pair{fifo.string(), std::optional<fs::path>()};
               },
               "not a regular file"},
        Source{"FileOverTheLimit",
               [](const TempDir& s) {
                   return std::pair{sparse(s, kOverTheLimit).string(), std::optional<fs::path>()};
               },
               "larger than 16 MiB"},
        Source{"EndlessStandardInput",
               [](const TempDir&) {
                   return std::pair{std::string("-"), std::optional<fs::path>("/dev/zero")};
               },
               "the standard input is larger than 16 MiB"},
        Source{"StandardInputOverTheLimit",
               [](const TempDir& s) {
                   return std::pair{std::string("-"),
                                    std::optional<fs::path>(sparse(s, kOverTheLimit))};
               },
               "the standard input is larger than 16 MiB"},
        Source{"Missing",
               [](const TempDir& s) {
                   return std::pair{(s.path() / "none.json").string(), std::optional<fs::path>()};
               },
               "No such file or directory"}),
    [](const auto& row) { return std::string(row.param.name); });

// --- Deep and looping trees -----------------------------------------------------------------

constexpr int kDepth = 500;

// The entries of a JSON preview, by path.
std::map<std::string, std::string> previewed(const Outcome& outcome) {
    std::map<std::string, std::string> entries;
    for (const auto& entry : nlohmann::json::parse(outcome.out)) {
        entries[entry["path"].get<std::string>()] = entry["original"].get<std::string>();
    }
    return entries;
}

TEST(Walk, FiveHundredLevelsDeepAreListed) {
    TempDir files;
    TempDir data;
    fs::path folder = files.path();
    std::set<std::string> expected;
    for (int level = 0; level < kDepth; ++level) {
        folder /= "d";
        ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0) << level;
        expected.insert(folder.string());
    }
    std::ofstream(folder / "bottom.txt") << "deepest";
    expected.insert((folder / "bottom.txt").string());

    const auto outcome = quorvane({"preview", "--recursive", "--format", "json", "--phrase",
                                   "replace bottom with top", files.path().string()},
                                  data.path());
    ASSERT_FALSE(outcome.hung);
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
    std::set<std::string> listed;
    for (const auto& [path, original] : previewed(outcome)) {
        listed.insert(path);
    }
    EXPECT_EQ(listed, expected);

    const auto renamed = quorvane(
        {"rename", "--recursive", "--phrase", "replace bottom with top", files.path().string()},
        data.path());
    ASSERT_FALSE(renamed.hung);
    EXPECT_EQ(renamed.exitCode, 0) << renamed.err;
    EXPECT_EQ(readFile(folder / "top.txt"), "deepest");
}

TEST(Walk, SymbolicLinkLoopsAreListedNotFollowed) {
    TempDir files;
    TempDir data;
    files.file("inside/a.txt", "a");
    const fs::path root = files.path();
    fs::create_directory_symlink("..", root / "inside" / "up");
    fs::create_directory_symlink(".", root / "here");
    fs::create_symlink("self", root / "self");
    fs::create_symlink("pong", root / "ping");
    fs::create_symlink("ping", root / "pong");

    const auto outcome =
        quorvane({"preview", "--recursive", "--format", "json", root.string()}, data.path());
    ASSERT_FALSE(outcome.hung);
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
    const std::map<std::string, std::string> expected{
        {(root / "inside").string(), "inside"}, {(root / "inside/a.txt").string(), "a.txt"},
        {(root / "inside/up").string(), "up"},  {(root / "here").string(), "here"},
        {(root / "self").string(), "self"},     {(root / "ping").string(), "ping"},
        {(root / "pong").string(), "pong"}};
    EXPECT_EQ(previewed(outcome), expected);

    // Renaming the links renames the links themselves; their targets stay as they were.
    const auto renamed = quorvane(
        {"rename", "--recursive", "--phrase", "replace p with q", root.string()}, data.path());
    ASSERT_FALSE(renamed.hung);
    EXPECT_EQ(renamed.exitCode, 0) << renamed.err;
    EXPECT_EQ(fs::read_symlink(root / "qing"), "pong");
    EXPECT_EQ(fs::read_symlink(root / "qong"), "ping");
    EXPECT_EQ(fs::read_symlink(root / "inside/uq"), "..");
    EXPECT_EQ(files.read("inside/a.txt"), "a");
}

// --- Names with odd bytes -------------------------------------------------------------------

struct OddName {
    const char* name;
    std::string original;
    std::string phrase;
    // The name after the rename, or empty when the rename is refused with `refusal`.
    std::string renamed;
    const char* refusal = "";
    // The name as listed when it is not UTF-8: each bad sequence as one U+FFFD.
    std::string shown = "";
    // The name as tables print it, when that differs from the name.
    std::string escaped = "";
};

// Whether `out` holds a byte that a terminal acts on, other than the line ends.
bool holdsControls(const std::string& out) {
    return std::any_of(out.begin(), out.end(), [](char c) {
        return (static_cast<unsigned char>(c) < 0x20 && c != '\n') || c == 0x7F;
    });
}

class OddNames : public ::testing::TestWithParam<OddName> {};

TEST_P(OddNames, AreListedPreviewedAndRenamedOrRefusedWithoutDamage) {
    const OddName& row = GetParam();
    TempDir files;
    TempDir data;
    const fs::path original = files.path() / row.original;
    {
        std::ofstream out(original, std::ios::binary);
        out << "content of " << row.name;
        ASSERT_TRUE(out.good()) << "cannot make the file";
    }
    const std::string content = std::string("content of ") + row.name;

    // Listed inside its folder and given by itself: the same one entry.
    for (const std::string& given : {files.path().string(), original.string()}) {
        const auto preview =
            quorvane({"preview", "--recursive", "--format", "json", "--phrase", row.phrase, given},
                     data.path());
        ASSERT_EQ(preview.exitCode, 0) << preview.err;
        const auto entries = nlohmann::json::parse(preview.out);
        ASSERT_EQ(entries.size(), 1u) << preview.out;
        const std::string shown = row.shown.empty() ? row.original : row.shown;
        EXPECT_EQ(entries[0]["path"], (files.path() / shown).string());
        EXPECT_EQ(entries[0]["original"], shown);
        if (!row.renamed.empty()) {
            EXPECT_EQ(entries[0]["preview"], row.renamed);
        }
    }
    const auto table =
        quorvane({"preview", "--phrase", row.phrase, original.string()}, data.path());
    EXPECT_EQ(table.exitCode, 0) << table.err;
    const std::string escaped = row.escaped.empty() ? row.original : row.escaped;
    EXPECT_EQ(table.out.rfind(escaped + "  \xE2\x86\x92  ", 0), 0u) << table.out;
    EXPECT_FALSE(holdsControls(table.out)) << table.out;
    EXPECT_EQ(std::count(table.out.begin(), table.out.end(), '\n'), 2) << table.out;
    const auto renameTable =
        quorvane({"rename", "--phrase", row.phrase, original.string()}, data.path());
    EXPECT_FALSE(holdsControls(renameTable.out)) << renameTable.out;
    EXPECT_NE(renameTable.out.find(escaped), std::string::npos) << renameTable.out;
    // The table rename did it: undo it for the JSON one below.
    if (!row.renamed.empty()) {
        ASSERT_EQ(renameTable.exitCode, 0) << renameTable.out;
        fs::rename(files.path() / row.renamed, original);
    }

    const auto rename = quorvane(
        {"rename", "--format", "json", "--phrase", row.phrase, original.string()}, data.path());
    const auto results = nlohmann::json::parse(rename.out);
    ASSERT_EQ(results.size(), 1u) << rename.out;
    const auto found = contents(files.path());
    if (row.renamed.empty()) {
        EXPECT_EQ(rename.exitCode, 1) << rename.out;
        EXPECT_EQ(results[0]["success"], false);
        EXPECT_NE(results[0]["error"].get<std::string>().find(row.refusal), std::string::npos)
            << results[0]["error"];
        EXPECT_EQ(found, (std::map<std::string, std::string>{{row.original, content}}));
    } else {
        EXPECT_EQ(rename.exitCode, 0) << rename.out;
        EXPECT_EQ(results[0]["success"], true);
        EXPECT_EQ(found, (std::map<std::string, std::string>{{row.renamed, content}}));
    }
}

std::string times(const std::string& text, std::size_t count) {
    return repeated(text, count);
}

INSTANTIATE_TEST_SUITE_P(
    Names, OddNames,
    ::testing::Values(
        OddName{"Newline", "a file\nname.txt", "replace file with item", "a item\nname.txt", "", "",
                "a file\\nname.txt"},
        OddName{"NewlineAtTheEnd", "file.txt\n", "replace file with item", "item.txt\n", "", "",
                "file.txt\\n"},
        OddName{"Tab", "a\tfile.txt", "replace file with item", "a\titem.txt", "", "",
                "a\\tfile.txt"},
        OddName{"ControlBytes", "file\r\x1b[31m.txt", "replace file with item",
                "item\r\x1b[31m.txt", "", "", "file\\r\\e[31m.txt"},
        OddName{"TerminalTitleAndClear", "file\x1b]0;pwned\x07\x1b[2J", "replace file with item",
                "item\x1b]0;pwned\x07\x1b[2J", "", "", "file\\e]0;pwned\\x07\\e[2J"},
        OddName{"BidiOverride", "file\xE2\x80\xAEtxt.exe", "replace file with item",
                "item\xE2\x80\xAEtxt.exe", "", "", "file\\u202etxt.exe"},
        OddName{"C1Control",
                "file\xC2\x9B"
                "31m",
                "replace file with item",
                "item\xC2\x9B"
                "31m",
                "", "", "file\\u009b31m"},
        OddName{"LeadingDash", "-file.txt", "replace file with item", "-item.txt"},
        OddName{"LooksLikeAnOption", "--help file", "replace file with item", "--help item"},
        OddName{"Ascii255Bytes", "file" + std::string(247, 'x') + ".txt", "replace file with item",
                "item" + std::string(247, 'x') + ".txt"},
        OddName{"TwoByte255Bytes", "file" + times("\xC3\xA9", 123) + "x.txt",
                "replace file with item", "item" + times("\xC3\xA9", 123) + "x.txt"},
        OddName{"FourByte255Bytes", "file" + times("\xF0\x9F\x98\x80", 61) + "xyz.txt",
                "replace file with item", "item" + times("\xF0\x9F\x98\x80", 61) + "xyz.txt"},
        OddName{"GrowsPast255Bytes", "file" + std::string(247, 'x') + ".txt",
                "replace file with items", "", "longer than 255 bytes"},
        OddName{"DecomposedAccent", "file cafe\xCC\x81.txt", "replace file with item",
                "item cafe\xCC\x81.txt"},
        OddName{"EmojiSequence", "file \xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x91\xA7.txt",
                "replace file with item", "item \xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x91\xA7.txt"},
        OddName{"InvalidBytes", "file\xFF\xFE.txt", "replace file with item", "", "not valid UTF-8",
                "file\xEF\xBF\xBD\xEF\xBF\xBD.txt", "file\\xff\\xfe.txt"},
        OddName{"OverlongSlash", "file\xC0\xAF.txt", "replace file with item", "",
                "not valid UTF-8", "file\xEF\xBF\xBD\xEF\xBF\xBD.txt", "file\\xc0\\xaf.txt"},
        OddName{"TruncatedSequence", "file\xE2\x82.txt", "replace file with item", "",
                "not valid UTF-8", "file\xEF\xBF\xBD.txt", "file\\xe2\\x82.txt"},
        OddName{"Latin1", "caf\xE9 file.txt", "replace file with item", "", "not valid UTF-8",
                "caf\xEF\xBF\xBD file.txt", "caf\\xe9 file.txt"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(OptionLikeNames, AreTakenAsPathsAfterADoubleDash) {
    TempDir files;
    TempDir data;
    files.file("-file.txt", "dash");
    files.file("--help", "help");
    files.file("--rules", "rules");
    const auto outcome = quorvane({"rename", "--phrase", "replace file with item", "--phrase",
                                   "replace help with aid", "--", "-file.txt", "--help", "--rules"},
                                  data.path(), std::nullopt, files.path());
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_EQ(contents(files.path()),
              (std::map<std::string, std::string>{
                  {"-item.txt", "dash"}, {"--aid", "help"}, {"--rules", "rules"}}));
}

}  // namespace
