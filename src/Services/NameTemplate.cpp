// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Services/NameTemplate.h"

#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>
#include <unicode/uchar.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <map>
#include <memory>
#include <utility>

#include "Models/FileItem.h"
#include "Models/UiText.h"
#include "Services/Transforms.h"

namespace {

using Token = NameTemplate::Token;
using Info = NameTemplate::TokenInfo;
using Part = FileMetadata::Part;

constexpr const char* kDefaultDatePattern = "yyyy-MM-dd";
constexpr std::int64_t kMaxNumber = 999'999'999;
constexpr std::int64_t kMaxPadding = 20;

// The order is the menu's: names first, then the file's facts, the photo's, the music's.
const std::array<Info, 23> kTokens{{
    {Token::name, "name", 0, UI_TEXT("TemplateToken", "Name as the rules before left it"),
     UI_TEXT("TemplateToken", "This item has no name"), "{name}"},
    {Token::ext, "ext", 0, UI_TEXT("TemplateToken", "Extension"),
     UI_TEXT("TemplateToken", "This item has no extension"), "{ext}"},
    {Token::folder, "folder", 0, UI_TEXT("TemplateToken", "Folder name"),
     UI_TEXT("TemplateToken", "This item has no containing folder"), "{folder}"},
    {Token::counter, "counter", 0, UI_TEXT("TemplateToken", "Counter (start, step, digits)"),
     UI_TEXT("TemplateToken", "No number for this item"), "{counter:1,1,3}"},
    {Token::modified, "modified", Part::file, UI_TEXT("TemplateToken", "Date modified"),
     UI_TEXT("TemplateToken", "No modification time for this item"), "{modified:yyyy-MM-dd}"},
    {Token::created, "created", Part::file, UI_TEXT("TemplateToken", "Date created"),
     UI_TEXT("TemplateToken", "No creation time for this item: the file system keeps none"),
     "{created:yyyy-MM-dd}"},
    {Token::size, "size", Part::file, UI_TEXT("TemplateToken", "Size in bytes"),
     UI_TEXT("TemplateToken", "No size for this item"), "{size}"},
    {Token::sha256, "sha256", Part::digest, UI_TEXT("TemplateToken", "SHA-256 of the content"),
     UI_TEXT("TemplateToken", "No content to digest for this item"), "{sha256:8}"},
    {Token::exifDate, "exif.date", Part::exif, UI_TEXT("TemplateToken", "Date taken (EXIF)"),
     UI_TEXT("TemplateToken", "No EXIF date in this file"), "{exif.date:yyyy-MM-dd HH.mm.ss}"},
    {Token::exifMake, "exif.make", Part::exif, UI_TEXT("TemplateToken", "Camera make"),
     UI_TEXT("TemplateToken", "No camera make in this file"), "{exif.make}"},
    {Token::exifModel, "exif.model", Part::exif, UI_TEXT("TemplateToken", "Camera model"),
     UI_TEXT("TemplateToken", "No camera model in this file"), "{exif.model}"},
    {Token::exifLens, "exif.lens", Part::exif, UI_TEXT("TemplateToken", "Lens"),
     UI_TEXT("TemplateToken", "No lens in this file"), "{exif.lens}"},
    {Token::exifWidth, "exif.width", Part::exif, UI_TEXT("TemplateToken", "Image width"),
     UI_TEXT("TemplateToken", "No image width in this file"), "{exif.width}"},
    {Token::exifHeight, "exif.height", Part::exif, UI_TEXT("TemplateToken", "Image height"),
     UI_TEXT("TemplateToken", "No image height in this file"), "{exif.height}"},
    {Token::exifIso, "exif.iso", Part::exif, UI_TEXT("TemplateToken", "ISO speed"),
     UI_TEXT("TemplateToken", "No ISO speed in this file"), "{exif.iso}"},
    {Token::audioArtist, "audio.artist", Part::audio, UI_TEXT("TemplateToken", "Artist"),
     UI_TEXT("TemplateToken", "No artist tag in this file"), "{audio.artist}"},
    {Token::audioAlbumArtist, "audio.albumartist", Part::audio,
     UI_TEXT("TemplateToken", "Album artist"),
     UI_TEXT("TemplateToken", "No album artist tag in this file"), "{audio.albumartist}"},
    {Token::audioAlbum, "audio.album", Part::audio, UI_TEXT("TemplateToken", "Album"),
     UI_TEXT("TemplateToken", "No album tag in this file"), "{audio.album}"},
    {Token::audioTitle, "audio.title", Part::audio, UI_TEXT("TemplateToken", "Title"),
     UI_TEXT("TemplateToken", "No title tag in this file"), "{audio.title}"},
    {Token::audioTrack, "audio.track", Part::audio, UI_TEXT("TemplateToken", "Track number"),
     UI_TEXT("TemplateToken", "No track number in this file"), "{audio.track:2}"},
    {Token::audioDisc, "audio.disc", Part::audio, UI_TEXT("TemplateToken", "Disc number"),
     UI_TEXT("TemplateToken", "No disc number in this file"), "{audio.disc}"},
    {Token::audioYear, "audio.year", Part::audio, UI_TEXT("TemplateToken", "Year"),
     UI_TEXT("TemplateToken", "No year tag in this file"), "{audio.year}"},
    {Token::audioGenre, "audio.genre", Part::audio, UI_TEXT("TemplateToken", "Genre"),
     UI_TEXT("TemplateToken", "No genre tag in this file"), "{audio.genre}"},
}};

bool isDate(Token token) {
    return token == Token::modified || token == Token::created || token == Token::exifDate;
}

Error malformed(const std::string& what, std::size_t offset) {
    return Error{Error::Code::badPattern,
                 "the template " + what + " (at offset " + std::to_string(offset) + ")"};
}

std::optional<std::int64_t> integer(std::string_view text, std::int64_t low, std::int64_t high) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

// A date formatter of `pattern` in the user's locale, and in the user's time zone or in
// GMT (for wall-clock times, which must come out as written); made once per thread and
// pattern, since making one costs far more than formatting with it.
const icu::SimpleDateFormat* formatter(const std::string& pattern, bool wallClock) {
    thread_local std::map<std::pair<std::string, bool>, std::unique_ptr<icu::SimpleDateFormat>>
        made;
    const auto key = std::make_pair(pattern, wallClock);
    if (const auto found = made.find(key); found != made.end()) {
        return found->second.get();
    }
    if (made.size() > 64) {
        made.clear();
    }
    UErrorCode status = U_ZERO_ERROR;
    auto format = std::make_unique<icu::SimpleDateFormat>(icu::UnicodeString::fromUTF8(pattern),
                                                          icu::Locale::getDefault(), status);
    if (U_FAILURE(status)) {
        format.reset();
    } else if (wallClock) {
        format->setTimeZone(*icu::TimeZone::getGMT());
    }
    return made.emplace(key, std::move(format)).first->second.get();
}

std::optional<icu::UnicodeString> formatted(const std::string& pattern, bool wallClock,
                                            UDate when) {
    const icu::SimpleDateFormat* format = formatter(pattern, wallClock);
    if (format == nullptr) {
        return std::nullopt;
    }
    UErrorCode status = U_ZERO_ERROR;
    icu::UnicodeString text;
    format->format(when, text, nullptr, status);
    if (U_FAILURE(status)) {
        return std::nullopt;
    }
    return text;
}

UDate millisOf(FileMetadata::Clock::time_point t) {
    return static_cast<UDate>(
        std::chrono::duration_cast<std::chrono::milliseconds>(t.time_since_epoch()).count());
}

// The wall-clock fields counted as if they were UTC, so that a GMT formatter writes them
// back unchanged; none for a date that does not exist (February 30).
std::optional<UDate> millisOf(const FileMetadata::WallClock& t) {
    using namespace std::chrono;
    const year_month_day date{year{t.year}, month{static_cast<unsigned>(t.month)},
                              day{static_cast<unsigned>(t.day)}};
    if (!date.ok()) {
        return std::nullopt;
    }
    const auto moment = sys_days(date) + hours(t.hour) + minutes(t.minute) + seconds(t.second);
    return static_cast<UDate>(duration_cast<milliseconds>(moment.time_since_epoch()).count());
}

icu::UnicodeString text(const std::string& utf8) {
    return icu::UnicodeString::fromUTF8(utf8);
}
icu::UnicodeString text(std::int64_t number) {
    return text(std::to_string(number));
}

// A value as it may enter a name: no path separator, no NUL, no control characters, no
// space at either end.
icu::UnicodeString cleaned(const icu::UnicodeString& value) {
    icu::UnicodeString out;
    for (int32_t i = 0; i < value.length();) {
        const UChar32 c = value.char32At(i);
        i += U16_LENGTH(c);
        if (c == u'/' || c == 0) {
            out.append(u'_');
        } else if (u_charType(c) != U_CONTROL_CHAR) {
            out.append(c);
        }
    }
    return Transforms::trim(out);
}

template <typename T>
std::optional<icu::UnicodeString> maybe(const std::optional<T>& value) {
    if (!value) {
        return std::nullopt;
    }
    return text(*value);
}

std::optional<icu::UnicodeString> valueOf(const NameTemplate::Use& use,
                                          const icu::UnicodeString& name,
                                          const NumberingOrdinals::Ordinals& ordinals,
                                          const ItemFacts& in) {
    const FileMetadata* m = in.metadata;
    switch (use.token) {
        case Token::name:
            return name;
        case Token::ext:
            return in.item != nullptr ? std::optional(text(in.item->fileExtension()))
                                      : std::nullopt;
        case Token::folder:
            return in.item != nullptr
                       ? std::optional(text(in.item->parentURL().filename().string()))
                       : std::nullopt;
        case Token::counter: {
            const NumberingOrdinals::Mode mode{use.mode == NameTemplate::CounterMode::folder,
                                               use.mode == NameTemplate::CounterMode::shared};
            const std::int64_t ordinal = ordinals.of(mode);
            return Transforms::counterText(use.start, ordinal, use.step, use.padding);
        }
        default:
            break;
    }
    if (m == nullptr) {
        return std::nullopt;
    }
    switch (use.token) {
        case Token::modified:
            return m->modified ? formatted(use.pattern, false, millisOf(*m->modified))
                               : std::nullopt;
        case Token::created:
            return m->created ? formatted(use.pattern, false, millisOf(*m->created)) : std::nullopt;
        case Token::exifDate: {
            const auto when = m->exifDate ? millisOf(*m->exifDate) : std::nullopt;
            return when ? formatted(use.pattern, true, *when) : std::nullopt;
        }
        case Token::size:
            return maybe(m->size);
        case Token::sha256:
            return m->sha256 ? std::optional(
                                   text(m->sha256->substr(0, static_cast<std::size_t>(use.digits))))
                             : std::nullopt;
        case Token::exifMake:
            return maybe(m->make);
        case Token::exifModel:
            return maybe(m->model);
        case Token::exifLens:
            return maybe(m->lens);
        case Token::exifWidth:
            return maybe(m->width);
        case Token::exifHeight:
            return maybe(m->height);
        case Token::exifIso:
            return maybe(m->iso);
        case Token::audioArtist:
            return maybe(m->artist);
        case Token::audioAlbumArtist:
            return maybe(m->albumArtist);
        case Token::audioAlbum:
            return maybe(m->album);
        case Token::audioTitle:
            return maybe(m->title);
        case Token::audioTrack:
            return m->track ? std::optional(Transforms::counterText(*m->track, 0, 0, use.padding))
                            : std::nullopt;
        case Token::audioDisc:
            return maybe(m->disc);
        case Token::audioYear:
            return maybe(m->year);
        case Token::audioGenre:
            return maybe(m->genre);
        default:
            return std::nullopt;
    }
}

// Reads the argument of `use` (the text after ":", if there was one); the error says what
// is wrong with it.
std::optional<Error> readArgument(NameTemplate::Use& use, std::string_view name,
                                  std::optional<std::string_view> argument, std::size_t at) {
    const std::string token = "{" + std::string(name) + "}";
    if (isDate(use.token)) {
        if (argument) {
            if (argument->empty()) {
                return malformed("token " + token + " has an empty date pattern", at);
            }
            use.pattern = std::string(*argument);
        }
        return std::nullopt;
    }
    if (use.token == Token::counter) {
        use.padding = 3;
        if (!argument) {
            return std::nullopt;
        }
        std::vector<std::string_view> fields;
        std::size_t from = 0;
        for (;;) {
            const std::size_t comma = argument->find(',', from);
            fields.push_back(argument->substr(from, comma - from));
            if (comma == std::string_view::npos) {
                break;
            }
            from = comma + 1;
        }
        if (fields.size() > 4) {
            return malformed("token " + token + " takes at most START,STEP,DIGITS,MODE", at);
        }
        std::int64_t* numbers[] = {&use.start, &use.step, &use.padding};
        const std::int64_t low[] = {-kMaxNumber, -kMaxNumber, 0};
        const std::int64_t high[] = {kMaxNumber, kMaxNumber, kMaxPadding};
        for (std::size_t i = 0; i < std::min<std::size_t>(fields.size(), 3); ++i) {
            if (fields[i].empty()) {
                continue;  // the default
            }
            const auto value = integer(fields[i], low[i], high[i]);
            if (!value) {
                return malformed("token " + token + " has \"" + std::string(fields[i]) +
                                     "\" where a whole number from " + std::to_string(low[i]) +
                                     " to " + std::to_string(high[i]) + " belongs",
                                 at);
            }
            *numbers[i] = *value;
        }
        if (fields.size() == 4) {
            if (fields[3] == "folder") {
                use.mode = NameTemplate::CounterMode::folder;
            } else if (fields[3] == "shared") {
                use.mode = NameTemplate::CounterMode::shared;
            } else if (fields[3] != "list" && !fields[3].empty()) {
                return malformed("token " + token + " counts by \"" + std::string(fields[3]) +
                                     "\", not by folder or shared",
                                 at);
            }
        }
        return std::nullopt;
    }
    if (use.token == Token::audioTrack || use.token == Token::sha256) {
        if (!argument) {
            return std::nullopt;
        }
        const bool digest = use.token == Token::sha256;
        const auto value = integer(*argument, digest ? 1 : 0, digest ? 64 : kMaxPadding);
        if (!value) {
            return malformed("token " + token + " takes " +
                                 (digest ? "a number of digits from 1 to 64"
                                         : "a number of digits from 0 to 20"),
                             at);
        }
        (digest ? use.digits : use.padding) = *value;
        return std::nullopt;
    }
    if (argument) {
        return malformed("token " + token + " takes no argument", at);
    }
    return std::nullopt;
}

// Whether ICU can format with `pattern`.
bool formats(const std::string& pattern) {
    return formatted(pattern, true, 0.0).has_value();
}

}  // namespace

