// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Services/JsonDocument.h"

#include <algorithm>

namespace JsonDocument {

std::size_t nestingDepth(const std::string& bytes, std::size_t limit) {
    std::size_t depth = 0;
    std::size_t deepest = 0;
    bool inString = false;
    bool escaped = false;
    for (const char c : bytes) {
        if (inString) {
            if (escaped) {
                escaped = false;
            } else if (c == '\\') {
                escaped = true;
            } else if (c == '"') {
                inString = false;
            }
            continue;
        }
        if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            deepest = std::max(deepest, ++depth);
            if (deepest > limit) {
                break;
            }
        } else if ((c == ']' || c == '}') && depth > 0) {
            --depth;
        }
    }
    return deepest;
}

Result<nlohmann::json> parse(const std::string& bytes, std::size_t maxBytes) {
    if (bytes.size() > maxBytes) {
        return Error{Error::Code::invalidJson,
                     "the file is larger than " + std::to_string(maxBytes) + " bytes"};
    }
    if (nestingDepth(bytes, maxNestingDepth) > maxNestingDepth) {
        return Error{Error::Code::invalidJson, "the JSON is nested deeper than " +
                                                   std::to_string(maxNestingDepth) + " levels"};
    }
    try {
        return nlohmann::json::parse(bytes);
    } catch (const nlohmann::json::exception& e) {
        return Error{Error::Code::invalidJson, std::string("not valid JSON: ") + e.what()};
    }
}

}  // namespace JsonDocument
