// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <vector>

#include "Models/FileItem.h"

// The positions a counter can count by, one per item of a list, in its order: among the
// items of the same folder, and among the groups of companion files (items of one folder with
// the same base name, such as a photo and its sidecar, which share one number), counted over
// the whole list in the order each group first appears.
struct Ordinals {
    std::vector<std::int64_t> inFolder;
    std::vector<std::int64_t> shared;

    static Ordinals of(const std::vector<FileItem>& files);
};
