// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ViewModels/AppViewModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Support/ManualScheduler.h"
#include "Support/MediaFiles.h"
#include "Support/TempDir.h"

namespace fs = std::filesystem;

namespace {

class AppViewModelTest : public ::testing::Test {
  protected:
    AppViewModelTest() {
        subscription_ = model_.subscribe([this] { ++announcements_; });
        // Each test's journals in a folder of its own.
        if (const char* before = std::getenv("XDG_STATE_HOME")) {
            stateBefore_ = before;
        }
        ::setenv("XDG_STATE_HOME", state_.path().c_str(), 1);
    }
    ~AppViewModelTest() override {
        if (stateBefore_) {
            ::setenv("XDG_STATE_HOME", stateBefore_->c_str(), 1);
        } else {
            ::unsetenv("XDG_STATE_HOME");
        }
    }

    std::vector<std::string> names(const std::vector<FileItem>& items) const {
        std::vector<std::string> out;
        for (const auto& item : items) {
            out.push_back(item.originalName());
        }
        return out;
    }
    std::vector<std::string> previewNames() const {
        std::vector<std::string> out;
        for (const auto& entry : model_.previews()) {
            out.push_back(entry.preview);
        }
        return out;
    }
    std::vector<std::string> folderContents(const fs::path& folder = {}) const {
        std::vector<std::string> out;
        for (const auto& entry : fs::directory_iterator(folder.empty() ? dir_.path() : folder)) {
            out.push_back(entry.path().filename().string());
        }
        std::sort(out.begin(), out.end());
        return out;
    }
    static RenameRule numbering() {
        RenameRule rule(RuleType::numbering);
        rule.numberingPosition = NumberingPosition::replace;
        rule.numberingPadding = 2;
        return rule;
    }
    static RenameRule replace(std::string find, std::string with) {
        RenameRule rule(RuleType::replace);
        rule.findText = std::move(find);
        rule.replaceText = std::move(with);
        return rule;
    }
    static RenameRule ruleNamed(const std::string& name) {
        RenameRule rule(RuleType::insert);
        rule.insertText = name;
        return rule;
    }

    TempDir dir_;
    TempDir state_;
    std::optional<std::string> stateBefore_;
    ManualScheduler scheduler_;
    AppViewModel model_{scheduler_};
    Subscription subscription_;
    int announcements_ = 0;
};

// --- The file list -------------------------------------------------------------------------

TEST_F(AppViewModelTest, StartsEmptyWithTheDocumentedValues) {
    EXPECT_TRUE(model_.files().empty());
    EXPECT_TRUE(model_.previews().empty());
    EXPECT_FALSE(model_.isRenaming());
    EXPECT_EQ(model_.sortOrder(), AppViewModel::SortOrder::name);
    EXPECT_EQ(model_.conflictCount(), 0u);
    EXPECT_EQ(rawValue(AppViewModel::SortOrder::date), "Date Modified");
    EXPECT_EQ(fromRawValue<AppViewModel::SortOrder>("size"), std::nullopt);
}

TEST_F(AppViewModelTest, AddingTwiceInTwoCallsAddsOnceButTwiceInOneCall) {
    auto a = dir_.file("a.txt");
    auto b = dir_.file("b.txt");
    model_.addFiles({a});
    model_.addFiles({a});
    EXPECT_EQ(model_.files().size(), 1u);
    model_.addFiles({b, b});
    EXPECT_EQ(model_.files().size(), 3u);
    scheduler_.runAll();
    EXPECT_EQ(model_.previews().size(), 3u);
}

TEST_F(AppViewModelTest, AFolderIsOneEntryUnlessSubfoldersAreIncluded) {
    dir_.file("top/.hidden");
    dir_.file("top/inner/deep.txt");
    auto top = dir_.path() / "top";

    model_.addFiles({top});
    ASSERT_EQ(model_.files().size(), 1u);
    EXPECT_TRUE(model_.files()[0].isDirectory);

    model_.clearFiles();
    model_.setIncludeSubfolders(true);
    model_.addFiles({top});
    auto listed = names(model_.files());
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<std::string>{".hidden", "deep.txt", "inner"}));
    // Each subfolder comes before its contents.
    const auto& files = model_.files();
    auto inner = std::find_if(files.begin(), files.end(),
                              [](const FileItem& f) { return f.originalName() == "inner"; });
    auto deep = std::find_if(files.begin(), files.end(),
                             [](const FileItem& f) { return f.originalName() == "deep.txt"; });
    EXPECT_LT(inner, deep);
}

TEST_F(AppViewModelTest, WalkingSurvivesLinkLoopsAndDeepTrees) {
    dir_.folder("loop");
    fs::create_directory_symlink(dir_.path() / "loop", dir_.path() / "loop" / "self");
    fs::path deep = dir_.path() / "loop";
    for (int i = 0; i < 300; ++i) {
        deep /= "d";
    }
    fs::create_directories(deep);
    model_.setIncludeSubfolders(true);
    model_.addFiles({dir_.path() / "loop"});
    // 300 nested folders and the link itself, which is listed but not followed.
    EXPECT_EQ(model_.files().size(), 301u);
}

