// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <unicode/unistr.h>

#include <cstdint>
#include <vector>

// Boundaries of user-perceived characters (extended grapheme clusters) in UTF-16 text.
namespace Graphemes {

// Every cluster boundary of `text` in ascending order: 0 first, text.length() last; the
// cluster k spans [b[k], b[k+1]). The empty text gives {0}.
std::vector<std::int32_t> boundaries(const icu::UnicodeString& text);

}  // namespace Graphemes
