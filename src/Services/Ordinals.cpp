// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Services/Ordinals.h"

#include <string>
#include <unordered_map>

Ordinals Ordinals::of(const std::vector<FileItem>& files) {
    Ordinals out;
    out.inFolder.reserve(files.size());
    out.shared.reserve(files.size());
    std::unordered_map<std::string, std::int64_t> perFolder;
    std::unordered_map<std::string, std::int64_t> groups;
    for (const auto& item : files) {
        const std::string folder = item.url.parent_path().native();
        out.inFolder.push_back(perFolder[folder]++);
        // The folder and the base name, apart by a byte no path holds.
        std::string group = folder;
        group += '\0';
        group += FileItem::splitName(item.url.filename().native()).first;
        const auto next = static_cast<std::int64_t>(groups.size());
        out.shared.push_back(groups.try_emplace(std::move(group), next).first->second);
    }
    return out;
}
