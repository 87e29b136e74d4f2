// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>
#include <vector>

// Showing items in the desktop's file manager.
namespace FileManager {

// Asks the file manager to show `items` highlighted in their folders (the freedesktop
// FileManager1 ShowItems call on the session bus); where no file manager answers, opens the
// folder of the first item instead. False when neither worked.
bool showItems(const std::vector<std::filesystem::path>& items);

}  // namespace FileManager
