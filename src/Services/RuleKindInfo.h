// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <unicode/brkiter.h>
#include <unicode/regex.h>
#include <unicode/unistr.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Models/ItemFacts.h"
#include "Models/RenameRule.h"
#include "Services/NumberingOrdinals.h"

struct PreparedRule;

// Everything about one rule kind in one place: its stored name (the raw value of its
// RuleType), the keys it reads, how it is prepared and applied, the fields of its editor, its
// summary line and its icon. The decoder, the engine, the window's editors, summaries and
// icons and the fuzzer go by it, so a new kind is its enum case, this description, its
// transform and its tests. Texts for people are untranslated English marked with UI_TEXT;
// the window translates them.
struct RuleKindInfo {
    // The mutable state one name's run through the rules hands to a transform.
    struct Context {
        icu::RegexMatcher* matcher = nullptr;  // the thread's matcher of the rule's pattern
        icu::BreakIterator* words = nullptr;   // the thread's word iterator, when asked for
        std::int64_t index = 0;                // the item's position in the list
        // Where a transform says why it left the name as it was (a pattern that gave up).
        std::optional<Error>* problem = nullptr;
        // The item and what was read of it, for the kinds that name files by their content;
        // null for a bare name.
        const ItemFacts* facts = nullptr;
        // The item's ordinal under each way of counting (per folder, shared by base name).
        NumberingOrdinals::Ordinals ordinals{};
    };

    // One field of the kind's editor.
    struct Field {
        enum class Kind {
            text,     // a line of text
            number,   // an integer between minimum and maximum
            toggle,   // a check box
            choice,   // a pick of the key's enumeration, in declaration order
            note,     // a sentence with no value
            hint,     // a dimmed sentence about the field before it
            example,  // the rule applied to the first shown entry, as a sentence with no value
        };
        Kind kind = Kind::text;
        // The key the field edits; for a note or hint, the name the window gives it.
        std::string_view key{};
        // The label (the sentence of a note or hint), context "RuleField".
        const char* label = "";
        const char* placeholder = nullptr;  // context "RuleField"; null for none
        const char* toolTip = nullptr;      // context "RuleField"; null for none
        std::int64_t minimum = 0;
        std::int64_t maximum = 0;
        // Whether the field applies to the rule's current options; null: always.
        bool (*shownWhen)(const RenameRule&) = nullptr;
        // Whether a text field offers the template tokens from a menu.
        bool offersTokens = false;
        // Whether the field's text must be valid for the rule to run (a regular expression
        // that compiles, a template that reads); null: never.
        bool (*patternWhen)(const RenameRule&) = nullptr;
    };

    // The one-line description of a rule's options in the rule list: parts, each a text of
    // context "RuleSummary" with %1, %2, ... (and %n for `count`) filled from its arguments,
    // joined by `separator`.
    struct Summary {
        struct Argument {
            enum class Kind {
                plain,   // shown as it is
                quoted,  // a text of the rule, shown between quotation marks
                stored,  // a stored enumeration value, translated in context "StoredValue"
            };
            std::string text{};
            Kind kind = Kind::plain;
        };
        struct Part {
            const char* text = "";
            std::vector<Argument> arguments{};
            std::optional<std::int64_t> count{};
        };
        std::vector<Part> parts{};
        const char* separator = "";  // context "RuleSummary" when not empty
        bool capitalise = false;     // the first letter of the joined line upper-cased
    };

    RuleType type = RuleType::replace;
    // The presets format that introduced the kind; a file of an older format cannot hold it.
    int sinceFormat = 1;
    // The symbol name of its icon, the freedesktop theme icon for it, and the characters of
    // the badge drawn when the theme has none.
    std::string_view systemImage{};
    std::string_view themeIcon{};
    std::string_view badge{};
    // The keys its transform reads (their defaults are those of a fresh RenameRule).
    std::vector<std::string_view> keys{};
    // The choice whose value decides what the rule does (empty when there is none).
    std::string_view modeKey{};
    std::vector<Field> fields{};

    // Converts and compiles what every name needs once; null when nothing is.
    void (*prepare)(PreparedRule& rule, std::chrono::system_clock::time_point now) = nullptr;
    // The new working name; null for a kind that leaves it alone.
    icu::UnicodeString (*apply)(const PreparedRule& rule, const icu::UnicodeString& name,
                                Context& context) = nullptr;
    // Whether the transform wants a word break iterator for the rule; null: never.
    bool (*needsWords)(const RenameRule& rule) = nullptr;
    // The parts of a file's metadata the prepared rule reads (FileMetadata::Part bits); null:
    // none. They are read before the names are computed and handed in through the context.
    unsigned (*reads)(const PreparedRule& rule) = nullptr;
    // Whether the prepared rule counts items by folder or by companion files, so that those
    // ordinals must be worked out over the list; null: never.
    bool (*countsByGroup)(const PreparedRule& rule) = nullptr;
    // Whether the last enabled rule of the kind gives the new name's extension.
    bool setsExtension = false;
    Summary (*summary)(const RenameRule& rule) = nullptr;
};
