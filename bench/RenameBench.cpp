// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Renaming on disk beside the floor: a plain loop of renameat2 calls over the same files.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdio.h>

#include <memory>

#include "BenchSupport.h"
#include "Services/RenameEngine.h"
#include "Services/RenameJournal.h"

namespace {

void BM_RenameEngine(benchmark::State& state) {
    const auto count = static_cast<std::size_t>(state.range(0));
    const auto fileNames = BenchSupport::names(count);
    const auto rules = BenchSupport::literalReplace();
    // The previous iteration's folder is removed while the timer is paused.
    std::unique_ptr<BenchSupport::ScratchFolder> folder;
    for (auto _ : state) {
        state.PauseTiming();
        folder = std::make_unique<BenchSupport::ScratchFolder>();
        folder->fill(fileNames);
        std::vector<FileItem> files;
        files.reserve(count);
        for (const auto& name : fileNames) {
            files.emplace_back(folder->path() / name, false);
        }
        state.ResumeTiming();
        benchmark::DoNotOptimize(RenameEngine::rename(files, rules));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The same batch with its journal written as the window and the command line write it: the
// plan synced before the first move, progress after each, the closing record at the end.
void BM_RenameJournaled(benchmark::State& state) {
    const auto count = static_cast<std::size_t>(state.range(0));
    const auto fileNames = BenchSupport::names(count);
    const auto rules = BenchSupport::literalReplace();
    std::unique_ptr<BenchSupport::ScratchFolder> folder;
    std::unique_ptr<BenchSupport::ScratchFolder> history;
    for (auto _ : state) {
        state.PauseTiming();
        folder = std::make_unique<BenchSupport::ScratchFolder>();
        history = std::make_unique<BenchSupport::ScratchFolder>();
        folder->fill(fileNames);
        std::vector<FileItem> files;
        files.reserve(count);
        for (const auto& name : fileNames) {
            files.emplace_back(folder->path() / name, false);
        }
        state.ResumeTiming();
        RenameJournal journal(history->path());
        RenameEngine::RenameOptions options;
        options.observer = &journal;
        benchmark::DoNotOptimize(RenameEngine::rename(files, rules, options));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_RenameFloor(benchmark::State& state) {
    const auto count = static_cast<std::size_t>(state.range(0));
    const auto fileNames = BenchSupport::names(count);
    std::unique_ptr<BenchSupport::ScratchFolder> folder;
    for (auto _ : state) {
        state.PauseTiming();
        folder = std::make_unique<BenchSupport::ScratchFolder>();
        folder->fill(fileNames);
        std::vector<std::pair<std::string, std::string>> moves;
        moves.reserve(count);
        for (const auto& name : fileNames) {
            moves.emplace_back((folder->path() / name).string(),
                               (folder->path() / ("renamed " + name)).string());
        }
        state.ResumeTiming();
        for (const auto& [from, to] : moves) {
            benchmark::DoNotOptimize(
                ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE));
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(BM_RenameEngine)
    ->Name("rename/engine")
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();
BENCHMARK(BM_RenameJournaled)
    ->Name("rename/journaled")
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();
BENCHMARK(BM_RenameFloor)
    ->Name("rename/renameat2Loop")
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();
