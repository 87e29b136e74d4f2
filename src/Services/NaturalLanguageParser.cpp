// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Services/NaturalLanguageParser.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <utility>

#include <unicode/locid.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

namespace NaturalLanguageParser {

namespace {

// A phrase is read as words. Quoted text is one word that is never read as anything but
// itself; "," and ";" are words of their own so instructions can be told apart.
struct Token {
    std::string raw;  // as typed; for quoted text, what stands between the quotes
    std::string low;  // lower-cased
    bool quoted = false;
};

using Tokens = std::vector<Token>;

// Bounds that keep a long or hostile phrase cheap: words read per phrase (a phrase with more
// is read in part), pieces an instruction list is cut into, characters one list of character
// names may give.
constexpr std::size_t kMaxTokens = 256;
constexpr std::size_t kMaxPieces = 12;
constexpr std::size_t kMaxNames = 8;

// What a phrase read only in part loses against the same phrase read whole.
constexpr double kPartialPenalty = 0.3;

std::string utf8(const icu::UnicodeString& text) {
    std::string out;
    text.toUTF8String(out);
    return out;
}

std::string lowered(const icu::UnicodeString& text) {
    icu::UnicodeString copy(text);
    copy.toLower(icu::Locale::getRoot());
    return utf8(copy);
}

bool isSpaceOrTab(UChar32 c) {
    return c == U'\t' || u_charType(c) == U_SPACE_SEPARATOR;
}

// `text` without spaces (any space separator) and tabs at either end.
std::string trimSpacesAndTabs(const std::string& text) {
    const icu::UnicodeString wide = icu::UnicodeString::fromUTF8(text);
    int32_t start = 0;
    int32_t end = wide.length();
    while (start < end && isSpaceOrTab(wide.char32At(start))) {
        start = wide.moveIndex32(start, 1);
    }
    while (end > start && isSpaceOrTab(wide.char32At(wide.moveIndex32(end, -1)))) {
        end = wide.moveIndex32(end, -1);
    }
    return utf8(wide.tempSubStringBetween(start, end));
}

// The closing quote for an opening one, or 0 when `c` opens no quotation.
UChar32 closingQuote(UChar32 c) {
    switch (c) {
        case U'"':
            return U'"';
        case U'\'':
            return U'\'';
        case U'\u201C':
            return U'\u201D';  // “ … ”
        case U'\u2018':
            return U'\u2019';  // ‘ … ’
        case U'\u201E':
            return U'\u201C';  // „ … “
        case U'\u00AB':
            return U'\u00BB';  // « … »
        default:
            return 0;
    }
}

bool endsWord(const icu::UnicodeString& text, int32_t at) {
    if (at >= text.length()) {
        return true;
    }
    const UChar32 c = text.char32At(at);
    return u_isUWhiteSpace(c) || c == U',' || c == U';' || c == U'.' || c == U'!' || c == U'?';
}

// Where the quotation opened at `open` closes, or -1. A straight apostrophe closes only
// before the end of a word, so "today's" inside quoted text stays whole.
int32_t findClosing(const icu::UnicodeString& text, int32_t open) {
    const UChar32 opener = text.char32At(open);
    const UChar32 closer = closingQuote(opener);
    int32_t at = text.moveIndex32(open, 1);
    while (at < text.length()) {
        const UChar32 c = text.char32At(at);
        const int32_t next = text.moveIndex32(at, 1);
        const bool closes =
            c == closer || (opener == U'\u201E' && c == U'\u201D');  // „ … ” as well
        if (closes && (opener != U'\'' || endsWord(text, next))) {
            return at;
        }
        at = next;
    }
    return -1;
}

// The words of `text`, at most kMaxTokens of them; `cut` tells whether words were left over.
Tokens tokenise(const icu::UnicodeString& text, bool& cut) {
    Tokens tokens;
    const auto push = [&tokens](const icu::UnicodeString& word, bool quoted) {
        tokens.push_back({utf8(word), lowered(word), quoted});
    };
    int32_t at = 0;
    while (at < text.length() && tokens.size() < kMaxTokens) {
        const UChar32 c = text.char32At(at);
        if (u_isUWhiteSpace(c)) {
            at = text.moveIndex32(at, 1);
            continue;
        }
        if (c == U',' || c == U';') {
            push(icu::UnicodeString(c), false);
            at = text.moveIndex32(at, 1);
            continue;
        }
        if (closingQuote(c) != 0) {
            const int32_t close = findClosing(text, at);
            if (close >= 0) {
                const int32_t start = text.moveIndex32(at, 1);
                push(text.tempSubStringBetween(start, close), true);
                at = text.moveIndex32(close, 1);
                continue;
            }
        }
        const int32_t start = at;
        while (at < text.length()) {
            const UChar32 d = text.char32At(at);
            if (u_isUWhiteSpace(d) || d == U',' || d == U';') {
                break;
            }
            at = text.moveIndex32(at, 1);
        }
        push(text.tempSubStringBetween(start, at), false);
    }
    while (at < text.length() && u_isUWhiteSpace(text.char32At(at))) {
        at = text.moveIndex32(at, 1);
    }
    cut = at < text.length();
    return tokens;
}

// A base-10 integer: an optional sign (only when allowed), then ASCII digits only, within
// the 64-bit range. Digits of other scripts do not convert.
std::optional<std::int64_t> decimal(std::string_view word, bool allowSign) {
    std::string_view digits = word;
    if (allowSign && !digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        digits.remove_prefix(1);
    }
    if (digits.empty()) {
        return std::nullopt;
    }
    for (char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
    }
    // from_chars reads a minus itself (keeping the full negative range) but not a plus.
    const std::string_view number = (!word.empty() && word.front() == '+') ? digits : word;
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc{} || end != number.data() + number.size()) {
        return std::nullopt;
    }
    return value;
}

bool oneOf(std::string_view word, std::initializer_list<std::string_view> words) {
    for (std::string_view candidate : words) {
        if (word == candidate) {
            return true;
        }
    }
    return false;
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// Words that carry no instruction of their own: a phrase made of an instruction and these
// is read whole.
bool isFiller(const Token& token) {
    return !token.quoted &&
           oneOf(token.low,
                 {"please", "the",        "a",     "an",       "all",       "every", "each",
                  "any",    "file",       "files", "filename", "filenames", "name",  "names",
                  "it",     "them",       "its",   "their",    "my",        "of",    "in",
                  "on",     "for",        "to",    "from",     "into",      "with",  "and",
                  "then",   "also",       "just",  "now",      "so",        "this",  "these",
                  "those",  "everything", "item",  "items",    "selected",  ",",     ";"});
}

// A clause being read: its words, which of them the reading used, and the suggestions.
struct Reading {
    const Tokens& tokens;
    std::vector<bool> used;
    std::vector<ParsedRule> rules;

    explicit Reading(const Tokens& words) : tokens(words), used(words.size(), false) {}

    std::size_t size() const { return tokens.size(); }
    const std::string& low(std::size_t i) const { return tokens[i].low; }
    bool plain(std::size_t i) const { return i < tokens.size() && !tokens[i].quoted; }
    // Word `i` is the plain word `word`.
    bool is(std::size_t i, std::string_view word) const { return plain(i) && low(i) == word; }
    bool isAny(std::size_t i, std::initializer_list<std::string_view> words) const {
        return plain(i) && oneOf(low(i), words);
    }
    void use(std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to && i < used.size(); ++i) {
            used[i] = true;
        }
    }
    // The first plain word from `from` on that is one of `words`, or size().
    std::size_t find(std::initializer_list<std::string_view> words, std::size_t from = 0) const {
        for (std::size_t i = from; i < size(); ++i) {
            if (isAny(i, words)) {
                return i;
            }
        }
        return size();
    }
    bool whole() const {
        for (std::size_t i = 0; i < size(); ++i) {
            if (!used[i] && !isFiller(tokens[i])) {
                return false;
            }
        }
        return true;
    }
};

// --- Words that name characters -------------------------------------------------------------

struct CharacterName {
    std::array<std::string_view, 2> words;  // a second word of "" means a one-word name
    std::string_view characters;            // each byte is one character it names
};

// Longer names first so "full stop" is not read as "full" and then "stop".
constexpr std::array<CharacterName, 53> kCharacterNames{{
    {{"full", "stops"}, "."},
    {{"full", "stop"}, "."},
    {{"question", "marks"}, "?"},
    {{"question", "mark"}, "?"},
    {{"exclamation", "marks"}, "!"},
    {{"exclamation", "mark"}, "!"},
    {{"plus", "signs"}, "+"},
    {{"plus", "sign"}, "+"},
    {{"equals", "signs"}, "="},
    {{"equals", "sign"}, "="},
    {{"hash", "signs"}, "#"},
    {{"hash", "sign"}, "#"},
    {{"at", "signs"}, "@"},
    {{"at", "sign"}, "@"},
    {{"dollar", "signs"}, "$"},
    {{"dollar", "sign"}, "$"},
    {{"percent", "signs"}, "%"},
    {{"percent", "sign"}, "%"},
    {{"white", "space"}, " "},
    {{"round", "brackets"}, "()"},
    {{"square", "brackets"}, "[]"},
    {{"curly", "brackets"}, "{}"},
    {{"curly", "braces"}, "{}"},
    {{"space", ""}, " "},
    {{"spaces", ""}, " "},
    {{"blank", ""}, " "},
    {{"blanks", ""}, " "},
    {{"whitespace", ""}, " "},
    {{"underscore", ""}, "_"},
    {{"underscores", ""}, "_"},
    {{"dash", ""}, "-"},
    {{"dashes", ""}, "-"},
    {{"hyphen", ""}, "-"},
    {{"hyphens", ""}, "-"},
    {{"dot", ""}, "."},
    {{"dots", ""}, "."},
    {{"period", ""}, "."},
    {{"periods", ""}, "."},
    {{"comma", ""}, ","},
    {{"commas", ""}, ","},
    {{"plus", ""}, "+"},
    {{"ampersand", ""}, "&"},
    {{"ampersands", ""}, "&"},
    {{"tilde", ""}, "~"},
    {{"colon", ""}, ":"},
    {{"colons", ""}, ":"},
    {{"semicolon", ""}, ";"},
    {{"apostrophe", ""}, "'"},
    {{"apostrophes", ""}, "'"},
    {{"parentheses", ""}, "()"},
    {{"parens", ""}, "()"},
    {{"brackets", ""}, "[]"},
    {{"braces", ""}, "{}"},
}};

struct Named {
    std::vector<std::string> characters;
    std::size_t end;  // the word after the name or list
};

// One character name at `i`, with an article or "all" before it.
std::optional<Named> characterNameAt(const Reading& r, std::size_t i) {
    std::size_t at = i;
    while (r.isAny(at, {"a", "an", "the", "all", "every", "any", "each"})) {
        ++at;
    }
    for (const auto& name : kCharacterNames) {
        const bool two = !name.words[1].empty();
        if (r.is(at, name.words[0]) && (!two || r.is(at + 1, name.words[1]))) {
            Named named{{}, at + (two ? 2 : 1)};
            for (char c : name.characters) {
                named.characters.emplace_back(1, c);
            }
            return named;
        }
    }
    // A mark typed as itself: "-", "(", "#", "+"; emoji and other symbols are text
    if (r.plain(at)) {
        const icu::UnicodeString word = icu::UnicodeString::fromUTF8(r.tokens[at].raw);
        if (word.countChar32() == 1 &&
            (u_ispunct(word.char32At(0)) ||
             (U_GET_GC_MASK(word.char32At(0)) & (U_GC_SM_MASK | U_GC_SC_MASK)) != 0)) {
            return Named{{r.tokens[at].raw}, at + 1};
        }
    }
    return std::nullopt;
}

// A list of character names at `i` ("spaces, dashes and dots"), each character once.
std::optional<Named> characterListAt(const Reading& r, std::size_t i) {
    auto list = characterNameAt(r, i);
    if (!list) {
        return std::nullopt;
    }
    // Bounded by names read, not characters found, so a repeated name cannot run on.
    for (std::size_t names = 1; names < kMaxNames; ++names) {
        std::size_t at = list->end;
        if (r.isAny(at, {",", "and", "or"})) {
            ++at;
            if (r.isAny(at, {"and", "or"})) {
                ++at;
            }
        } else {
            break;
        }
        const auto next = characterNameAt(r, at);
        if (!next) {
            break;
        }
        for (const auto& c : next->characters) {
            bool seen = false;
            for (const auto& old : list->characters) {
                seen = seen || old == c;
            }
            if (!seen) {
                list->characters.push_back(c);
            }
        }
        list->end = next->end;
    }
    return list;
}

// --- Words that name other kinds ------------------------------------------------------------

bool namesDate(const Reading& r, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i) {
        if (r.isAny(i, {"date", "dates", "today", "today's", "todays", "today\u2019s", "timestamp",
                        "datestamp", "date-stamp"})) {
            return true;
        }
    }
    return false;
}

