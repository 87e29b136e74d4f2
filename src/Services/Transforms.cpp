// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Services/Transforms.h"

#include <unicode/locid.h>
#include <unicode/translit.h>
#include <unicode/uchar.h>

#include <algorithm>
#include <memory>
#include <mutex>

#include <charconv>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "Services/Graphemes.h"
#include "Services/NameCheck.h"

namespace Transforms {

namespace {

// Replaces every match of `matcher`'s pattern in `name` by the rule's replacement. A rule
// that cannot run, or a match that runs out of time or stack, leaves the name as it was and
// says why in `problem`. Each find is checked on its own: replacing all at once would hide a
// time-out behind the matches found before it.
icu::UnicodeString replaceMatches(const PreparedRule& rule, const icu::UnicodeString& name,
                                  icu::RegexMatcher* matcher, std::optional<Error>& problem) {
    if (matcher == nullptr || !rule.replacement) {
        problem = rule.invalid;
        return name;
    }
    if (rule.patternGaveUp.load(std::memory_order_relaxed)) {
        problem = Error{Error::Code::timedOut,
                        "The pattern took too long on other names and was not tried on this one"};
        return name;
    }
    UErrorCode status = U_ZERO_ERROR;
    matcher->reset(name);  // the matcher keeps a reference: `name` outlives this call's use
    icu::UnicodeString result;
    int32_t last = 0;
    bool found = false;
    while (matcher->find(status) && U_SUCCESS(status)) {
        found = true;
        if (rule.invalid) {
            break;  // the replacement cannot be used, and this name would have needed it
        }
        const int32_t start = matcher->start(status);
        result.append(name, last, start - last);
        rule.replacement->appendTo(result, *matcher, name);
        last = matcher->end(status);
    }
    matcher->reset(icu::UnicodeString());
    if (status == U_REGEX_TIME_OUT || status == U_REGEX_STACK_OVERFLOW) {
        rule.patternGaveUp.store(true, std::memory_order_relaxed);
        problem =
            Error{Error::Code::timedOut, status == U_REGEX_TIME_OUT
                                             ? "The pattern took too long on this name"
                                             : "The pattern needed too much memory on this name"};
        return name;
    }
    if (U_FAILURE(status)) {
        problem = Error{Error::Code::badPattern,
                        std::string("the pattern failed (") + u_errorName(status) + ")"};
        return name;
    }
    if (rule.invalid && found) {
        problem = rule.invalid;
        return name;
    }
    result.append(name, last, name.length() - last);
    return result;
}

icu::UnicodeString replaceRanges(const icu::UnicodeString& name,
                                 const std::vector<TextSearch::Range>& ranges,
                                 const icu::UnicodeString& replacement) {
    if (ranges.empty()) {
        return name;
    }
    icu::UnicodeString out;
    int32_t last = 0;
    for (const auto& r : ranges) {
        out.append(name, last, r.start - last);
        out.append(replacement);
        last = r.end;
    }
    out.append(name, last, name.length() - last);
    return out;
}

bool isTrimmable(UChar32 c) {
    return c == u'\t' || u_charType(c) == U_SPACE_SEPARATOR;
}

}  // namespace

icu::UnicodeString replace(const PreparedRule& rule, const icu::UnicodeString& name,
                           icu::RegexMatcher* matcher, std::optional<Error>& problem) {
    if (rule.rule.useRegex) {
        return replaceMatches(rule, name, matcher, problem);
    }
    if (!rule.findSearch || rule.findSearch->empty()) {
        return name;
    }
    return replaceRanges(name, rule.findSearch->findAll(name), rule.replaceText);
}

icu::UnicodeString regex(const PreparedRule& rule, const icu::UnicodeString& name,
                         icu::RegexMatcher* matcher, std::optional<Error>& problem) {
    if (rule.rule.findText.empty()) {
        return name;
    }
    return replaceMatches(rule, name, matcher, problem);
}

icu::UnicodeString trim(const icu::UnicodeString& name) {
    int32_t start = 0;
    int32_t end = name.length();
    while (start < end && isTrimmable(name.char32At(start))) {
        start = name.moveIndex32(start, 1);
    }
    while (end > start) {
        const int32_t before = name.moveIndex32(end, -1);
        if (!isTrimmable(name.char32At(before))) {
            break;
        }
        end = before;
    }
    if (start == 0 && end == name.length()) {
        return name;
    }
    return icu::UnicodeString(name, start, end - start);
}

namespace {

// Negative counts and positions count as 0; values above the length are the length.
int32_t clampCount(std::int64_t value, std::size_t length) {
    if (value <= 0) {
        return 0;
    }
    const auto limit = static_cast<std::int64_t>(length);
    return static_cast<int32_t>(value < limit ? value : limit);
}

// The UTF-16 offset of character position `position` (already clamped to the length).
int32_t offsetOf(const std::vector<std::int32_t>& bounds, int32_t position) {
    return bounds[static_cast<std::size_t>(position)];
}

icu::UnicodeString without(const icu::UnicodeString& name, int32_t start, int32_t end) {
    icu::UnicodeString out(name, 0, start);
    out.append(name, end, name.length() - end);
    return out;
}

icu::UnicodeString removeBetween(const PreparedRule& rule, const icu::UnicodeString& name) {
    if (!rule.startSearch || !rule.endSearch) {
        return name;
    }
    const auto open = rule.startSearch->findFirst(name);
    if (!open) {
        return name;
    }
    // The end marker is searched from the beginning too, not after the start marker.
    const auto close = rule.endSearch->findFirst(name);
    if (!close || open->end > close->start) {
        return name;
    }
    return without(name, open->end, close->start);
}

}  // namespace

icu::UnicodeString insert(const PreparedRule& rule, const icu::UnicodeString& name) {
    const icu::UnicodeString& text = rule.insertText;
    switch (rule.rule.insertPosition) {
        case InsertPosition::beginning:
            return icu::UnicodeString(text).append(name);
        case InsertPosition::end:
            return icu::UnicodeString(name).append(text);
        case InsertPosition::atIndex: {
            const auto bounds = Graphemes::boundaries(name);
            const int32_t at =
                offsetOf(bounds, clampCount(rule.rule.insertIndex, bounds.size() - 1));
            icu::UnicodeString out(name, 0, at);
            out.append(text).append(name, at, name.length() - at);
            return out;
        }
        case InsertPosition::beforeText:
        case InsertPosition::afterText: {
            if (!rule.anchorSearch) {
                return name;
            }
            const auto found = rule.anchorSearch->findFirst(name);
            if (!found) {
                return name;
            }
            // The occurrence is rewritten in the anchor's own spelling.
            icu::UnicodeString piece;
            if (rule.rule.insertPosition == InsertPosition::beforeText) {
                piece.append(text).append(rule.anchorText);
            } else {
                piece.append(rule.anchorText).append(text);
            }
            return replaceRanges(name, {*found}, piece);
        }
    }
    return name;
}

icu::UnicodeString remove(const PreparedRule& rule, const icu::UnicodeString& name) {
    const RenameRule& r = rule.rule;
    switch (r.removeTarget) {
        case RemoveTarget::text:
            if (!rule.removeSearch) {
                return name;
            }
            return replaceRanges(name, rule.removeSearch->findAll(name), icu::UnicodeString());
        case RemoveTarget::firstN:
        case RemoveTarget::lastN: {
            const auto bounds = Graphemes::boundaries(name);
            const std::size_t length = bounds.size() - 1;
            const int32_t n = clampCount(r.removeCount, length);
            if (r.removeTarget == RemoveTarget::firstN) {
                return without(name, 0, offsetOf(bounds, n));
            }
            return without(name, offsetOf(bounds, static_cast<int32_t>(length) - n), name.length());
        }
        case RemoveTarget::fromTo: {
            const auto bounds = Graphemes::boundaries(name);
            const std::size_t length = bounds.size() - 1;
            const int32_t from = clampCount(r.removeFromIndex, length);
            const int32_t to = clampCount(r.removeToIndex, length);
            if (from >= to) {
                return name;
            }
            return without(name, offsetOf(bounds, from), offsetOf(bounds, to));
        }
        case RemoveTarget::betweenText:
            return removeBetween(rule, name);
    }
    return name;
}

namespace {

const icu::Locale& noLocale() {
    return icu::Locale::getRoot();
}

icu::UnicodeString upper(icu::UnicodeString text) {
    return text.toUpper(noLocale());
}

icu::UnicodeString lower(icu::UnicodeString text) {
    return text.toLower(noLocale());
}

// Each word's first letter in title case, its other letters in lower case.
icu::UnicodeString title(icu::UnicodeString text, icu::BreakIterator* words) {
    return text.toTitle(words, noLocale());
}

icu::UnicodeString camel(const icu::UnicodeString& name, icu::BreakIterator* words) {
    icu::UnicodeString out;
    int32_t componentStart = 0;
    bool first = true;
    const int32_t length = name.length();
    for (int32_t i = 0; i <= length; ++i) {
        if (i < length && name[i] != u' ' && name[i] != u'_' && name[i] != u'-') {
            continue;
        }
        const icu::UnicodeString component(name, componentStart, i - componentStart);
        out.append(first ? lower(component) : title(component, words));
        first = false;
        componentStart = i + 1;
    }
    return out;
}

icu::UnicodeString sentence(const icu::UnicodeString& name) {
    if (name.isEmpty()) {
        return name;
    }
    const auto bounds = Graphemes::boundaries(name);
    const int32_t split = bounds[1];
    icu::UnicodeString out = upper(icu::UnicodeString(name, 0, split));
    out.append(lower(icu::UnicodeString(name, split, name.length() - split)));
    return out;
}

}  // namespace

icu::UnicodeString changeCase(const PreparedRule& rule, const icu::UnicodeString& name,
                              icu::BreakIterator* words) {
    switch (rule.rule.caseType) {
        case CaseConversionType::uppercase:
            return upper(name);
        case CaseConversionType::lowercase:
            return lower(name);
        case CaseConversionType::titleCase:
            return title(name, words);
        case CaseConversionType::camelCase:
            return camel(name, words);
        case CaseConversionType::snakeCase: {
            icu::UnicodeString out = lower(name);
            out.findAndReplace(icu::UnicodeString(u' '), icu::UnicodeString(u'_'));
            return out;
        }
        case CaseConversionType::sentenceCase:
            return sentence(name);
    }
    return name;
}

namespace {

// Longer padding than this cannot make a usable file name, and a stored padding in the
// billions would otherwise ask for gigabytes.
constexpr std::int64_t kMaxPadding = 255;

// start + index * step. Extreme stored values saturate at the 64-bit limits instead of
// wrapping: the exact value is formed in 128 bits (which cannot overflow for 64-bit inputs)
// and clamped, so the nearest representable number is shown and no undefined behaviour occurs.
std::int64_t numberFor(std::int64_t start, std::int64_t index, std::int64_t step) {
    __extension__ using Wide = __int128;
    const Wide exact = static_cast<Wide>(start) + static_cast<Wide>(index) * step;
    constexpr auto lowest = std::numeric_limits<std::int64_t>::min();
    constexpr auto highest = std::numeric_limits<std::int64_t>::max();
    if (exact < lowest) {
        return lowest;
    }
    if (exact > highest) {
        return highest;
    }
    return static_cast<std::int64_t>(exact);
}

// The number as "%0<padding>d" prints it: at least `padding` characters, zeros after the
// sign, never cut.
icu::UnicodeString numberText(std::int64_t number, std::int64_t padding) {
    // The magnitude in unsigned arithmetic, so that the lowest value has one too.
    const bool negative = number < 0;
    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(number) : static_cast<std::uint64_t>(number);
    char digits[24];
    const char* end = std::to_chars(std::begin(digits), std::end(digits), magnitude).ptr;
    const auto digitCount = static_cast<std::int64_t>(end - digits);
    // A negative padding pads nothing; clamping it keeps the subtraction below in range.
    const std::int64_t width = std::clamp<std::int64_t>(padding, 0, kMaxPadding);
    const std::int64_t zeros = width - digitCount - (negative ? 1 : 0);
    icu::UnicodeString out;
    if (negative) {
        out.append(u'-');
    }
    if (zeros > 0) {
        out.padTrailing(out.length() + static_cast<int32_t>(zeros), u'0');
    }
    out.append(icu::UnicodeString(digits, static_cast<int32_t>(digitCount), US_INV));
    return out;
}

}  // namespace

icu::UnicodeString counterText(std::int64_t start, std::int64_t index, std::int64_t step,
                               std::int64_t padding) {
    return numberText(numberFor(start, index, step), padding);
}

icu::UnicodeString numbering(const PreparedRule& rule, const icu::UnicodeString& name,
                             std::int64_t index) {
    const RenameRule& r = rule.rule;
    const icu::UnicodeString number =
        numberText(numberFor(r.numberingStart, index, r.numberingStep), r.numberingPadding);
    switch (r.numberingPosition) {
        case NumberingPosition::prefix:
            return icu::UnicodeString(number).append(rule.separator).append(name);
        case NumberingPosition::suffix:
            return icu::UnicodeString(name).append(rule.separator).append(number);
        case NumberingPosition::replace:
            return number;
    }
    return name;
}

namespace {

icu::UnicodeString collapseSpaces(const icu::UnicodeString& name) {
    // Most names hold no run of spaces, and are handed back as they are.
    const int32_t first = name.indexOf(u"  ", 2, 0);
    if (first < 0) {
        return name;
    }
    // Replacing pairs until none is left leaves one space of every run: do that in one pass.
    icu::UnicodeString out(name, 0, first + 1);
    for (int32_t i = first + 1, n = name.length(); i < n; ++i) {
        if (name[i] == u' ' && name[i - 1] == u' ') {
            continue;
        }
        out.append(name[i]);
    }
    return out;
}

bool isKeptByFilter(UChar32 c) {
    constexpr uint32_t kept = U_GC_L_MASK | U_GC_M_MASK | U_GC_N_MASK;
    if ((U_GET_GC_MASK(c) & kept) != 0) {
        return true;
    }
    return c == u' ' || c == u'_' || c == u'-' || c == u'(' || c == u')' || c == u'.';
}

icu::UnicodeString keepOrdinary(const icu::UnicodeString& name) {
    // Code points, not characters: a letter keeps its marks, an emoji sequence loses its
    // pictographs and joiners alike.
    icu::UnicodeString out;
    for (int32_t i = 0, n = name.length(); i < n;) {
        const UChar32 c = name.char32At(i);
        if (isKeptByFilter(c)) {
            out.append(c);
        }
        i = name.moveIndex32(i, 1);
    }
    return out;
}

// The thread's transliterator to Latin letters without accents: building one from ICU's
// rules takes milliseconds, so one is built per process and each thread clones it once.
// Null when ICU cannot make it; the name then only loses what is not ASCII.
icu::Transliterator* asciiTransliterator() {
    static const std::unique_ptr<icu::Transliterator> prototype = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::Transliterator> made(
            icu::Transliterator::createInstance("Any-Latin; Latin-ASCII", UTRANS_FORWARD, status));
        return U_SUCCESS(status) ? std::move(made) : nullptr;
    }();
    static std::mutex cloning;
    thread_local std::unique_ptr<icu::Transliterator> own;
    if (!own && prototype) {
        const std::lock_guard lock(cloning);
        own.reset(prototype->clone());
    }
    return own.get();
}

// ICU writes some letters as several ("ß" as "ss", "東京" as "dong jing") and some signs as
// a slash ("⁄", "∕" and "／", and "½" as " 1/2"); a slash cannot stand in a name, so it
// becomes "-". What has no ASCII spelling is dropped.
icu::UnicodeString pieceToAscii(const icu::UnicodeString& piece) {
    icu::UnicodeString latin = piece;
    const bool ascii = std::all_of(piece.getBuffer(), piece.getBuffer() + piece.length(),
                                   [](char16_t c) { return c < 0x80; });
    // ICU leaves ASCII as it is, only slower.
    if (icu::Transliterator* transliterator = ascii ? nullptr : asciiTransliterator()) {
        transliterator->transliterate(latin);
    }
    icu::UnicodeString out;
    for (int32_t i = 0; i < latin.length(); ++i) {
        const char16_t c = latin.charAt(i);
        if (c < 0x80) {
            out.append(c == u'/' ? u'-' : c);
        }
    }
    return out;
}

// A slash that an earlier rule wrote stays, so that the name check still refuses it; only
// the ones ICU writes are replaced.
icu::UnicodeString toAscii(const icu::UnicodeString& name) {
    icu::UnicodeString out;
    int32_t start = 0;
    for (;;) {
        const int32_t slash = name.indexOf(u'/', start);
        const int32_t end = slash < 0 ? name.length() : slash;
        out.append(pieceToAscii(name.tempSubStringBetween(start, end)));
        if (slash < 0) {
            return out;
        }
        out.append(u'/');
        start = slash + 1;
    }
}

icu::UnicodeString windowsSafe(const icu::UnicodeString& name) {
    std::string text;
    name.toUTF8String(text);
    return icu::UnicodeString::fromUTF8(NameCheck::makeWindowsSafe(text));
}

}  // namespace

