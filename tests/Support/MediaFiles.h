// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

// Photos and music made by the tests themselves: the smallest files the libraries read as
// what they are, with EXIF written through libexiv2 and tags through TagLib.
namespace MediaFiles {

// A baseline JPEG of 8 by 8 grey pixels.
void writeJpeg(const std::filesystem::path& location);
// Sets EXIF fields, each a key such as "Exif.Photo.DateTimeOriginal" and its value as text.
void addExif(const std::filesystem::path& location,
             const std::vector<std::pair<std::string, std::string>>& fields);

// An MPEG audio stream of silent frames, without tags.
void writeMp3(const std::filesystem::path& location);
// Sets tags by TagLib's property names ("ARTIST", "TITLE", "TRACKNUMBER", "ALBUMARTIST", ...).
void tagAudio(const std::filesystem::path& location,
              const std::vector<std::pair<std::string, std::string>>& tags);

}  // namespace MediaFiles
