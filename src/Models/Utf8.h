// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>

// Helpers for byte strings that should hold UTF-8 (Linux file names are arbitrary bytes).
namespace Utf8 {

// Whether `bytes` is well-formed UTF-8 (no overlong forms, no surrogates, at most U+10FFFF).
bool isValid(std::string_view bytes);

// `bytes` with every ill-formed sequence replaced by U+FFFD; valid input comes back as it is.
std::string toValid(std::string_view bytes);

// `bytes` as a terminal or a window can show it without acting on it or hiding it: C0
// controls, DEL, C1 controls and the bidirectional embedding, override and isolate controls
// (U+202A–U+202E, U+2066–U+2069) written as escapes (\e, \n, \r, \t, \x07, \x7f, \u0085,
// \u202e), every byte of an ill-formed sequence as \xNN and a backslash as \\, so that no
// two names look alike. Everything else comes back as it is.
std::string escapeControls(std::string_view bytes);

}  // namespace Utf8
