// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Views/LeftPanel/PatternCheck.h"

#include <unicode/parseerr.h>
#include <unicode/regex.h>
#include <unicode/unistr.h>
#include <unicode/utypes.h>

#include <memory>

std::optional<QString> patternProblem(const std::string& pattern) {
    UParseError where{};
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::RegexPattern> compiled(
        icu::RegexPattern::compile(icu::UnicodeString::fromUTF8(pattern), 0, where, status));
    if (U_SUCCESS(status)) {
        return std::nullopt;
    }
    QString text = QString::fromLatin1(u_errorName(status));
    if (where.offset >= 0) {
        // ICU counts UTF-16 units, which is also what QString counts.
        text += QStringLiteral(" at offset %1").arg(where.offset);
    }
    return text;
}
