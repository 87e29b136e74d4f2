// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Services/RuleKinds.h"

#include <algorithm>
#include <string>

#include "Models/EnumCases.h"
#include "Models/RuleKeys.h"
#include "Models/UiText.h"
#include "Services/NameTemplate.h"
#include "Services/PreparedRule.h"
#include "Services/Transforms.h"

namespace {

using Field = RuleKindInfo::Field;
using FieldKind = RuleKindInfo::Field::Kind;
using Summary = RuleKindInfo::Summary;
using Argument = RuleKindInfo::Summary::Argument;
using Context = RuleKindInfo::Context;
using Time = std::chrono::system_clock::time_point;

constexpr std::int64_t kMaxIndex = 9999;
constexpr std::int64_t kMaxNumber = 999'999'999;

Argument quoted(const std::string& text) {
    return {text, Argument::Kind::quoted};
}
Argument plain(std::string text) {
    return {std::move(text), Argument::Kind::plain};
}
Argument plain(std::int64_t number) {
    return {std::to_string(number), Argument::Kind::plain};
}
template <typename E>
Argument stored(E value) {
    return {std::string(rawValue(value)), Argument::Kind::stored};
}
Summary one(const char* text, std::vector<Argument> arguments = {},
            std::optional<std::int64_t> count = std::nullopt) {
    return Summary{{{text, std::move(arguments), count}}};
}

// The first number as the rule writes it: zero-filled to the padding, the sign counting in
// the width (-5 with padding 3 is "-05").
std::string numberingSample(const RenameRule& rule) {
    const auto padding = std::clamp<std::int64_t>(rule.numberingPadding, 0, 32);
    const bool negative = rule.numberingStart < 0;
    std::string digits = std::to_string(rule.numberingStart);
    if (negative) {
        digits.erase(0, 1);
    }
    const std::int64_t width = negative ? padding - 1 : padding;
    if (width > static_cast<std::int64_t>(digits.size())) {
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    }
    return negative ? "-" + digits : digits;
}

bool isPatternReplace(const RenameRule& r) {
    return r.useRegex;
}
bool always(const RenameRule&) {
    return true;
}

const RuleKindInfo kReplace{
    .type = RuleType::replace,
    .systemImage = "arrow.left.arrow.right",
    .themeIcon = "edit-find-replace",
    .badge = "\u21c4",
    .keys = {"findText", "replaceText", "isCaseSensitive", "useRegex"},
    .fields =
        {
            {.kind = FieldKind::text,
             .key = "findText",
             .label = UI_TEXT("RuleField", "Find"),
             .placeholder = UI_TEXT("RuleField", "Text to find"),
             .patternWhen = isPatternReplace},
            {.kind = FieldKind::text,
             .key = "replaceText",
             .label = UI_TEXT("RuleField", "Replace with"),
             .placeholder = UI_TEXT("RuleField", "Empty: delete the text")},
            {.kind = FieldKind::toggle,
             .key = "isCaseSensitive",
             .label = UI_TEXT("RuleField", "Match case")},
            {.kind = FieldKind::toggle,
             .key = "useRegex",
             .label = UI_TEXT("RuleField", "Use regular expression")},
        },
    .prepare =
        [](PreparedRule& p, Time) {
            p.replaceText = PreparedRule::u16(p.rule.replaceText);
            if (p.rule.useRegex) {
                PreparedRule::compile(p, !p.rule.isCaseSensitive);
            } else {
                p.findSearch.emplace(PreparedRule::u16(p.rule.findText), p.rule.isCaseSensitive);
            }
        },
    .apply = [](const PreparedRule& p, const icu::UnicodeString& name,
                Context& c) { return Transforms::replace(p, name, c.matcher, *c.problem); },
    .summary =
        [](const RenameRule& r) {
            Summary s = one(UI_TEXT("RuleSummary", "Replace %1 \u2192 %2"),
                            {quoted(r.findText), quoted(r.replaceText)});
            if (r.useRegex) {
                s.parts.push_back({UI_TEXT("RuleSummary", " (pattern)"), {}, {}});
            }
            if (r.isCaseSensitive) {
                s.parts.push_back({UI_TEXT("RuleSummary", " (match case)"), {}, {}});
            }
            return s;
        },
};

bool insertsAtIndex(const RenameRule& r) {
    return r.insertPosition == InsertPosition::atIndex;
}
bool insertsAtAnchor(const RenameRule& r) {
    return r.insertPosition == InsertPosition::beforeText ||
           r.insertPosition == InsertPosition::afterText;
}

const RuleKindInfo kInsert{
    .type = RuleType::insert,
    .systemImage = "text.insert",
    .themeIcon = "insert-text",
    .badge = "T+",
    .keys = {"insertText", "insertPosition", "insertIndex", "insertAnchorText"},
    .modeKey = "insertPosition",
    .fields =
        {
            {.kind = FieldKind::text,
             .key = "insertText",
             .label = UI_TEXT("RuleField", "Text"),
             .placeholder = UI_TEXT("RuleField", "Text to insert")},
            {.kind = FieldKind::choice,
             .key = "insertPosition",
             .label = UI_TEXT("RuleField", "Position")},
            {.kind = FieldKind::number,
             .key = "insertIndex",
             .label = UI_TEXT("RuleField", "Index"),
             .minimum = 0,
             .maximum = kMaxIndex,
             .shownWhen = insertsAtIndex},
            {.kind = FieldKind::text,
             .key = "insertAnchorText",
             .label = UI_TEXT("RuleField", "Anchor text"),
             .placeholder = UI_TEXT("RuleField", "Text to insert next to"),
             .shownWhen = insertsAtAnchor},
        },
    .prepare =
        [](PreparedRule& p, Time) {
            p.insertText = PreparedRule::u16(p.rule.insertText);
            if (insertsAtAnchor(p.rule)) {
                p.anchorText = PreparedRule::u16(p.rule.insertAnchorText);
                p.anchorSearch.emplace(p.anchorText);
            }
        },
    .apply = [](const PreparedRule& p, const icu::UnicodeString& name,
                Context&) { return Transforms::insert(p, name); },
    .summary =
        [](const RenameRule& r) {
            switch (r.insertPosition) {
                case InsertPosition::beginning:
                    return one(UI_TEXT("RuleSummary", "Insert %1 at the beginning"),
                               {quoted(r.insertText)});
                case InsertPosition::end:
                    return one(UI_TEXT("RuleSummary", "Insert %1 at the end"),
                               {quoted(r.insertText)});
                case InsertPosition::atIndex:
                    return one(UI_TEXT("RuleSummary", "Insert %1 at position %2"),
                               {quoted(r.insertText), plain(r.insertIndex)});
                case InsertPosition::beforeText:
                    return one(UI_TEXT("RuleSummary", "Insert %1 before %2"),
                               {quoted(r.insertText), quoted(r.insertAnchorText)});
                case InsertPosition::afterText:
                    return one(UI_TEXT("RuleSummary", "Insert %1 after %2"),
                               {quoted(r.insertText), quoted(r.insertAnchorText)});
            }
            return Summary{};
        },
};

bool removes(const RenameRule& r, RemoveTarget target) {
    return r.removeTarget == target;
}

const RuleKindInfo kRemove{
    .type = RuleType::remove,
    .systemImage = "minus.circle",
    .themeIcon = "list-remove",
    .badge = "\u2212",
    .keys = {"removeTarget", "removeText", "removeCount", "removeFromIndex", "removeToIndex",
             "removeBetweenStart", "removeBetweenEnd"},
    .modeKey = "removeTarget",
    .fields =
        {
            {.kind = FieldKind::choice,
             .key = "removeTarget",
             .label = UI_TEXT("RuleField", "Remove")},
            {.kind = FieldKind::text,
             .key = "removeText",
             .label = UI_TEXT("RuleField", "Text"),
             .placeholder = UI_TEXT("RuleField", "Text to remove"),
             .shownWhen = [](const RenameRule& r) { return removes(r, RemoveTarget::text); }},
            {.kind = FieldKind::number,
             .key = "removeCount",
             .label = UI_TEXT("RuleField", "Count"),
             .minimum = 0,
             .maximum = kMaxIndex,
             .shownWhen =
                 [](const RenameRule& r) {
                     return removes(r, RemoveTarget::firstN) || removes(r, RemoveTarget::lastN);
                 }},
            {.kind = FieldKind::number,
             .key = "removeFromIndex",
             .label = UI_TEXT("RuleField", "From"),
             .minimum = 0,
             .maximum = kMaxIndex,
             .shownWhen = [](const RenameRule& r) { return removes(r, RemoveTarget::fromTo); }},
            {.kind = FieldKind::number,
             .key = "removeToIndex",
             .label = UI_TEXT("RuleField", "To"),
             .minimum = 0,
             .maximum = kMaxIndex,
             .shownWhen = [](const RenameRule& r) { return removes(r, RemoveTarget::fromTo); }},
            {.kind = FieldKind::text,
             .key = "removeBetweenStart",
             .label = UI_TEXT("RuleField", "Start"),
             .placeholder = UI_TEXT("RuleField", "Opening text, e.g. ("),
             .shownWhen =
                 [](const RenameRule& r) { return removes(r, RemoveTarget::betweenText); }},
            {.kind = FieldKind::text,
             .key = "removeBetweenEnd",
             .label = UI_TEXT("RuleField", "End"),
             .placeholder = UI_TEXT("RuleField", "Closing text, e.g. )"),
             .shownWhen =
                 [](const RenameRule& r) { return removes(r, RemoveTarget::betweenText); }},
        },
    .prepare =
        [](PreparedRule& p, Time) {
            if (p.rule.removeTarget == RemoveTarget::text) {
                p.removeSearch.emplace(PreparedRule::u16(p.rule.removeText));
            } else if (p.rule.removeTarget == RemoveTarget::betweenText) {
                p.startSearch.emplace(PreparedRule::u16(p.rule.removeBetweenStart));
                p.endSearch.emplace(PreparedRule::u16(p.rule.removeBetweenEnd));
            }
        },
    .apply = [](const PreparedRule& p, const icu::UnicodeString& name,
                Context&) { return Transforms::remove(p, name); },
    .summary =
        [](const RenameRule& r) {
            switch (r.removeTarget) {
                case RemoveTarget::text:
                    return one(UI_TEXT("RuleSummary", "Remove %1"), {quoted(r.removeText)});
                case RemoveTarget::firstN:
                    return one(UI_TEXT_N("RuleSummary", "Remove the first %n character(s)"), {},
                               r.removeCount);
                case RemoveTarget::lastN:
                    return one(UI_TEXT_N("RuleSummary", "Remove the last %n character(s)"), {},
                               r.removeCount);
                case RemoveTarget::fromTo:
                    return one(UI_TEXT("RuleSummary", "Remove characters %1 to %2"),
                               {plain(r.removeFromIndex), plain(r.removeToIndex)});
                case RemoveTarget::betweenText:
                    return one(UI_TEXT("RuleSummary", "Remove between %1 and %2"),
                               {quoted(r.removeBetweenStart), quoted(r.removeBetweenEnd)});
            }
            return Summary{};
        },
};

const RuleKindInfo kCase{
    .type = RuleType::caseConversion,
    .systemImage = "textformat",
    .themeIcon = "format-text-bold",
    .badge = "Aa",
    .keys = {"caseType"},
    .fields = {{.kind = FieldKind::choice,
                .key = "caseType",
                .label = UI_TEXT("RuleField", "Case")}},
    .apply = [](const PreparedRule& p, const icu::UnicodeString& name,
                Context& c) { return Transforms::changeCase(p, name, c.words); },
    .needsWords =
        [](const RenameRule& r) {
            return r.caseType == CaseConversionType::titleCase ||
                   r.caseType == CaseConversionType::camelCase;
        },
    .summary = [](const RenameRule& r) { return one("%1", {stored(r.caseType)}); },
};

const RuleKindInfo kNumbering{
    .type = RuleType::numbering,
    .systemImage = "number",
    .themeIcon = "format-list-numbered",
    .badge = "#",
    .keys = {"numberingStart", "numberingStep", "numberingPadding", "numberingPosition",
             "numberingSeparator", "numberingResetPerFolder", "numberingShareBaseName"},
    .modeKey = "numberingPosition",
    .fields =
        {
            {.kind = FieldKind::number,
             .key = "numberingStart",
             .label = UI_TEXT("RuleField", "Start at"),
             .minimum = -kMaxNumber,
             .maximum = kMaxNumber},
            {.kind = FieldKind::number,
             .key = "numberingStep",
             .label = UI_TEXT("RuleField", "Step"),
             .minimum = -kMaxNumber,
             .maximum = kMaxNumber},
            {.kind = FieldKind::number,
             .key = "numberingPadding",
             .label = UI_TEXT("RuleField", "Digits"),
             .minimum = 0,
             .maximum = 20},
            {.kind = FieldKind::choice,
             .key = "numberingPosition",
             .label = UI_TEXT("RuleField", "Position")},
            {.kind = FieldKind::text,
             .key = "numberingSeparator",
             .label = UI_TEXT("RuleField", "Separator")},
            {.kind = FieldKind::toggle,
             .key = "numberingResetPerFolder",
             .label = UI_TEXT("RuleField", "Start again in each folder"),
             .toolTip = UI_TEXT("RuleField",
                                "Each folder counts from the start number, in the order shown")},
            {.kind = FieldKind::toggle,
             .key = "numberingShareBaseName",
             .label = UI_TEXT("RuleField", "One number for companion files"),
             .toolTip = UI_TEXT("RuleField",
                                "Files in one folder with the same name before the extension, "
                                "such as IMG_1.CR2 and IMG_1.JPG, get the same number")},
        },
    .prepare = [](PreparedRule& p,
                  Time) { p.separator = PreparedRule::u16(p.rule.numberingSeparator); },
    .apply =
        [](const PreparedRule& p, const icu::UnicodeString& name, Context& c) {
            const NumberingOrdinals::Mode mode{p.rule.numberingResetPerFolder,
                                               p.rule.numberingShareBaseName};
            return Transforms::numbering(p, name, c.ordinals.of(mode));
        },
    .summary =
        [](const RenameRule& r) {
            const std::string sample = numberingSample(r);
            Summary s;
            switch (r.numberingPosition) {
                case NumberingPosition::prefix:
                    s = one(UI_TEXT("RuleSummary", "Number as prefix: %1%2name, step %3"),
                            {plain(sample), plain(r.numberingSeparator), plain(r.numberingStep)});
                    break;
                case NumberingPosition::suffix:
                    s = one(UI_TEXT("RuleSummary", "Number as suffix: name%1%2, step %3"),
                            {plain(r.numberingSeparator), plain(sample), plain(r.numberingStep)});
                    break;
                case NumberingPosition::replace:
                    s = one(UI_TEXT("RuleSummary", "Replace name with %1, step %2"),
                            {plain(sample), plain(r.numberingStep)});
                    break;
            }
            if (r.numberingResetPerFolder) {
                s.parts.push_back({UI_TEXT("RuleSummary", ", per folder"), {}, {}});
            }
            if (r.numberingShareBaseName) {
                s.parts.push_back({UI_TEXT("RuleSummary", ", shared by companions"), {}, {}});
            }
            return s;
        },
};

const RuleKindInfo kCleanup{
    .type = RuleType::cleanup,
    .systemImage = "sparkles",
    .themeIcon = "edit-clear-all",
    .badge = "\u2726",
    .keys = {"trimWhitespace", "removeDuplicateSpaces", "replaceSpacesWithUnderscores",
             "removeSpecialChars", "transliterateToASCII", "makeWindowsSafe"},
    .fields =
        {
            {.kind = FieldKind::toggle,
             .key = "trimWhitespace",
             .label = UI_TEXT("RuleField", "Trim whitespace")},
            {.kind = FieldKind::toggle,
             .key = "removeDuplicateSpaces",
             .label = UI_TEXT("RuleField", "Collapse repeated spaces")},
            {.kind = FieldKind::toggle,
             .key = "replaceSpacesWithUnderscores",
             .label = UI_TEXT("RuleField", "Spaces to underscores")},
            {.kind = FieldKind::toggle,
             .key = "removeSpecialChars",
             .label = UI_TEXT("RuleField", "Remove special characters")},
            {.kind = FieldKind::toggle,
             .key = "transliterateToASCII",
             .label = UI_TEXT("RuleField", "ASCII letters only"),
             .toolTip = UI_TEXT("RuleField",
                                "Writes every letter in Latin letters without accents "
                                "(M\u00fcller: Muller, \u6771\u4eac: dong jing) and drops "
                                "what has no such spelling")},
            {.kind = FieldKind::toggle,
             .key = "makeWindowsSafe",
             .label = UI_TEXT("RuleField", "Safe for Windows and FAT"),
             .toolTip = UI_TEXT("RuleField",
                                "Names that Windows, FAT and exFAT drives and network shares "
                                "accept: < > : \" \\ | ? * and control characters become _, "
                                "dots and spaces at the end go, and device names such as CON or "
                                "LPT1 get _")},
        },
    .apply = [](const PreparedRule& p, const icu::UnicodeString& name,
                Context&) { return Transforms::cleanup(p, name); },
    .summary =
        [](const RenameRule& r) {
            Summary s;
            s.separator = UI_TEXT("RuleSummary", ", ");
            s.capitalise = true;
            const auto add = [&](bool on, const char* text) {
                if (on) {
                    s.parts.push_back({text, {}, {}});
                }
            };
            add(r.trimWhitespace, UI_TEXT("RuleSummary", "trim"));
            add(r.removeDuplicateSpaces, UI_TEXT("RuleSummary", "collapse spaces"));
            add(r.replaceSpacesWithUnderscores, UI_TEXT("RuleSummary", "spaces to _"));
            add(r.removeSpecialChars, UI_TEXT("RuleSummary", "drop special characters"));
            add(r.transliterateToASCII, UI_TEXT("RuleSummary", "ASCII only"));
            add(r.makeWindowsSafe, UI_TEXT("RuleSummary", "safe for Windows"));
            if (s.parts.empty()) {
                s.parts.push_back({UI_TEXT("RuleSummary", "Nothing selected"), {}, {}});
            }
            return s;
        },
};

const RuleKindInfo kTrim{
    .type = RuleType::trim,
    .systemImage = "scissors",
    .themeIcon = "edit-cut",
    .badge = "\u2702",
    .fields = {{.kind = FieldKind::note,
                .key = "trimNote",
                .label = UI_TEXT("RuleField",
                                 "Removes spaces and tabs at both ends of the name. No options.")}},
    .apply = [](const PreparedRule&, const icu::UnicodeString& name,
                Context&) { return Transforms::trim(name); },
    .summary =
        [](const RenameRule&) {
            return one(UI_TEXT("RuleSummary", "Trim leading and trailing whitespace"));
        },
};

const RuleKindInfo kDate{
    .type = RuleType::dateStamp,
    .systemImage = "calendar",
    .themeIcon = "x-office-calendar",
    .badge = "31",
    .keys = {"dateFormat", "datePosition"},
    .modeKey = "datePosition",
    .fields =
        {
            {.kind = FieldKind::text,
             .key = "dateFormat",
             .label = UI_TEXT("RuleField", "Format"),
             .placeholder = UI_TEXT("RuleField", "yyyy-MM-dd"),
             .toolTip = UI_TEXT("RuleField",
                                "Date pattern: yyyy year, MM month, dd day, HH hour, mm minute, "
                                "ss second")},
            {.kind = FieldKind::choice,
             .key = "datePosition",
             .label = UI_TEXT("RuleField", "Position")},
        },
    .prepare = [](PreparedRule& p,
                  Time now) { p.dateText = PreparedRule::formatDate(p.rule.dateFormat, now); },
    .apply = [](const PreparedRule& p, const icu::UnicodeString& name,
                Context&) { return Transforms::date(p, name); },
    .summary =
        [](const RenameRule& r) {
            // The date rule has no anchor text of its own; only beginning and end apply.
            return r.datePosition == InsertPosition::beginning
                       ? one(UI_TEXT("RuleSummary", "Add date %1 at the beginning"),
                             {quoted(r.dateFormat)})
                       : one(UI_TEXT("RuleSummary", "Add date %1 at the end"),
                             {quoted(r.dateFormat)});
        },
};

const RuleKindInfo kExtension{
    .type = RuleType::extensionChange,
    .systemImage = "doc.badge.arrow.up",
    .themeIcon = "document-save-as",
    .badge = ".x",
    .keys = {"newExtension"},
    .fields =
        {
            {.kind = FieldKind::text,
             .key = "newExtension",
             .label = UI_TEXT("RuleField", "New extension"),
             .placeholder = UI_TEXT("RuleField", "e.g. jpg")},
            // Said once, below the field, where it stays while the user types.
            {.kind = FieldKind::hint,
             .key = "extensionHint",
             .label = UI_TEXT("RuleField", "Leave blank to remove the extension.")},
        },
    .setsExtension = true,
    .summary =
        [](const RenameRule& r) {
            return r.newExtension.empty() ? one(UI_TEXT("RuleSummary", "Remove the extension"))
                                          : one(UI_TEXT("RuleSummary", "Change extension to %1"),
                                                {quoted(r.newExtension)});
        },
};

const RuleKindInfo kRegex{
    .type = RuleType::regex,
    .systemImage = "chevron.left.forwardslash.chevron.right",
    .themeIcon = "text-x-script",
    .badge = "</>",
    .keys = {"findText", "replaceText"},
    .fields =
        {
            {.kind = FieldKind::text,
             .key = "findText",
             .label = UI_TEXT("RuleField", "Pattern"),
             .placeholder = UI_TEXT("RuleField", "Regular expression, e.g. (\\d+)"),
             .patternWhen = always},
            {.kind = FieldKind::text,
             .key = "replaceText",
             .label = UI_TEXT("RuleField", "Replacement"),
             .placeholder = UI_TEXT("RuleField", "$1 is the first group")},
        },
    .prepare =
        [](PreparedRule& p, Time) {
            p.replaceText = PreparedRule::u16(p.rule.replaceText);
            // An empty pattern leaves every name as it is, whatever its replacement.
            if (!p.rule.findText.empty()) {
                PreparedRule::compile(p, false);
            }
        },
    .apply = [](const PreparedRule& p, const icu::UnicodeString& name,
                Context& c) { return Transforms::regex(p, name, c.matcher, *c.problem); },
    .summary =
        [](const RenameRule& r) {
            return one(UI_TEXT("RuleSummary", "Pattern %1 \u2192 %2"),
                       {quoted(r.findText), quoted(r.replaceText)});
        },
};

const NameTemplate* templateOf(const PreparedRule& p) {
    return std::any_cast<NameTemplate>(&p.kindState);
}

const RuleKindInfo kTemplate{
    .type = RuleType::nameTemplate,
    .sinceFormat = 2,
    .systemImage = "curlybraces",
    .themeIcon = "text-x-generic-template",
    .badge = "{}",
    .keys = {"templateText"},
    .fields =
        {
            {.kind = FieldKind::text,
             .key = "templateText",
             .label = UI_TEXT("RuleField", "Template"),
             .placeholder = UI_TEXT("RuleField", "{name}"),
             .toolTip = UI_TEXT("RuleField",
                                "The new name. Tokens in braces take values from the file, such "
                                "as {exif.date:yyyy-MM-dd} or {audio.artist}; {a|b} takes the "
                                "first that has a value; {{ and }} are braces."),
             .offersTokens = true,
             .patternWhen = always},
            {.kind = FieldKind::example,
             .key = "templateExample",
             .label = UI_TEXT("RuleField", "Example")},
        },
    .prepare =
        [](PreparedRule& p, Time) {
            auto parsed = NameTemplate::parse(p.rule.templateText);
            if (parsed) {
                p.kindState = std::move(*parsed);
            } else {
                p.invalid = parsed.error();
            }
        },
    .apply =
        [](const PreparedRule& p, const icu::UnicodeString& name, Context& c) {
            const NameTemplate* parsed = templateOf(p);
            if (parsed == nullptr) {
                *c.problem = p.invalid;
                return name;
            }
            auto made =
                parsed->apply(name, c.ordinals, c.facts != nullptr ? *c.facts : ItemFacts{});
            if (!made) {
                *c.problem = made.error();
                return name;
            }
            return *made;
        },
    .reads =
        [](const PreparedRule& p) {
            const NameTemplate* parsed = templateOf(p);
            return parsed != nullptr ? parsed->parts() : 0u;
        },
    .countsByGroup =
        [](const PreparedRule& p) {
            const NameTemplate* parsed = templateOf(p);
            return parsed != nullptr && parsed->countsByGroup();
        },
    .summary =
        [](const RenameRule& r) {
            return one(UI_TEXT("RuleSummary", "Name from template %1"), {quoted(r.templateText)});
        },
};

}  // namespace

