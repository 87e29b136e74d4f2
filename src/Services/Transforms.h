// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <unicode/brkiter.h>
#include <unicode/regex.h>
#include <unicode/unistr.h>

#include <cstdint>
#include <optional>

#include "Services/PreparedRule.h"

// The per-kind transforms of the rename engine, over UTF-16 text: each takes a prepared rule
// and the current working name (without extension) and returns the new one. Input they cannot
// use leaves the name unchanged; only the pattern kinds report it. Stateless apart from the
// matcher passed in.
namespace Transforms {

// Literal or regular-expression replace. `matcher` is the thread's matcher for the rule's
// pattern (null when the pattern did not compile). When the rule cannot run on `name` (its
// pattern or replacement is invalid, or the match gave up) the name comes back unchanged and
// `problem` says why.
icu::UnicodeString replace(const PreparedRule& rule, const icu::UnicodeString& name,
                           icu::RegexMatcher* matcher, std::optional<Error>& problem);
// Regular-expression replace, always case-sensitive; as replace for `problem`.
icu::UnicodeString regex(const PreparedRule& rule, const icu::UnicodeString& name,
                         icu::RegexMatcher* matcher, std::optional<Error>& problem);
// Inserts the rule's text at its beginning, end, character position, or before or after the
// first caseless occurrence of its anchor (written as the rule spells it).
icu::UnicodeString insert(const PreparedRule& rule, const icu::UnicodeString& name);
// Removes every caseless occurrence of a text, the first or last N characters, a range of
// character positions, or the text between the first occurrences of two markers.
icu::UnicodeString remove(const PreparedRule& rule, const icu::UnicodeString& name);
// Converts the letter case without locale. `words` is the thread's word break iterator for
// title-casing (null: ICU makes one per call).
icu::UnicodeString changeCase(const PreparedRule& rule, const icu::UnicodeString& name,
                              icu::BreakIterator* words);
// Adds start + index * step, zero-padded, as prefix or suffix, or replaces the name by it.
icu::UnicodeString numbering(const PreparedRule& rule, const icu::UnicodeString& name,
                             std::int64_t index);
// Writes the name in ASCII (ICU's Latin transliteration without accents, what is left
// outside ASCII dropped, a slash it writes turned into "-"), trims, collapses spaces, turns
// spaces into underscores, drops special characters and makes the name safe for Windows
// (NameCheck::makeWindowsSafe), in that order, each when its flag is on.
icu::UnicodeString cleanup(const PreparedRule& rule, const icu::UnicodeString& name);
// Puts the rule's prepared date text before the name or, for any other position, after it,
// joined by "_".
icu::UnicodeString date(const PreparedRule& rule, const icu::UnicodeString& name);

// The number start + index * step (clamped to 64 bits) as the numbering rule writes it: at
// least `padding` characters, zero-filled after the sign, never cut.
icu::UnicodeString counterText(std::int64_t start, std::int64_t index, std::int64_t step,
                               std::int64_t padding);

// White space removed at both ends: tab and the space separators (category Zs), not line
// breaks.
icu::UnicodeString trim(const icu::UnicodeString& name);

}  // namespace Transforms
