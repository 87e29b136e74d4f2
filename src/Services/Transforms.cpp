#include "Services/Transforms.h"

#include <unicode/uchar.h>

namespace Transforms {

namespace {

// Replaces every match of `matcher`'s pattern in `name` by the rule's template. A match that
// runs out of time or stack leaves the name as it was, like a pattern that does not compile.
icu::UnicodeString replaceMatches(const PreparedRule& rule, const icu::UnicodeString& name,
                                  icu::RegexMatcher* matcher) {
    if (matcher == nullptr || rule.patternGaveUp.load(std::memory_order_relaxed)) {
        return name;
    }
    UErrorCode status = U_ZERO_ERROR;
    matcher->reset(name);  // the matcher keeps a reference: `name` outlives this call's use
    icu::UnicodeString result = matcher->replaceAll(rule.replaceText, status);
    if (status == U_REGEX_TIME_OUT || status == U_REGEX_STACK_OVERFLOW) {
        rule.patternGaveUp.store(true, std::memory_order_relaxed);
    }
    matcher->reset(icu::UnicodeString());
    return U_SUCCESS(status) ? result : name;
}

icu::UnicodeString replaceRanges(const icu::UnicodeString& name,
                                 const std::vector<TextSearch::Range>& ranges,
                                 const icu::UnicodeString& replacement) {
    if (ranges.empty()) {
        return name;
    }
    icu::UnicodeString out;
    int32_t last = 0;
    for (const auto& r : ranges) {
        out.append(name, last, r.start - last);
        out.append(replacement);
        last = r.end;
    }
    out.append(name, last, name.length() - last);
    return out;
}

bool isTrimmable(UChar32 c) {
    return c == u'\t' || u_charType(c) == U_SPACE_SEPARATOR;
}

}  // namespace

icu::UnicodeString replace(const PreparedRule& rule, const icu::UnicodeString& name,
                           icu::RegexMatcher* matcher) {
    if (rule.rule.useRegex) {
        return replaceMatches(rule, name, matcher);
    }
    if (!rule.findSearch || rule.findSearch->empty()) {
        return name;
    }
    return replaceRanges(name, rule.findSearch->findAll(name), rule.replaceText);
}

icu::UnicodeString regex(const PreparedRule& rule, const icu::UnicodeString& name,
                         icu::RegexMatcher* matcher) {
    if (rule.rule.findText.empty()) {
        return name;
    }
    return replaceMatches(rule, name, matcher);
}

icu::UnicodeString trim(const icu::UnicodeString& name) {
    int32_t start = 0;
    int32_t end = name.length();
    while (start < end && isTrimmable(name.char32At(start))) {
        start = name.moveIndex32(start, 1);
    }
    while (end > start) {
        const int32_t before = name.moveIndex32(end, -1);
        if (!isTrimmable(name.char32At(before))) {
            break;
        }
        end = before;
    }
    return icu::UnicodeString(name, start, end - start);
}

// The transforms below take effect in a later change; until then they leave names as they are.
icu::UnicodeString insert(const PreparedRule&, const icu::UnicodeString& name) {
    return name;
}
icu::UnicodeString remove(const PreparedRule&, const icu::UnicodeString& name) {
    return name;
}
icu::UnicodeString changeCase(const PreparedRule&, const icu::UnicodeString& name) {
    return name;
}
icu::UnicodeString numbering(const PreparedRule&, const icu::UnicodeString& name, std::int64_t) {
    return name;
}
icu::UnicodeString cleanup(const PreparedRule&, const icu::UnicodeString& name) {
    return name;
}
icu::UnicodeString date(const PreparedRule&, const icu::UnicodeString& name) {
    return name;
}

}  // namespace Transforms
