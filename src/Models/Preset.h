// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "Models/RenameRule.h"
#include "Models/Result.h"
#include "Models/Uuid.h"

// A named, saved list of rules. Saving and deleting match presets by `id`.
struct Preset {
    using Clock = std::chrono::system_clock;

    // A new preset with a fresh id, made now, with the default icon.
    Preset(std::string presetName, std::vector<RenameRule> presetRules);
    // `madeAt` is kept to the precision of the file (see storedMoment), so that a preset
    // written and read back compares equal.
    Preset(Uuid presetId, std::string presetName, std::vector<RenameRule> presetRules,
           Clock::time_point madeAt, std::string presetIcon = "wand.and.stars");

    Uuid id;
    std::string name;
    std::vector<RenameRule> rules;
    Clock::time_point createdAt;
    std::string icon;

    friend bool operator==(const Preset&, const Preset&) = default;

    // The object with the five keys of the presets file; "createdAt" is seconds since
    // 2001-01-01T00:00:00Z as a floating-point number.
    nlohmann::json toJson() const;
    // Strict decoding: all five keys required and type-checked, rules as RenameRule::fromJson.
    static Result<Preset> fromJson(const nlohmann::json& object);

    // Seconds from 2001-01-01T00:00:00Z to `moment` (negative before it).
    static double secondsSinceReferenceDate(Clock::time_point moment);
    // The moment `seconds` after 2001-01-01T00:00:00Z to the nearest clock tick; none when it
    // is not finite or lies outside the clock's range.
    static std::optional<Clock::time_point> fromSecondsSinceReferenceDate(double seconds);
    // `moment` as it reads back from the file: rounded through the floating-point seconds.
    static Clock::time_point storedMoment(Clock::time_point moment);
};
