// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "Models/Error.h"
#include "Models/FolderFacts.h"

// The file-system operations a rename needs. The real one works on the disk; tests put in
// their own only for faults that cannot be made for real (a failed write as root, a
// case-insensitive file system).
class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // Moves the item at `from` to `to` without ever replacing an item at `to`; the error,
    // with the system's message, when it did not move. A `to` that differs from `from` only
    // in letter case and finds the very same item (a case-insensitive folder) is no clash.
    virtual std::optional<Error> moveNoReplace(const std::filesystem::path& from,
                                               const std::filesystem::path& to) = 0;

    // Swaps the items at `a` and `b` in one atomic step; the error when they stay as they
    // were. Its `systemError` is EINVAL, ENOTSUP or ENOSYS where the file system cannot
    // exchange at all.
    virtual std::optional<Error> exchange(const std::filesystem::path& a,
                                          const std::filesystem::path& b) = 0;

    // The names in `folder`, whether it matches names without regard to letter case and
    // whether its file system takes only the names Windows takes; none when the folder
    // cannot be read.
    virtual std::optional<FolderFacts> folderFacts(const std::filesystem::path& folder) = 0;
    // The same, for a folder the caller has just listed: `names` as folderFacts gives them,
    // and at the same positions their inodes (or none), so that the folder is not read twice.
    // This layer reads it again; the disk asks only what a listing does not tell.
    virtual std::optional<FolderFacts> listedFolderFacts(const std::filesystem::path& folder,
                                                         std::vector<std::string> /*names*/,
                                                         std::vector<std::uint64_t> /*inodes*/) {
        return folderFacts(folder);
    }

    // The disk.
    static FileSystem& real();
};
