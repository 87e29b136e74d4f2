// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

// Where listed locations are after a batch: each moved item goes to its new location, and
// whatever lies below a moved folder follows it. Locations are exact bytes.
class PathRelocation {
  public:
    // Records that the item at `from` is now at `to`. `to` must already be final: add a
    // folder's move before the moves of what lies inside it.
    void add(std::string from, std::string to);
    void add(const std::filesystem::path& from, const std::filesystem::path& to) {
        add(from.native(), to.native());
    }
    // Where the item listed at `location` is now: its own move, else that of its nearest
    // moved folder, else `location` itself.
    std::string locate(std::string_view location) const {
        return movedTo(location).value_or(std::string(location));
    }
    // Where the item listed at `location` is now, only when it moved (none when it did not).
    std::optional<std::string> movedTo(std::string_view location) const;
    // Replaces `location` by where its item is now; false, and `location` left, when it did
    // not move.
    bool relocate(std::string& location) const;
    std::filesystem::path apply(const std::filesystem::path& location) const {
        return moved_.empty() ? location : std::filesystem::path(locate(location.native()));
    }
    bool empty() const { return moved_.empty(); }

  private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const noexcept {
            return std::hash<std::string_view>{}(text);
        }
    };
    std::unordered_map<std::string, std::string, Hash, std::equal_to<>> moved_;
    // The fewest slashes in a moved location: a shorter prefix cannot have moved.
    std::size_t fewestSlashes_ = SIZE_MAX;
};
