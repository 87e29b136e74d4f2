// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Services/ReplacementTemplate.h"

#include <unicode/uchar.h>

#include <memory>
#include <string>

namespace {

bool isAsciiLetter(UChar32 c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isAsciiDigit(UChar32 c) {
    return c >= u'0' && c <= u'9';
}

// The code point of `digits` hexadecimal digits at `at`, or -1 when they are not all there.
UChar32 hexAt(const icu::UnicodeString& text, int32_t at, int32_t digits) {
    if (at + digits > text.length()) {
        return -1;
    }
    UChar32 value = 0;
    for (int32_t i = 0; i < digits; ++i) {
        const int32_t digit = u_digit(text[at + i], 16);
        if (digit < 0) {
            return -1;
        }
        value = value * 16 + digit;
    }
    return value <= 0x10FFFF ? value : -1;
}

Error invalid(UErrorCode code, int32_t offset, const std::string& what) {
    return Error{Error::Code::badPattern, "the replacement " + what + " (" + u_errorName(code) +
                                              " at offset " + std::to_string(offset) + ")"};
}

}  // namespace

ReplacementTemplate::ReplacementTemplate(const icu::UnicodeString& text,
                                         const icu::RegexPattern& pattern) {
    const int32_t groups = [&] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::RegexMatcher> probe(pattern.matcher(status));
        return U_SUCCESS(status) ? probe->groupCount() : 0;
    }();
    icu::UnicodeString literal;
    const auto addGroup = [&](int32_t group) {
        if (!literal.isEmpty()) {
            pieces_.push_back({literal, -1});
            literal.remove();
        }
        pieces_.push_back({icu::UnicodeString(), group});
    };
    const int32_t length = text.length();
    int32_t i = 0;
    while (i < length) {
        const UChar32 c = text.char32At(i);
        const int32_t next = text.moveIndex32(i, 1);
        if (c == u'\\') {
            if (next >= length) {
                literal.append(c);  // nothing left to escape: the backslash itself
                break;
            }
            const UChar32 escaped = text.char32At(next);
            const int32_t digits = escaped == u'u' ? 4 : escaped == u'U' ? 8 : 0;
            const UChar32 code = digits > 0 ? hexAt(text, next + 1, digits) : -1;
            if (code >= 0) {
                literal.append(code);
                i = next + 1 + digits;
            } else {
                literal.append(escaped);
                i = text.moveIndex32(next, 1);
            }
            continue;
        }
        if (c != u'$') {
            literal.append(c);
            i = next;
            continue;
        }
        const UChar32 after = next < length ? text.char32At(next) : U_SENTINEL;
        if (after == u'{') {
            int32_t end = next + 1;
            while (end < length &&
                   (isAsciiLetter(text[end]) || (end > next + 1 && isAsciiDigit(text[end])))) {
                ++end;
            }
            UErrorCode status = U_ZERO_ERROR;
            const int32_t group = end > next + 1 && end < length && text[end] == u'}'
                                      ? pattern.groupNumberFromName(
                                            text.tempSubString(next + 1, end - next - 1), status)
                                      : -1;
            if (group < 0 || U_FAILURE(status)) {
                error_ = invalid(U_REGEX_INVALID_CAPTURE_GROUP_NAME, i,
                                 "has a \"${\" that does not name a group of the pattern");
                return;
            }
            addGroup(group);
            i = end + 1;
            continue;
        }
        if (after == U_SENTINEL || !u_isdigit(after)) {
            error_ = invalid(U_REGEX_INVALID_CAPTURE_GROUP_NAME, i,
                             "has a \"$\" without a group number or {name}");
            return;
        }
        // Digits are taken while the number still names a group of the pattern.
        int32_t group = 0;
        int32_t at = next;
        while (at < length) {
            const UChar32 digit = text.char32At(at);
            if (!u_isdigit(digit) || group * 10 + u_charDigitValue(digit) > groups) {
                break;
            }
            group = group * 10 + u_charDigitValue(digit);
            at = text.moveIndex32(at, 1);
        }
        if (at == next) {
            error_ = invalid(U_INDEX_OUTOFBOUNDS_ERROR, i,
                             "refers to group " + std::to_string(u_charDigitValue(after)) +
                                 ", which the pattern does not have");
            return;
        }
        addGroup(group);
        i = at;
    }
    if (!literal.isEmpty()) {
        pieces_.push_back({literal, -1});
    }
}

void ReplacementTemplate::appendTo(icu::UnicodeString& out, const icu::RegexMatcher& matcher,
                                   const icu::UnicodeString& input) const {
    for (const Piece& piece : pieces_) {
        if (piece.group < 0) {
            out.append(piece.literal);
            continue;
        }
        // A group that took no part in the match gives nothing.
        UErrorCode status = U_ZERO_ERROR;
        const int64_t start = matcher.start64(piece.group, status);
        const int64_t end = matcher.end64(piece.group, status);
        if (U_SUCCESS(status) && start >= 0) {
            out.append(input, static_cast<int32_t>(start), static_cast<int32_t>(end - start));
        }
    }
}
