// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <unicode/regex.h>
#include <unicode/unistr.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "Models/Error.h"

// The replacement text of a regular-expression rule, read once for its pattern: "$n" and
// "${name}" stand for capture groups ("$0" the whole match; digits are read while they still
// name a group, so "$12" with one group is group 1 and "2"), "\uhhhh" and "\Uhhhhhhhh" for a
// code point, and a backslash makes the next character literal. A backslash at the very end
// stands for itself. A "$" that names no group of the pattern makes the template invalid.
class ReplacementTemplate {
  public:
    // Reads `text` for `pattern`.
    ReplacementTemplate(const icu::UnicodeString& text, const icu::RegexPattern& pattern);

    // Why the template cannot be used with its pattern (ICU's error name and where), or none.
    const std::optional<Error>& error() const { return error_; }

    // Appends the replacement of `matcher`'s current match in `input` (the text it was reset
    // to) to `out`. Only valid without error().
    void appendTo(icu::UnicodeString& out, const icu::RegexMatcher& matcher,
                  const icu::UnicodeString& input) const;

  private:
    struct Piece {
        icu::UnicodeString literal;  // used when group < 0
        int32_t group = -1;
    };
    std::vector<Piece> pieces_;
    std::optional<Error> error_;
};
