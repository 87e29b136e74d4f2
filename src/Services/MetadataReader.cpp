// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Services/MetadataReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <openssl/evp.h>
#include <taglib/fileref.h>
#include <taglib/tag.h>
#include <taglib/tpropertymap.h>
#include <exiv2/exiv2.hpp>

#include <array>
#include <cerrno>
#include <charconv>
#include <memory>
#include <mutex>

namespace MetadataReader {

namespace {

using Clock = FileMetadata::Clock;

Clock::time_point timeOf(const struct statx_timestamp& t) {
    return Clock::time_point(std::chrono::duration_cast<Clock::duration>(
        std::chrono::seconds(t.tv_sec) + std::chrono::nanoseconds(t.tv_nsec)));
}

// Once per process: exiv2's XMP parser must be set up before threads use it, and its
// messages would otherwise go to standard error for every odd file.
void setUpExiv2() {
    static std::once_flag once;
    std::call_once(once, [] {
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        Exiv2::XmpParser::initialize();
        Exiv2::enableBMFF(true);
    });
}

std::optional<std::string> exifText(const Exiv2::ExifData& data, const char* key) {
    const auto found = data.findKey(Exiv2::ExifKey(key));
    if (found == data.end()) {
        return std::nullopt;
    }
    std::string text = found->toString();
    // ASCII fields are NUL-padded to their stored length.
    while (!text.empty() && (text.back() == '\0' || text.back() == ' ')) {
        text.pop_back();
    }
    if (text.empty()) {
        return std::nullopt;
    }
    return text;
}

std::optional<std::int64_t> exifNumber(const Exiv2::ExifData& data, const char* key) {
    const auto found = data.findKey(Exiv2::ExifKey(key));
    if (found == data.end() || found->count() == 0) {
        return std::nullopt;
    }
    const long value = found->toLong(0);
    if (found->value().ok() && value > 0) {
        return static_cast<std::int64_t>(value);
    }
    return std::nullopt;
}

void readExif(const std::filesystem::path& location, FileMetadata& out) {
    setUpExiv2();
    try {
        auto image = Exiv2::ImageFactory::open(location.native());
        if (image.get() == nullptr) {
            return;
        }
        image->readMetadata();
        const Exiv2::ExifData& data = image->exifData();
        for (const char* key : {"Exif.Photo.DateTimeOriginal", "Exif.Photo.DateTimeDigitized"}) {
            if (auto text = exifText(data, key)) {
                if (auto time = parseExifTime(*text)) {
                    out.exifDate = time;
                    break;
                }
            }
        }
        out.make = exifText(data, "Exif.Image.Make");
        out.model = exifText(data, "Exif.Image.Model");
        out.lens = exifText(data, "Exif.Photo.LensModel");
        out.iso = exifNumber(data, "Exif.Photo.ISOSpeedRatings");
        out.width = exifNumber(data, "Exif.Photo.PixelXDimension");
        out.height = exifNumber(data, "Exif.Photo.PixelYDimension");
        // The image's own size where the EXIF block does not give one.
        if (!out.width && image->pixelWidth() > 0) {
            out.width = static_cast<std::int64_t>(image->pixelWidth());
        }
        if (!out.height && image->pixelHeight() > 0) {
            out.height = static_cast<std::int64_t>(image->pixelHeight());
        }
    } catch (const std::exception&) {
        // Not an image exiv2 knows, or a damaged one: it holds no EXIF fields.
    }
}

std::optional<std::string> tagText(const TagLib::String& text) {
    std::string utf8 = text.to8Bit(true);
    if (utf8.empty()) {
        return std::nullopt;
    }
    return utf8;
}

// The leading number of a tag such as "3/12"; none when there is none or it is 0.
std::optional<std::int64_t> leadingNumber(const std::string& text) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data() || value <= 0) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::string> property(const TagLib::PropertyMap& map, const char* key) {
    const auto found = map.find(key);
    if (found == map.end() || found->second.isEmpty()) {
        return std::nullopt;
    }
    return tagText(found->second.front());
}

void readAudio(const std::filesystem::path& location, FileMetadata& out) {
    // Without audio properties TagLib reads the tags alone, not the stream.
    TagLib::FileRef ref(location.c_str(), false);
    if (ref.isNull() || ref.tag() == nullptr) {
        return;
    }
    const TagLib::Tag& tag = *ref.tag();
    out.artist = tagText(tag.artist());
    out.album = tagText(tag.album());
    out.title = tagText(tag.title());
    out.genre = tagText(tag.genre());
    if (tag.year() > 0) {
        out.year = static_cast<std::int64_t>(tag.year());
    }
    if (tag.track() > 0) {
        out.track = static_cast<std::int64_t>(tag.track());
    }
    const TagLib::PropertyMap map = ref.file()->properties();
    out.albumArtist = property(map, "ALBUMARTIST");
    if (auto disc = property(map, "DISCNUMBER")) {
        out.disc = leadingNumber(*disc);
    }
    if (!out.track) {
        if (auto track = property(map, "TRACKNUMBER")) {
            out.track = leadingNumber(*track);
        }
    }
}

void readDigest(const std::filesystem::path& location, FileMetadata& out) {
    // O_NONBLOCK: opening a FIFO must not wait; only regular files are read.
    const int fd = ::open(location.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        return;
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        return;
    }
    const std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> context(EVP_MD_CTX_new(),
                                                                          &EVP_MD_CTX_free);
    if (!context || EVP_DigestInit_ex(context.get(), EVP_sha256(), nullptr) != 1) {
        return;
    }
    std::array<unsigned char, 64 * 1024> buffer{};
    for (;;) {
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return;
        }
        if (n == 0) {
            break;
        }
        if (EVP_DigestUpdate(context.get(), buffer.data(), static_cast<std::size_t>(n)) != 1) {
            return;
        }
    }
    std::array<unsigned char, EVP_MAX_MD_SIZE> digest{};
    unsigned int length = 0;
    if (EVP_DigestFinal_ex(context.get(), digest.data(), &length) != 1) {
        return;
    }
    static constexpr char kHex[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(length * 2);
    for (unsigned int i = 0; i < length; ++i) {
        hex += kHex[digest[i] >> 4];
        hex += kHex[digest[i] & 0xf];
    }
    out.sha256 = std::move(hex);
}

}  // namespace

