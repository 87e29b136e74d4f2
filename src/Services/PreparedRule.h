#pragma once

#include <unicode/regex.h>
#include <unicode/unistr.h>

#include <any>
#include <atomic>
#include <chrono>
#include <memory>
#include <optional>

#include "Models/RenameRule.h"
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
    // The compiled pattern, or null when it does not compile.
    static std::unique_ptr<icu::RegexPattern> compile(const std::string& pattern,
                                                      bool caseInsensitive);
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

    // The compiled pattern of replace (regular-expression mode) and regex rules; null when it
    // does not compile, and the name is then left as it is.
    std::unique_ptr<icu::RegexPattern> pattern;

    // Set once a match of `pattern` ran out of time: the pattern is then treated as one that
    // does not compile for the rest of the run, so one pathological pattern cannot make a
    // preview of many names take minutes.
    mutable std::atomic<bool> patternGaveUp{false};

    // What a kind prepares beyond the members above, in a type of its own choosing.
    std::any kindState;
};
