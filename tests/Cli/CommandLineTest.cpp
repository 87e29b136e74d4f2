// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <signal.h>
#include <sys/wait.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "Models/RenameRule.h"
#include "Models/RuleKeys.h"
#include "Support/MediaFiles.h"
#include "Support/TempDir.h"

namespace {

struct Run {
    int status;
    std::string out;
    std::string err;
};

// Runs the program with `arguments` (already quoted for the shell), its presets and its
// history kept in `data`, capturing both output streams.
Run run(const TempDir& data, const std::string& arguments, const std::string& input = "",
        const std::string& folder = ".") {
    const auto errFile = data.path() / "stderr.txt";
    const auto inFile = data.path() / "stdin.txt";
    std::ofstream(inFile) << input;
    const std::string command = "cd '" + folder + "' && XDG_DATA_HOME='" + data.path().string() +
                                "' XDG_STATE_HOME='" + data.path().string() + "' '" +
                                QUORVANE_PROGRAM + "' " + arguments + " <'" + inFile.string() +
                                "' 2>'" + errFile.string() + "'";
    Run result{};
    FILE* pipe = ::popen(command.c_str(), "r");
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        result.out.append(buffer, n);
    }
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream err(errFile);
    result.err.assign(std::istreambuf_iterator<char>(err), std::istreambuf_iterator<char>());
    return result;
}

class CommandLineTest : public ::testing::Test {
  protected:
    std::string quoted(const std::string& name) const {
        return "'" + (files_.path() / name).string() + "'";
    }
    TempDir files_;
    TempDir data_;
};

TEST_F(CommandLineTest, PreviewFormats) {
    files_.file("b draft.txt");
    files_.file("a draft.txt");
    const std::string args = "--phrase 'replace draft with final' " + quoted("b draft.txt") + " " +
                             quoted("a draft.txt");

    auto json = run(data_, "preview --format json " + args);
    ASSERT_EQ(json.status, 0) << json.err;
    auto entries = nlohmann::json::parse(json.out);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0]["original"], "a draft.txt");
    EXPECT_EQ(entries[0]["preview"], "a final.txt");
    EXPECT_EQ(entries[0]["path"], (files_.path() / "a draft.txt").string());
    EXPECT_TRUE(entries[0]["problem"].is_null());
    EXPECT_TRUE(entries[0]["warning"].is_null());

    auto csv = run(data_, "preview --format csv " + args);
    EXPECT_EQ(csv.out,
              "Original Name,New Name,Has Conflict\n\"a draft.txt\",\"a final.txt\",false\n"
              "\"b draft.txt\",\"b final.txt\",false\n");

    auto table = run(data_, "preview " + args);
    EXPECT_NE(table.out.find("a draft.txt  \xE2\x86\x92  a final.txt"), std::string::npos);
    EXPECT_TRUE(files_.exists("a draft.txt"));
}

// A photo folder's owner: companions numbered alike, per folder, in reversed name order with
// the digits counted by value; the rename gives the numbers the preview showed.
TEST_F(CommandLineTest, NumbersCompanionsPerFolderInReversedNaturalOrder) {
    files_.folder("x");
    files_.folder("y");
    for (const char* name : {"x/IMG_2.JPG", "x/IMG_10.JPG", "x/IMG_10.xmp", "y/IMG_1.CR2"}) {
        files_.file(name, name);
    }
    RenameRule rule(RuleType::numbering);
    rule.numberingPosition = NumberingPosition::replace;
    rule.numberingPadding = 0;
    rule.numberingResetPerFolder = true;
    rule.numberingShareBaseName = true;
    files_.file("rules.json", nlohmann::json::array({rule.toJson()}).dump());
    const std::string args = "--format json --rules rules.json --recursive --reverse x y";

    auto shown = run(data_, "preview " + args, "", files_.path().string());
    ASSERT_EQ(shown.status, 0) << shown.err;
    std::vector<std::string> previews;
    for (const auto& entry : nlohmann::json::parse(shown.out)) {
        previews.push_back(entry["original"].get<std::string>() + " " +
                           entry["preview"].get<std::string>());
    }
    EXPECT_EQ(previews, (std::vector<std::string>{"IMG_10.xmp 1.xmp", "IMG_10.JPG 1.JPG",
                                                  "IMG_2.JPG 2.JPG", "IMG_1.CR2 1.CR2"}));
    auto renamed = run(data_, "rename " + args, "", files_.path().string());
    ASSERT_EQ(renamed.status, 0) << renamed.err;
    EXPECT_EQ(files_.read("x/1.xmp"), "x/IMG_10.xmp");
    EXPECT_EQ(files_.read("x/1.JPG"), "x/IMG_10.JPG");
    EXPECT_EQ(files_.read("x/2.JPG"), "x/IMG_2.JPG");
    EXPECT_EQ(files_.read("y/1.CR2"), "y/IMG_1.CR2");
}