bool isNumberingWord(const Reading& r, std::size_t i) {
    return r.plain(i) &&
           (r.low(i).find("number") != std::string::npos || startsWith(r.low(i), "sequenti") ||
            oneOf(r.low(i), {"counter", "counters", "enumerate", "enumeration"}));
}

bool namesNumbering(const Reading& r, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i) {
        if (isNumberingWord(r, i)) {
            return true;
        }
    }
    return false;
}

// Words `from` … `to` as text: one quoted word as written between its quotes, otherwise the
// words lower-cased and joined by single spaces.
std::string textOf(const Reading& r, std::size_t from, std::size_t to, bool keepCase) {
    std::string text;
    for (std::size_t i = from; i < to; ++i) {
        if (!text.empty()) {
            text += ' ';
        }
        text += keepCase ? r.tokens[i].raw : r.tokens[i].low;
    }
    return text;
}

// Where an instruction puts something, and how many words say so.
struct Place {
    InsertPosition position;
    std::size_t end;
};

// "at the end", "to the front", "in front", "as a prefix", "suffix", "at the start of the
// name" … at `i`.
std::optional<Place> placeAt(const Reading& r, std::size_t i) {
    std::size_t at = i;
    std::optional<InsertPosition> position;
    if (r.is(at, "as")) {
        ++at;
    }
    if (r.isAny(at, {"a", "the"})) {
        ++at;
    }
    if (r.is(at, "prefix")) {
        position = InsertPosition::beginning;
        ++at;
    } else if (r.is(at, "suffix")) {
        position = InsertPosition::end;
        ++at;
    } else if (r.is(i, "in") && r.is(i + 1, "front")) {
        position = InsertPosition::beginning;
        at = i + 2;
    } else if (r.isAny(i, {"at", "to", "on", "in"})) {
        at = i + 1;
        if (r.is(at, "the")) {
            ++at;
        }
        if (r.is(at, "very")) {
            ++at;
        }
        if (r.isAny(at, {"end", "ending", "back"})) {
            position = InsertPosition::end;
        } else if (r.isAny(at, {"beginning", "start", "front"})) {
            position = InsertPosition::beginning;
        } else {
            return std::nullopt;
        }
        ++at;
    } else if (r.isAny(i, {"before", "after"}) && r.is(i + 1, "the") &&
               r.isAny(i + 2, {"name", "filename", "names"})) {
        position = r.is(i, "before") ? InsertPosition::beginning : InsertPosition::end;
        at = i + 3;
    } else {
        return std::nullopt;
    }
    // "… of the name", "… of each file"
    if (r.is(at, "of")) {
        std::size_t tail = at + 1;
        if (r.isAny(tail, {"the", "each", "every", "all"})) {
            ++tail;
        }
        if (r.isAny(tail, {"name", "names", "filename", "filenames", "file", "files"})) {
            at = tail + 1;
        }
    }
    return Place{*position, at};
}

