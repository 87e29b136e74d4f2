// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <vector>

#include "Models/Preset.h"

// What a presets file holds, as this program reads it.
struct PresetFileContent {
    // The presets that could be read, in file order.
    std::vector<Preset> presets;
    // The highest "formatVersion" among its presets (1 when none gives one).
    int format = 1;
    // Presets of a newer format than this program knows that could not be read at all.
    std::size_t unreadable = 0;
};
