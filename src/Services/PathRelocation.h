// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>
#include <string>
#include <unordered_map>

// Where listed locations are after a batch: each moved item goes to its new location, and
// whatever lies below a moved folder follows it.
class PathRelocation {
  public:
    // Records that the item at `from` is now at `to`. `to` must already be final: add a
    // folder's move before the moves of what lies inside it.
    void add(const std::filesystem::path& from, const std::filesystem::path& to);

    // Where the item listed at `location` is now: its own move, else that of its nearest
    // moved folder, else `location` itself.
    std::filesystem::path apply(const std::filesystem::path& location) const;

    bool empty() const { return moved_.empty(); }

  private:
    std::unordered_map<std::string, std::filesystem::path> moved_;
};
