#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Models/ParsedRule.h"

// The phrase parser: stateless functions that turn one short English phrase into suggested
// rules, reading nothing but their argument.
namespace NaturalLanguageParser {

// The suggestions for `input` (0 to 7), in the order of the recognisers: replace, insert,
// remove, case, numbering, cleanup, date.
std::vector<ParsedRule> parse(const std::string& input);

// "first" … "tenth" as 1 … 10 (exact, case-sensitive), a base-10 integer with an optional sign
// as itself, anything else as 1.
std::int64_t ordinalToInt(const std::string& word);

}  // namespace NaturalLanguageParser
