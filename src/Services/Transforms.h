#pragma once

#include <unicode/regex.h>
#include <unicode/unistr.h>

#include <cstdint>

#include "Services/PreparedRule.h"

// The per-kind transforms of the rename engine, over UTF-16 text: each takes a prepared rule
// and the current working name (without extension) and returns the new one. They never fail:
// input they cannot use leaves the name unchanged. Stateless apart from the matcher passed in.
namespace Transforms {

// Literal or regular-expression replace. `matcher` is the thread's matcher for the rule's
// pattern (null when the pattern did not compile).
icu::UnicodeString replace(const PreparedRule& rule, const icu::UnicodeString& name,
                           icu::RegexMatcher* matcher);
// Regular-expression replace, always case-sensitive.
icu::UnicodeString regex(const PreparedRule& rule, const icu::UnicodeString& name,
                         icu::RegexMatcher* matcher);
icu::UnicodeString insert(const PreparedRule& rule, const icu::UnicodeString& name);
icu::UnicodeString remove(const PreparedRule& rule, const icu::UnicodeString& name);
icu::UnicodeString changeCase(const PreparedRule& rule, const icu::UnicodeString& name);
icu::UnicodeString numbering(const PreparedRule& rule, const icu::UnicodeString& name,
                             std::int64_t index);
icu::UnicodeString cleanup(const PreparedRule& rule, const icu::UnicodeString& name);
icu::UnicodeString date(const PreparedRule& rule, const icu::UnicodeString& name);

// White space removed at both ends: tab and the space separators (category Zs), not line
// breaks.
icu::UnicodeString trim(const icu::UnicodeString& name);

}  // namespace Transforms
