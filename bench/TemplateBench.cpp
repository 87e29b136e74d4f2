// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Names from what the files hold: the preview of 10,000 small JPEGs under a template rule,
// the first time (every file read) and again (what was read is known), beside a plain rule.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "BenchSupport.h"
#include "Support/MediaFiles.h"
#include "ViewModels/AppViewModel.h"
#include "ViewModels/ImmediateScheduler.h"

namespace {

constexpr std::size_t kPhotos = 10'000;

// 10,000 copies of a small JPEG with EXIF, each with its own date, made once.
const BenchSupport::ScratchFolder& photos() {
    static const BenchSupport::ScratchFolder folder;
    static const bool filled = [] {
        for (std::size_t i = 0; i < kPhotos; ++i) {
            const auto photo = folder.path() / ("IMG_" + std::to_string(10000 + i) + ".jpg");
            MediaFiles::writeJpeg(photo);
            const auto day = std::to_string(10 + i % 18);
            MediaFiles::addExif(photo,
                                {{"Exif.Photo.DateTimeOriginal",
                                  "2024:05:" + day + " 12:00:" + std::to_string(10 + i % 50)},
                                 {"Exif.Image.Model", "Bench Camera"}});
        }
        return true;
    }();
    (void)filled;
    return folder;
}

RenameRule photoTemplate(const char* text) {
    RenameRule rule(RuleType::nameTemplate);
    rule.templateText = text;
    return rule;
}

// A fresh view model each time, so that every file is read (from the page cache).
void BM_TemplatePreviewFirst(benchmark::State& state) {
    const auto& folder = photos();
    for (auto _ : state) {
        state.PauseTiming();
        ImmediateScheduler scheduler;
        AppViewModel model(scheduler);
        model.setIncludeSubfolders(true);
        model.addFiles({folder.path()});
        state.ResumeTiming();
        model.addRule(photoTemplate("{exif.date:yyyy-MM-dd HH.mm.ss} {exif.model}"));
        benchmark::DoNotOptimize(model.previews().size());
    }
}
BENCHMARK(BM_TemplatePreviewFirst)->Unit(benchmark::kMillisecond)->Iterations(3);

// The template edited: what was read is known, nothing is read again.
void BM_TemplatePreviewCached(benchmark::State& state) {
    ImmediateScheduler scheduler;
    AppViewModel model(scheduler);
    model.setIncludeSubfolders(true);
    model.addFiles({photos().path()});
    auto rule = photoTemplate("{exif.date:yyyy-MM-dd HH.mm.ss} {exif.model}");
    model.addRule(rule);
    bool flip = false;
    for (auto _ : state) {
        rule.templateText = flip ? "{exif.date:yyyy-MM-dd HH.mm.ss} {exif.model}"
                                 : "{exif.date:yyyyMMdd-HHmmss} {exif.model}";
        flip = !flip;
        model.updateRule(rule);
        benchmark::DoNotOptimize(model.previews().size());
    }
}
BENCHMARK(BM_TemplatePreviewCached)->Unit(benchmark::kMillisecond);

// The same without dates: what knowing the metadata costs beside ICU's date formatting.
void BM_TemplatePreviewCachedNoDate(benchmark::State& state) {
    ImmediateScheduler scheduler;
    AppViewModel model(scheduler);
    model.setIncludeSubfolders(true);
    model.addFiles({photos().path()});
    auto rule = photoTemplate("{exif.model} {name}");
    model.addRule(rule);
    bool flip = false;
    for (auto _ : state) {
        rule.templateText = flip ? "{exif.model} {name}" : "{name} {exif.model}";
        flip = !flip;
        model.updateRule(rule);
        benchmark::DoNotOptimize(model.previews().size());
    }
}
BENCHMARK(BM_TemplatePreviewCachedNoDate)->Unit(benchmark::kMillisecond);

// The same list under a plain rule, for comparison.
void BM_PlainPreviewSameList(benchmark::State& state) {
    ImmediateScheduler scheduler;
    AppViewModel model(scheduler);
    model.setIncludeSubfolders(true);
    model.addFiles({photos().path()});
    RenameRule rule(RuleType::replace);
    rule.findText = "IMG";
    model.addRule(rule);
    bool flip = false;
    for (auto _ : state) {
        rule.replaceText = flip ? "photo" : "picture";
        flip = !flip;
        model.updateRule(rule);
        benchmark::DoNotOptimize(model.previews().size());
    }
}
BENCHMARK(BM_PlainPreviewSameList)->Unit(benchmark::kMillisecond);

}  // namespace
