// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The live preview: every name through the rules, conflicts marked.
#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "Services/RenameEngine.h"

namespace {

template <std::vector<RenameRule> (*Rules)()>
void BM_Preview(benchmark::State& state) {
    const auto files = BenchSupport::items(static_cast<std::size_t>(state.range(0)));
    const auto rules = Rules();
    for (auto _ : state) {
        benchmark::DoNotOptimize(RenameEngine::preview(rules, files));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK_TEMPLATE(BM_Preview, BenchSupport::literalReplace)
    ->Name("preview/literalReplace")
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_TEMPLATE(BM_Preview, BenchSupport::chain)
    ->Name("preview/chain")
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_TEMPLATE(BM_Preview, BenchSupport::everyKind)
    ->Name("preview/everyKind")
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