std::string positionWords(InsertPosition position) {
    return position == InsertPosition::beginning ? "at beginning" : "at end";
}

ParsedRule suggestion(RenameRule rule, double confidence, std::string description) {
    return ParsedRule{std::move(rule), confidence, std::move(description)};
}

// --- Replace ----------------------------------------------------------------------------

bool isCaseWord(const Reading& r, std::size_t i) {
    return r.isAny(
        i, {"uppercase", "lowercase", "upper", "lower", "title", "caps", "capitals", "sentence",
            "camelcase", "snake_case", "camel", "snake", "upper-case", "lower-case", "case"});
}

// One side of a replacement: quoted text as typed, a character name, or one plain word as
// typed.
struct Side {
    std::vector<std::string> texts;
    std::size_t end;
};

std::optional<Side> sideAt(const Reading& r, std::size_t i, bool list) {
    if (i >= r.size()) {
        return std::nullopt;
    }
    if (r.tokens[i].quoted) {
        return Side{{r.tokens[i].raw}, i + 1};
    }
    if (auto named = list ? characterListAt(r, i) : characterNameAt(r, i)) {
        return Side{named->characters, named->end};
    }
    if (r.isAny(i, {"nothing", "empty", "none"})) {
        return Side{{""}, i + 1};
    }
    if (r.isAny(i, {",", ";"})) {
        return std::nullopt;
    }
    return Side{{r.tokens[i].raw}, i + 1};
}

std::optional<Reading> readReplace(const Tokens& tokens) {
    Reading r(tokens);
    // One suggestion per text found, all with the same replacement.
    const auto replaceEach = [&r](const Side& find, const Side& with, std::size_t from) {
        r.use(from, std::max(find.end, with.end));
        for (const auto& found : find.texts) {
            RenameRule rule(RuleType::replace);
            rule.findText = found;
            rule.replaceText = with.texts[0];
            std::string description =
                "Replace \"" + rule.findText + "\" \u2192 \"" + rule.replaceText + "\"";
            r.rules.push_back(suggestion(std::move(rule), 0.95, std::move(description)));
        }
        return r;
    };
    struct Verb {
        std::string_view verb;
        std::array<std::string_view, 2> links;
    };
    static constexpr std::array<Verb, 7> verbs{{
        {"replace", {"with", "by"}},
        {"change", {"to", "into"}},
        {"rename", {"to", "to"}},
        {"swap", {"with", "for"}},
        {"turn", {"into", "to"}},
        {"convert", {"to", "into"}},
        {"substitute", {"with", "by"}},
    }};
    for (std::size_t v = 0; v < r.size(); ++v) {
        for (const auto& verb : verbs) {
            if (!r.is(v, verb.verb)) {
                continue;
            }
            // The find side: quoted text, a list of character names, or one word.
            const auto find = sideAt(r, v + 1, true);
            if (!find || !(r.is(find->end, verb.links[0]) || r.is(find->end, verb.links[1]))) {
                continue;
            }
            if (!r.tokens[v + 1].quoted &&
                (isCaseWord(r, v + 1) || r.isAny(v + 1, {"extension", "ext", "it", "them"}))) {
                continue;
            }
            const auto with = sideAt(r, find->end + 1, false);
            if (!with || with->texts.size() != 1 ||
                (!r.tokens[find->end + 1].quoted && isCaseWord(r, find->end + 1))) {
                continue;
            }
            return replaceEach(*find, *with, v);
        }
    }
    // "use underscores instead of spaces", "spaces to underscores"
    for (std::size_t i = 0; i < r.size(); ++i) {
        if (r.is(i, "use")) {
            const auto with = sideAt(r, i + 1, false);
            if (with && with->texts.size() == 1 && r.is(with->end, "instead") &&
                r.is(with->end + 1, "of")) {
                if (const auto find = sideAt(r, with->end + 2, true)) {
                    return replaceEach(*find, *with, i);
                }
            }
        } else if (const auto named = characterListAt(r, i)) {
            if (r.isAny(named->end, {"to", "into", "->", "\u2192"})) {
                if (const auto other = characterNameAt(r, named->end + 1);
                    other && other->characters.size() == 1) {
                    return replaceEach(Side{named->characters, named->end},
                                       Side{other->characters, other->end}, i);
                }
            }
        }
    }
    return std::nullopt;
}

// --- Extension --------------------------------------------------------------------------

std::optional<Reading> readExtension(const Tokens& tokens) {
    Reading r(tokens);
    const std::size_t e = r.find({"extension", "extensions", "ext"});
    if (e == r.size()) {
        return std::nullopt;
    }
    std::size_t start = e;
    if (e > 0 && r.is(e - 1, "file")) {
        --start;
    }
    while (start > 0 && r.isAny(start - 1, {"the", "its", "their", "an", "a"})) {
        --start;
    }
    const bool removal = (start > 0 && r.isAny(start - 1, {"remove", "delete", "strip", "drop",
                                                           "no", "without", "clear"}));
    if (removal) {
        r.use(start - 1, e + 1);
        RenameRule rule(RuleType::extensionChange);
        r.rules.push_back(suggestion(std::move(rule), 0.9, "Remove the extension"));
        return r;
    }
    // "change the extension to txt", "set extension as .md", "extension to jpg"; a
    // "from jpeg" the rule cannot honour is left unread.
    std::size_t link = e + 1;
    if (r.is(link, "from") && link + 2 < r.size()) {
        link += 2;
    }
    if (!r.isAny(link, {"to", "into", "as", "with"}) || link + 1 >= r.size()) {
        return std::nullopt;
    }
    const Token& word = r.tokens[link + 1];
    std::string extension = word.quoted ? trimSpacesAndTabs(word.raw) : word.raw;
    if (!extension.empty() && extension.front() == '.') {
        extension.erase(0, 1);
    }
    if (extension.empty() || (!word.quoted && (word.low == "," || word.low == ";"))) {
        return std::nullopt;
    }
    if (start > 0 &&
        r.isAny(start - 1, {"change", "set", "rename", "make", "switch", "convert", "replace"})) {
        r.use(start - 1, start);
    }
    r.use(start, e + 1);
    r.use(link, link + 2);
    RenameRule rule(RuleType::extensionChange);
    rule.newExtension = extension;
    r.rules.push_back(
        suggestion(std::move(rule), 0.9, "Change extension to \"" + extension + "\""));
    return r;
}

// --- Insert -----------------------------------------------------------------------------

// The inserted text of words `from` … `to`: a quoted word trimmed, a character name, or the
// words themselves; lower-cased like the rest of the phrase. None for words that name the
// date or numbering, which their own kinds read.
std::optional<std::string> insertedText(const Reading& r, std::size_t from, std::size_t to) {
    if (from >= to) {
        return std::nullopt;
    }
    if (to == from + 1 && r.tokens[from].quoted) {
        std::string text = trimSpacesAndTabs(r.tokens[from].low);
        return text.empty() ? std::nullopt : std::optional<std::string>(text);
    }
    if (const auto named = characterNameAt(r, from);
        named && named->end == to && named->characters.size() == 1) {
        return named->characters[0];
    }
    if (namesDate(r, from, to) || namesNumbering(r, from, to)) {
        return std::nullopt;
    }
    for (std::size_t i = from; i < to; ++i) {
        if (r.isAny(i, {",", ";"})) {
            return std::nullopt;
        }
    }
    std::string text = trimSpacesAndTabs(textOf(r, from, to, false));
    return text.empty() ? std::nullopt : std::optional<std::string>(text);
}

