// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <algorithm>
#include <cstddef>
#include <thread>
#include <vector>

// Work over independent items, cut into one slice per thread.
namespace Slices {

// Runs `work(begin, end)` over [0, count) in slices, the first on the calling thread: on
// `threads` threads, or when 0 on one per processor but never more than one per `perThread`
// items, below which a thread costs more than it saves. Returns when every slice is done.
template <typename Work>
void run(std::size_t count, std::size_t perThread, const Work& work, unsigned threads = 0) {
    if (threads == 0) {
        const auto wanted = std::max<std::size_t>(1, count / perThread);
        threads = static_cast<unsigned>(
            std::min<std::size_t>(wanted, std::max(1u, std::thread::hardware_concurrency())));
    }
    if (threads <= 1) {
        work(std::size_t{0}, count);
        return;
    }
    std::vector<std::thread> workers;
    const std::size_t slice = (count + threads - 1) / threads;
    for (std::size_t begin = slice; begin < count; begin += slice) {
        workers.emplace_back(
            [&work, begin, end = std::min(count, begin + slice)] { work(begin, end); });
    }
    work(std::size_t{0}, std::min(count, slice));
    for (auto& worker : workers) {
        worker.join();
    }
}

}  // namespace Slices
