#include "Services/PreparedRule.h"

#include <unicode/smpdtfmt.h>

#include "Services/RuleKinds.h"

icu::UnicodeString PreparedRule::u16(const std::string& text) {
    return icu::UnicodeString::fromUTF8(text);
}

std::unique_ptr<icu::RegexPattern> PreparedRule::compile(const std::string& pattern,
                                                         bool caseInsensitive) {
    UErrorCode status = U_ZERO_ERROR;
    UParseError parseError{};
    std::unique_ptr<icu::RegexPattern> compiled(icu::RegexPattern::compile(
        u16(pattern), caseInsensitive ? UREGEX_CASE_INSENSITIVE : 0, parseError, status));
    return U_SUCCESS(status) ? std::move(compiled) : nullptr;
}

std::optional<icu::UnicodeString> PreparedRule::formatDate(
    const std::string& pattern, std::chrono::system_clock::time_point now) {
    // The default locale and time zone are the user's (from the environment) unless the
    // program set others.
    UErrorCode status = U_ZERO_ERROR;
    icu::SimpleDateFormat formatter(u16(pattern), icu::Locale::getDefault(), status);
    if (U_FAILURE(status)) {
        return std::nullopt;
    }
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
    icu::UnicodeString text;
    formatter.format(static_cast<UDate>(millis), text);
    return text;
}

PreparedRule::PreparedRule(const RenameRule& source, std::chrono::system_clock::time_point now)
    : rule(source) {
    if (const auto prepare = RuleKinds::info(rule.type).prepare) {
        prepare(*this, now);
    }
}
