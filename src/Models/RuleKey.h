// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "Models/CaseConversionType.h"
#include "Models/InsertPosition.h"
#include "Models/NumberingPosition.h"
#include "Models/RemoveTarget.h"
#include "Models/RuleType.h"
#include "Models/Uuid.h"

struct RenameRule;

// One key of the stored rule object: its name, the field of RenameRule it holds, and the
// presets format that introduced it. Keys of format 1 are required when a rule is read; a
// key of a later format is optional and reads as the field's default when absent, so that
// every file written before it still reads.
struct RuleKey {
    using Field = std::variant<Uuid RenameRule::*, RuleType RenameRule::*, bool RenameRule::*,
                               std::string RenameRule::*, std::int64_t RenameRule::*,
                               InsertPosition RenameRule::*, RemoveTarget RenameRule::*,
                               CaseConversionType RenameRule::*, NumberingPosition RenameRule::*>;

    std::string_view name;
    Field field;
    int sinceFormat = 1;

    bool required() const { return sinceFormat <= 1; }
};
