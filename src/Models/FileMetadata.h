// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

// What was read of one file beyond its name: its file-system facts, the EXIF fields of a
// photo, the tags of an audio file and a digest of its content. Each group is read only when
// something asks for it; `parts` says which were read, and a field of a part read is none
// when the file does not hold it.
struct FileMetadata {
    using Clock = std::chrono::system_clock;

    // The groups of fields, as bits of `parts`.
    enum Part : unsigned {
        file = 1u << 0,    // size, modification and birth time
        exif = 1u << 1,    // the EXIF fields
        audio = 1u << 2,   // the audio tags
        digest = 1u << 3,  // the SHA-256 of the content
    };

    // A time as a camera writes it: the wall-clock fields, with no time zone.
    struct WallClock {
        int year = 0;
        int month = 0;  // 1 to 12
        int day = 0;    // 1 to 31
        int hour = 0;
        int minute = 0;
        int second = 0;
        friend bool operator==(const WallClock&, const WallClock&) = default;
    };

    unsigned parts = 0;

    bool isDirectory = false;
    std::optional<std::int64_t> size;  // none for folders
    std::optional<Clock::time_point> modified;
    std::optional<Clock::time_point> created;  // where the file system keeps a birth time

    std::optional<WallClock> exifDate;  // DateTimeOriginal, else DateTimeDigitized
    std::optional<std::string> make;
    std::optional<std::string> model;
    std::optional<std::string> lens;
    std::optional<std::int64_t> width;
    std::optional<std::int64_t> height;
    std::optional<std::int64_t> iso;

    std::optional<std::string> artist;
    std::optional<std::string> albumArtist;
    std::optional<std::string> album;
    std::optional<std::string> title;
    std::optional<std::int64_t> track;
    std::optional<std::int64_t> disc;
    std::optional<std::int64_t> year;
    std::optional<std::string> genre;

    std::optional<std::string> sha256;  // 64 lower-case hexadecimal digits

    bool has(unsigned wanted) const { return (parts & wanted) == wanted; }

    friend bool operator==(const FileMetadata&, const FileMetadata&) = default;
};
