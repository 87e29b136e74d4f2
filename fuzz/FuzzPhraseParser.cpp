// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Any text through the phrase parser: no crash, no hang, and every suggestion usable: a
// confidence between 0 and 1, a description, and a rule that survives its JSON form.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include <nlohmann/json.hpp>

#include "Models/RenameRule.h"
#include "Services/NaturalLanguageParser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string phrase(reinterpret_cast<const char*>(data), size);
    for (const auto& suggestion : NaturalLanguageParser::parse(phrase)) {
        if (!(suggestion.confidence > 0.0 && suggestion.confidence <= 1.0) ||
            suggestion.description.empty()) {
            std::abort();
        }
        const auto decoded = RenameRule::fromJson(suggestion.rule.toJson());
        if (!decoded || !(*decoded == suggestion.rule)) {
            std::abort();
        }
    }
    return 0;
}
