#include <sys/wait.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <fstream>
#include <string>

#include "Support/TempDir.h"

namespace {

struct Run {
    int status;
    std::string out;
    std::string err;
};

// Runs the program with `arguments` (already quoted for the shell) and its presets kept in
// `data`, capturing both output streams.
Run run(const TempDir& data, const std::string& arguments, const std::string& input = "",
        const std::string& folder = ".") {
    const auto errFile = data.path() / "stderr.txt";
    const auto inFile = data.path() / "stdin.txt";
    std::ofstream(inFile) << input;
    const std::string command = "cd '" + folder + "' && XDG_DATA_HOME='" + data.path().string() +
                                "' '" + QUORVANE_PROGRAM + "' " + arguments + " <'" +
                                inFile.string() + "' 2>'" + errFile.string() + "'";
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
    EXPECT_EQ(suggestions[0]["rule"].size(), 32u);

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

}  // namespace
