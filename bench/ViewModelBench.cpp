// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The file list of the view model: adding a large tree, sorted reads and the CSV export.
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "BenchSupport.h"
#include "ViewModels/AppViewModel.h"
#include "ViewModels/ImmediateScheduler.h"

namespace {

constexpr std::size_t treeFolders = 100;
constexpr std::size_t filesPerFolder = 999;  // 100 folders + 99,900 files: 100,000 entries

// A tree of 100,000 entries made once for all benchmarks of the file list.
const BenchSupport::ScratchFolder& tree() {
    static const BenchSupport::ScratchFolder folder;
    static const bool filled = [] {
        const auto fileNames = BenchSupport::names(filesPerFolder);
        for (std::size_t i = 0; i < treeFolders; ++i) {
            const auto sub = folder.path() / ("folder " + std::to_string(i));
            std::filesystem::create_directory(sub);
            for (const auto& name : fileNames) {
                const int fd = ::open((sub / name).c_str(), O_CREAT | O_WRONLY, 0644);
                if (fd >= 0) {
                    ::close(fd);
                }
            }
        }
        return true;
    }();
    (void)filled;
    return folder;
}

// Argument 1: the preview follows the add, as in the window; 0: the list alone.
void BM_AddFilesRecursive(benchmark::State& state) {
    const auto& root = tree();
    for (auto _ : state) {
        ImmediateScheduler scheduler;
        AppViewModel model(scheduler);
        model.setPreviewsEnabled(state.range(0) != 0);
        model.setIncludeSubfolders(true);
        model.addFiles({root.path()});
        benchmark::DoNotOptimize(model.files().size());
    }
}

// The floor: readdir over the same tree, each entry's kind from the entry itself, or with
// one stat per entry (`stats`).
std::size_t walk(const std::string& path, bool stats) {
    std::size_t count = 0;
    DIR* dir = ::opendir(path.c_str());
    if (dir == nullptr) {
        return 0;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        const std::string child = path + "/" + name;
        bool folder = entry->d_type == DT_DIR;
        if (stats) {
            struct stat info {};
            if (::lstat(child.c_str(), &info) != 0) {
                continue;
            }
            folder = S_ISDIR(info.st_mode);
        }
        ++count;
        if (folder) {
            count += walk(child, stats);
        }
    }
    ::closedir(dir);
    return count;
}

void BM_ReaddirWalk(benchmark::State& state) {
    const auto& root = tree();
    for (auto _ : state) {
        benchmark::DoNotOptimize(walk(root.path().string(), state.range(0) != 0));
    }
}

void BM_FilteredFiles(benchmark::State& state) {
    const auto& root = tree();
    ImmediateScheduler scheduler;
    AppViewModel model(scheduler);
    model.setIncludeSubfolders(true);
    model.addFiles({root.path()});
    model.setSortOrder(static_cast<AppViewModel::SortOrder>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(model.filteredFiles());
    }
    state.SetLabel(std::string(rawValue(model.sortOrder())));
}

void BM_ExportCSV(benchmark::State& state) {
    const auto& root = tree();
    ImmediateScheduler scheduler;
    AppViewModel model(scheduler);
    model.setIncludeSubfolders(true);
    model.addFiles({root.path()});
    for (const auto& rule : BenchSupport::chain()) {
        model.addRule(rule);
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(model.exportCSV());
    }
}

}  // namespace

BENCHMARK(BM_AddFilesRecursive)
    ->Name("addFiles/recursive100k")
    ->ArgName("withPreview")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_ReaddirWalk)
    ->Name("addFiles/readdirWalk100k")
    ->ArgName("stat")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_FilteredFiles)
    ->Name("filteredFiles/100k")
    ->Arg(static_cast<int>(AppViewModel::SortOrder::name))
    ->Arg(static_cast<int>(AppViewModel::SortOrder::size))
    ->Arg(static_cast<int>(AppViewModel::SortOrder::date))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_ExportCSV)->Name("exportCSV/100k")->Unit(benchmark::kMillisecond)->UseRealTime();
