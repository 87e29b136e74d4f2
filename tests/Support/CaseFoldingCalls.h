// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <linux/fs.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "Services/PosixCalls.h"

// A case-insensitive folder on a case-sensitive disk: every last path component is looked
// up lower-cased, as ext4 casefold or vfat would match it, and folders carry the casefold
// flag. Records the renames asked for.
class CaseFoldingCalls : public PosixCalls {
  public:
    std::vector<std::pair<std::string, std::string>> renames;

    static std::string fold(const char* path) {
        std::filesystem::path p(path);
        std::string name = p.filename().string();
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return (p.parent_path() / name).string();
    }
    int renameNoReplace(const char* from, const char* to) override {
        renames.emplace_back(std::filesystem::path(from).filename(),
                             std::filesystem::path(to).filename());
        return PosixCalls::renameNoReplace(fold(from).c_str(), fold(to).c_str());
    }
    int renameExchange(const char* a, const char* b) override {
        return PosixCalls::renameExchange(fold(a).c_str(), fold(b).c_str());
    }
    int rename(const char* from, const char* to) override {
        return PosixCalls::rename(fold(from).c_str(), fold(to).c_str());
    }
    int createExclusive(const char* path) override {
        return PosixCalls::createExclusive(fold(path).c_str());
    }
    int makeFolder(const char* path) override { return PosixCalls::makeFolder(fold(path).c_str()); }
    int removeFolder(const char* path) override {
        return PosixCalls::removeFolder(fold(path).c_str());
    }
    int folderFlags(const char*, long& flags) override {
        flags = FS_CASEFOLD_FL;
        return 0;
    }
    int link(const char* from, const char* to) override {
        return PosixCalls::link(fold(from).c_str(), fold(to).c_str());
    }
    int unlink(const char* path) override { return PosixCalls::unlink(fold(path).c_str()); }
    int lstat(const char* path, struct stat& st) override {
        return PosixCalls::lstat(fold(path).c_str(), st);
    }
};
