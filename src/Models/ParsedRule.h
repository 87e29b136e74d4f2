// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

#include "Models/RenameRule.h"

// One suggestion of the phrase parser: a ready-made rule, the fixed confidence of the phrase
// form that produced it and a one-line description for display.
struct ParsedRule {
    RenameRule rule;
    double confidence = 0.0;
    std::string description;
};
