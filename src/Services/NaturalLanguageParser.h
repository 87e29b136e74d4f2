// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Models/ParsedRule.h"

// The phrase parser: stateless functions that turn one short English phrase into suggested
// rules, reading nothing but their argument.
namespace NaturalLanguageParser {

// The suggestions for `input`, in the order its instructions are typed. Instructions are
// separated by ",", ";" or "and" (not inside quoted text, nor where the words only make sense
// together, as in "replace spaces and dots with dashes"); each gives one suggestion, or one
// per character when it names several. Quoted text is taken as written; words such as
// "spaces" or "dashes" name their characters. A phrase read only in part gives lower
// confidences than one read whole. Never fails: what cannot be read gives no suggestion.
std::vector<ParsedRule> parse(const std::string& input);

// "first" … "tenth" as 1 … 10 (exact, case-sensitive), a base-10 integer with an optional sign
// as itself, anything else as 1.
std::int64_t ordinalToInt(const std::string& word);

}  // namespace NaturalLanguageParser
