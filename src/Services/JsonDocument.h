// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <nlohmann/json.hpp>

#include <cstddef>
#include <string>

#include "Models/Result.h"

// Reading JSON that came from outside the program (the presets file, a rules file) within
// bounds: input too large or nested too deep is refused with an error rather than parsed,
// since later walks over such a value could exhaust memory or the stack.
namespace JsonDocument {

// JSON nested deeper than this is refused before it reaches the parser.
inline constexpr std::size_t maxNestingDepth = 512;

// The document in `bytes`, or an invalidJson error that says what is wrong with it.
Result<nlohmann::json> parse(const std::string& bytes, std::size_t maxBytes = 64 * 1024 * 1024);

// The deepest nesting of arrays and objects in `bytes`, counted no further than `limit` + 1.
// Brackets inside strings do not count.
std::size_t nestingDepth(const std::string& bytes, std::size_t limit);

}  // namespace JsonDocument
