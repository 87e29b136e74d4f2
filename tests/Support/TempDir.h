// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>
#include <string>

// A fresh folder under the system's temporary folder, removed with everything in it when the
// object goes away.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // Creates a file `name` (relative to the folder) holding `content`; returns its path.
    std::filesystem::path file(const std::string& name, const std::string& content = "") const;
    // Creates a folder `name` (and its parents); returns its path.
    std::filesystem::path folder(const std::string& name) const;
    // The content of the file at `name`.
    std::string read(const std::string& name) const;
    // Whether something exists at `name` (symbolic links are not followed).
    bool exists(const std::string& name) const;

  private:
    std::filesystem::path path_;
};