TEST_F(CommandLineTest, APathWithNothingThereIsAProblemNotARename) {
    files_.file("here.txt");
    const std::string args =
        "--phrase 'replace e with o' " + quoted("here.txt") + " " + quoted("gone.txt");
    auto json = run(data_, "preview --format json " + args);
    ASSERT_EQ(json.status, 0) << json.err;
    auto entries = nlohmann::json::parse(json.out);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0]["original"], "gone.txt");
    EXPECT_EQ(entries[0]["problem"], "No item exists at this location");
    EXPECT_TRUE(entries[1]["problem"].is_null());
    auto table = run(data_, "preview " + args);
    EXPECT_NE(table.out.find("gone.txt  \xE2\x86\x92  gono.txt  [No item exists at this location]"),
              std::string::npos)
        << table.out;
    auto rename = run(data_, "rename " + args);
    EXPECT_EQ(rename.status, 1) << rename.out;
    EXPECT_TRUE(files_.exists("horo.txt"));
    EXPECT_FALSE(files_.exists("gono.txt"));
}

TEST_F(CommandLineTest, RenameReportsEachResultAndFailsOnAnyFailure) {
    files_.file("one.txt", "1");
    files_.file("two.txt", "2");
    files_.file("tw0.txt", "taken");
    auto result = run(data_,
                      "rename --format json --rules - " + quoted("one.txt") + " " +
                          quoted("two.txt") + " " + quoted("missing.txt"),
                      "[" + std::string() + "]");
    // No rules: nothing to rename, nothing failed.
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(nlohmann::json::parse(result.out).size(), 0u);

    result = run(
        data_, "rename --phrase 'replace o with 0' " + quoted("one.txt") + " " + quoted("two.txt"));
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.out.find("Renamed: 1  Failed: 0  Skipped: 1  Not attempted: 0"),
              std::string::npos)
        << result.out;
    EXPECT_EQ(files_.read("0ne.txt"), "1");
    EXPECT_EQ(files_.read("two.txt"), "2");
    EXPECT_EQ(files_.read("tw0.txt"), "taken");
}

