// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <vector>

// What a rename needs to know about one folder, read once per folder: whether it matches
// names without regard to letter case, whether its file system takes only the names Windows
// takes, and the names it holds.
struct FolderFacts {
    bool caseInsensitive = false;
    // Every name in the folder (without "." and ".."), exact bytes, in no particular order.
    std::vector<std::string> names;
    // On FAT, exFAT, NTFS or an SMB share (NameCheck::checkWindowsName says what they refuse).
    bool windowsNames = false;
};