// Adding in the background lists, once the walks are done, exactly what addFiles would list
// for the same calls: adds made while one walks follow it in order, and nothing is lost or
// listed twice.
TEST_F(AppViewModelTest, AddingInTheBackgroundListsWhatAddFilesLists) {
    using Adds = std::vector<std::vector<std::string>>;
    struct Row {
        const char* what;
        Adds adds;
        std::size_t listed;
    };
    const std::vector<Row> rows = {
        {"one folder, walked", {{"top"}}, 4},
        {"the same folder again while it walks", {{"top"}, {"top"}}, 4},
        {"more while it walks", {{"top"}, {"loose.txt", "top"}}, 5},
        {"a file, then the folder holding it", {{"top/a.txt"}, {"top"}}, 4},
        {"twice in one call, as addFiles does", {{"loose.txt", "loose.txt"}}, 2},
    };
    dir_.file("top/a.txt");
    dir_.file("top/b.txt");
    dir_.file("top/inner/c.txt");
    dir_.file("loose.txt");
    const auto locations = [this](const std::vector<std::string>& names) {
        std::vector<fs::path> out;
        for (const auto& name : names) {
            out.push_back(dir_.path() / name);
        }
        return out;
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        ManualScheduler scheduler;
        AppViewModel model(scheduler);
        AppViewModel reference(scheduler);
        model.setIncludeSubfolders(true);
        reference.setIncludeSubfolders(true);
        for (const auto& add : row.adds) {
            model.addFilesInBackground(locations(add));
            reference.addFiles(locations(add));
        }
        EXPECT_TRUE(model.files().empty());
        EXPECT_TRUE(model.isAddingFiles());
        scheduler.runAll();
        EXPECT_FALSE(model.isAddingFiles());
        ASSERT_EQ(model.files().size(), row.listed);
        ASSERT_EQ(reference.files().size(), row.listed);
        for (std::size_t i = 0; i < row.listed; ++i) {
            EXPECT_EQ(model.files()[i].url, reference.files()[i].url);
            EXPECT_EQ(model.files()[i].isDirectory, reference.files()[i].isDirectory);
        }
        EXPECT_EQ(model.previews().size(), row.listed);
    }
}

TEST_F(AppViewModelTest, AMissingLocationIsAPlainEntry) {
    model_.addFiles({dir_.path() / "gone.txt"});
    ASSERT_EQ(model_.files().size(), 1u);
    EXPECT_FALSE(model_.files()[0].isDirectory);
}

TEST_F(AppViewModelTest, FilterMatchesTheNameWithoutCaseAndNotTheFolder) {
    model_.addFiles({dir_.file("Holiday_PHOTO.jpg"), dir_.file("photos/beach.jpg"),
                     dir_.file("Cafe\xCC\x81.txt")});
    model_.setFilterText("photo");
    EXPECT_EQ(names(model_.filteredFiles()), (std::vector<std::string>{"Holiday_PHOTO.jpg"}));
    // A precomposed "é" finds the name written with a combining accent.
    model_.setFilterText("CAF\xC3\x89");
    EXPECT_EQ(model_.filteredFiles().size(), 1u);
}

TEST_F(AppViewModelTest, KindFiltersAreIndependent) {
    model_.addFiles({dir_.file("a.txt"), dir_.folder("sub")});
    model_.setShowOnlyFiles(true);
    EXPECT_EQ(names(model_.filteredFiles()), (std::vector<std::string>{"a.txt"}));
    model_.setShowOnlyFolders(true);
    EXPECT_TRUE(model_.filteredFiles().empty());
    model_.setShowOnlyFiles(false);
    EXPECT_EQ(names(model_.filteredFiles()), (std::vector<std::string>{"sub"}));
}

TEST_F(AppViewModelTest, SortOrders) {
    auto big = dir_.file("big.txt", std::string(300, 'x'));
    auto empty1 = dir_.file("empty1.bin");
    auto folder = dir_.folder("folder");
    auto empty2 = dir_.file("empty2.aaa");
    auto small = dir_.file(
        "\xC3\xA9"
        "clair.txt",
        "x");
    auto now = fs::file_time_type::clock::now();
    fs::last_write_time(big, now - std::chrono::hours(3));
    fs::last_write_time(small, now - std::chrono::hours(1));
    fs::last_write_time(empty1, now - std::chrono::hours(2));
    fs::last_write_time(empty2, now - std::chrono::hours(4));
    fs::last_write_time(folder, now - std::chrono::hours(5));
    model_.addFiles({big, empty1, folder, empty2, small, dir_.path() / "missing"});

    // Collated, not compared by bytes: "é" sorts with "e", not after "z".
    EXPECT_EQ(names(model_.filteredFiles()),
              (std::vector<std::string>{"big.txt",
                                        "\xC3\xA9"
                                        "clair.txt",
                                        "empty1.bin", "empty2.aaa", "folder", "missing"}));
    model_.setSortOrder(AppViewModel::SortOrder::size);
    scheduler_.runAll();
    // A folder and a missing item count as 0 and keep their order among the empty files.
    EXPECT_EQ(names(model_.filteredFiles()),
              (std::vector<std::string>{"big.txt",
                                        "\xC3\xA9"
                                        "clair.txt",
                                        "empty1.bin", "folder", "empty2.aaa", "missing"}));
    model_.setSortOrder(AppViewModel::SortOrder::date);
    scheduler_.runAll();
    EXPECT_EQ(
        names(model_.filteredFiles()),
        (std::vector<std::string>{"\xC3\xA9"
                                  "clair.txt",
                                  "empty1.bin", "big.txt", "empty2.aaa", "folder", "missing"}));
    model_.setSortOrder(AppViewModel::SortOrder::type);
    EXPECT_EQ(names(model_.filteredFiles()).front(), "folder");
    EXPECT_EQ(model_.filteredFiles()[2].fileExtension(), "aaa");
}

