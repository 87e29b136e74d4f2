// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <optional>
#include <string>

// Why a regular expression (ICU syntax) does not compile, in ICU's words with the place of
// the fault, or none when it compiles. The empty pattern compiles.
std::optional<QString> patternProblem(const std::string& pattern);