// Photos and music named by what they hold, through a rules file; what a file lacks is
// reported and its name kept, never guessed.
TEST_F(CommandLineTest, TemplatesNamePhotosAndMusicByWhatTheyHold) {
    const auto photos = files_.folder("photos");
    MediaFiles::writeJpeg(photos / "IMG_1.jpg");
    MediaFiles::addExif(
        photos / "IMG_1.jpg",
        {{"Exif.Photo.DateTimeOriginal", "2024:05:17 14:03:09"}, {"Exif.Image.Model", "Cam 7"}});
    MediaFiles::writeJpeg(photos / "scan.jpg");
    const auto music = files_.folder("music");
    MediaFiles::writeMp3(music / "t1.mp3");
    MediaFiles::tagAudio(music / "t1.mp3",
                         {{"ARTIST", "AC/DC"}, {"TITLE", "Hells Bells"}, {"TRACKNUMBER", "1/10"}});
    MediaFiles::writeMp3(music / "t2.mp3");
    MediaFiles::tagAudio(music / "t2.mp3", {{"TITLE", "Untitled"}, {"TRACKNUMBER", "2"}});
    const auto rules = [&](const std::string& text) {
        RenameRule rule(RuleType::nameTemplate);
        rule.templateText = text;
        const auto file = data_.path() / "rules.json";
        std::ofstream(file) << nlohmann::json::array({rule.toJson()}).dump();
        return "--rules '" + file.string() + "' ";
    };

    auto result =
        run(data_, "rename " + rules("{exif.date:yyyy-MM-dd HH.mm.ss} {exif.model}") + "'" +
                       photos.string() + "/IMG_1.jpg' '" + photos.string() + "/scan.jpg'");
    EXPECT_EQ(result.status, 1) << result.out << result.err;
    EXPECT_NE(result.out.find("No EXIF date in this file"), std::string::npos) << result.out;
    EXPECT_TRUE(files_.exists("photos/2024-05-17 14.03.09 Cam 7.jpg"));
    EXPECT_TRUE(files_.exists("photos/scan.jpg"));

    result = run(data_, "rename " + rules("{audio.track:2} {audio.artist} - {audio.title}") +
                            "--recursive '" + music.string() + "'");
    EXPECT_EQ(result.status, 1) << result.out << result.err;
    EXPECT_NE(result.out.find("No artist tag in this file"), std::string::npos) << result.out;
    EXPECT_TRUE(files_.exists("music/01 AC_DC - Hells Bells.mp3"));
    EXPECT_TRUE(files_.exists("music/t2.mp3"));
}

struct BatchCase {
    const char* name;
    std::vector<std::string> files;  // a name ending in "/" is a folder
    std::string arguments;           // the paths, relative to the folder
    std::vector<std::string> statuses;
    int exitStatus;
    std::vector<std::string> after;  // must exist afterwards
};

class CommandLineBatchTest : public ::testing::TestWithParam<BatchCase> {};

