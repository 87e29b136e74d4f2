// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Models/RenameRule.h"

#include <nlohmann/json.hpp>

#include "Models/RuleKeys.h"

nlohmann::json RenameRule::toJson() const {
    return RuleKeys::encode(*this);
}

Result<RenameRule> RenameRule::fromJson(const nlohmann::json& object) {
    return RuleKeys::decode(object);
}