std::optional<Reading> readInsert(const Tokens& tokens) {
    Reading r(tokens);
    const std::size_t v =
        r.find({"add", "insert", "put", "place", "append", "prepend", "prefix", "suffix"});
    if (v == r.size()) {
        return std::nullopt;
    }
    const auto finish = [&r](std::size_t from, std::size_t to, RenameRule rule, double confidence,
                             std::string description) {
        r.use(from, to);
        r.rules.push_back(suggestion(std::move(rule), confidence, std::move(description)));
    };
    const auto make = [](const std::string& text, InsertPosition position) {
        RenameRule rule(RuleType::insert);
        rule.insertText = text;
        rule.insertPosition = position;
        return rule;
    };
    const std::string& verb = r.low(v);

    // "prefix with X", "suffix X", "append X", "prepend X": the text runs to the end of the
    // phrase, or to a place that repeats where it goes.
    if (oneOf(verb, {"prefix", "suffix", "append", "prepend"})) {
        std::size_t from = v + 1;
        if (oneOf(verb, {"prefix", "suffix"}) && r.is(from, "with")) {
            ++from;
        } else if (oneOf(verb, {"prefix", "suffix"}) && r.is(from, "it") &&
                   r.is(from + 1, "with")) {
            from += 2;
        }
        std::size_t to = from;
        std::size_t end = r.size();
        while (to < r.size()) {
            if (const auto place = placeAt(r, to); place && to > from) {
                end = place->end;
                break;
            }
            ++to;
        }
        const auto text = insertedText(r, from, to);
        if (!text) {
            return std::nullopt;
        }
        const bool atStart = oneOf(verb, {"prefix", "prepend"});
        const auto position = atStart ? InsertPosition::beginning : InsertPosition::end;
        if (verb == "prefix") {
            finish(v, end, make(*text, position), 0.9, "Prefix with \"" + *text + "\"");
        } else if (verb == "suffix") {
            finish(v, end, make(*text, position), 0.9, "Add \"" + *text + "\" at end");
        } else {
            finish(v, end, make(*text, position), 0.85,
                   (atStart ? "Prepend \"" : "Append \"") + *text + "\"");
        }
        return r;
    }

    // "add suffix X", "add a prefix X"
    {
        std::size_t at = v + 1;
        if (r.isAny(at, {"a", "the"})) {
            ++at;
        }
        if (r.isAny(at, {"prefix", "suffix"})) {
            const auto position =
                r.is(at, "prefix") ? InsertPosition::beginning : InsertPosition::end;
            std::size_t from = at + 1;
            if (r.is(from, "of")) {
                ++from;
            }
            const auto text = insertedText(r, from, r.size());
            if (!text) {
                return std::nullopt;
            }
            finish(v, r.size(), make(*text, position), 0.9,
                   "Add \"" + *text + "\" " + positionWords(position));
            return r;
        }
    }

    // "add X at the end", "put X in front", "insert X after the third character", "add X
    // before 'final'": the text is everything up to the first word that says where.
    for (std::size_t p = v + 2; p < r.size(); ++p) {
        if (const auto place = placeAt(r, p)) {
            const auto text = insertedText(r, v + 1, p);
            if (!text) {
                return std::nullopt;
            }
            finish(v, place->end, make(*text, place->position), 0.9,
                   "Add \"" + *text + "\" " + positionWords(place->position));
            return r;
        }
        // after (the) W character(s)
        std::size_t at = p + 1;
        if (r.is(p, "after") && r.is(at, "the")) {
            ++at;
        }
        if (r.is(p, "after") && at < r.size() && r.plain(at) && r.plain(at + 1) &&
            startsWith(r.low(at + 1), "character")) {
            const auto text = insertedText(r, v + 1, p);
            if (!text) {
                return std::nullopt;
            }
            RenameRule rule = make(*text, InsertPosition::atIndex);
            rule.insertIndex = ordinalToInt(r.low(at));
            const std::string description =
                "Insert \"" + *text + "\" at position " + std::to_string(rule.insertIndex);
            finish(v, at + 2, std::move(rule), 0.85, description);
            return r;
        }
        // at position N
        if (r.is(p, "at") && r.isAny(p + 1, {"position", "index"}) && p + 2 < r.size()) {
            const auto index = decimal(r.low(p + 2), false);
            const auto text = insertedText(r, v + 1, p);
            if (!index || !text) {
                return std::nullopt;
            }
            RenameRule rule = make(*text, InsertPosition::atIndex);
            rule.insertIndex = *index;
            finish(v, p + 3, std::move(rule), 0.85,
                   "Insert \"" + *text + "\" at position " + std::to_string(*index));
            return r;
        }
        // before / after some text
        if (r.isAny(p, {"before", "after"}) && p + 1 < r.size()) {
            std::size_t anchorFrom = p + 1;
            if (r.isAny(anchorFrom, {"the"}) && r.isAny(anchorFrom + 1, {"word", "text"})) {
                anchorFrom += 2;
            } else if (r.isAny(anchorFrom, {"word", "text"}) && anchorFrom + 1 < r.size()) {
                ++anchorFrom;
            }
            std::string anchor;
            std::size_t anchorEnd = anchorFrom + 1;
            if (anchorFrom >= r.size()) {
                continue;
            }
            if (r.tokens[anchorFrom].quoted) {
                anchor = r.tokens[anchorFrom].low;
            } else if (const auto named = characterNameAt(r, anchorFrom);
                       named && named->characters.size() == 1) {
                anchor = named->characters[0];
                anchorEnd = named->end;
            } else if (r.plain(anchorFrom) && !r.isAny(anchorFrom, {",", ";", "the", "a"})) {
                anchor = r.low(anchorFrom);
            }
            if (anchor.empty()) {
                continue;
            }
            const auto text = insertedText(r, v + 1, p);
            if (!text) {
                return std::nullopt;  // more words before the anchor would not mend it
            }
            const bool before = r.is(p, "before");
            RenameRule rule =
                make(*text, before ? InsertPosition::beforeText : InsertPosition::afterText);
            rule.insertAnchorText = anchor;
            finish(
                v, anchorEnd, std::move(rule), 0.85,
                "Insert \"" + *text + "\"" + (before ? " before \"" : " after \"") + anchor + "\"");
            return r;
        }
    }
    return std::nullopt;
}

// --- Remove -----------------------------------------------------------------------------

bool isCharactersWord(const Reading& r, std::size_t i) {
    return r.isAny(i, {"character", "characters", "letter", "letters"});
}

