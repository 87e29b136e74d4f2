#include "Services/PreparedRule.h"

namespace {

icu::UnicodeString u16(const std::string& text) {
    return icu::UnicodeString::fromUTF8(text);
}

std::unique_ptr<icu::RegexPattern> compile(const std::string& pattern, bool caseInsensitive) {
    UErrorCode status = U_ZERO_ERROR;
    UParseError parseError{};
    std::unique_ptr<icu::RegexPattern> compiled(icu::RegexPattern::compile(
        u16(pattern), caseInsensitive ? UREGEX_CASE_INSENSITIVE : 0, parseError, status));
    return U_SUCCESS(status) ? std::move(compiled) : nullptr;
}

}  // namespace

PreparedRule::PreparedRule(const RenameRule& source, std::chrono::system_clock::time_point)
    : rule(source) {
    switch (rule.type) {
        case RuleType::replace:
            replaceText = u16(rule.replaceText);
            if (rule.useRegex) {
                pattern = compile(rule.findText, !rule.isCaseSensitive);
            } else {
                findSearch.emplace(u16(rule.findText), rule.isCaseSensitive);
            }
            break;
        case RuleType::regex:
            replaceText = u16(rule.replaceText);
            pattern = compile(rule.findText, false);
            break;
        default:
            break;
    }
}
