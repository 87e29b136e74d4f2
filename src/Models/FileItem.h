// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "Models/FileStat.h"
#include "Models/ItemPath.h"
#include "Models/Uuid.h"

// One listed file or folder. Its name parts are derived from `url` on every call; equality
// and hashing use `id` only, so two items made from the same path are different items.
struct FileItem {
    using Clock = std::chrono::system_clock;

    // An item for `location`, check mark set; asks the disk whether it is a folder
    // (false when nothing exists there) and whether anything is there at all.
    explicit FileItem(std::filesystem::path location);
    // An item whose folder flag the caller already knows (a directory walk reads it from the
    // entry), so that no further call to the disk is made.
    FileItem(ItemPath location, bool directory);

    Uuid id = Uuid::sequential();
    ItemPath url;  // kept byte-exact
    bool isSelected = true;
    std::string previewName;
    bool hasConflict = false;
    bool isDirectory = false;
    // Whether nothing at all (not even a dangling link) was at `url` when the item was made;
    // the preview shows such an item as one that cannot be renamed.
    bool isMissing = false;

    // The bytes of the last path component, as they are on disk.
    std::string_view nameBytes() const;
    // The last path component as UTF-8; ill-formed bytes show as U+FFFD (see hasValidName).
    std::string originalName() const;
    // Whether the last path component is valid UTF-8; names that are not are never renamed.
    bool hasValidName() const;
    // The name without its last "." and extension; folders are split alike.
    std::string nameWithoutExtension() const;
    // The text after the last "."; "" when there is none, for hidden names such as ".env" and
    // for names that end in ".".
    std::string fileExtension() const;
    // The containing folder.
    std::filesystem::path parentURL() const;

    // Size for the file table in decimal units (1 KB = 1000 bytes); "—" for folders and for
    // items whose size cannot be read.
    std::string fileSizeString() const;
    // Modification time in the short date and time style of the user's locale and time
    // zone; "—" when it cannot be read.
    std::string modifiedDateString() const;
    // The same two texts for what was read before: a size (none for a folder or when it
    // could not be read) and a modification time.
    static std::string sizeString(std::optional<std::int64_t> size);
    static std::string dateString(std::optional<Clock::time_point> date);

    // The content-modification time of `location`, or none when it cannot be read.
    static std::optional<Clock::time_point> modificationDate(const std::filesystem::path& location);
    // The size in bytes of a file at `location`, or none (folders have none).
    static std::optional<std::int64_t> fileSize(const std::filesystem::path& location);
    // Both of the above from one look at the disk.
    static FileStat statAt(const std::filesystem::path& location);

    // Whether nothing at all exists at `location` (a dangling link counts as something).
    static bool nothingAt(const std::filesystem::path& location);

    // `location` with repeated and trailing slashes and "." components removed, without
    // asking the disk (symbolic links and ".." stay as given): "my-dir/" is "my-dir".
    static std::filesystem::path tidied(const std::filesystem::path& location);

    // Splits a file name into base name and extension by the rule of nameWithoutExtension.
    static std::pair<std::string, std::string> splitName(const std::string& name);

    friend bool operator==(const FileItem& a, const FileItem& b) { return a.id == b.id; }
};

template <>
struct std::hash<FileItem> {
    std::size_t operator()(const FileItem& item) const noexcept {
        return std::hash<Uuid>{}(item.id);
    }
};
