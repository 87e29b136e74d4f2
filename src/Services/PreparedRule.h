// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <unicode/regex.h>
#include <unicode/unistr.h>

#include <any>
#include <atomic>
#include <chrono>
#include <memory>
#include <optional>

#include "Models/Error.h"
#include "Models/RenameRule.h"
#include "Services/ReplacementTemplate.h"
#include "Services/TextSearch.h"

// One rule made ready to run over many names: its texts in UTF-16, its searches prepared,
// its pattern compiled and its date formatted once. Read-only while names are computed, so
// threads may share it.
struct PreparedRule {
    // Prepares `source` as its kind's description says. Date rules stamp `now`.
    PreparedRule(const RenameRule& source, std::chrono::system_clock::time_point now);

    // Helpers of the kinds' preparations.
    // `text` (UTF-8) in UTF-16.
    static icu::UnicodeString u16(const std::string& text);
    // Compiles the rule's pattern (its findText) and reads its replacement for it; what ICU
    // refuses goes to `rule.invalid`.
    static void compile(PreparedRule& rule, bool caseInsensitive);
    // `pattern` applied to `now` in the user's default locale and time zone; none when no
    // formatter can be made of the pattern.
    static std::optional<icu::UnicodeString> formatDate(const std::string& pattern,
                                                        std::chrono::system_clock::time_point now);

    RenameRule rule;

    // Texts of the rule's own kind, converted once.
    icu::UnicodeString replaceText;
    icu::UnicodeString insertText;
    icu::UnicodeString anchorText;
    icu::UnicodeString separator;
    // The rule's pattern applied to the run's moment in the user's default locale and time
    // zone; absent when no formatter can be made of the pattern (the name is then kept).
    std::optional<icu::UnicodeString> dateText;

    // Searches of the literal kinds (absent when the kind does not search).
    std::optional<TextSearch> findSearch;    // replace, literal mode
    std::optional<TextSearch> anchorSearch;  // insert before/after text
    std::optional<TextSearch> removeSearch;  // remove specific text
    std::optional<TextSearch> startSearch;   // remove between: start marker
    std::optional<TextSearch> endSearch;     // remove between: end marker

    // The compiled pattern of replace (regular-expression mode) and regex rules, and their
    // replacement read for it; null when the pattern does not compile.
    std::unique_ptr<icu::RegexPattern> pattern;
    std::optional<ReplacementTemplate> replacement;

    // Why the rule cannot run: its pattern does not compile (every name it sees keeps its
    // name with this problem) or its replacement is invalid for the pattern (so are the
    // names the pattern matches). None for a rule that can run.
    std::optional<Error> invalid;

    // Set once a match of `pattern` ran out of time or memory: the pattern is not tried again
    // in this run, so one pathological pattern cannot make a preview of many names take
    // minutes. The names it is not tried on say so.
    mutable std::atomic<bool> patternGaveUp{false};

    // What a kind prepares beyond the members above, in a type of its own choosing.
    std::any kindState;

    // Why `rule` cannot run (as `invalid` above), or none; a disabled rule never fails.
    static std::optional<Error> check(const RenameRule& rule);
};
