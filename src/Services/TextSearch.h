// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <unicode/unistr.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The one text search of the program, used wherever a name is searched for a text:
// canonically equivalent texts match (precomposed "é" and "e" + U+0301), letters that differ
// only in case match unless the search is case-sensitive (full case folding: "STRASSE"
// finds "straße"), and a match never begins or ends inside a user-perceived character.
// Matches are ranges of the original text, so replacing them keeps everything else as it was.
class TextSearch {
  public:
    // A half-open range of UTF-16 offsets in the searched text.
    struct Range {
        std::int32_t start;
        std::int32_t end;
        friend bool operator==(const Range&, const Range&) = default;
    };

    // Prepares `needle` once for many searches. An empty needle is never found.
    explicit TextSearch(const icu::UnicodeString& needle, bool caseSensitive = false);

    bool empty() const { return key_.isEmpty(); }

    // The first match in `haystack`, or none.
    std::optional<Range> findFirst(const icu::UnicodeString& haystack) const;
    // Every non-overlapping match, scanning from the start.
    std::vector<Range> findAll(const icu::UnicodeString& haystack) const;
    // Whether `utf8` holds a match: findFirst's answer for its UTF-16 form, found in the bytes
    // themselves when both the text and the search's comparison form are plain ASCII.
    bool foundIn(std::string_view utf8) const;

    // Whether `haystack` contains `needle` under the caseless search (UTF-8 arguments).
    static bool containsCaseless(std::string_view haystack, std::string_view needle);

  private:
    std::vector<Range> find(const icu::UnicodeString& haystack, bool firstOnly) const;

    icu::UnicodeString key_;
    // key_ as bytes when it is plain ASCII (as the search folds it), else empty.
    std::string asciiKey_;
    bool caseSensitive_;
};
