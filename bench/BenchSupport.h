// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "Models/FileItem.h"
#include "Models/RenameRule.h"

// Shared inputs of the benchmarks: realistic names, the rule lists measured, and scratch
// folders (on /dev/shm when it exists, so that the disk's speed does not hide ours).
namespace BenchSupport {

// `count` names such as "IMG 0042 holiday draft.JPG", varied enough that sorting and
// conflicts behave as on real folders.
std::vector<std::string> names(std::size_t count);
// Items for `names` in a folder that need not exist (a preview reads no disk).
std::vector<FileItem> items(std::size_t count);

// One literal replace.
std::vector<RenameRule> literalReplace();
// Replace, regular expression, Title Case, numbering and cleanup.
std::vector<RenameRule> chain();
// One rule of every kind.
std::vector<RenameRule> everyKind();

// A fresh empty folder, removed by the destructor.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }
    // Creates empty files for `names` directly inside the folder.
    void fill(const std::vector<std::string>& fileNames) const;

  private:
    std::filesystem::path path_;
};

}  // namespace BenchSupport
