#include "Services/PreparedRule.h"

#include <unicode/smpdtfmt.h>

#include <string>

namespace {

icu::UnicodeString u16(const std::string& text) {
    return icu::UnicodeString::fromUTF8(text);
}

// Compiles the rule's pattern and reads its replacement for it; what ICU refuses goes to
// `rule.invalid`.
void compile(PreparedRule& rule, bool caseInsensitive) {
    UErrorCode status = U_ZERO_ERROR;
    UParseError where{};
    std::unique_ptr<icu::RegexPattern> compiled(icu::RegexPattern::compile(
        u16(rule.rule.findText), caseInsensitive ? UREGEX_CASE_INSENSITIVE : 0, where, status));
    if (U_FAILURE(status)) {
        std::string detail = std::string("the pattern does not compile (") + u_errorName(status);
        if (where.offset >= 0) {
            detail += " at offset " + std::to_string(where.offset);
        }
        rule.invalid = Error{Error::Code::badPattern, detail + ")"};
        return;
    }
    rule.replacement.emplace(rule.replaceText, *compiled);
    rule.invalid = rule.replacement->error();
    rule.pattern = std::move(compiled);
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
                compile(*this, !rule.isCaseSensitive);
            } else {
                findSearch.emplace(u16(rule.findText), rule.isCaseSensitive);
            }
            break;
        case RuleType::regex:
            replaceText = u16(rule.replaceText);
            // An empty pattern leaves every name as it is, whatever its replacement.
            if (!rule.findText.empty()) {
                compile(*this, false);
            }
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

std::optional<Error> PreparedRule::check(const RenameRule& rule) {
    if (!rule.isEnabled) {
        return std::nullopt;
    }
    // Only the pattern kinds can fail, and they do not read the moment.
    return PreparedRule(rule, std::chrono::system_clock::time_point()).invalid;
}
