// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <span>

#include <nlohmann/json_fwd.hpp>

#include "Models/RenameRule.h"
#include "Models/Result.h"
#include "Models/RuleKey.h"

// The keys of the stored rule object, in field order. A new option is one line in this
// table, with the format that introduces it; the decoder, the encoder, the window's rule
// editors and the fuzzer all go by it.
namespace RuleKeys {

// Every key, in field order.
std::span<const RuleKey> all();
// The key named `name`, or null.
const RuleKey* find(std::string_view name);
// The highest format of any key: the newest presets format this program reads completely.
int newestFormat();

// The object with every key of `keys`, each with the field's current value.
nlohmann::json encode(const RenameRule& rule, std::span<const RuleKey> keys = all());
// Reads `keys` from `object`: a key of format 1 must be present, a later one takes the
// field's default when absent; present keys are type-checked; other keys are ignored. The
// error names the first key that is wrong.
Result<RenameRule> decode(const nlohmann::json& object, std::span<const RuleKey> keys = all());
// The oldest format that holds `rule` without loss: the highest format among the keys whose
// value differs from the default (1 when none does).
int formatOf(const RenameRule& rule, std::span<const RuleKey> keys = all());

}  // namespace RuleKeys
