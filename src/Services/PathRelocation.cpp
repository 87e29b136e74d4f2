// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Services/PathRelocation.h"

#include <algorithm>

void PathRelocation::add(std::string from, std::string to) {
    fewestSlashes_ = std::min<std::size_t>(
        fewestSlashes_, static_cast<std::size_t>(std::count(from.begin(), from.end(), '/')));
    moved_.insert_or_assign(std::move(from), std::move(to));
}

std::optional<std::string> PathRelocation::movedTo(std::string_view location) const {
    if (moved_.empty()) {
        return std::nullopt;
    }
    if (auto it = moved_.find(location); it != moved_.end()) {
        return it->second;
    }
    // The prefix ending before the k-th slash from the right has one slash fewer each step;
    // those with fewer slashes than any moved location are not looked up.
    auto slashes = static_cast<std::size_t>(std::count(location.begin(), location.end(), '/'));
    for (auto slash = location.rfind('/'); slash != std::string_view::npos && slash > 0;
         slash = location.rfind('/', slash - 1)) {
        if (--slashes < fewestSlashes_) {
            break;
        }
        if (auto it = moved_.find(location.substr(0, slash)); it != moved_.end()) {
            std::string now;
            now.reserve(it->second.size() + location.size() - slash);
            now.append(it->second).append(location.substr(slash));
            return now;
        }
    }
    return std::nullopt;
}

bool PathRelocation::relocate(std::string& location) const {
    auto now = movedTo(location);
    if (now) {
        location = std::move(*now);
    }
    return now.has_value();
}