std::optional<Reading> readRemove(const Tokens& tokens) {
    Reading r(tokens);
    const std::size_t v =
        r.find({"remove", "delete", "strip", "drop", "erase", "cut", "trim", "chop"});
    if (v == r.size()) {
        return std::nullopt;
    }
    const std::string& verb = r.low(v);
    const bool isDelete = verb == "delete";
    const auto add = [&r](RenameRule rule, double confidence, std::string description) {
        r.rules.push_back(suggestion(std::move(rule), confidence, std::move(description)));
    };
    // Some text: one quoted text, or the rest of the phrase.
    const auto removeText = [&r, v, isDelete, &add]() -> std::optional<Reading> {
        std::size_t from = v + 1;
        if (r.isAny(from, {"the"}) && r.isAny(from + 1, {"word", "text", "string"})) {
            from += 2;
        } else if (r.isAny(from, {"word", "text", "string"}) && from + 1 < r.size()) {
            ++from;
        }
        std::size_t to = from;
        while (to < r.size() && !r.isAny(to, {",", ";"})) {
            ++to;
        }
        // "… from the names", "… from every file": a "from" followed by filler words only
        std::size_t tail = to;
        while (tail > from + 1 && isFiller(r.tokens[tail - 1])) {
            --tail;
        }
        for (std::size_t f = tail; f < to; ++f) {
            if (r.is(f, "from")) {
                to = f;
                break;
            }
        }
        if (from >= to) {
            return std::nullopt;
        }
        std::string removed;
        std::size_t used = to;
        if (r.tokens[from].quoted) {
            removed = trimSpacesAndTabs(r.tokens[from].low);
            used = from + 1;
        } else {
            for (std::size_t k = from; k < to; ++k) {
                if (r.tokens[k].quoted || r.is(k, "between")) {
                    return std::nullopt;
                }
            }
            removed = trimSpacesAndTabs(textOf(r, from, to, false));
            if (!isDelete && (startsWith(removed, "first") || startsWith(removed, "last"))) {
                return std::nullopt;
            }
        }
        if (removed.empty()) {
            return std::nullopt;
        }
        r.use(v, used);
        RenameRule rule(RuleType::remove);
        rule.removeTarget = RemoveTarget::text;
        rule.removeText = removed;
        add(std::move(rule), 0.8, (isDelete ? "Delete \"" : "Remove \"") + removed + "\"");
        return r;
    };

    std::size_t at = v + 1;
    if (r.is(at, "the")) {
        ++at;
    }

    // the first / last N characters
    if (r.isAny(at, {"first", "last"})) {
        const bool first = r.is(at, "first");
        std::size_t next = at + 1;
        std::int64_t count = 1;
        bool counted = false;
        if (next < r.size() && r.plain(next) && !r.tokens[next].low.empty() &&
            r.low(next).front() >= '0' && r.low(next).front() <= '9') {
            const auto n = decimal(r.low(next), false);
            if (!n) {
                return std::nullopt;  // a count that does not fit, or not only digits
            }
            count = *n;
            counted = true;
            ++next;
        }
        if (isCharactersWord(r, next)) {
            ++next;
        } else if (!counted || (next < r.size() && !isFiller(r.tokens[next]))) {
            // "remove first", "remove first 3 chars": not a count phrase this reads, and not
            // text to remove either; "delete last" is text.
            return isDelete && !counted ? removeText() : std::nullopt;
        }
        r.use(v, next);
        RenameRule rule(RuleType::remove);
        rule.removeTarget = first ? RemoveTarget::firstN : RemoveTarget::lastN;
        rule.removeCount = count;
        add(std::move(rule), 0.95,
            (first ? "Remove first " : "Remove last ") + std::to_string(count) + " characters");
        return r;
    }
    if (oneOf(verb, {"trim", "chop", "cut"})) {
        return std::nullopt;  // those verbs remove only counted characters here
    }

    // characters 2 to 5 (counted from 1, both included); from position 2 to 5 (positions)
    {
        std::size_t p = at;
        bool positions = false;
        if (isCharactersWord(r, p) || r.is(p, "chars")) {
            ++p;
        }
        if (r.is(p, "from")) {
            ++p;
        }
        if (r.isAny(p, {"position", "positions", "index"})) {
            positions = true;
            ++p;
        }
        if (p > at && p + 2 < r.size() && r.isAny(p + 1, {"to", "through", "until", "-"})) {
            std::size_t q = p + 2;
            if (r.isAny(q, {"position", "index"})) {
                ++q;
            }
            const auto from = decimal(r.low(p), false);
            const auto to = q < r.size() ? decimal(r.low(q), false) : std::nullopt;
            if (from && to && *to >= *from && (positions || *from >= 1)) {
                r.use(v, q + 1);
                RenameRule rule(RuleType::remove);
                rule.removeTarget = RemoveTarget::fromTo;
                rule.removeFromIndex = positions ? *from : *from - 1;
                rule.removeToIndex = *to;
                add(std::move(rule), 0.9,
                    (positions ? "Remove from position " : "Remove characters ") +
                        std::to_string(*from) + " to " + std::to_string(*to));
                return r;
            }
        }
    }

    // the text between X and Y; the text in brackets
    {
        const std::size_t between = r.find({"between"}, at);
        if (between < r.size()) {
            std::size_t m = between + 1;
            const auto marker = [&r](std::size_t i) -> std::optional<Side> {
                if (i >= r.size()) {
                    return std::nullopt;
                }
                if (r.tokens[i].quoted) {
                    return Side{{r.tokens[i].low}, i + 1};
                }
                if (const auto named = characterNameAt(r, i)) {
                    return Side{named->characters, named->end};
                }
                if (r.isAny(i, {"and", ",", ";", "the"})) {
                    return std::nullopt;
                }
                return Side{{r.low(i)}, i + 1};
            };
            const auto open = marker(m);
            std::optional<Side> close;
            std::string start;
            std::string end;
            std::size_t stop = 0;
            if (open && open->texts.size() == 2) {  // "between brackets"
                start = open->texts[0];
                end = open->texts[1];
                stop = open->end;
            } else if (open && open->texts.size() == 1 && r.is(open->end, "and") &&
                       (close = marker(open->end + 1)) && close->texts.size() == 1) {
                start = open->texts[0];
                end = close->texts[0];
                stop = close->end;
            } else {
                return std::nullopt;
            }
            r.use(v, stop);
            RenameRule rule(RuleType::remove);
            rule.removeTarget = RemoveTarget::betweenText;
            rule.removeBetweenStart = start;
            rule.removeBetweenEnd = end;
            add(std::move(rule), 0.9, "Remove text between \"" + start + "\" and \"" + end + "\"");
            return r;
        }
        std::size_t in = at;
        if (r.isAny(in, {"text", "everything", "anything", "words"})) {
            ++in;
        }
        if (in > at && r.is(in, "in")) {
            if (const auto named = characterNameAt(r, in + 1);
                named && named->characters.size() == 2) {
                r.use(v, named->end);
                RenameRule rule(RuleType::remove);
                rule.removeTarget = RemoveTarget::betweenText;
                rule.removeBetweenStart = named->characters[0];
                rule.removeBetweenEnd = named->characters[1];
                add(std::move(rule), 0.9,
                    "Remove text between \"" + rule.removeBetweenStart + "\" and \"" +
                        rule.removeBetweenEnd + "\"");
                return r;
            }
        }
    }

    std::size_t what = at;
    while (r.isAny(what, {"all", "every", "any", "the"})) {
        ++what;
    }
    // digits and numbers: a numbering phrase this is not
    if (r.isAny(what, {"digits", "digit", "numbers", "numerals", "number"})) {
        r.use(v, what + 1);
        RenameRule rule(RuleType::regex);
        rule.findText = "\\d";
        add(std::move(rule), 0.9, "Remove every digit");
        return r;
    }
    // the extension
    if (r.isAny(what, {"extension", "extensions", "ext"}) ||
        (r.is(what, "file") && r.isAny(what + 1, {"extension", "extensions"}))) {
        r.use(v, what + (r.is(what, "file") ? 2 : 1));
        add(RenameRule(RuleType::extensionChange), 0.9, "Remove the extension");
        return r;
    }
    // special characters
    if ((r.is(what, "special") && r.isAny(what + 1, {"characters", "chars", "symbols"})) ||
        r.is(what, "symbols")) {
        r.use(v, what + (r.is(what, "special") ? 2 : 1));
        RenameRule rule(RuleType::cleanup);
        rule.removeSpecialChars = true;
        add(std::move(rule), 0.8, "Cleanup filenames and remove special characters");
        return r;
    }
    // accents: names in ASCII
    if (r.isAny(what, {"accents", "accent", "diacritics"})) {
        r.use(v, what + 1);
        RenameRule rule(RuleType::cleanup);
        rule.transliterateToASCII = true;
        add(std::move(rule), 0.8, "Cleanup filenames and make them ASCII");
        return r;
    }
    // double spaces
    if (r.isAny(what, {"double", "duplicate", "extra", "multiple", "repeated"}) &&
        r.isAny(what + 1, {"spaces", "blanks", "whitespace"})) {
        r.use(v, what + 2);
        add(RenameRule(RuleType::cleanup), 0.8, "Cleanup filenames");
        return r;
    }
    // leading and trailing white space
    {
        std::size_t w = what;
        bool ends = false;
        while (r.isAny(w, {"leading", "trailing", "and", "surrounding", "outer"})) {
            ends = true;
            ++w;
        }
        if (ends && r.isAny(w, {"spaces", "space", "blanks", "whitespace"})) {
            r.use(v, w + 1);
            add(RenameRule(RuleType::trim), 0.9, "Trim white space at both ends");
            return r;
        }
    }
    // "strip spaces" trims them
    if (verb == "strip" && r.isAny(what, {"spaces", "whitespace", "blanks", "space"})) {
        return std::nullopt;
    }
    // characters by name: "remove spaces", "delete all dashes and dots"
    if (const auto named = characterListAt(r, at)) {
        r.use(v, named->end);
        for (const auto& c : named->characters) {
            RenameRule rule(RuleType::remove);
            rule.removeTarget = RemoveTarget::text;
            rule.removeText = c;
            add(std::move(rule), 0.9, (isDelete ? "Delete \"" : "Remove \"") + c + "\"");
        }
        return r;
    }

    return removeText();
}