std::optional<Identity> identify(const std::filesystem::path& location, FileMetadata& out) {
    struct statx st {};
    if (::statx(AT_FDCWD, location.c_str(), AT_STATX_SYNC_AS_STAT,
                STATX_TYPE | STATX_INO | STATX_SIZE | STATX_MTIME | STATX_BTIME, &st) != 0) {
        return std::nullopt;
    }
    out.parts |= FileMetadata::file;
    out.isDirectory = S_ISDIR(st.stx_mode);
    out.size = out.isDirectory ? std::nullopt : std::optional<std::int64_t>(st.stx_size);
    out.modified = timeOf(st.stx_mtime);
    // Only some file systems keep a birth time, and say so in the mask.
    out.created =
        (st.stx_mask & STATX_BTIME) != 0 ? std::optional(timeOf(st.stx_btime)) : std::nullopt;
    Identity identity;
    identity.device = makedev(st.stx_dev_major, st.stx_dev_minor);
    identity.inode = st.stx_ino;
    identity.size = static_cast<std::int64_t>(st.stx_size);
    identity.modifiedSeconds = st.stx_mtime.tv_sec;
    identity.modifiedNanoseconds = st.stx_mtime.tv_nsec;
    return identity;
}

void readParts(const std::filesystem::path& location, unsigned parts, FileMetadata& out) {
    parts &= ~static_cast<unsigned>(FileMetadata::file);
    // Only regular files are opened: a FIFO or a device would make the libraries wait or read
    // without end.
    struct stat st {};
    if (parts != 0 && ::stat(location.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
        if ((parts & FileMetadata::exif) != 0) {
            readExif(location, out);
        }
        if ((parts & FileMetadata::audio) != 0) {
            readAudio(location, out);
        }
        if ((parts & FileMetadata::digest) != 0) {
            readDigest(location, out);
        }
    }
    out.parts |= parts;
}

std::optional<FileMetadata::WallClock> parseExifTime(const std::string& text) {
    // "YYYY:MM:DD HH:MM:SS"; some writers use "-" in the date part.
    if (text.size() < 19) {
        return std::nullopt;
    }
    const auto field = [&](std::size_t at, std::size_t width, int& value) {
        const auto [end, error] =
            std::from_chars(text.data() + at, text.data() + at + width, value);
        return error == std::errc() && end == text.data() + at + width;
    };
    FileMetadata::WallClock t;
    const bool separators = (text[4] == ':' || text[4] == '-') && text[7] == text[4] &&
                            (text[10] == ' ' || text[10] == 'T') && text[13] == ':' &&
                            text[16] == ':';
    if (!separators || !field(0, 4, t.year) || !field(5, 2, t.month) || !field(8, 2, t.day) ||
        !field(11, 2, t.hour) || !field(14, 2, t.minute) || !field(17, 2, t.second)) {
        return std::nullopt;
    }
    if (t.year < 1 || t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 || t.hour > 23 ||
        t.minute > 59 || t.second > 60) {
        return std::nullopt;
    }
    return t;
}

}  // namespace MetadataReader
