// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <utility>

// A location kept as the exact bytes of its path in one string. A std::filesystem::path
// also holds an allocated list of its components, several hundred bytes per listed entry and
// per copy; this one is built only where a system call or a path operation needs it (the
// conversion below).
class ItemPath {
  public:
    ItemPath() = default;
    ItemPath(std::string text) : text_(std::move(text)) {}
    ItemPath(const char* text) : text_(text) {}
    ItemPath(const std::filesystem::path& path) : text_(path.native()) {}

    // The bytes of the path.
    const std::string& native() const { return text_; }
    const char* c_str() const { return text_.c_str(); }
    bool empty() const { return text_.empty(); }
    operator std::filesystem::path() const { return std::filesystem::path(text_); }

    // The last component as std::filesystem::path gives it ("" after a trailing slash).
    std::filesystem::path filename() const {
        const auto slash = text_.rfind('/');
        return std::filesystem::path(slash == std::string::npos ? text_ : text_.substr(slash + 1));
    }
    // The containing folder as std::filesystem::path gives it.
    std::filesystem::path parent_path() const { return std::filesystem::path(text_).parent_path(); }

    // Byte-exact equality.
    friend bool operator==(const ItemPath&, const ItemPath&) = default;
    friend bool operator==(const ItemPath& a, const std::filesystem::path& b) {
        return a.text_ == b.native();
    }
    // Printed as std::filesystem::path prints itself (quoted).
    friend std::ostream& operator<<(std::ostream& out, const ItemPath& path) {
        return out << std::filesystem::path(path.text_);
    }

  private:
    std::string text_;
};