// --- Trim -------------------------------------------------------------------------------

std::optional<Reading> readTrim(const Tokens& tokens) {
    Reading r(tokens);
    std::size_t t = r.find({"trim", "trimmed", "strip"});
    if (t == r.size()) {
        return std::nullopt;
    }
    if (r.is(t, "strip") && r.find({"whitespace", "spaces", "blanks"}, t + 1) == r.size()) {
        return std::nullopt;
    }
    r.used[t] = true;
    for (std::size_t i = 0; i < r.size(); ++i) {
        if (r.isAny(i, {"whitespace", "white", "space", "spaces", "blanks", "ends", "both", "end",
                        "sides", "at", "leading", "trailing", "around", "surrounding"})) {
            r.used[i] = true;
        }
    }
    r.rules.push_back(suggestion(RenameRule(RuleType::trim), 0.9, "Trim white space at both ends"));
    return r;
}

// --- Template ---------------------------------------------------------------------------

// "name from template "{exif.date} {exif.model}"", "use the template "{audio.title}"": the
// template must be quoted, since its braces and spaces are no words.
std::optional<Reading> readTemplate(const Tokens& tokens) {
    Reading r(tokens);
    const std::size_t t = r.find({"template"});
    if (t + 1 >= r.size() || !r.tokens[t + 1].quoted || r.tokens[t + 1].raw.empty()) {
        return std::nullopt;
    }
    r.use(t, t + 2);
    for (std::size_t i = 0; i < t; ++i) {
        if (r.isAny(i, {"name", "names", "rename", "from", "by", "with", "using", "use", "apply",
                        "a", "the"})) {
            r.used[i] = true;
        }
    }
    RenameRule rule(RuleType::nameTemplate);
    rule.templateText = r.tokens[t + 1].raw;
    r.rules.push_back(
        suggestion(std::move(rule), 0.9, "Name from template \"" + r.tokens[t + 1].raw + "\""));
    return r;
}

// --- Case -------------------------------------------------------------------------------

std::optional<Reading> readCase(const Tokens& tokens) {
    Reading r(tokens);
    struct Keyword {
        std::array<std::string_view, 2> words;
        CaseConversionType type;
    };
    static constexpr std::array<Keyword, 30> keywords{{
        {{"title", "case"}, CaseConversionType::titleCase},
        {{"uppercase", ""}, CaseConversionType::uppercase},
        {{"upper", "case"}, CaseConversionType::uppercase},
        {{"all", "caps"}, CaseConversionType::uppercase},
        {{"lowercase", ""}, CaseConversionType::lowercase},
        {{"lower", "case"}, CaseConversionType::lowercase},
        {{"sentence", "case"}, CaseConversionType::sentenceCase},
        {{"camel", "case"}, CaseConversionType::camelCase},
        {{"camelcase", ""}, CaseConversionType::camelCase},
        {{"snake", "case"}, CaseConversionType::snakeCase},
        {{"snake_case", ""}, CaseConversionType::snakeCase},
        {{"titlecase", ""}, CaseConversionType::titleCase},
        {{"title-case", ""}, CaseConversionType::titleCase},
        {{"capitalize", ""}, CaseConversionType::titleCase},
        {{"capitalise", ""}, CaseConversionType::titleCase},
        {{"upper-case", ""}, CaseConversionType::uppercase},
        {{"caps", ""}, CaseConversionType::uppercase},
        {{"capitals", ""}, CaseConversionType::uppercase},
        {{"upper", ""}, CaseConversionType::uppercase},
        {{"lower-case", ""}, CaseConversionType::lowercase},
        {{"lower", ""}, CaseConversionType::lowercase},
        {{"sentence-case", ""}, CaseConversionType::sentenceCase},
        {{"sentence", ""}, CaseConversionType::sentenceCase},
        {{"camel-case", ""}, CaseConversionType::camelCase},
        {{"camelcase", ""}, CaseConversionType::camelCase},
        {{"camel", ""}, CaseConversionType::camelCase},
        {{"snake-case", ""}, CaseConversionType::snakeCase},
        {{"snakecase", ""}, CaseConversionType::snakeCase},
        {{"snake", ""}, CaseConversionType::snakeCase},
        {{"title", ""}, CaseConversionType::titleCase},
    }};
    for (const auto& keyword : keywords) {
        const bool two = !keyword.words[1].empty();
        for (std::size_t i = 0; i < r.size(); ++i) {
            if (!r.is(i, keyword.words[0]) || (two && !r.is(i + 1, keyword.words[1]))) {
                continue;
            }
            r.use(i, i + (two ? 2 : 1));
            for (std::size_t k = 0; k < r.size(); ++k) {
                if (r.isAny(k, {"make", "convert", "change", "turn", "set", "case", "letters",
                                "rename", "use", "in", "each", "word", "words", "please"})) {
                    r.used[k] = true;
                }
            }
            RenameRule rule(RuleType::caseConversion);
            rule.caseType = keyword.type;
            r.rules.push_back(suggestion(std::move(rule), 0.9,
                                         "Convert to " + std::string(rawValue(keyword.type))));
            return r;
        }
    }
    return std::nullopt;
}

// --- Numbering --------------------------------------------------------------------------

// A number at `i`, read as ASCII digits ("007" is 7).
std::optional<std::int64_t> numberAt(const Reading& r, std::size_t i) {
    return r.plain(i) ? decimal(r.low(i), false) : std::nullopt;
}

