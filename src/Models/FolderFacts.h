// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
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
    // The device of the folder and, at the same position as each name, the inode that the
    // folder's listing gave for it (empty when the listing gave none), so that a journal can
    // name every item without asking the disk about each. An entry that is a mount point
    // lists the inode it covers, not the mounted folder's; such an entry cannot be renamed
    // (the system answers EBUSY), so it never reaches a journal as a moved item.
    std::uint64_t device = 0;
    std::vector<std::uint64_t> inodes{};
};
