#include "Services/PreparedRule.h"

#include <unicode/smpdtfmt.h>

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

std::optional<icu::UnicodeString> formatDate(const std::string& pattern,
                                             std::chrono::system_clock::time_point now) {
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

}  // namespace

PreparedRule::PreparedRule(const RenameRule& source, std::chrono::system_clock::time_point now)
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
        case RuleType::insert:
            insertText = u16(rule.insertText);
            if (rule.insertPosition == InsertPosition::beforeText ||
                rule.insertPosition == InsertPosition::afterText) {
                anchorText = u16(rule.insertAnchorText);
                anchorSearch.emplace(anchorText);
            }
            break;
        case RuleType::remove:
            if (rule.removeTarget == RemoveTarget::text) {
                removeSearch.emplace(u16(rule.removeText));
            } else if (rule.removeTarget == RemoveTarget::betweenText) {
                startSearch.emplace(u16(rule.removeBetweenStart));
                endSearch.emplace(u16(rule.removeBetweenEnd));
            }
            break;
        case RuleType::numbering:
            separator = u16(rule.numberingSeparator);
            break;
        case RuleType::dateStamp:
            dateText = formatDate(rule.dateFormat, now);
            break;
        default:
            break;
    }
}