std::optional<Reading> readNumbering(const Tokens& tokens) {
    Reading r(tokens);
    std::size_t trigger = r.size();
    for (std::size_t i = 0; i < r.size(); ++i) {
        if (isNumberingWord(r, i)) {
            trigger = i;
            break;
        }
    }
    if (trigger == r.size()) {
        return std::nullopt;
    }
    RenameRule rule(RuleType::numbering);
    bool stepSet = false;
    bool paddingSet = false;
    bool separatorSet = false;
    bool positionSet = false;
    for (std::size_t i = 0; i < r.size(); ++i) {
        if (isNumberingWord(r, i) || r.isAny(i, {"add", "put", "insert", "use", "give", "apply",
                                                 "sequence", "sequential"})) {
            r.used[i] = true;
            continue;
        }
        // starting at 10, start from 5, beginning with 3, from 7
        if (r.isAny(i, {"starting", "start", "starts", "beginning", "begin", "from"})) {
            std::size_t n = i + 1;
            if (r.isAny(n, {"at", "from", "with"})) {
                ++n;
            }
            if (const auto start = numberAt(r, n)) {
                rule.numberingStart = *start;
                r.use(i, n + 1);
                i = n;
                continue;
            }
        }
        // by 5, in steps of 5, step 5, incrementing by 5
        if (r.isAny(i, {"by", "step", "steps", "increment", "incrementing", "increments",
                        "stepping"})) {
            std::size_t n = i + 1;
            if (r.isAny(n, {"of", "by"})) {
                ++n;
            }
            if (const auto step = numberAt(r, n)) {
                rule.numberingStep = *step;
                stepSet = true;
                r.use(i > 0 && r.is(i - 1, "in") ? i - 1 : i, n + 1);
                i = n;
                continue;
            }
        }
        // 3 digits, padded to 4, 4-digit
        if (const auto digits = numberAt(r, i); digits && r.isAny(i + 1, {"digits", "digit"})) {
            rule.numberingPadding = *digits;
            paddingSet = true;
            r.use(i, i + 2);
            ++i;
            continue;
        }
        if (r.plain(i) && (r.low(i).size() > 6) &&
            (r.low(i).ends_with("-digit") || r.low(i).ends_with("-digits"))) {
            const std::string& word = r.low(i);
            if (const auto digits = decimal(word.substr(0, word.find('-')), false)) {
                rule.numberingPadding = *digits;
                paddingSet = true;
                r.used[i] = true;
                continue;
            }
        }
        if (r.isAny(i, {"padded", "padding", "pad", "zero-padded"})) {
            std::size_t n = i + 1;
            if (r.isAny(n, {"to", "of"})) {
                ++n;
            }
            if (const auto digits = numberAt(r, n)) {
                rule.numberingPadding = *digits;
                paddingSet = true;
                const std::size_t last = r.isAny(n + 1, {"digits", "digit"}) ? n + 1 : n;
                r.use(i, last + 1);
                i = last;
                continue;
            }
        }
        if ((r.isAny(i, {"no", "without"}) && r.isAny(i + 1, {"padding", "zeros", "zeroes"})) ||
            r.is(i, "unpadded")) {
            rule.numberingPadding = 0;
            paddingSet = true;
            r.use(i, r.is(i, "unpadded") ? i + 1 : i + 2);
            continue;
        }
        // separated by a dash, with separator "-", no separator
        if (r.isAny(i, {"separated", "joined"}) && r.isAny(i + 1, {"by", "with"})) {
            if (const auto side = sideAt(r, i + 2, false); side && side->texts.size() == 1) {
                rule.numberingSeparator = side->texts[0];
                separatorSet = true;
                r.use(i, side->end);
                i = side->end - 1;
                continue;
            }
        }
        if (r.is(i, "separator")) {
            if (const auto side = sideAt(r, i + 1, false); side && side->texts.size() == 1) {
                rule.numberingSeparator = side->texts[0];
                separatorSet = true;
                r.use(i > 0 && r.is(i - 1, "with") ? i - 1 : i, side->end);
                i = side->end - 1;
                continue;
            }
        }
        if (r.isAny(i, {"no", "without"}) && r.is(i + 1, "separator")) {
            rule.numberingSeparator = "";
            separatorSet = true;
            r.use(i, i + 2);
            continue;
        }
        // instead of the name, replacing the name, as the name
        if ((r.is(i, "instead") && r.is(i + 1, "of")) ||
            (r.isAny(i, {"replace", "replacing", "replaces"}) &&
             r.find({"name", "names", "filename", "filenames"}, i + 1) < r.size()) ||
            (r.is(i, "as") && r.is(i + 1, "the") && r.isAny(i + 2, {"name", "filename"}))) {
            rule.numberingPosition = NumberingPosition::replace;
            positionSet = true;
            r.use(i, i + 2);
            continue;
        }
        if (const auto place = placeAt(r, i)) {
            rule.numberingPosition = place->position == InsertPosition::beginning
                                         ? NumberingPosition::prefix
                                         : NumberingPosition::suffix;
            positionSet = true;
            r.use(i, place->end);
            i = place->end - 1;
            continue;
        }
        if (r.is(i, "prefix") || r.is(i, "prefixed")) {
            rule.numberingPosition = NumberingPosition::prefix;
            positionSet = true;
            r.used[i] = true;
        }
    }
    std::string description =
        "Add sequential numbering from " + std::to_string(rule.numberingStart);
    if (positionSet && rule.numberingPosition == NumberingPosition::prefix) {
        description += " as prefix";
    } else if (positionSet && rule.numberingPosition == NumberingPosition::replace) {
        description += " in place of the name";
    }
    if (stepSet) {
        description += ", step " + std::to_string(rule.numberingStep);
    }
    if (paddingSet) {
        description += rule.numberingPadding > 0
                           ? ", " + std::to_string(rule.numberingPadding) + " digits"
                           : ", no padding";
    }
    if (separatorSet) {
        description += ", separator \"" + rule.numberingSeparator + "\"";
    }
    r.rules.push_back(suggestion(std::move(rule), 0.85, std::move(description)));
    return r;
}

// --- Cleanup ----------------------------------------------------------------------------

// "ascii", "transliterate", "accents" and the like ask for names in ASCII.
bool asksForAscii(const Reading& r, std::size_t i) {
    return r.plain(i) && (r.low(i) == "ascii" || startsWith(r.low(i), "translit") ||
                          r.isAny(i, {"accents", "accent", "diacritics", "unaccent"}));
}

// "safe for windows", "windows-safe", "safe for usb sticks" and the like ask for names such
// drives accept.
bool asksForWindows(const Reading& r, std::size_t i) {
    return r.plain(i) && (startsWith(r.low(i), "windows") || r.isAny(i, {"fat", "exfat", "ntfs"}) ||
                          (r.is(i, "safe") && r.isAny(i + 2, {"usb", "smb", "shares"})));
}

std::optional<Reading> readCleanup(const Tokens& tokens) {
    Reading r(tokens);
    RenameRule rule(RuleType::cleanup);
    bool found = false;
    for (std::size_t i = 0; i < r.size(); ++i) {
        if (r.plain(i) && (startsWith(r.low(i), "clean") || startsWith(r.low(i), "saniti") ||
                           startsWith(r.low(i), "tidy"))) {
            r.used[i] = true;
            found = true;
        } else if (r.is(i, "fix") && r.isAny(i + 1, {"spaces", "spacing"})) {
            r.use(i, i + 2);
            found = true;
        } else if (asksForAscii(r, i)) {
            rule.transliterateToASCII = true;
            r.used[i] = true;
            found = true;
        } else if (asksForWindows(r, i)) {
            rule.makeWindowsSafe = true;
            r.used[i] = true;
            found = true;
        }
    }
    if (!found) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < r.size(); ++i) {
        if (r.plain(i) && r.low(i).find("special") != std::string::npos) {
            rule.removeSpecialChars = true;
            r.used[i] = true;
        } else if (r.isAny(i, {"up", "characters", "chars", "symbols", "remove"})) {
            r.used[i] = true;
        } else if ((rule.transliterateToASCII || rule.makeWindowsSafe) &&
                   r.isAny(i, {"make", "made", "only", "strip", "drop", "without", "no", "safe",
                               "usb", "stick", "sticks", "drive", "drives", "smb", "share",
                               "shares", "network", "letters"})) {
            r.used[i] = true;
        }
    }
    std::vector<std::string> parts;
    if (rule.removeSpecialChars) {
        parts.emplace_back("remove special characters");
    }
    if (rule.transliterateToASCII) {
        parts.emplace_back("make them ASCII");
    }
    if (rule.makeWindowsSafe) {
        parts.emplace_back("make them safe for Windows");
    }
    std::string description = "Cleanup filenames";
    for (std::size_t i = 0; i < parts.size(); ++i) {
        description += (i == 0 ? " and " : i + 1 == parts.size() ? " and " : ", ") + parts[i];
    }
    r.rules.push_back(suggestion(std::move(rule), 0.8, description));
    return r;
}

// --- Date -------------------------------------------------------------------------------