icu::UnicodeString cleanup(const PreparedRule& rule, const icu::UnicodeString& name) {
    const RenameRule& r = rule.rule;
    // Transliteration comes first, so that the spaces it writes are trimmed, collapsed and
    // replaced like the others; the Windows rules come last, so nothing undoes them.
    icu::UnicodeString out = r.transliterateToASCII ? toAscii(name) : name;
    if (r.trimWhitespace) {
        out = trim(out);
    }
    if (r.removeDuplicateSpaces) {
        out = collapseSpaces(out);
    }
    if (r.replaceSpacesWithUnderscores) {
        out.findAndReplace(icu::UnicodeString(u' '), icu::UnicodeString(u'_'));
    }
    if (r.removeSpecialChars) {
        out = keepOrdinary(out);
    }
    if (r.makeWindowsSafe) {
        out = windowsSafe(out);
    }
    return out;
}

icu::UnicodeString date(const PreparedRule& rule, const icu::UnicodeString& name) {
    if (!rule.dateText) {
        return name;
    }
    if (rule.rule.datePosition == InsertPosition::beginning) {
        return icu::UnicodeString(*rule.dateText).append(u'_').append(name);
    }
    return icu::UnicodeString(name).append(u'_').append(*rule.dateText);
}

}  // namespace Transforms
