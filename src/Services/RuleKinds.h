// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <vector>

#include "Services/RuleKindInfo.h"

// The descriptions of the rule kinds.
namespace RuleKinds {

// The description of `type`.
const RuleKindInfo& info(RuleType type);
// Every description, in the order of the kinds.
const std::vector<const RuleKindInfo*>& all();
// The newest presets format any kind or key needs: the newest format this program reads
// completely.
int newestFormat();
// The oldest format that holds `rule` without loss (its kind's, or that of a key it uses).
int formatOf(const RenameRule& rule);

}  // namespace RuleKinds
