// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Services/PreparedRule.h"

#include <unicode/smpdtfmt.h>

#include <string>

#include "Services/RuleKinds.h"

icu::UnicodeString PreparedRule::u16(const std::string& text) {
    return icu::UnicodeString::fromUTF8(text);
}

void PreparedRule::compile(PreparedRule& rule, bool caseInsensitive) {
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

std::optional<Error> PreparedRule::check(const RenameRule& rule) {
    if (!rule.isEnabled) {
        return std::nullopt;
    }
    // Only the pattern kinds can fail, and they do not read the moment.
    return PreparedRule(rule, std::chrono::system_clock::time_point()).invalid;
}