// The batch is what the preview shows, judged per folder, carried out in one plan.
TEST_P(CommandLineBatchTest, RenamesWhatThePreviewShows) {
    const BatchCase& row = GetParam();
    TempDir files;
    TempDir data;
    for (const auto& name : row.files) {
        name.back() == '/' ? (void)files.folder(name) : (void)files.file(name, name);
    }
    auto result = run(data, "rename --format json --phrase 'replace - with _' " + row.arguments, "",
                      files.path().string());
    std::vector<std::string> statuses;
    for (const auto& entry : nlohmann::json::parse(result.out)) {
        statuses.push_back(entry["status"]);
    }
    EXPECT_EQ(statuses, row.statuses);
    EXPECT_EQ(result.status, row.exitStatus) << result.err;
    for (const auto& name : row.after) {
        EXPECT_TRUE(files.exists(name)) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    , CommandLineBatchTest,
    ::testing::Values(
        BatchCase{"FilterNarrowsTheRename",
                  {"a-1.jpg", "b-2.txt"},
                  "--filter jpg a-1.jpg b-2.txt",
                  {"renamed"},
                  0,
                  {"a_1.jpg", "b-2.txt"}},
        BatchCase{"SameNameInTwoFolders",
                  {"x/", "y/", "x/read-me", "y/READ-ME"},
                  "x/read-me y/READ-ME",
                  {"renamed", "renamed"},
                  0,
                  {"x/read_me", "y/READ_ME"}},
        BatchCase{"FolderAndContents",
                  {"my-dir/", "my-dir/in-side/", "my-dir/in-side/f-1"},
                  "--recursive . ",
                  {"renamed", "renamed", "renamed"},
                  0,
                  {"my_dir/in_side/f_1"}},
        BatchCase{"TrailingSlash", {"my-dir/"}, "my-dir/", {"renamed"}, 0, {"my_dir"}},
        BatchCase{"TakenOnDisk", {"a-b", "a_b"}, "a-b", {"skipped"}, 1, {"a-b", "a_b"}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(CommandLineTest, BadRuleSourcesAreUsageErrorsAndRenameNothing) {
    files_.file("a.txt");
    const auto rulesFile = files_.file("rules.json", R"([{"id": "nope"}])");
    struct Case {
        std::string arguments;
        std::string message;
    };
    for (const Case& c : {
             Case{"--rules '" + rulesFile.string() + "'", "rule 1"},
             Case{"--rules '" + (files_.path() / "none.json").string() + "'", "cannot read"},
             Case{"--preset 'No Such Preset'", "No Such Preset"},
             Case{"--phrase 'gibberish words'", "gives no rule"},
             Case{"--sort sideways", "sideways"},
         }) {
        auto result = run(data_, "rename " + c.arguments + " " + quoted("a.txt"));
        EXPECT_EQ(result.status, 2) << c.arguments;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_TRUE(files_.exists("a.txt"));
    }
    auto deep = run(data_, "preview --rules - " + quoted("a.txt"), std::string(100000, '['));
    EXPECT_EQ(deep.status, 2);
    EXPECT_NE(deep.err.find("nested deeper"), std::string::npos) << deep.err;
}

TEST_F(CommandLineTest, ParsePresetsAndVersion) {
    auto parse = run(data_, "parse --format json 'title case'");
    ASSERT_EQ(parse.status, 0) << parse.err;
    auto suggestions = nlohmann::json::parse(parse.out);
    ASSERT_EQ(suggestions.size(), 1u);
    EXPECT_EQ(suggestions[0]["rule"]["type"], "Case Conversion");
    EXPECT_EQ(suggestions[0]["rule"].size(), RuleKeys::all().size());

    auto presets = run(data_, "presets --format json");
    ASSERT_EQ(presets.status, 0) << presets.err;
    EXPECT_EQ(nlohmann::json::parse(presets.out).size(), 5u);
    // The built-ins were written to the store under XDG_DATA_HOME.
    EXPECT_TRUE(data_.exists("Quorvane/Presets/presets.json"));

    // A preset's rules by name, as the window would load them.
    const std::string name = nlohmann::json::parse(presets.out)[0]["name"];
    files_.file("x.txt");
    EXPECT_EQ(run(data_, "preview --preset '" + name + "' " + quoted("x.txt")).status, 0);

    auto version = run(data_, "--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("quorvane ") + QUORVANE_VERSION + "\n");
    EXPECT_EQ(run(data_, "preview --phrase 'title case'").status, 2);  // no PATH
}

// ---- Renaming from a list ----

struct CsvCase {
    const char* name;
    std::vector<std::string> files;  // each holds its own name; "lists/" makes the folder
    std::string csvPath;             // where the CSV goes, relative to the folder
    std::string csv;
    int exitStatus;
    std::map<std::string, std::string> after;  // name -> content, all must exist
    std::string err;                           // a part of the error output
};

class CommandLineCsvTest : public ::testing::TestWithParam<CsvCase> {};

// The rows are checked as a whole before anything moves, then renamed as one batch.
TEST_P(CommandLineCsvTest, RenamesByTheRows) {
    const CsvCase& row = GetParam();
    TempDir files;
    TempDir data;
    for (const auto& name : row.files) {
        name.back() == '/' ? (void)files.folder(name) : (void)files.file(name, name);
    }
    files.file(row.csvPath, row.csv);
    // Run from elsewhere: relative paths are read against the CSV file's folder.
    auto result =
        run(data, "rename --from-csv '" + (files.path() / row.csvPath).string() + "'", "", "/");
    EXPECT_EQ(result.status, row.exitStatus) << result.out << result.err;
    EXPECT_NE(result.err.find(row.err), std::string::npos) << result.err;
    for (const auto& [name, content] : row.after) {
        ASSERT_TRUE(files.exists(name)) << name << "\n" << result.out << result.err;
        EXPECT_EQ(files.read(name), content) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    , CommandLineCsvTest,
    ::testing::Values(
        CsvCase{"QuotesCommasAndLineBreaks",
                {"a", "b"},
                "names.csv",
                "path,new name\r\n\"a\",\"say \"\"hi\"\", ok\"\r\nb,\"two\nlines\"\r\n",
                0,
                {{"say \"hi\", ok", "a"}, {"two\nlines", "b"}},
                ""},
        CsvCase{"SpaceInAPathKeptAndByteOrderMark",
                {"a", "b"},
                "names.csv",
                "\xEF\xBB\xBFPath,New Name\n a,x\na,  spaced  \n",
                2,
                {{"a", "a"}},
                "row 2 (line 2): nothing is at"},
        CsvCase{"SpacesKept",
                {"a"},
                "n.csv",
                "path,new name\na,  spaced  \n",
                0,
                {{"  spaced  ", "a"}},
                ""},
        CsvCase{"RelativeToTheCsvFolder",
                {"lists/", "x", "lists/y"},
                "lists/names.csv",
                "path,new name\n../x,x2\ny,y2\n",
                0,
                {{"x2", "x"}, {"lists/y2", "lists/y"}},
                ""},
        CsvCase{"SwapAndChain",
                {"a", "b", "c"},
                "n.csv",
                "path,new name\na,b\nb,a\nc,d\n",
                0,
                {{"a", "b"}, {"b", "a"}, {"d", "c"}},
                ""},
        CsvCase{"EveryBadRowNamedNothingMoved",
                {"a", "b"},
                "n.csv",
                "path,new name\na,x\nmissing,y\n./a,z\nb,sub/dir\n",
                2,
                {{"a", "a"}, {"b", "b"}},
                "row 3 (line 3): nothing is at"},
        CsvCase{"RepeatedSource",
                {"a"},
                "n.csv",
                "path,new name\na,x\n./a,y\n",
                2,
                {{"a", "a"}},
                "row 3 (line 3): names the same item as row 2"},
        CsvCase{"SlashInName",
                {"a"},
                "n.csv",
                "path,new name\na,sub/x\n",
                2,
                {{"a", "a"}},
                "row 2 (line 2): the new name holds \"/\""},
        CsvCase{"TakenOnDiskIsSkipped",
                {"a", "c"},
                "n.csv",
                "path,new name\na,c\n",
                1,
                {{"a", "a"}, {"c", "c"}},
                ""},
        CsvCase{
            "InvalidNameIsSkipped", {"a"}, "n.csv", "path,new name\na,..\n", 1, {{"a", "a"}}, ""},
        CsvCase{"WrongHeader", {"a"}, "n.csv", "file,name\na,b\n", 2, {{"a", "a"}}, "header row"},
        CsvCase{"QuoteLeftOpen",
                {"a"},
                "n.csv",
                "path,new name\na,\"b\n",
                2,
                {{"a", "a"}},
                "line 2: a quoted field is not closed"}),
    [](const auto& row) { return std::string(row.param.name); });

struct EditCase {
    const char* name;
    std::vector<std::string> files;  // listed in this order by name
    // What each opening of the editor leaves in the file: "KEEP" leaves it as it is, "FAIL"
    // makes the editor fail.
    std::vector<std::string> passes;
    bool yes;
    int exitStatus;
    std::map<std::string, std::string> after;  // name -> content, all must exist
    std::vector<std::string> seen;             // a part of what the editor was given, per opening
};

class CommandLineEditTest : public ::testing::TestWithParam<EditCase> {};

// The editor is a script that writes the next prepared text into the file.
TEST_P(CommandLineEditTest, RenamesWhatTheEditorLeaves) {
    const EditCase& row = GetParam();
    TempDir files;
    TempDir data;
    TempDir editor;
    std::string paths;
    for (const auto& name : row.files) {
        files.file(name, name);
        paths += " '" + (files.path() / name).string() + "'";
    }
    for (std::size_t i = 0; i < row.passes.size(); ++i) {
        editor.file("pass" + std::to_string(i + 1), row.passes[i]);
    }
    const std::string dir = editor.path().string();
    editor.file("count", "0");
    const auto script = editor.file(
        "edit.sh", "#!/bin/sh\nn=$(( $(cat '" + dir + "/count') + 1 ))\necho $n > '" + dir +
                       "/count'\ncp \"$1\" '" + dir + "/seen'$n\nnext=$(cat '" + dir +
                       "/pass'$n)\n[ \"$next\" = FAIL ] && exit 1\n[ \"$next\" = KEEP ] && exit 0\n"
                       "cp '" +
                       dir + "/pass'$n \"$1\"\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    ::setenv("EDITOR", ("'" + script.string() + "'").c_str(), 1);
    ::unsetenv("VISUAL");
    auto result = run(data, std::string("edit ") + (row.yes ? "--yes" : "") + paths);
    EXPECT_EQ(result.status, row.exitStatus) << result.out << result.err;
    for (const auto& [name, content] : row.after) {
        ASSERT_TRUE(files.exists(name)) << name << "\n" << result.out << result.err;
        EXPECT_EQ(files.read(name), content) << name;
    }
    for (std::size_t i = 0; i < row.seen.size(); ++i) {
        const std::string seen = editor.read("seen" + std::to_string(i + 1));
        EXPECT_NE(seen.find(row.seen[i]), std::string::npos) << seen;
    }
    EXPECT_FALSE(editor.exists("seen" + std::to_string(row.seen.size() + 1)));
}

INSTANTIATE_TEST_SUITE_P(
    , CommandLineEditTest,
    ::testing::Values(
        EditCase{"EscapesAndRemovedLines",
                 {"a", "b", "c"},
                 {"# mine\n1\tnew\\tname\\\\x\n3\t\\x23c\n"},
                 true,
                 0,
                 {{"new\tname\\x", "a"}, {"b", "b"}, {"#c", "c"}},
                 {"\n1\ta\n2\tb\n3\tc\n"}},
        EditCase{"NamesWrittenEscaped",
                 {"#h", "n\nl\\"},
                 {"KEEP"},
                 true,
                 0,
                 {{"#h", "#h"}, {"n\nl\\", "n\nl\\"}},
                 {"\n1\t\\x23h\n2\tn\\nl\\\\\n"}},
        EditCase{"ErrorsReopenTheEditor",
                 {"a", "b"},
                 {"1\tx\n7\ty\nno tab\n2\tbad\\q\n1\tz\n", "1\tx\n"},
                 true,
                 0,
                 {{"x", "a"}, {"b", "b"}},
                 {"1\ta\n", "# ERROR line 2: unknown ID \"7\"\n# ERROR line 3: no TAB"}},
        EditCase{"GivingUpOnErrors",
                 {"a"},
                 {"9\tx\n", "KEEP"},
                 true,
                 2,
                 {{"a", "a"}},
                 {"1\ta\n", "# ERROR line 1: unknown ID \"9\""}},
        EditCase{"EmptiedListChangesNothing",
                 {"a", "b"},
                 {""},
                 true,
                 0,
                 {{"a", "a"}, {"b", "b"}},
                 {"1\ta\n"}},
        EditCase{"EditorFailsNothingMoves", {"a"}, {"FAIL"}, true, 2, {{"a", "a"}}, {"1\ta\n"}},
        EditCase{"SwapAndInvalidName",
                 {"a", "b", "c"},
                 {"1\tb\n2\ta\n3\t..\n"},
                 true,
                 1,
                 {{"a", "b"}, {"b", "a"}, {"c", "c"}},
                 {"1\ta\n"}},
        EditCase{"NoTerminalWithoutYes", {"a"}, {"1\tx\n"}, false, 2, {{"a", "a"}}, {}}),
    [](const auto& row) { return std::string(row.param.name); });

// --- The history: undo, redo and recovery from new processes ------------------------------

// The batches of the history, newest first.
nlohmann::json historyOf(const TempDir& data) {
    const auto listed = run(data, "history --format json");
    EXPECT_EQ(listed.status, 0) << listed.err;
    return nlohmann::json::parse(listed.out);
}

struct KillCase {
    const char* name;
    const char* killAt;  // QUORVANE_TEST_KILL_AT: moves made before the kill, or "temporary"
};

class CommandLineKillTest : public ::testing::TestWithParam<KillCase> {};

// A batch of 10,000 files killed at a moment is rolled back by a new process, then killed at
// the same moment again and finished: every file ends under the one name it should have,
// with its content, and no temporary name is left.
TEST_P(CommandLineKillTest, AKilledBatchIsRolledBackOrFinished) {
    constexpr int kFiles = 10000;
    TempDir files;
    TempDir data;
    const auto name = [](char letter, int i) {
        char text[16];
        std::snprintf(text, sizeof text, "%c%05d.txt", letter, i);
        return std::string(text);
    };
    // The first two swap names (a cycle), the others get new ones. The CSV's paths are
    // relative to its folder.
    std::string csv = "path,new name\n";
    for (int i = 0; i < kFiles; ++i) {
        files.file(name('f', i), name('f', i));
        csv += name('f', i) + "," + (i < 2 ? name('f', 1 - i) : name('g', i)) + "\n";
    }
    files.file("names.csv", csv);
    const auto everyFileIs = [&](bool renamed) {
        std::size_t names = 0;
        for (const auto& entry : std::filesystem::directory_iterator(files.path())) {
            (void)entry;
            ++names;
        }
        EXPECT_EQ(names, kFiles + 1u) << "a name is missing, or a temporary name was left";
        int wrong = 0;
        for (int i = 0; i < kFiles; ++i) {
            const std::string now = !renamed ? name('f', i)
                                    : i < 2  ? name('f', 1 - i)
                                             : name('g', i);
            wrong += files.exists(now) && files.read(now) == name('f', i) ? 0 : 1;
        }
        EXPECT_EQ(wrong, 0);
    };

    for (const bool finish : {false, true}) {
        SCOPED_TRACE(finish ? "finish" : "roll back");
        ::setenv("QUORVANE_TEST_KILL_AT", GetParam().killAt, 1);
        const auto killed = run(data, "rename --from-csv names.csv", "", files.path().string());
        ::unsetenv("QUORVANE_TEST_KILL_AT");
        // The shell that ran it reports the signal.
        ASSERT_EQ(killed.status, 128 + SIGKILL) << killed.out << killed.err;
        auto history = historyOf(data);
        ASSERT_FALSE(history.empty());
        EXPECT_EQ(history[0]["state"], "interrupted");
        EXPECT_EQ(history[0]["count"], kFiles);
        const std::string id = history[0]["id"];
        EXPECT_NE(run(data, "recover").out.find(id), std::string::npos);

        const auto recovered =
            run(data, std::string("recover ") + (finish ? "--finish " : "--roll-back ") + id);
        EXPECT_EQ(recovered.status, 0) << recovered.out << recovered.err;
        everyFileIs(finish);
        EXPECT_EQ(historyOf(data)[0]["state"], finish ? "done" : "undone");
        EXPECT_NE(run(data, "recover").out.find("No interrupted batches."), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(Moments, CommandLineKillTest,
                         ::testing::Values(KillCase{"BeforeTheFirstMove", "0"},
                                           KillCase{"AfterAFewMoves", "100"},
                                           KillCase{"MidWay", "5000"},
                                           KillCase{"OnATemporaryName", "temporary"}),
                         [](const auto& row) { return std::string(row.param.name); });

struct DriftCase {
    const char* name;
    // What someone else does to the files after the batch made a.txt into a-new.txt.
    std::function<void(const TempDir&)> meddle;
    // Must hold afterwards: name and content.
    std::vector<std::pair<std::string, std::string>> after;
    std::vector<std::string> absent;
};

class CommandLineDriftTest : public ::testing::TestWithParam<DriftCase> {};

// An undo leaves alone, and reports, an item that is not the one the batch left at its new
// name or whose old name is taken; the other items go back.
TEST_P(CommandLineDriftTest, UndoLeavesAloneWhatChangedSince) {
    TempDir files;
    TempDir data;
    files.file("a.txt", "a");
    files.file("b.txt", "b");
    files.file("names.csv", "path,new name\na.txt,a-new.txt\nb.txt,b-new.txt\n");
    ASSERT_EQ(run(data, "rename --from-csv names.csv", "", files.path().string()).status, 0);
    GetParam().meddle(files);

    const auto undone = run(data, "undo");
    EXPECT_EQ(undone.status, 1) << undone.out << undone.err;
    EXPECT_NE(undone.out.find("Renamed: 1  Failed: 0  Skipped: 1"), std::string::npos)
        << undone.out;
    EXPECT_EQ(files.read("b.txt"), "b");
    for (const auto& [path, content] : GetParam().after) {
        EXPECT_TRUE(files.exists(path) && files.read(path) == content) << path;
    }
    for (const auto& path : GetParam().absent) {
        EXPECT_FALSE(files.exists(path)) << path;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineDriftTest,
    ::testing::Values(DriftCase{"RenamedBySomeoneElse",
                                [](const TempDir& files) {
                                    std::filesystem::rename(files.path() / "a-new.txt",
                                                            files.path() / "a-other.txt");
                                },
                                {{"a-other.txt", "a"}},
                                {"a.txt", "a-new.txt"}},
                      DriftCase{"MovedAway",
                                [](const TempDir& files) {
                                    files.folder("away");
                                    std::filesystem::rename(files.path() / "a-new.txt",
                                                            files.path() / "away" / "a-new.txt");
                                },
                                {{"away/a-new.txt", "a"}},
                                {"a.txt"}},
                      DriftCase{"ReplacedByAnotherItem",
                                [](const TempDir& files) {
                                    files.folder("away");
                                    std::filesystem::rename(files.path() / "a-new.txt",
                                                            files.path() / "away" / "a-old.txt");
                                    files.file("a-new.txt", "other");
                                },
                                {{"a-new.txt", "other"}, {"away/a-old.txt", "a"}},
                                {"a.txt"}},
                      DriftCase{"OldNameTaken",
                                [](const TempDir& files) { files.file("a.txt", "intruder"); },
                                {{"a.txt", "intruder"}, {"a-new.txt", "a"}},
                                {}}),
    [](const auto& row) { return std::string(row.param.name); });

// Batches in a folder whose name is not UTF-8 (the folder walked, then items given one by one)
// are undone and redone by new processes, from another working folder, any of them by its id;
// the history tells their states.
TEST_F(CommandLineTest, UndoAndRedoFromNewProcessesKeepTheBytesOfNames) {
    const std::string folder = "caf\xff-dir";
    files_.folder(folder);
    files_.file(folder + "/photo 1.txt", "1");
    files_.file(folder + "/photo 2.txt", "2");
    ASSERT_EQ(
        run(data_, "rename --recursive --phrase 'replace photo with picture' " + quoted(folder))
            .status,
        0);
    ASSERT_EQ(
        run(data_, "rename --phrase 'replace 1 with one' " + quoted(folder + "/picture 1.txt") +
                       " " + quoted(folder + "/picture 2.txt"))
            .status,
        0);
    auto history = historyOf(data_);
    ASSERT_EQ(history.size(), 2u);
    EXPECT_EQ(history[0]["count"], 1);
    EXPECT_EQ(history[1]["count"], 2);
    EXPECT_EQ(history[0]["folders"][0], (files_.path() / "caf\xef\xbf\xbd-dir").string());
    const std::string older = history[1]["id"];

    // The older batch by its id: the item the newer batch renamed since is left alone.
    auto undone = run(data_, "undo " + older, "", "/");
    EXPECT_EQ(undone.status, 1) << undone.out;
    EXPECT_EQ(files_.read(folder + "/photo 2.txt"), "2");
    EXPECT_EQ(files_.read(folder + "/picture one.txt"), "1");
    undone = run(data_, "undo");
    EXPECT_EQ(undone.status, 0) << undone.out;
    EXPECT_EQ(files_.read(folder + "/picture 1.txt"), "1");
    history = historyOf(data_);
    EXPECT_EQ(history[0]["state"], "undone");
    EXPECT_EQ(history[1]["state"], "undone");

    EXPECT_EQ(run(data_, "redo " + older + " --format json").status, 0);
    EXPECT_EQ(files_.read(folder + "/picture 2.txt"), "2");
    EXPECT_EQ(run(data_, "redo").status, 0);
    EXPECT_EQ(files_.read(folder + "/picture one.txt"), "1");
    EXPECT_EQ(run(data_, "redo").status, 2);
    history = historyOf(data_);
    EXPECT_EQ(history[0]["state"], "done");
    EXPECT_EQ(history[1]["state"], "done");
}

}  // namespace