// A date pattern typed by the user: letters of year, month, day, hour, minute and second
// with "-", "_" or "." between them. All in lower case, "mm" means the month unless it
// follows the hour.
std::optional<std::string> datePattern(const Token& token) {
    const std::string& text = token.raw;
    if (text.empty() || text.size() > 32) {
        return std::nullopt;
    }
    bool hasDay = false;
    bool hasUpper = false;
    for (char c : text) {
        const char lower = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
        if (!oneOf(std::string_view(&lower, 1), {"y", "m", "d", "h", "s", "-", "_", "."})) {
            return std::nullopt;
        }
        hasDay = hasDay || lower == 'y' || lower == 'd';
        hasUpper = hasUpper || (c >= 'A' && c <= 'Z');
    }
    if (!hasDay || text.size() < 4) {
        return std::nullopt;
    }
    if (hasUpper) {
        return text;  // typed with the pattern letters' own cases
    }
    std::string pattern = text;
    bool afterHour = false;
    for (char& c : pattern) {
        if (c == 'h') {
            c = 'H';
            afterHour = true;
        } else if (c == 'm' && !afterHour) {
            c = 'M';
        } else if (c == 'y' || c == 'd') {
            afterHour = false;
        }
    }
    return pattern;
}

std::optional<Reading> readDate(const Tokens& tokens) {
    Reading r(tokens);
    if (!namesDate(r, 0, r.size())) {
        return std::nullopt;
    }
    RenameRule rule(RuleType::dateStamp);
    bool patternSet = false;
    for (std::size_t i = 0; i < r.size(); ++i) {
        if (namesDate(r, i, i + 1) ||
            r.isAny(i, {"add", "put", "insert", "append", "prepend", "stamp", "current", "today",
                        "use", "format", "pattern", "like", "as"})) {
            r.used[i] = true;
            continue;
        }
        if (const auto place = placeAt(r, i)) {
            rule.datePosition = place->position;
            r.use(i, place->end);
            i = place->end - 1;
            continue;
        }
        if (r.isAny(i, {"prefix", "prefixed", "beginning", "start", "front"})) {
            rule.datePosition = InsertPosition::beginning;
            r.used[i] = true;
            continue;
        }
        if (r.isAny(i, {"suffix", "end"})) {
            rule.datePosition = InsertPosition::end;
            r.used[i] = true;
            continue;
        }
        if (r.tokens[i].quoted && i > 0 && r.isAny(i - 1, {"format", "pattern", "as", "like"})) {
            rule.dateFormat = r.tokens[i].raw;
            patternSet = true;
            r.used[i] = true;
            continue;
        }
        if (const auto pattern = r.tokens[i].quoted ? std::nullopt : datePattern(r.tokens[i])) {
            rule.dateFormat = *pattern;
            patternSet = true;
            r.used[i] = true;
            continue;
        }
        if (r.is(i, "iso")) {
            rule.dateFormat = "yyyy-MM-dd";
            r.used[i] = true;
        }
    }
    std::string description = "Add today's date";
    if (patternSet && !rule.dateFormat.empty()) {
        description += " as \"" + rule.dateFormat + "\"";
    }
    if (rule.datePosition == InsertPosition::beginning) {
        description += " at beginning";
    }
    r.rules.push_back(suggestion(std::move(rule), 0.8, std::move(description)));
    return r;
}

// --- Front end --------------------------------------------------------------------------

struct ClauseReading {
    std::vector<ParsedRule> rules;
    bool whole = false;
};

// The best reading of one instruction: the first recogniser that reads it whole, or else
// the first that reads part of it.
std::optional<ClauseReading> readClause(const Tokens& tokens) {
    using Reader = std::optional<Reading> (*)(const Tokens&);
    static constexpr std::array<Reader, 10> readers{
        readReplace, readExtension, readInsert,  readRemove, readTrim,
        readCase,    readNumbering, readCleanup, readDate,   readTemplate,
    };
    std::optional<ClauseReading> partial;
    for (const Reader reader : readers) {
        auto reading = reader(tokens);
        if (!reading || reading->rules.empty()) {
            continue;
        }
        if (reading->whole()) {
            return ClauseReading{std::move(reading->rules), true};
        }
        if (!partial) {
            partial = ClauseReading{std::move(reading->rules), false};
        }
    }
    return partial;
}

bool isSeparator(const Token& token) {
    return !token.quoted && oneOf(token.low, {",", ";", "and"});
}

}  // namespace

std::vector<ParsedRule> parse(const std::string& input) {
    // Ill-formed bytes become U+FFFD here, so every captured text is valid UTF-8.
    bool cut = false;
    const Tokens tokens = tokenise(icu::UnicodeString::fromUTF8(input), cut);

    // Cut at every "," ";" and "and"; each piece starts after its separator.
    std::vector<std::size_t> cuts{0};
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (isSeparator(tokens[i]) && cuts.size() < kMaxPieces) {
            cuts.push_back(i);
        }
    }
    cuts.push_back(tokens.size());
    const std::size_t pieces = cuts.size() - 1;

    // Which pieces belong together: of all ways to join neighbouring pieces back into
    // instructions, the one with the fewest unreadable instructions, then the fewest read in
    // part, then the most instructions. So "lowercase and replace spaces with dashes" is two
    // instructions, "replace spaces and dashes with underscores" one.
    struct Score {
        std::size_t unread = 0;
        std::size_t partial = 0;
        std::size_t count = 0;
        bool better(const Score& other) const {
            if (unread != other.unread) {
                return unread < other.unread;
            }
            if (partial != other.partial) {
                return partial < other.partial;
            }
            return count > other.count;
        }
    };
    std::vector<std::vector<std::optional<ClauseReading>>> groups(pieces + 1);
    for (auto& row : groups) {
        row.resize(pieces + 1);
    }
    std::vector<Score> best(pieces + 1);
    std::vector<std::size_t> from(pieces + 1, 0);
    std::vector<bool> reached(pieces + 1, false);
    reached[0] = true;
    for (std::size_t j = 1; j <= pieces; ++j) {
        for (std::size_t i = 0; i < j; ++i) {
            const Tokens words(tokens.begin() + static_cast<std::ptrdiff_t>(cuts[i]),
                               tokens.begin() + static_cast<std::ptrdiff_t>(cuts[j]));
            bool empty = true;
            for (const auto& token : words) {
                empty = empty && isFiller(token);
            }
            auto reading = readClause(words);
            Score score = best[i];
            if (!reading) {
                score.unread += empty ? 0 : 1;
            } else {
                score.partial += reading->whole ? 0 : 1;
                score.count += 1;
            }
            if (!reached[j] || score.better(best[j])) {
                best[j] = score;
                from[j] = i;
                reached[j] = true;
            }
            groups[i][j] = std::move(reading);
        }
    }

    std::vector<std::pair<std::size_t, std::size_t>> chosen;
    for (std::size_t j = pieces; j > 0; j = from[j]) {
        chosen.emplace_back(from[j], j);
    }
    const bool readWhole = !cut && best[pieces].unread == 0 && best[pieces].partial == 0;
    std::vector<ParsedRule> suggestions;
    for (auto it = chosen.rbegin(); it != chosen.rend(); ++it) {
        auto& reading = groups[it->first][it->second];
        if (!reading) {
            continue;
        }
        for (auto& rule : reading->rules) {
            // A phrase read only in part is less certain than one read whole.
            if (!readWhole) {
                rule.confidence -= kPartialPenalty;
            }
            suggestions.push_back(std::move(rule));
        }
    }
    return suggestions;
}

std::int64_t ordinalToInt(const std::string& word) {
    static constexpr std::array<std::string_view, 10> ordinals{
        "first", "second",  "third",  "fourth", "fifth",
        "sixth", "seventh", "eighth", "ninth",  "tenth",
    };
    for (std::size_t i = 0; i < ordinals.size(); ++i) {
        if (word == ordinals[i]) {
            return static_cast<std::int64_t>(i + 1);
        }
    }
    return decimal(word, true).value_or(1);
}

}  // namespace NaturalLanguageParser
