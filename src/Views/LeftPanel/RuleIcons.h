// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QIcon>

#include <string_view>

#include "Models/RuleType.h"

// Icons of the rule panel, named by the symbol names the records carry ("scissors",
// "wand.and.stars", ...). Each name maps to a freedesktop theme icon; where the theme has
// none, a small drawn badge stands in, so an icon is never empty.
namespace RuleIcons {

// The icon for a symbol name; unknown names get a generic badge.
QIcon forSymbol(std::string_view symbolName);

// The icon shown beside a rule kind (its systemImage).
QIcon forRuleType(RuleType type);

}  // namespace RuleIcons
