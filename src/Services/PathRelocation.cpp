// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Services/PathRelocation.h"

void PathRelocation::add(const std::filesystem::path& from, const std::filesystem::path& to) {
    moved_.insert_or_assign(from.native(), to);
}

std::filesystem::path PathRelocation::apply(const std::filesystem::path& location) const {
    if (moved_.empty()) {
        return location;
    }
    const std::string& text = location.native();
    if (auto it = moved_.find(text); it != moved_.end()) {
        return it->second;
    }
    std::string prefix;
    for (auto slash = text.rfind('/'); slash != std::string::npos && slash > 0;
         slash = text.rfind('/', slash - 1)) {
        prefix.assign(text, 0, slash);
        if (auto it = moved_.find(prefix); it != moved_.end()) {
            return std::filesystem::path(it->second.native() + text.substr(slash));
        }
    }
    return location;
}
