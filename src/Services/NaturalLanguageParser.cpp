#include "Services/NaturalLanguageParser.h"

namespace NaturalLanguageParser {

// Placeholder until the recognisers land.
std::vector<ParsedRule> parse(const std::string&) {
    return {};
}

int ordinalToInt(const std::string&) {
    return 1;
}

}  // namespace NaturalLanguageParser
