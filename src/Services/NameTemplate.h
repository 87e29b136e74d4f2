// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <unicode/unistr.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "Models/Error.h"
#include "Models/FileMetadata.h"
#include "Models/ItemFacts.h"
#include "Models/Result.h"
#include "Services/NumberingOrdinals.h"

// The text of a template rule, read once: literal text and tokens in braces such as
// "{exif.date:yyyy-MM-dd} {exif.model}", each token with its argument and its fallbacks
// ("{exif.date|modified:yyyyMMdd}" takes the first that has a value). "{{" and "}}" are
// literal braces. Read-only once made, so threads may share it.
class NameTemplate {
  public:
    enum class Token {
        name,
        ext,
        folder,
        counter,
        modified,
        created,
        size,
        sha256,
        exifDate,
        exifMake,
        exifModel,
        exifLens,
        exifWidth,
        exifHeight,
        exifIso,
        audioArtist,
        audioAlbumArtist,
        audioAlbum,
        audioTitle,
        audioTrack,
        audioDisc,
        audioYear,
        audioGenre,
    };

    // What a counter counts: the item's position in the list, its position among the items
    // of its folder, or its position among the groups of companion files (the same base
    // name in the same folder share one number).
    enum class CounterMode { position, folder, shared };

    // One token as written, with its argument read.
    struct Use {
        Token token = Token::name;
        std::string pattern;  // the date pattern of a date token
        std::int64_t start = 1;
        std::int64_t step = 1;
        std::int64_t padding = 0;  // of a counter (default 3) or of audio.track
        std::int64_t digits = 64;  // of sha256
        CounterMode mode = CounterMode::position;
    };

    // One token's description, for the editor's menu and for messages.
    struct TokenInfo {
        Token token;
        std::string_view name;  // as written between the braces, before any ":"
        unsigned part;          // the FileMetadata::Part it reads; 0 for none
        const char* label;      // the menu entry, context "TemplateToken"
        // The sentence of an entry that has no value for it, context "TemplateToken".
        const char* missing;
        std::string_view inserted;  // what the menu inserts
    };

    // Every token, in the order of the editor's menu.
    static std::span<const TokenInfo> tokens();
    static const TokenInfo& info(Token token);
    // The sentence of an entry the template leaves without a name, context "TemplateToken".
    static const char* emptyName();

    // Reads `text`; an unknown token, a malformed argument or an unmatched brace is an error
    // of code badPattern that says what and where (the offset in UTF-8 bytes).
    static Result<NameTemplate> parse(const std::string& text);

    // The metadata parts (FileMetadata::Part bits) any of its tokens read.
    unsigned parts() const { return parts_; }
    // Whether a counter counts by folder or by companion files.
    bool countsByGroup() const { return countsByGroup_; }

    // The new base name for the item with `ordinals` in its list whose working name is `name`
    // (`facts` tells the rest; a token whose fact is absent has no value), or why there is none: a
    // token without a value and without a fallback that has one (code missingValue, its
    // detail the token's "missing" sentence), or a name left empty (code missingValue, its
    // detail emptyName()).
    // Values are cleaned before they enter the name: "/" and NUL become "_", control
    // characters go, spaces at both ends are trimmed.
    Result<icu::UnicodeString> apply(const icu::UnicodeString& name,
                                     const NumberingOrdinals::Ordinals& ordinals,
                                     const ItemFacts& facts) const;

  private:
    struct Piece {
        icu::UnicodeString literal;
        std::vector<Use> choices;  // empty for literal text
    };

    std::vector<Piece> pieces_;
    unsigned parts_ = 0;
    bool countsByGroup_ = false;
};