// Sizes and dates are read in the background: until they arrive the list keeps its order
// (entries added meanwhile last), then it is sorted, and a rename clicked meanwhile numbers
// the entries in the order they end up in.
TEST_F(AppViewModelTest, SizeAndDateOrdersWaitForWhatTheyCompare) {
    enum class Step { bySize, byDate, byName, reverse, addBiggest, rename };
    using Names = std::vector<std::string>;
    struct Row {
        const char* what;
        std::vector<Step> steps;
        // Right after the steps, and once everything queued has run.
        Names before;
        bool reading;
        Names after;
        // The sizes of 01.txt, 02.txt and 03.txt after a rename (empty: none).
        std::vector<std::size_t> renamedSizes;
    };
    const Names byName{"a.txt", "b.txt", "c.txt"};
    const Names bySize{"b.txt", "c.txt", "a.txt"};
    const std::vector<Row> rows = {
        {"the size order is applied when the sizes arrive",
         {Step::bySize},
         byName,
         true,
         bySize,
         {}},
        {"turned round while waiting",
         {Step::bySize, Step::reverse},
         byName,
         true,
         Names{"a.txt", "c.txt", "b.txt"},
         {}},
        {"the date order likewise",
         {Step::byDate},
         byName,
         true,
         Names{"a.txt", "c.txt", "b.txt"},
         {}},
        {"back to names before they arrive",
         {Step::bySize, Step::byName},
         byName,
         false,
         byName,
         {}},
        {"an entry added while sorted goes last until read",
         {Step::bySize, Step::addBiggest},
         Names{"b.txt", "c.txt", "a.txt", "d.txt"},
         true,
         Names{"d.txt", "b.txt", "c.txt", "a.txt"},
         {}},
        {"a rename clicked meanwhile numbers by size",
         {Step::bySize, Step::rename},
         byName,
         true,
         Names{"01.txt", "02.txt", "03.txt"},
         {300, 20, 1}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        TempDir dir;
        const auto now = fs::file_time_type::clock::now();
        const auto a = dir.file("a.txt", "x");
        const auto b = dir.file("b.txt", std::string(300, 'x'));
        const auto c = dir.file("c.txt", std::string(20, 'x'));
        fs::last_write_time(a, now - std::chrono::hours(1));
        fs::last_write_time(b, now - std::chrono::hours(3));
        fs::last_write_time(c, now - std::chrono::hours(2));
        ManualScheduler scheduler;
        AppViewModel model(scheduler);
        model.addFiles({c, a, b});
        model.addRule(numbering());
        scheduler.runAll();
        for (const auto step : row.steps) {
            switch (step) {
                case Step::bySize:
                    model.setSortOrder(AppViewModel::SortOrder::size);
                    break;
                case Step::byDate:
                    model.setSortOrder(AppViewModel::SortOrder::date);
                    break;
                case Step::byName:
                    model.setSortOrder(AppViewModel::SortOrder::name);
                    break;
                case Step::reverse:
                    model.setSortReversed(true);
                    break;
                case Step::addBiggest:
                    // Sorted by size once before this entry comes.
                    scheduler.runAll();
                    model.addFiles({dir.file("d.txt", std::string(500, 'x'))});
                    break;
                case Step::rename:
                    model.performRename();
                    break;
            }
        }
        EXPECT_EQ(names(model.filteredFiles()), row.before);
        EXPECT_EQ(model.isReadingStats(), row.reading);
        scheduler.runAll();
        EXPECT_FALSE(model.isReadingStats());
        EXPECT_FALSE(model.isPreviewPending());
        EXPECT_EQ(names(model.filteredFiles()), row.after);
        for (std::size_t i = 0; i < row.renamedSizes.size(); ++i) {
            EXPECT_EQ(dir.read("0" + std::to_string(i + 1) + ".txt").size(), row.renamedSizes[i]);
        }
    }
}

// Name order compares runs of digits by value and is total: names that collate alike follow
// their bytes, whatever order they were added in. Nothing needs to exist to be sorted.
TEST_F(AppViewModelTest, NameOrderCountsDigitsByValue) {
    using Names = std::vector<std::string>;
    struct Row {
        const char* what;
        AppViewModel::SortOrder order;
        bool reversed;
        Names added;
        Names shown;
    };
    const auto name = AppViewModel::SortOrder::name;
    const std::vector<Row> rows = {
        {"digits of unequal length",
         name,
         false,
         {"file10.txt", "file2.txt", "file1.txt"},
         {"file1.txt", "file2.txt", "file10.txt"}},
        {"leading zeros tie, then bytes",
         name,
         false,
         {"file1", "file2", "file01", "file001"},
         {"file001", "file01", "file1", "file2"}},
        {"digits at the start and the end",
         name,
         false,
         {"track 10", "10 intro", "track 9", "9 intro"},
         {"9 intro", "10 intro", "track 9", "track 10"}},
        // Arabic-Indic 10 and 3 beside ASCII 2.
        {"digits of other scripts",
         name,
         false,
         {"a\xD9\xA1\xD9\xA0", "a2", "a\xD9\xA3"},
         {"a2", "a\xD9\xA3", "a\xD9\xA1\xD9\xA0"}},
        // The same name, composed and decomposed.
        {"equal-collating names",
         name,
         false,
         {"\xC3\xA9t\xC3\xA9", "e\xCC\x81t\xC3\xA9"},
         {"e\xCC\x81t\xC3\xA9", "\xC3\xA9t\xC3\xA9"}},
        // Keys of such names run to hundreds of bytes, longer than most.
        {"long names",
         name,
         false,
         {"y", std::string(240, 'x') + "10", std::string(250, 'x'), std::string(240, 'x') + "9"},
         {std::string(240, 'x') + "9", std::string(240, 'x') + "10", std::string(250, 'x'), "y"}},
        {"reversed",
         name,
         true,
         {"file2", "file10", "file01", "file1"},
         {"file10", "file2", "file1", "file01"}},
        {"type, then name order",
         AppViewModel::SortOrder::type,
         false,
         {"b10.txt", "a.jpg", "b2.txt", "a.txt", "notes"},
         {"notes", "a.jpg", "a.txt", "b2.txt", "b10.txt"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        AppViewModel model(scheduler_);
        std::vector<fs::path> paths;
        for (const auto& added : row.added) {
            paths.push_back(dir_.path() / added);
        }
        model.addFiles(paths);
        model.setSortOrder(row.order);
        model.setSortReversed(row.reversed);
        EXPECT_EQ(names(model.filteredFiles()), row.shown);
    }
}

// The window keeps the name and type orders of the whole list; each step must see them
// follow the list, and equal names keep their order of addition when turned round.
TEST_F(AppViewModelTest, KeptOrdersFollowTheList) {
    dir_.folder("x");
    dir_.folder("y");
    model_.addFiles({dir_.file("x/b.txt"), dir_.file("y/b.txt"), dir_.file("a.txt")});
    struct Row {
        const char* what;
        std::function<void()> step;
        std::vector<std::string> shown;  // relative to the folder
    };
    const std::vector<Row> rows = {
        {"by name", [] {}, {"a.txt", "x/b.txt", "y/b.txt"}},
        {"turned round", [this] { model_.setSortReversed(true); }, {"x/b.txt", "y/b.txt", "a.txt"}},
        {"by type, turned round",
         [this] { model_.setSortOrder(AppViewModel::SortOrder::type); },
         {"x/b.txt", "y/b.txt", "a.txt"}},
        {"filtered", [this] { model_.setFilterText("B"); }, {"x/b.txt", "y/b.txt"}},
        {"an entry moved",
         [this] {
             model_.setFilterText("");
             model_.renameTo({{model_.files()[2].id, "c.md"}});
             scheduler_.runAll();
         },
         {"x/b.txt", "y/b.txt", "c.md"}},
        {"by name again",
         [this] { model_.setSortOrder(AppViewModel::SortOrder::name); },
         {"c.md", "x/b.txt", "y/b.txt"}},
        {"an entry added",
         [this] { model_.addFiles({dir_.file("d.txt")}); },
         {"d.txt", "c.md", "x/b.txt", "y/b.txt"}},
        {"an entry removed",
         [this] { model_.removeFiles({model_.files()[0]}); },
         {"d.txt", "c.md", "y/b.txt"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        row.step();
        std::vector<std::string> shown;
        for (const auto& item : model_.filteredFiles()) {
            shown.push_back(fs::path(item.url).lexically_relative(dir_.path()).string());
        }
        EXPECT_EQ(shown, row.shown);
    }
}

TEST_F(AppViewModelTest, CheckMarksCoverHiddenEntries) {
    model_.addFiles({dir_.file("a.txt"), dir_.file("b.txt")});
    model_.setFilterText("a");
    model_.deselectAll();
    EXPECT_EQ(model_.selectedCount(), 0u);
    model_.invertSelection();
    EXPECT_EQ(model_.selectedCount(), 2u);
    model_.setFileSelected(model_.files()[1].id, false);
    EXPECT_EQ(model_.selectedCount(), 1u);
}

TEST_F(AppViewModelTest, ClearKeepsRulesFiltersAndHistory) {
    model_.addRule(replace("a", "b"));
    model_.addFiles({dir_.file("a.txt")});
    model_.setFilterText("a");
    model_.clearFiles();
    EXPECT_TRUE(model_.files().empty());
    EXPECT_TRUE(model_.previews().empty());
    EXPECT_EQ(model_.rules().size(), 1u);
    EXPECT_EQ(model_.filterText(), "a");
}

TEST_F(AppViewModelTest, RemovingAnUnknownItemStillRecomputesAndAnnounces) {
    auto a = dir_.file("a.txt");
    model_.addFiles({a});
    const int before = announcements_;
    model_.removeFiles({FileItem(a)});
    EXPECT_EQ(model_.files().size(), 1u);
    EXPECT_GT(announcements_, before);
    model_.removeFiles({model_.files()[0]});
    EXPECT_TRUE(model_.files().empty());
    scheduler_.runAll();
    EXPECT_TRUE(model_.previews().empty());
}

// --- Rules and the live preview --------------------------------------------------------------

struct MoveCase {
    const char* name;
    std::set<std::size_t> from;
    std::size_t to;
    std::string expected;
    // Test names show the row's name rather than its bytes.
    friend void PrintTo(const MoveCase& row, std::ostream* out) { *out << row.name; }
};

class MoveRuleTest : public AppViewModelTest, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(MoveRuleTest, MovesTheBlockInFrontOfTheDestination) {
    for (const char* name : {"A", "B", "C"}) {
        model_.addRule(ruleNamed(name));
    }
    const int before = announcements_;
    model_.moveRule(GetParam().from, GetParam().to);
    std::string order;
    for (const auto& rule : model_.rules()) {
        order += rule.insertText;
    }
    EXPECT_EQ(order, GetParam().expected);
    EXPECT_GT(announcements_, before);
}

INSTANTIATE_TEST_SUITE_P(Positions, MoveRuleTest,
                         ::testing::Values(MoveCase{"FirstToTwo", {0}, 2, "BAC"},
                                           MoveCase{"FirstToEnd", {0}, 3, "BCA"},
                                           MoveCase{"LastToStart", {2}, 0, "CAB"},
                                           MoveCase{"OntoItself", {1}, 1, "ABC"},
                                           MoveCase{"JustAfterItself", {1}, 2, "ABC"},
                                           MoveCase{"TwoToEnd", {0, 1}, 3, "CAB"},
                                           MoveCase{"OuterToMiddle", {0, 2}, 1, "ACB"}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(AppViewModelTest, RuleEditsRecomputeThePreview) {
    model_.addFiles({dir_.file("draft.txt")});
    model_.addRule(replace("draft", "final"));
    scheduler_.runAll();
    EXPECT_EQ(previewNames(), (std::vector<std::string>{"final.txt"}));

    RenameRule edited = model_.rules()[0];
    edited.isEnabled = false;
    model_.updateRule(edited);
    scheduler_.runAll();
    EXPECT_EQ(previewNames(), (std::vector<std::string>{"draft.txt"}));
    EXPECT_EQ(model_.rules().size(), 1u);

    const int before = announcements_;
    model_.updateRule(replace("x", "y"));  // an id no rule has
    EXPECT_EQ(announcements_, before);

    model_.removeRule({0});
    EXPECT_TRUE(model_.rules().empty());
}

TEST_F(AppViewModelTest, SortAndFilterChangesRecomputeSoRowsMatchTheTable) {
    model_.addFiles({dir_.file("b.txt"), dir_.file("a.txt"), dir_.file("c.txt")});
    model_.addRule(numbering());
    scheduler_.runAll();
    EXPECT_EQ(previewNames(), (std::vector<std::string>{"01.txt", "02.txt", "03.txt"}));
    EXPECT_EQ(model_.previews()[0].original, "a.txt");

    model_.setFilterText("c");
    scheduler_.runAll();
    ASSERT_EQ(model_.previews().size(), 1u);
    EXPECT_EQ(model_.previews()[0].original, "c.txt");
    EXPECT_EQ(model_.previews()[0].preview, "01.txt");
}

TEST_F(AppViewModelTest, ConflictsAreCounted) {
    model_.addFiles({dir_.file("x1.txt"), dir_.file("x2.txt"), dir_.file("y.txt")});
    RenameRule rule(RuleType::regex);
    rule.findText = "[0-9]";
    model_.addRule(rule);
    scheduler_.runAll();
    EXPECT_EQ(model_.conflictCount(), 1u);
}

// The preview is computed in the background while edits go on: an answer to an older change
// is dropped when it arrives, and a rename waits for the preview of the last change and
// carries out exactly that one.
TEST_F(AppViewModelTest, StalePreviewsAreDroppedAndARenameCarriesOutTheCurrentOne) {
    enum class Step { edit, uncheck, compute, handBack, rename, cancel };
    struct Row {
        const char* what;
        std::vector<std::pair<Step, std::string>> steps;
        // Right after the steps.
        std::vector<std::string> shown;
        bool pending;
        bool renaming;
        // Once everything queued has run.
        std::vector<std::string> onDisk;
        std::vector<std::string> shownAtEnd;  // empty: not looked at
    };
    const std::vector<std::string> before{"b1.txt", "b2.txt"};
    const std::vector<std::string> untouched{"a1.txt", "a2.txt"};
    const std::vector<Row> rows = {
        {"an answer to an older edit is dropped",
         {{Step::edit, "c"}, {Step::compute, ""}, {Step::edit, "d"}, {Step::handBack, ""}},
         before,
         true,
         false,
         untouched,
         {"d1.txt", "d2.txt"}},
        {"a current preview renames at once",
         {{Step::rename, ""}},
         before,
         false,
         true,
         before,
         {}},
        {"a rename waits for the preview of the last edit",
         {{Step::edit, "c"}, {Step::rename, ""}},
         before,
         true,
         true,
         {"c1.txt", "c2.txt"},
         {"c1.txt", "c2.txt"}},
        {"an edit after the click is carried out too",
         {{Step::edit, "c"},
          {Step::rename, ""},
          {Step::compute, ""},
          {Step::edit, "d"},
          {Step::handBack, ""}},
         before,
         true,
         true,
         {"d1.txt", "d2.txt"},
         {}},
        {"a check mark is a change like an edit",
         {{Step::uncheck, ""}, {Step::rename, ""}},
         before,
         true,
         true,
         {"a2.txt", "b1.txt"},
         {}},
        {"a rename cancelled before its preview arrives does not begin",
         {{Step::edit, "c"}, {Step::rename, ""}, {Step::cancel, ""}},
         before,
         true,
         false,
         untouched,
         {"c1.txt", "c2.txt"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        TempDir dir;
        ManualScheduler scheduler;
        AppViewModel model(scheduler);
        model.addFiles({dir.file("a1.txt"), dir.file("a2.txt")});
        model.addRule(replace("a", "b"));
        scheduler.runAll();
        const auto shown = [&] {
            std::vector<std::string> out;
            for (const auto& entry : model.previews()) {
                out.push_back(entry.preview);
            }
            return out;
        };
        for (const auto& [step, text] : row.steps) {
            switch (step) {
                case Step::edit: {
                    RenameRule rule = model.rules()[0];
                    rule.replaceText = text;
                    model.updateRule(rule);
                    break;
                }
                case Step::uncheck:
                    model.setFileSelected(model.files()[1].id, false);
                    break;
                case Step::compute:
                    scheduler.runBackground();
                    break;
                case Step::handBack:
                    scheduler.runMain();
                    break;
                case Step::rename:
                    model.performRename();
                    break;
                case Step::cancel:
                    model.cancelRename();
                    break;
            }
        }
        EXPECT_EQ(shown(), row.shown);
        EXPECT_EQ(model.isPreviewPending(), row.pending);
        EXPECT_EQ(model.isRenaming(), row.renaming);
        scheduler.runAll();
        EXPECT_FALSE(model.isPreviewPending());
        EXPECT_FALSE(model.isRenaming());
        EXPECT_EQ(folderContents(dir.path()), row.onDisk);
        if (!row.shownAtEnd.empty()) {
            EXPECT_EQ(shown(), row.shownAtEnd);
        }
    }
}

// --- Rename, undo and redo on disk ---------------------------------------------------------

TEST_F(AppViewModelTest, NumbersGivenOnDiskAreTheNumbersShown) {
    // Added in another order than the table shows them.
    model_.addFiles({dir_.file("c.txt", "C"), dir_.file("a.txt", "A"), dir_.file("b.txt", "B")});
    model_.addRule(numbering());
    scheduler_.runAll();
    const auto shown = model_.previews();
    model_.performRename();
    EXPECT_TRUE(model_.isRenaming());
    scheduler_.runAll();
    EXPECT_FALSE(model_.isRenaming());
    EXPECT_TRUE(model_.showRenameResult());
    for (const auto& entry : shown) {
        EXPECT_EQ(dir_.read(entry.preview),
                  std::string(1, static_cast<char>(entry.original[0] - 'a' + 'A')));
    }
    ASSERT_EQ(model_.lastRenameResults().size(), 3u);
    EXPECT_TRUE(model_.canUndo());
    // Entries are replaced in place: the order of addition stays.
    EXPECT_EQ(model_.files()[0].originalName(), "03.txt");
}

// What the files hold is read in the background; until then the last preview stays and a
// rename waits. Then names follow the photos, a photo without the date says so, "Date
// Taken" orders by it, and the rename gives the names shown.
TEST_F(AppViewModelTest, TemplatesReadTheFilesInTheBackground) {
    const auto older = dir_.path() / "older.jpg";
    const auto newer = dir_.path() / "newer.jpg";
    const auto none = dir_.path() / "none.jpg";
    for (const auto& photo : {older, newer, none}) {
        MediaFiles::writeJpeg(photo);
    }
    MediaFiles::addExif(older, {{"Exif.Photo.DateTimeOriginal", "2019:07:01 08:00:00"},
                                {"Exif.Image.Model", "Cam A"}});
    MediaFiles::addExif(newer, {{"Exif.Photo.DateTimeOriginal", "2024:12:31 23:59:59"},
                                {"Exif.Image.Model", "Cam/B"}});
    fs::last_write_time(none, fs::file_time_type::clock::now() - std::chrono::hours(24 * 365 * 30));
    model_.addFiles({older, newer, none});
    scheduler_.runAll();
    RenameRule rule(RuleType::nameTemplate);
    rule.templateText = "{exif.date:yyyy-MM-dd HH.mm.ss} {exif.model}";
    model_.addRule(rule);
    EXPECT_TRUE(model_.isReadingMetadata());
    EXPECT_EQ(model_.metadataProgress(), (std::pair<std::size_t, std::size_t>{0, 3}));
    EXPECT_EQ(previewNames(), (std::vector<std::string>{"newer.jpg", "none.jpg", "older.jpg"}));
    model_.performRename();
    EXPECT_FALSE(model_.isRenaming());

    scheduler_.runAll();
    EXPECT_FALSE(model_.isReadingMetadata());
    EXPECT_EQ(previewNames(), (std::vector<std::string>{"2024-12-31 23.59.59 Cam_B.jpg", "none.jpg",
                                                        "2019-07-01 08.00.00 Cam A.jpg"}));
    ASSERT_TRUE(model_.previews()[1].problem);
    EXPECT_EQ(model_.previews()[1].problem->detail, "No EXIF date in this file");
    EXPECT_EQ(model_.ruleExample(model_.rules()[0])->preview, "2024-12-31 23.59.59 Cam_B.jpg");

    model_.setSortOrder(AppViewModel::SortOrder::dateTaken);
    EXPECT_FALSE(model_.isReadingMetadata());  // known already
    EXPECT_EQ(names(model_.filteredFiles()),
              (std::vector<std::string>{"newer.jpg", "older.jpg", "none.jpg"}));

    model_.performRename();
    scheduler_.runAll();
    EXPECT_EQ(folderContents(),
              (std::vector<std::string>{"2019-07-01 08.00.00 Cam A.jpg",
                                        "2024-12-31 23.59.59 Cam_B.jpg", "none.jpg"}));
}

// Two folders of a camera's companion files, shown in name order (the folders interleave):
// each way of counting gives on disk exactly the numbers the preview shows.
TEST_F(AppViewModelTest, NumberingPerFolderAndSharedByCompanionsRenamesAsShown) {
    struct Row {
        const char* what;
        bool perFolder;
        bool shared;
        std::vector<std::string> shown;  // in the table's order, below
    };
    // A/IMG_1.CR2, A/IMG_1.JPG, B/IMG_1.JPG, A/IMG_1.xmp, B/IMG_1.xmp, A/IMG_2.CR2,
    // B/IMG_3.JPG, A/IMG_10.CR2, A/IMG_10.JPG
    const std::vector<Row> rows = {
        {"whole list",
         false,
         false,
         {"01.CR2", "02.JPG", "03.JPG", "04.xmp", "05.xmp", "06.CR2", "07.JPG", "08.CR2",
          "09.JPG"}},
        {"per folder",
         true,
         false,
         {"01.CR2", "02.JPG", "01.JPG", "03.xmp", "02.xmp", "04.CR2", "03.JPG", "05.CR2",
          "06.JPG"}},
        {"shared by companions",
         false,
         true,
         {"01.CR2", "01.JPG", "02.JPG", "01.xmp", "02.xmp", "03.CR2", "04.JPG", "05.CR2",
          "05.JPG"}},
        {"both",
         true,
         true,
         {"01.CR2", "01.JPG", "01.JPG", "01.xmp", "01.xmp", "02.CR2", "02.JPG", "03.CR2",
          "03.JPG"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        TempDir dir;
        ManualScheduler scheduler;
        AppViewModel model(scheduler);
        std::vector<fs::path> paths;
        for (const char* name :
             {"A/", "B/", "A/IMG_1.CR2", "A/IMG_1.JPG", "A/IMG_1.xmp", "A/IMG_2.CR2",
              "A/IMG_10.CR2", "A/IMG_10.JPG", "B/IMG_1.JPG", "B/IMG_1.xmp", "B/IMG_3.JPG"}) {
            const std::string text = name;
            if (text.back() == '/') {
                dir.folder(text);
            } else {
                paths.push_back(dir.file(text, text));
            }
        }
        model.addFiles(paths);
        RenameRule rule = numbering();
        rule.numberingResetPerFolder = row.perFolder;
        rule.numberingShareBaseName = row.shared;
        model.addRule(rule);
        scheduler.runAll();
        std::vector<std::string> shown;
        std::vector<std::pair<fs::path, std::string>> expected;
        const auto listed = model.filteredFiles();
        ASSERT_EQ(listed.size(), model.previews().size());
        for (std::size_t i = 0; i < listed.size(); ++i) {
            shown.push_back(model.previews()[i].preview);
            const fs::path folder = listed[i].parentURL();
            expected.emplace_back(folder / model.previews()[i].preview,
                                  folder.filename().string() + "/" + listed[i].originalName());
        }
        EXPECT_EQ(shown, row.shown);
        model.performRename();
        scheduler.runAll();
        for (const auto& [location, content] : expected) {
            EXPECT_EQ(dir.read(fs::relative(location, dir.path()).string()), content) << location;
        }
    }
}

TEST_F(AppViewModelTest, OnlyTheCheckedEntriesShownAreRenamed) {
    model_.addFiles({dir_.file("keep_a.txt"), dir_.file("move_b.txt"), dir_.file("move_c.txt")});
    model_.addRule(replace("_", "-"));
    model_.setFileSelected(model_.files()[1].id, false);
    model_.setFilterText("move");
    EXPECT_EQ(model_.hiddenSelectedCount(), 1u);
    model_.performRename();
    scheduler_.runAll();
    EXPECT_EQ(folderContents(),
              (std::vector<std::string>{"keep_a.txt", "move-c.txt", "move_b.txt"}));
    ASSERT_EQ(model_.lastRenameResults().size(), 1u);
}

TEST_F(AppViewModelTest, AFolderAndItsContentsRenameInOneBatchAndTheListFollows) {
    dir_.folder("top-dir/mid-dir");
    dir_.file("top-dir/mid-dir/low-file.txt", "x");
    dir_.file("top-dir/unchecked-file.txt", "y");
    model_.setIncludeSubfolders(true);
    model_.addFiles({dir_.path()});
    model_.addRule(replace("-", "_"));
    for (const auto& item : model_.files()) {
        if (item.originalName() == "unchecked-file.txt") {
            model_.setFileSelected(item.id, false);
        }
    }
    model_.performRename();
    scheduler_.runAll();
    for (const auto& result : model_.lastRenameResults()) {
        EXPECT_TRUE(result.renamed()) << result.originalURL << ": " << result.error->detail;
    }
    EXPECT_EQ(dir_.read("top_dir/mid_dir/low_file.txt"), "x");
    // Every entry, the unchecked one inside a moved folder too, is where the disk has it.
    for (const auto& item : model_.files()) {
        EXPECT_TRUE(fs::exists(item.url)) << item.url;
    }
    EXPECT_TRUE(fs::exists(dir_.path() / "top_dir" / "unchecked-file.txt"));

    model_.undoRename();
    scheduler_.runAll();
    EXPECT_EQ(dir_.read("top-dir/mid-dir/low-file.txt"), "x");
    for (const auto& item : model_.files()) {
        EXPECT_TRUE(fs::exists(item.url)) << item.url;
    }
    model_.redoRename();
    scheduler_.runAll();
    EXPECT_EQ(dir_.read("top_dir/mid_dir/low_file.txt"), "x");
}

TEST_F(AppViewModelTest, APathWithATrailingSlashIsTheFolderItself) {
    dir_.folder("my-dir");
    model_.addFiles({dir_.path().native() + "/./my-dir/"});
    ASSERT_EQ(model_.files().size(), 1u);
    EXPECT_EQ(model_.files()[0].url, dir_.path() / "my-dir");
    EXPECT_EQ(model_.files()[0].originalName(), "my-dir");
}

TEST_F(AppViewModelTest, UndoMovesBackAndRedoMovesAgain) {
    model_.addFiles({dir_.file("one.txt", "1"), dir_.file("two.txt", "2")});
    model_.addRule(replace("o", "0"));
    model_.performRename();
    scheduler_.runAll();
    ASSERT_EQ(folderContents(), (std::vector<std::string>{"0ne.txt", "tw0.txt"}));

    model_.undoRename();
    scheduler_.runAll();
    EXPECT_EQ(folderContents(), (std::vector<std::string>{"one.txt", "two.txt"}));
    EXPECT_EQ(names(model_.files()), (std::vector<std::string>{"one.txt", "two.txt"}));
    EXPECT_FALSE(model_.canUndo());
    EXPECT_TRUE(model_.canRedo());

    model_.redoRename();
    scheduler_.runAll();
    EXPECT_EQ(folderContents(), (std::vector<std::string>{"0ne.txt", "tw0.txt"}));
    EXPECT_EQ(names(model_.files()), (std::vector<std::string>{"0ne.txt", "tw0.txt"}));
    EXPECT_EQ(dir_.read("tw0.txt"), "2");

    // Undo again, then a new batch: the redo history is gone.
    model_.undoRename();
    scheduler_.runAll();
    model_.performRename();
    scheduler_.runAll();
    EXPECT_FALSE(model_.canRedo());
}

TEST_F(AppViewModelTest, UndoAfterAFileWasMovedAwayReportsItAndLosesNothing) {
    model_.addFiles({dir_.file("one.txt", "1"), dir_.file("two.txt", "2")});
    model_.addRule(replace("o", "0"));
    model_.performRename();
    scheduler_.runAll();
    model_.setShowRenameResult(false);
    fs::create_directory(dir_.path() / "elsewhere");
    fs::rename(dir_.path() / "0ne.txt", dir_.path() / "elsewhere" / "0ne.txt");
    // And something now occupies the place the other file would go back to.
    dir_.file("two.txt", "new");

    model_.undoRename();
    scheduler_.runAll();
    const auto& results = model_.lastRenameResults();
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(std::count_if(results.begin(), results.end(),
                            [](const RenameResult& r) { return !r.renamed(); }),
              2);
    EXPECT_TRUE(model_.showRenameResult());
    EXPECT_EQ(dir_.read("two.txt"), "new");
    EXPECT_EQ(dir_.read("tw0.txt"), "2");
    EXPECT_EQ(dir_.read("elsewhere/0ne.txt"), "1");
    // The item that could not go back stays listed where it is.
    EXPECT_EQ(names(model_.files()), (std::vector<std::string>{"0ne.txt", "tw0.txt"}));
}

TEST_F(AppViewModelTest, ASecondRequestWhileRenamingChangesNothing) {
    model_.addFiles({dir_.file("a.txt")});
    model_.addRule(replace("a", "b"));
    model_.performRename();
    model_.performRename();
    model_.undoRename();
    EXPECT_FALSE(model_.canUndo());
    scheduler_.runAll();
    EXPECT_EQ(folderContents(), (std::vector<std::string>{"b.txt"}));
    EXPECT_EQ(model_.lastRenameResults().size(), 1u);
}

TEST_F(AppViewModelTest, AnEmptyBatchStillCompletes) {
    model_.addFiles({dir_.file("a.txt")});
    model_.deselectAll();
    model_.performRename();
    scheduler_.runAll();
    EXPECT_TRUE(model_.lastRenameResults().empty());
    EXPECT_TRUE(model_.showRenameResult());
    // Nothing moved, so nothing is journaled or can be undone.
    EXPECT_FALSE(model_.canUndo());
}

TEST_F(AppViewModelTest, AResultArrivingAfterTheModelIsGoneIsDropped) {
    ManualScheduler scheduler;
    auto model = std::make_unique<AppViewModel>(scheduler);
    model->addFiles({dir_.file("a.txt")});
    model->addRule(replace("a", "b"));
    model->performRename();
    model.reset();
    scheduler.runAll();
    EXPECT_EQ(folderContents(), (std::vector<std::string>{"a.txt"}));
}

// --- CSV ---------------------------------------------------------------------------------------

TEST_F(AppViewModelTest, CsvQuotesEveryNameAndDoublesQuotes) {
    EXPECT_EQ(model_.exportCSV(), "Original Name,New Name,Has Conflict\n");
    model_.addFiles({dir_.file("say \"hi\", ok.txt"), dir_.file("caf\xC3\xA9 \xF0\x9F\x98\x80")});
    scheduler_.runAll();
    EXPECT_EQ(model_.exportCSV(),
              "Original Name,New Name,Has Conflict\n"
              "\"caf\xC3\xA9 \xF0\x9F\x98\x80\",\"caf\xC3\xA9 \xF0\x9F\x98\x80\",false\n"
              "\"say \"\"hi\"\", ok.txt\",\"say \"\"hi\"\", ok.txt\",false\n");
}

// --- Phrases and presets -------------------------------------------------------------------

TEST_F(AppViewModelTest, PhrasesBecomeRules) {
    model_.addFiles({dir_.file("my file.txt")});
    model_.addRule(replace("x", "y"));
    model_.parseNaturalLanguage();  // empty field: nothing happens
    EXPECT_TRUE(model_.nlSuggestions().empty());

    model_.setNaturalLanguageInput("title case");
    model_.parseNaturalLanguage();
    ASSERT_EQ(model_.nlSuggestions().size(), 1u);
    model_.setNaturalLanguageInput("");
    model_.parseNaturalLanguage();
    EXPECT_EQ(model_.nlSuggestions().size(), 1u);  // earlier suggestions stay

    model_.applyNLSuggestions();
    scheduler_.runAll();
    ASSERT_EQ(model_.rules().size(), 2u);
    EXPECT_EQ(model_.rules()[1].type, RuleType::caseConversion);
    EXPECT_TRUE(model_.nlSuggestions().empty());
    EXPECT_EQ(previewNames(), (std::vector<std::string>{"My File.txt"}));

    model_.setNaturalLanguageInput("   ");
    model_.parseNaturalLanguage();
    EXPECT_TRUE(model_.nlSuggestions().empty());
}

TEST_F(AppViewModelTest, LoadingAPresetReplacesTheRules) {
    for (int i = 0; i < 5; ++i) {
        model_.addRule(ruleNamed("old"));
    }
    Preset preset("Three", {ruleNamed("A"), ruleNamed("B"), ruleNamed("C")});
    model_.loadPreset(preset);
    ASSERT_EQ(model_.rules().size(), 3u);
    EXPECT_EQ(model_.rules()[0].id, preset.rules[0].id);
    EXPECT_EQ(model_.rules()[2].insertText, "C");
}

}  // namespace
