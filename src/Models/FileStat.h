// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

// What one look at the disk tells of a listed entry, for the size and date orders.
struct FileStat {
    using Clock = std::chrono::system_clock;

    // The size in bytes of a file; none for a folder or when nothing could be read.
    std::optional<std::int64_t> size;
    // The content-modification time; none when nothing could be read.
    std::optional<Clock::time_point> modified;
};
