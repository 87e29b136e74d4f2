// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Services/NumberingOrdinals.h"

#include <string_view>
#include <unordered_map>
#include <utility>

#include "Services/RenamePlanner.h"

namespace NumberingOrdinals {

namespace {

// The name without its last "." and extension, by the rule of FileItem::splitName.
std::string_view baseNameOf(std::string_view name) {
    const auto dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0 || dot + 1 == name.size()) {
        return name;
    }
    return name.substr(0, dot);
}

struct PairHash {
    std::size_t operator()(const std::pair<std::string_view, std::string_view>& key) const {
        const std::size_t a = std::hash<std::string_view>{}(key.first);
        const std::size_t b = std::hash<std::string_view>{}(key.second);
        return a ^ (b + 0x9e3779b97f4a7c15ULL + (a << 6) + (a >> 2));
    }
};

}  // namespace

std::vector<std::int64_t> ordinals(const std::vector<FileItem>& files, Mode mode) {
    std::vector<std::int64_t> out(files.size());
    // The views point into the items' locations, which outlive this call.
    std::unordered_map<std::string_view, std::int64_t> nextInFolder;
    std::unordered_map<std::pair<std::string_view, std::string_view>, std::int64_t, PairHash>
        numberOfName;
    std::int64_t nextInList = 0;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string_view location = files[i].url.native();
        const std::string_view folder = RenamePlanner::folderOf(location);
        if (mode.shareBaseName) {
            const auto [found, isNew] =
                numberOfName.try_emplace({folder, baseNameOf(RenamePlanner::nameOf(location))}, 0);
            if (!isNew) {
                out[i] = found->second;
                continue;
            }
            found->second = mode.perFolder ? nextInFolder[folder]++ : nextInList++;
            out[i] = found->second;
        } else {
            out[i] = mode.perFolder ? nextInFolder[folder]++ : static_cast<std::int64_t>(i);
        }
    }
    return out;
}

std::vector<Ordinals> allModes(const std::vector<FileItem>& files) {
    std::vector<Ordinals> out(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        out[i] = Ordinals::at(static_cast<std::int64_t>(i));
    }
    for (const Mode mode : {Mode{true, false}, Mode{false, true}, Mode{true, true}}) {
        const auto counted = ordinals(files, mode);
        for (std::size_t i = 0; i < files.size(); ++i) {
            out[i].byMode[Ordinals::slot(mode)] = counted[i];
        }
    }
    return out;
}

}  // namespace NumberingOrdinals
