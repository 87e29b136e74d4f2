// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Services/FileSystem.h"

class PosixCalls;

// The disk. A move is renameat2 with RENAME_NOREPLACE. Where the file system does not know
// the flag, a file is moved by link and unlink; where it has no hard links either (FAT over
// FUSE), or for a folder, the new name is first claimed by creating an empty placeholder
// there exclusively, and the item is then renamed onto its own placeholder. A change of
// letter case alone that a case-insensitive folder takes for a clash with the item itself
// goes through a unique temporary name in the same folder.
class PosixFileSystem final : public FileSystem {
  public:
    // Works through the real system calls.
    PosixFileSystem();
    // Works through `calls`, which must outlive this object.
    explicit PosixFileSystem(PosixCalls& calls);

    std::optional<Error> moveNoReplace(const std::filesystem::path& from,
                                       const std::filesystem::path& to) override;
    std::optional<Error> exchange(const std::filesystem::path& a,
                                  const std::filesystem::path& b) override;
    std::optional<FolderFacts> folderFacts(const std::filesystem::path& folder) override;
    std::optional<FolderFacts> listedFolderFacts(const std::filesystem::path& folder,
                                                 std::vector<std::string> names,
                                                 std::vector<std::uint64_t> inodes) override;

  private:
    // Fills in what a listing of `where` does not tell: its device, letter case and names.
    void describe(const std::filesystem::path& where, FolderFacts& facts);

    PosixCalls* calls_;
};
