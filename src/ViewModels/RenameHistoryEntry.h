// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>
#include <utility>
#include <vector>

#include "Models/FileItem.h"

// One step of the undo or redo history: the file list as it stood before the step, and the
// moves on disk that the step carried out (from, to), in the order they were made. Undoing
// the step moves each item back, last move first; redoing it repeats the moves.
struct RenameHistoryEntry {
    std::vector<FileItem> files;
    std::vector<std::pair<std::filesystem::path, std::filesystem::path>> moves;
};
