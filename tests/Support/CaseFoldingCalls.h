#pragma once

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "Services/PosixCalls.h"

// A case-insensitive folder on a case-sensitive disk: every last path component is looked
// up lower-cased, as ext4 casefold or vfat would match it. Records the renames asked for.
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
    int link(const char* from, const char* to) override {
        return PosixCalls::link(fold(from).c_str(), fold(to).c_str());
    }
    int unlink(const char* path) override { return PosixCalls::unlink(fold(path).c_str()); }
    int lstat(const char* path, struct stat& st) override {
        return PosixCalls::lstat(fold(path).c_str(), st);
    }
};
