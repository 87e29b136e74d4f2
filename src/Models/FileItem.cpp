// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Models/FileItem.h"

#include <sys/stat.h>

#include <unicode/datefmt.h>
#include <unicode/locid.h>
#include <unicode/measunit.h>
#include <unicode/numberformatter.h>

#include <cerrno>
#include <memory>
#include <string_view>

#include "Models/Utf8.h"

namespace {

const std::string kMissing = "\xE2\x80\x94";  // U+2014 EM DASH

std::optional<struct stat> statOf(const std::filesystem::path& location) {
    struct stat st {};
    if (::stat(location.c_str(), &st) != 0) {
        return std::nullopt;
    }
    return st;
}

std::string formatBytes(std::int64_t bytes) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Locale& locale = icu::Locale::getDefault();
    if (bytes < 1000) {
        auto text = icu::number::NumberFormatter::withLocale(locale)
                        .formatInt(bytes, status)
                        .toString(status);
        std::string out;
        text.toUTF8String(out);
        return out + (bytes == 1 ? " byte" : " bytes");
    }
    // Decimal multiples, as file managers show sizes: 1 KB = 1000 bytes.
    static const icu::MeasureUnit units[] = {
        icu::MeasureUnit::getKilobyte(), icu::MeasureUnit::getMegabyte(),
        icu::MeasureUnit::getGigabyte(), icu::MeasureUnit::getTerabyte(),
        icu::MeasureUnit::getPetabyte()};
    double value = static_cast<double>(bytes) / 1000.0;
    std::size_t unit = 0;
    // Move up a unit where the rounded number would reach 1000: kilobytes are shown as
    // whole numbers, larger units with one decimal.
    while (value >= (unit == 0 ? 999.5 : 999.95) && unit + 1 < std::size(units)) {
        value /= 1000.0;
        ++unit;
    }
    auto text = icu::number::NumberFormatter::withLocale(locale)
                    .unit(units[unit])
                    .precision(unit == 0 ? icu::number::Precision::integer()
                                         : icu::number::Precision::maxFraction(1))
                    .formatDouble(value, status)
                    .toString(status);
    std::string out;
    if (U_SUCCESS(status)) {
        text.toUTF8String(out);
    }
    return out;
}

std::string formatDate(FileItem::Clock::time_point when) {
    // One formatter per thread and locale: creating one costs far more than formatting.
    thread_local std::unique_ptr<icu::DateFormat> formatter;
    thread_local std::string formatterLocale;
    const icu::Locale& locale = icu::Locale::getDefault();
    if (!formatter || formatterLocale != locale.getName()) {
        formatter.reset(icu::DateFormat::createDateTimeInstance(icu::DateFormat::kShort,
                                                                icu::DateFormat::kShort, locale));
        formatterLocale = locale.getName();
    }
    if (!formatter) {
        return kMissing;
    }
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(when.time_since_epoch()).count();
    icu::UnicodeString text;
    formatter->format(static_cast<UDate>(millis), text);
    std::string out;
    text.toUTF8String(out);
    return out;
}

}  // namespace

FileItem::FileItem(std::filesystem::path location) : url(std::move(location)) {
    previewName = originalName();
    auto st = statOf(url);
    isDirectory = st && S_ISDIR(st->st_mode);
    isMissing = !st && nothingAt(url);
}

bool FileItem::nothingAt(const std::filesystem::path& location) {
    struct stat st {};
    return ::lstat(location.c_str(), &st) != 0 && (errno == ENOENT || errno == ENOTDIR);
}

FileItem::FileItem(ItemPath location, bool directory)
    : url(std::move(location)), previewName(originalName()), isDirectory(directory) {}

std::string_view FileItem::nameBytes() const {
    const std::string& text = url.native();
    const auto slash = text.rfind('/');
    return slash == std::string::npos ? std::string_view(text)
                                      : std::string_view(text).substr(slash + 1);
}

std::string FileItem::originalName() const {
    return Utf8::toValid(nameBytes());
}

bool FileItem::hasValidName() const {
    return Utf8::isValid(nameBytes());
}

std::pair<std::string, std::string> FileItem::splitName(const std::string& name) {
    const auto dot = name.rfind('.');
    // No dot, a leading dot only (hidden names) and a trailing dot all mean no extension,
    // so that base name and extension always join back to the name.
    if (dot == std::string::npos || dot == 0 || dot + 1 == name.size()) {
        return {name, ""};
    }
    return {name.substr(0, dot), name.substr(dot + 1)};
}

std::filesystem::path FileItem::tidied(const std::filesystem::path& location) {
    const std::string& text = location.native();
    if (text.empty()) {
        return location;
    }
    std::string out;
    out.reserve(text.size());
    const bool absolute = text.front() == '/';
    std::size_t begin = 0;
    while (begin <= text.size()) {
        auto end = text.find('/', begin);
        if (end == std::string::npos) {
            end = text.size();
        }
        const std::string_view part(text.data() + begin, end - begin);
        if (!part.empty() && part != ".") {
            if (!out.empty() || absolute) {
                out += '/';
            }
            out += part;
        }
        begin = end + 1;
    }
    if (out.empty()) {
        out = absolute ? "/" : ".";
    }
    return std::filesystem::path(std::move(out));
}

std::string FileItem::nameWithoutExtension() const {
    return splitName(originalName()).first;
}

std::string FileItem::fileExtension() const {
    return splitName(originalName()).second;
}

std::filesystem::path FileItem::parentURL() const {
    return url.parent_path();
}

std::string FileItem::fileSizeString() const {
    if (isDirectory) {
        return kMissing;
    }
    return sizeString(fileSize(url));
}

std::string FileItem::modifiedDateString() const {
    return dateString(modificationDate(url));
}

std::string FileItem::sizeString(std::optional<std::int64_t> size) {
    return size ? formatBytes(*size) : kMissing;
}

std::string FileItem::dateString(std::optional<Clock::time_point> date) {
    return date ? formatDate(*date) : kMissing;
}

std::optional<FileItem::Clock::time_point> FileItem::modificationDate(
    const std::filesystem::path& location) {
    auto st = statOf(location);
    if (!st) {
        return std::nullopt;
    }
    const auto since =
        std::chrono::seconds(st->st_mtim.tv_sec) + std::chrono::nanoseconds(st->st_mtim.tv_nsec);
    return Clock::time_point(std::chrono::duration_cast<Clock::duration>(since));
}

FileStat FileItem::statAt(const std::filesystem::path& location) {
    FileStat facts;
    if (auto st = statOf(location)) {
        const auto since = std::chrono::seconds(st->st_mtim.tv_sec) +
                           std::chrono::nanoseconds(st->st_mtim.tv_nsec);
        facts.modified = Clock::time_point(std::chrono::duration_cast<Clock::duration>(since));
        if (!S_ISDIR(st->st_mode)) {
            facts.size = static_cast<std::int64_t>(st->st_size);
        }
    }
    return facts;
}

std::optional<std::int64_t> FileItem::fileSize(const std::filesystem::path& location) {
    auto st = statOf(location);
    if (!st || S_ISDIR(st->st_mode)) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(st->st_size);
}