namespace RuleKinds {

const RuleKindInfo& info(RuleType type) {
    // No default: a kind without a description is a compile-time warning.
    switch (type) {
        case RuleType::replace:
            return kReplace;
        case RuleType::insert:
            return kInsert;
        case RuleType::remove:
            return kRemove;
        case RuleType::caseConversion:
            return kCase;
        case RuleType::numbering:
            return kNumbering;
        case RuleType::cleanup:
            return kCleanup;
        case RuleType::trim:
            return kTrim;
        case RuleType::dateStamp:
            return kDate;
        case RuleType::extensionChange:
            return kExtension;
        case RuleType::regex:
            return kRegex;
        case RuleType::nameTemplate:
            return kTemplate;
    }
    return kReplace;
}

const std::vector<const RuleKindInfo*>& all() {
    static const std::vector<const RuleKindInfo*> kinds = [] {
        std::vector<const RuleKindInfo*> out;
        for (const RuleType type : allCases<RuleType>()) {
            out.push_back(&info(type));
        }
        return out;
    }();
    return kinds;
}

int newestFormat() {
    int newest = RuleKeys::newestFormat();
    for (const auto* kind : all()) {
        newest = std::max(newest, kind->sinceFormat);
    }
    return newest;
}

int formatOf(const RenameRule& rule) {
    return std::max(info(rule.type).sinceFormat, RuleKeys::formatOf(rule));
}

}  // namespace RuleKinds