std::span<const NameTemplate::TokenInfo> NameTemplate::tokens() {
    return kTokens;
}

const char* NameTemplate::emptyName() {
    return UI_TEXT("TemplateToken", "The template leaves this item without a name");
}

const NameTemplate::TokenInfo& NameTemplate::info(Token token) {
    return kTokens[static_cast<std::size_t>(token)];
}

Result<NameTemplate> NameTemplate::parse(const std::string& source) {
    NameTemplate out;
    std::string literal;
    const auto flush = [&] {
        if (!literal.empty()) {
            out.pieces_.push_back({icu::UnicodeString::fromUTF8(literal), {}});
            literal.clear();
        }
    };
    std::size_t pos = 0;
    while (pos < source.size()) {
        const char c = source[pos];
        const bool doubled = pos + 1 < source.size() && source[pos + 1] == c;
        if (c == '}') {
            if (!doubled) {
                return malformed("has a \"}\" that closes nothing; write \"}}\" for a brace", pos);
            }
            literal += c;
            pos += 2;
            continue;
        }
        if (c != '{') {
            literal += c;
            ++pos;
            continue;
        }
        if (doubled) {
            literal += c;
            pos += 2;
            continue;
        }
        const std::size_t close = source.find_first_of("{}", pos + 1);
        if (close == std::string::npos || source[close] != '}') {
            return malformed("has a \"{\" that is never closed; write \"{{\" for a brace", pos);
        }
        Piece piece;
        const std::string_view body(source.data() + pos + 1, close - pos - 1);
        std::size_t from = 0;
        for (;;) {
            const std::size_t bar = body.find('|', from);
            const std::string_view choice = body.substr(from, bar - from);
            const std::size_t colon = choice.find(':');
            const std::string_view name = choice.substr(0, colon);
            const auto found = std::find_if(kTokens.begin(), kTokens.end(),
                                            [&](const Info& t) { return t.name == name; });
            if (name.empty()) {
                return malformed("has an empty token", pos);
            }
            if (found == kTokens.end()) {
                return malformed("has the unknown token {" + std::string(name) + "}", pos);
            }
            Use use;
            use.token = found->token;
            const auto argument = colon == std::string_view::npos
                                      ? std::nullopt
                                      : std::optional(choice.substr(colon + 1));
            if (auto problem = readArgument(use, name, argument, pos)) {
                return *problem;
            }
            out.parts_ |= found->part;
            out.countsByGroup_ |= use.token == Token::counter && use.mode != CounterMode::position;
            piece.choices.push_back(std::move(use));
            if (bar == std::string_view::npos) {
                break;
            }
            from = bar + 1;
        }
        // A date pattern written once serves every date of its group: in
        // "{exif.date|modified:yyyyMMdd}" the photo's date is written as yyyyMMdd too.
        std::string shared;
        for (const auto& use : piece.choices) {
            if (isDate(use.token) && !use.pattern.empty()) {
                shared = use.pattern;
            }
        }
        for (auto& use : piece.choices) {
            if (isDate(use.token) && use.pattern.empty()) {
                use.pattern = shared.empty() ? kDefaultDatePattern : shared;
            }
            if (isDate(use.token) && !formats(use.pattern)) {
                return malformed(
                    "has the date pattern \"" + use.pattern + "\", which cannot be used", pos);
            }
        }
        flush();
        out.pieces_.push_back(std::move(piece));
        pos = close + 1;
    }
    flush();
    return out;
}

Result<icu::UnicodeString> NameTemplate::apply(const icu::UnicodeString& name,
                                               const NumberingOrdinals::Ordinals& ordinals,
                                               const ItemFacts& facts) const {
    icu::UnicodeString out;
    for (const auto& piece : pieces_) {
        if (piece.choices.empty()) {
            out.append(piece.literal);
            continue;
        }
        std::optional<icu::UnicodeString> value;
        for (const auto& use : piece.choices) {
            value = valueOf(use, name, ordinals, facts);
            if (value && use.token != Token::name) {
                *value = cleaned(*value);
            }
            // A value that cleaning leaves empty is no value.
            if (value && !value->isEmpty()) {
                break;
            }
            value.reset();
        }
        if (!value) {
            return Error{Error::Code::missingValue, info(piece.choices.front().token).missing};
        }
        out.append(*value);
    }
    if (out.isEmpty()) {
        return Error{Error::Code::missingValue, emptyName()};
    }
    return out;
}
