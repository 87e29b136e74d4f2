// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Services/PathRelocation.h"

#include <algorithm>

void PathRelocation::add(std::string from, std::string to) {
    fewestSlashes_ = std::min<std::size_t>(
        fewestSlashes_, static_cast<std::size_t>(std::count(from.begin(), from.end(), '/')));
    moved_.insert_or_assign(std::move(from), std::move(to));
}

bool PathRelocation::relocate(std::string& location) const {
    if (moved_.empty()) {
        return false;
    }
    if (auto it = moved_.find(location); it != moved_.end()) {
        location = it->second;
        return true;
    }
    // The prefix ending before the k-th slash from the right has one slash fewer each step;
    // those with fewer slashes than any moved location are not looked up.
    auto slashes = static_cast<std::size_t>(std::count(location.begin(), location.end(), '/'));
    const std::string_view text(location);
    for (auto slash = text.rfind('/'); slash != std::string_view::npos && slash > 0;
         slash = text.rfind('/', slash - 1)) {
        if (--slashes < fewestSlashes_) {
            break;
        }
        if (auto it = moved_.find(text.substr(0, slash)); it != moved_.end()) {
            location.replace(0, slash, it->second);
            return true;
        }
    }
    return false;
}
