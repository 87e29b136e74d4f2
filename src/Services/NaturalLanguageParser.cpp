#include "Services/NaturalLanguageParser.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>

#include <unicode/locid.h>
#include <unicode/regex.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

namespace NaturalLanguageParser {

namespace {

// The patterns are fixed, but a long or hostile phrase can still make the lazy groups
// backtrack for a very long time. ICU counts time in steps of its match engine, roughly
// milliseconds each; a pattern that runs out simply does not match.
constexpr int32_t kMatchTimeLimit = 20;
constexpr int32_t kMatchStackLimit = 1 << 20;

using Patterns = std::vector<std::unique_ptr<icu::RegexPattern>>;

// Compiles every source with no flags (case-sensitive, `$` at the end of the text only). A
// source that fails to compile is kept as null so the positions stay those of the list.
Patterns compileAll(std::initializer_list<const char16_t*> sources) {
    Patterns patterns;
    for (const char16_t* source : sources) {
        UErrorCode status = U_ZERO_ERROR;
        UParseError parseError{};
        std::unique_ptr<icu::RegexPattern> pattern(
            icu::RegexPattern::compile(icu::UnicodeString(source), 0, parseError, status));
        patterns.push_back(U_SUCCESS(status) ? std::move(pattern) : nullptr);
    }
    return patterns;
}

// Groups 1 … `groups` of the first match of `pattern` anywhere in `text`, as UTF-8, or none
// when the pattern is missing, nothing matches in time, or a group took no part in the match.
std::optional<std::vector<std::string>> firstMatch(const icu::RegexPattern* pattern,
                                                   const icu::UnicodeString& text, int32_t groups) {
    if (pattern == nullptr) {
        return std::nullopt;
    }
    UErrorCode status = U_ZERO_ERROR;
    // Matchers hold the state of a search, so each call gets its own; the pattern is shared.
    std::unique_ptr<icu::RegexMatcher> matcher(pattern->matcher(text, status));
    if (U_FAILURE(status)) {
        return std::nullopt;
    }
    matcher->setTimeLimit(kMatchTimeLimit, status);
    matcher->setStackLimit(kMatchStackLimit, status);
    if (U_FAILURE(status) || !matcher->find(status) || U_FAILURE(status) ||
        matcher->groupCount() < groups) {
        return std::nullopt;
    }
    std::vector<std::string> captured;
    for (int32_t group = 1; group <= groups; ++group) {
        const int32_t start = matcher->start(group, status);
        const int32_t end = matcher->end(group, status);
        if (U_FAILURE(status) || start < 0 || end < start) {
            return std::nullopt;
        }
        std::string utf8;
        text.tempSubStringBetween(start, end).toUTF8String(utf8);
        captured.push_back(std::move(utf8));
    }
    return captured;
}

bool contains(const std::string& text, std::string_view keyword) {
    return text.find(keyword) != std::string::npos;
}

bool startsWith(const std::string& text, std::string_view prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// A base-10 integer: an optional sign (only when `signed` is allowed), then ASCII digits only,
// within the 64-bit range. Digits of other scripts, which `\d` accepts, do not convert.
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
    std::string trimmed;
    wide.tempSubStringBetween(start, end).toUTF8String(trimmed);
    return trimmed;
}

std::optional<ParsedRule> parseReplace(const icu::UnicodeString& original) {
    static const Patterns patterns = compileAll({
        uR"re(replace\s+"([^"]+)"\s+with\s+"([^"]+)")re",
        uR"re(replace\s+(\S+)\s+with\s+(\S+))re",
        uR"re(change\s+"([^"]+)"\s+to\s+"([^"]+)")re",
        uR"re(change\s+(\S+)\s+to\s+(\S+))re",
        uR"re(rename\s+"([^"]+)"\s+to\s+"([^"]+)")re",
        uR"re(swap\s+"([^"]+)"\s+with\s+"([^"]+)")re",
    });
    for (const auto& pattern : patterns) {
        auto groups = firstMatch(pattern.get(), original, 2);
        if (!groups) {
            continue;
        }
        RenameRule rule(RuleType::replace);
        rule.findText = std::move((*groups)[0]);
        rule.replaceText = std::move((*groups)[1]);
        std::string description =
            "Replace \"" + rule.findText + "\" \u2192 \"" + rule.replaceText + "\"";
        return ParsedRule{std::move(rule), 0.95, std::move(description)};
    }
    return std::nullopt;
}

std::optional<ParsedRule> parseInsert(const icu::UnicodeString& text) {
    static const Patterns patterns = compileAll({
        uR"re(add\s+"?([^"]+?)"?\s+at the end)re",
        uR"re(add\s+"?([^"]+?)"?\s+at the (beginning|start))re",
        uR"re(prefix (?:with\s+)?"?([^"]+?)"?\s*$)re",
        uR"re(append\s+"?([^"]+?)"?\s*$)re",
        uR"re(insert\s+"?([^"]+?)"?\s+after (?:the\s+)?(\w+) character)re",
    });
    struct Form {
        InsertPosition position;
        double confidence;
        const char* lead;
        const char* tail;
    };
    static constexpr std::array<Form, 5> forms{{
        {InsertPosition::end, 0.9, "Add \"", "\" at end"},
        {InsertPosition::beginning, 0.9, "Add \"", "\" at beginning"},
        {InsertPosition::beginning, 0.9, "Prefix with \"", "\""},
        {InsertPosition::end, 0.85, "Append \"", "\""},
        {InsertPosition::atIndex, 0.85, "Insert \"", "\" at position "},
    }};
    for (std::size_t i = 0; i < patterns.size(); ++i) {
        const bool atIndex = forms[i].position == InsertPosition::atIndex;
        const auto groups = firstMatch(patterns[i].get(), text, atIndex ? 2 : 1);
        if (!groups) {
            continue;
        }
        RenameRule rule(RuleType::insert);
        rule.insertText = trimSpacesAndTabs((*groups)[0]);
        rule.insertPosition = forms[i].position;
        std::string description = forms[i].lead + rule.insertText + forms[i].tail;
        if (atIndex) {
            rule.insertIndex = ordinalToInt((*groups)[1]);
            description += std::to_string(rule.insertIndex);
        }
        return ParsedRule{std::move(rule), forms[i].confidence, std::move(description)};
    }
    return std::nullopt;
}

std::optional<ParsedRule> parseRemove(const icu::UnicodeString& text) {
    static const Patterns patterns = compileAll({
        uR"re(remove (?:the\s+)?first (\d+) characters?)re",
        uR"re(remove (?:the\s+)?last (\d+) characters?)re",
        uR"re(remove\s+"?([^"]+?)"?\s*$)re",
        uR"re(delete\s+"?([^"]+?)"?\s*$)re",
    });
    for (std::size_t i = 0; i < 2; ++i) {
        const auto groups = firstMatch(patterns[i].get(), text, 1);
        const auto count = groups ? decimal((*groups)[0], false) : std::nullopt;
        if (!count) {
            continue;
        }
        RenameRule rule(RuleType::remove);
        rule.removeTarget = i == 0 ? RemoveTarget::firstN : RemoveTarget::lastN;
        rule.removeCount = *count;
        std::string description =
            (i == 0 ? "Remove first " : "Remove last ") + std::to_string(*count) + " characters";
        return ParsedRule{std::move(rule), 0.95, std::move(description)};
    }
    for (std::size_t i = 2; i < 4; ++i) {
        const auto groups = firstMatch(patterns[i].get(), text, 1);
        if (!groups) {
            continue;
        }
        std::string removed = trimSpacesAndTabs((*groups)[0]);
        // A count phrase the first two forms could not read is not text to remove.
        if (i == 2 && (startsWith(removed, "first") || startsWith(removed, "last"))) {
            continue;
        }
        RenameRule rule(RuleType::remove);
        rule.removeTarget = RemoveTarget::text;
        rule.removeText = removed;
        std::string description = (i == 2 ? "Remove \"" : "Delete \"") + removed + "\"";
        return ParsedRule{std::move(rule), 0.8, std::move(description)};
    }
    return std::nullopt;
}

std::optional<ParsedRule> parseCase(const std::string& text) {
    static constexpr std::array<std::pair<std::string_view, CaseConversionType>, 11> keywords{{
        {"title case", CaseConversionType::titleCase},
        {"uppercase", CaseConversionType::uppercase},
        {"upper case", CaseConversionType::uppercase},
        {"all caps", CaseConversionType::uppercase},
        {"lowercase", CaseConversionType::lowercase},
        {"lower case", CaseConversionType::lowercase},
        {"sentence case", CaseConversionType::sentenceCase},
        {"camel case", CaseConversionType::camelCase},
        {"camelcase", CaseConversionType::camelCase},
        {"snake case", CaseConversionType::snakeCase},
        {"snake_case", CaseConversionType::snakeCase},
    }};
    for (const auto& [keyword, caseType] : keywords) {
        if (contains(text, keyword)) {
            RenameRule rule(RuleType::caseConversion);
            rule.caseType = caseType;
            std::string description = "Convert to " + std::string(rawValue(caseType));
            return ParsedRule{std::move(rule), 0.9, std::move(description)};
        }
    }
    return std::nullopt;
}

std::optional<ParsedRule> parseNumbering(const std::string& text,
                                         const icu::UnicodeString& wideText) {
    static const Patterns patterns = compileAll({uR"re(numbering starting (?:at\s+)?(\d+))re"});
    RenameRule rule(RuleType::numbering);
    if (const auto groups = firstMatch(patterns[0].get(), wideText, 1)) {
        if (const auto start = decimal((*groups)[0], false)) {
            rule.numberingStart = *start;
        }
    }
    if (!contains(text, "number") && !contains(text, "sequenti")) {
        return std::nullopt;
    }
    if (contains(text, "prefix")) {
        rule.numberingPosition = NumberingPosition::prefix;
    }
    std::string description =
        "Add sequential numbering from " + std::to_string(rule.numberingStart);
    return ParsedRule{std::move(rule), 0.85, std::move(description)};
}

std::optional<ParsedRule> parseCleanup(const std::string& text) {
    if (!contains(text, "clean") && !contains(text, "sanitize") && !contains(text, "fix spaces")) {
        return std::nullopt;
    }
    RenameRule rule(RuleType::cleanup);
    rule.trimWhitespace = true;
    rule.removeDuplicateSpaces = true;
    rule.removeSpecialChars = contains(text, "special");
    return ParsedRule{std::move(rule), 0.8, "Cleanup filenames"};
}

std::optional<ParsedRule> parseDate(const std::string& text) {
    if (!contains(text, "date") && !contains(text, "timestamp") && !contains(text, "today")) {
        return std::nullopt;
    }
    RenameRule rule(RuleType::dateStamp);
    const bool atStart =
        contains(text, "beginning") || contains(text, "start") || contains(text, "prefix");
    rule.datePosition = atStart ? InsertPosition::beginning : InsertPosition::end;
    return ParsedRule{std::move(rule), 0.8, "Add today's date"};
}

// Lower-cased in full (locale-independent) and trimmed of white space and line breaks.
icu::UnicodeString normalise(const icu::UnicodeString& original) {
    icu::UnicodeString lowered(original);
    lowered.toLower(icu::Locale::getRoot());
    int32_t start = 0;
    int32_t end = lowered.length();
    while (start < end && u_isUWhiteSpace(lowered.char32At(start))) {
        start = lowered.moveIndex32(start, 1);
    }
    while (end > start && u_isUWhiteSpace(lowered.char32At(lowered.moveIndex32(end, -1)))) {
        end = lowered.moveIndex32(end, -1);
    }
    return icu::UnicodeString(lowered, start, end - start);
}

}  // namespace

std::vector<ParsedRule> parse(const std::string& input) {
    // Ill-formed bytes become U+FFFD here, so every captured text is valid UTF-8.
    const icu::UnicodeString original = icu::UnicodeString::fromUTF8(input);
    const icu::UnicodeString wideText = normalise(original);
    std::string text;
    wideText.toUTF8String(text);

    // The whole phrase goes to every recogniser, in this order; each adds at most one entry.
    std::vector<ParsedRule> suggestions;
    const auto add = [&suggestions](std::optional<ParsedRule> suggestion) {
        if (suggestion) {
            suggestions.push_back(std::move(*suggestion));
        }
    };
    add(parseReplace(original));
    add(parseInsert(wideText));
    add(parseRemove(wideText));
    add(parseCase(text));
    add(parseNumbering(text, wideText));
    add(parseCleanup(text));
    add(parseDate(text));
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
