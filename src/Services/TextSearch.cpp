// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Services/TextSearch.h"

#include <unicode/normalizer2.h>

#include <algorithm>

#include "Services/Graphemes.h"

namespace {

const icu::Normalizer2* nfd() {
    static const icu::Normalizer2* instance = [] {
        UErrorCode status = U_ZERO_ERROR;
        const icu::Normalizer2* n = icu::Normalizer2::getNFDInstance(status);
        return U_SUCCESS(status) ? n : nullptr;
    }();
    return instance;
}

// The comparison form of a text: NFD, case-folded and NFD again (folding can undo the
// decomposition), so that canonically equivalent and caseless-equal texts compare equal.
icu::UnicodeString searchKey(const icu::UnicodeString& text, bool caseSensitive) {
    UErrorCode status = U_ZERO_ERROR;
    icu::UnicodeString key = nfd() ? nfd()->normalize(text, status) : text;
    if (!caseSensitive) {
        key.foldCase(U_FOLD_CASE_DEFAULT);
        if (nfd()) {
            key = nfd()->normalize(key, status);
        }
    }
    return U_SUCCESS(status) ? key : text;
}

bool isPlainAscii(const icu::UnicodeString& text) {
    const char16_t* s = text.getBuffer();
    for (int32_t i = 0, n = text.length(); i < n; ++i) {
        if (s[i] >= 0x7F || s[i] == u'\r') {
            return false;
        }
    }
    return true;
}

// The haystack's key with, per user-perceived character, where it starts in the key and in
// the original text (each with a final entry for the end).
struct FoldedText {
    icu::UnicodeString key;
    std::vector<int32_t> keyStarts;
    std::vector<int32_t> originalStarts;
};

FoldedText fold(const icu::UnicodeString& text, bool caseSensitive) {
    FoldedText out;
    if (isPlainAscii(text)) {
        // The common case: ASCII needs no normalisation and folds by lower-casing.
        out.key = text;
        if (!caseSensitive) {
            char16_t* s = out.key.getBuffer(-1);
            for (int32_t i = 0, n = text.length(); i < n; ++i) {
                if (s[i] >= u'A' && s[i] <= u'Z') {
                    s[i] = static_cast<char16_t>(s[i] + 32);
                }
            }
            out.key.releaseBuffer(text.length());
        }
        return out;  // identity mapping: keyStarts stay empty
    }
    const auto bounds = Graphemes::boundaries(text);
    out.keyStarts.reserve(bounds.size());
    out.originalStarts.reserve(bounds.size());
    for (std::size_t k = 0; k + 1 < bounds.size(); ++k) {
        out.keyStarts.push_back(out.key.length());
        out.originalStarts.push_back(bounds[k]);
        out.key += searchKey(text.tempSubStringBetween(bounds[k], bounds[k + 1]), caseSensitive);
    }
    out.keyStarts.push_back(out.key.length());
    out.originalStarts.push_back(text.length());
    return out;
}

}  // namespace

TextSearch::TextSearch(const icu::UnicodeString& needle, bool caseSensitive)
    : key_(searchKey(needle, caseSensitive)), caseSensitive_(caseSensitive) {
    if (isPlainAscii(key_)) {
        key_.toUTF8String(asciiKey_);
    }
}

std::optional<TextSearch::Range> TextSearch::findFirst(const icu::UnicodeString& haystack) const {
    auto all = find(haystack, true);
    if (all.empty()) {
        return std::nullopt;
    }
    return all.front();
}

std::vector<TextSearch::Range> TextSearch::findAll(const icu::UnicodeString& haystack) const {
    return find(haystack, false);
}

std::vector<TextSearch::Range> TextSearch::find(const icu::UnicodeString& haystack,
                                                bool firstOnly) const {
    std::vector<Range> matches;
    if (key_.isEmpty() || haystack.isEmpty()) {
        return matches;
    }
    if (!isPlainAscii(haystack) && searchKey(haystack, caseSensitive_).indexOf(key_) < 0) {
        // The comparison form of a whole text is those of its characters joined (marks are
        // reordered only within a character, folding looks at no context), so a text whose
        // form lacks the needle has no match, and its characters need not be found.
        return matches;
    }
    const FoldedText folded = fold(haystack, caseSensitive_);
    const bool identity = folded.keyStarts.empty();
    const int32_t length = key_.length();
    int32_t from = 0;
    while (from <= folded.key.length() - length) {
        const int32_t at = folded.key.indexOf(key_, from);
        if (at < 0) {
            break;
        }
        if (identity) {
            matches.push_back({at, at + length});
            from = at + length;
        } else {
            // Accept only matches that begin and end on character boundaries.
            const auto& starts = folded.keyStarts;
            auto first = std::lower_bound(starts.begin(), starts.end(), at);
            auto last = std::lower_bound(starts.begin(), starts.end(), at + length);
            if (first == starts.end() || *first != at || last == starts.end() ||
                *last != at + length) {
                from = at + 1;
                continue;
            }
            matches.push_back({folded.originalStarts[first - starts.begin()],
                               folded.originalStarts[last - starts.begin()]});
            from = at + length;
        }
        if (firstOnly) {
            break;
        }
    }
    return matches;
}

bool TextSearch::foundIn(std::string_view utf8) const {
    if (key_.isEmpty() || utf8.empty()) {
        return false;
    }
    if (!asciiKey_.empty()) {
        // Plain ASCII bytes are their own UTF-16 code units, each a character of its own
        // (but CR LF), and fold by lower-casing; so where the needle lies among them, with
        // ASCII on either side, fold() and find() would find it too.
        const auto isAscii = [](char c) { return static_cast<unsigned char>(c) < 0x7F; };
        const auto folded = [this](char c) {
            return !caseSensitive_ && c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
        };
        for (auto at = utf8.begin();; ++at) {
            at = std::search(at, utf8.end(), asciiKey_.begin(), asciiKey_.end(),
                             [&](char text, char key) { return folded(text) == key; });
            if (at == utf8.end()) {
                break;
            }
            const auto end = at + static_cast<std::ptrdiff_t>(asciiKey_.size());
            if ((at == utf8.begin() || (isAscii(*(at - 1)) && *(at - 1) != '\r')) &&
                (end == utf8.end() || isAscii(*end))) {
                return true;
            }
        }
        if (std::all_of(utf8.begin(), utf8.end(),
                        [&](char c) { return isAscii(c) && c != '\r'; })) {
            return false;
        }
    }
    return findFirst(icu::UnicodeString::fromUTF8(utf8)).has_value();
}

bool TextSearch::containsCaseless(std::string_view haystack, std::string_view needle) {
    return TextSearch(icu::UnicodeString::fromUTF8(needle)).foundIn(haystack);
}
