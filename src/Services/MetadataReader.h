// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "Models/FileMetadata.h"

// Reads what a file holds beyond its name, straight from the disk: its facts through statx,
// the EXIF fields of a photo through libexiv2 (HEIC and CR3 included), the tags of an audio
// file through TagLib and the SHA-256 of its content through libcrypto. Each read is bounded:
// the libraries read only the parts of a file that hold what is asked for, and the digest
// streams the file through a fixed buffer. Safe to call from any thread; never throws.
namespace MetadataReader {

// The identity of a file's content as far as a cache can tell: a file with the same device,
// inode, size and modification time is taken to hold what it held.
struct Identity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::uint32_t modifiedNanoseconds = 0;
    friend bool operator==(const Identity&, const Identity&) = default;
};

// The identity of what is at `location` (following links), with the `file` part of its
// metadata filled in; none when nothing can be read there.
std::optional<Identity> identify(const std::filesystem::path& location, FileMetadata& out);

// Reads the parts of `parts` other than `file` into `out` and adds them to `out.parts`; a
// part that the file does not hold (a text file has no EXIF) is read with all its fields
// none. Only regular files hold any of them.
void readParts(const std::filesystem::path& location, unsigned parts, FileMetadata& out);

// A wall-clock time in EXIF's form "YYYY:MM:DD HH:MM:SS", or none when the text is not one
// (cameras write blanks or zeros when their clock was never set).
std::optional<FileMetadata::WallClock> parseExifTime(const std::string& text);

}  // namespace MetadataReader
