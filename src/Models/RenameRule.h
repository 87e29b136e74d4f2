// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include <nlohmann/json_fwd.hpp>

#include "Models/CaseConversionType.h"
#include "Models/InsertPosition.h"
#include "Models/NumberingPosition.h"
#include "Models/RemoveTarget.h"
#include "Models/Result.h"
#include "Models/RuleType.h"
#include "Models/Uuid.h"

// One rename rule of any kind: a flat value record holding the options of every kind side
// by side. A rule reads only the fields of its own kind; the others keep their values.
struct RenameRule {
    // A rule of `kind` with a fresh id and every option at its default.
    explicit RenameRule(RuleType kind) : type(kind) {}

    Uuid id = Uuid::random();
    RuleType type;
    bool isEnabled = true;
    std::string findText;
    std::string replaceText;
    bool isCaseSensitive = false;
    bool useRegex = false;
    std::string insertText;
    InsertPosition insertPosition = InsertPosition::beginning;
    std::int64_t insertIndex = 0;
    std::string insertAnchorText;
    RemoveTarget removeTarget = RemoveTarget::text;
    std::string removeText;
    std::int64_t removeCount = 1;
    std::int64_t removeFromIndex = 0;
    std::int64_t removeToIndex = 0;
    std::string removeBetweenStart;
    std::string removeBetweenEnd;
    CaseConversionType caseType = CaseConversionType::titleCase;
    std::int64_t numberingStart = 1;
    std::int64_t numberingStep = 1;
    std::int64_t numberingPadding = 3;
    NumberingPosition numberingPosition = NumberingPosition::suffix;
    std::string numberingSeparator = "_";
    std::string numberingFormat = "%03d";  // stored and saved; no transform reads it
    // The counter starts again in each folder (in the order shown).
    bool numberingResetPerFolder = false;
    // Entries of one folder with the same original base name share the first one's number.
    bool numberingShareBaseName = false;
    std::string dateFormat = "yyyy-MM-dd";
    InsertPosition datePosition = InsertPosition::end;
    std::string newExtension;
    bool replaceSpacesWithUnderscores = false;
    bool removeSpecialChars = false;
    bool removeDuplicateSpaces = true;
    bool trimWhitespace = true;
    // The new base name of a template rule, with tokens in braces (from format 2).
    std::string templateText = "{name}";
    bool transliterateToASCII = false;
    bool makeWindowsSafe = false;

    // Equality compares all fields; the hash uses `id` alone, which agrees with it.
    friend bool operator==(const RenameRule&, const RenameRule&) = default;

    // The JSON object with every key of RuleKeys (the unit of the presets file).
    nlohmann::json toJson() const;

    // Decoding by RuleKeys: the 32 keys of the first format are required, later keys take
    // their defaults when absent; every present key is type-checked; unknown keys are
    // ignored. The error names the key and what is wrong with it.
    static Result<RenameRule> fromJson(const nlohmann::json& object);
};

template <>
struct std::hash<RenameRule> {
    std::size_t operator()(const RenameRule& rule) const noexcept {
        return std::hash<Uuid>{}(rule.id);
    }
};
