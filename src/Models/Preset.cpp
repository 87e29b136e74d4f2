// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Models/Preset.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <string_view>

namespace {

using nlohmann::json;

// 2001-01-01T00:00:00Z in seconds after the Unix epoch.
constexpr std::int64_t referenceDateUnixSeconds = 978307200;

// Farther than this from the reference date a moment does not fit the clock's 64-bit
// nanosecond count (about 292 years either side of 1970), so such a file value is refused.
constexpr double maxReferenceSeconds = 8.0e9;

Preset::Clock::time_point referenceDate() {
    return Preset::Clock::time_point(std::chrono::seconds(referenceDateUnixSeconds));
}

Error keyError(Error::Code code, std::string_view key, std::string_view what) {
    return Error{code, "key \"" + std::string(key) + "\" " + std::string(what)};
}

// The value under `key` when present and of the wanted type, else the error that says why not.
Result<const json*> field(const json& object, std::string_view key, const char* expected,
                          bool (json::*is)() const noexcept) {
    const auto it = object.find(key);
    if (it == object.end()) {
        return keyError(Error::Code::missingKey, key, "is missing");
    }
    if (!((*it).*is)()) {
        return keyError(Error::Code::wrongType, key, std::string("must be ") + expected);
    }
    return &*it;
}

}  // namespace

Preset::Preset(std::string presetName, std::vector<RenameRule> presetRules)
    : Preset(Uuid::random(), std::move(presetName), std::move(presetRules), Clock::now()) {}

Preset::Preset(Uuid presetId, std::string presetName, std::vector<RenameRule> presetRules,
               Clock::time_point madeAt, std::string presetIcon)
    : id(presetId),
      name(std::move(presetName)),
      rules(std::move(presetRules)),
      createdAt(storedMoment(madeAt)),
      icon(std::move(presetIcon)) {}

double Preset::secondsSinceReferenceDate(Clock::time_point moment) {
    // Whole seconds and the nanoseconds within them apart: a nanosecond count this large
    // does not fit a double's 53 bits, so converting it in one piece would round twice.
    const auto sinceReference = moment - referenceDate();
    const auto whole = std::chrono::floor<std::chrono::seconds>(sinceReference);
    const auto fraction =
        std::chrono::duration_cast<std::chrono::nanoseconds>(sinceReference - whole);
    return static_cast<double>(whole.count()) + static_cast<double>(fraction.count()) / 1e9;
}

std::optional<Preset::Clock::time_point> Preset::fromSecondsSinceReferenceDate(double seconds) {
    if (!std::isfinite(seconds) || std::fabs(seconds) > maxReferenceSeconds) {
        return std::nullopt;
    }
    // The fraction of a double is exact; scaling only the fraction keeps nanosecond precision.
    const double whole = std::floor(seconds);
    const auto nanoseconds = std::llround((seconds - whole) * 1e9);
    return referenceDate() + std::chrono::seconds(static_cast<std::int64_t>(whole)) +
           std::chrono::duration_cast<Clock::duration>(std::chrono::nanoseconds(nanoseconds));
}

Preset::Clock::time_point Preset::storedMoment(Clock::time_point moment) {
    // Rounding to the nearest tick and back lands on the same double again, so this is
    // idempotent and a decoded moment equals the one that was encoded.
    return fromSecondsSinceReferenceDate(secondsSinceReferenceDate(moment)).value_or(moment);
}

nlohmann::json Preset::toJson() const {
    json encodedRules = json::array();
    for (const auto& rule : rules) {
        encodedRules.push_back(rule.toJson());
    }
    return json{
        {"id", id.toString()},
        {"name", name},
        {"rules", std::move(encodedRules)},
        {"createdAt", secondsSinceReferenceDate(createdAt)},
        {"icon", icon},
    };
}

Result<Preset> Preset::fromJson(const nlohmann::json& object) {
    if (!object.is_object()) {
        return Error{Error::Code::invalidJson, "a preset must be a JSON object"};
    }
    // Every key is checked before any value is used, in the order of the file format, so the
    // error names the first key that is wrong.
    const auto idField = field(object, "id", "a string", &json::is_string);
    if (!idField) {
        return idField.error();
    }
    const auto id = Uuid::fromString((*idField)->get_ref<const std::string&>());
    if (!id) {
        return keyError(Error::Code::invalidValue, "id", "is not a UUID");
    }
    const auto nameField = field(object, "name", "a string", &json::is_string);
    if (!nameField) {
        return nameField.error();
    }
    const auto rulesField = field(object, "rules", "an array", &json::is_array);
    if (!rulesField) {
        return rulesField.error();
    }
    std::vector<RenameRule> rules;
    rules.reserve((*rulesField)->size());
    for (std::size_t index = 0; index < (*rulesField)->size(); ++index) {
        auto rule = RenameRule::fromJson((**rulesField)[index]);
        if (!rule) {
            Error error = rule.error();
            error.detail = "rule " + std::to_string(index + 1) + ": " + error.detail;
            return error;
        }
        rules.push_back(std::move(*rule));
    }
    const auto createdField = field(object, "createdAt", "a number", &json::is_number);
    if (!createdField) {
        return createdField.error();
    }
    const auto createdAt = fromSecondsSinceReferenceDate((*createdField)->get<double>());
    if (!createdAt) {
        return keyError(Error::Code::invalidValue, "createdAt", "is not a representable moment");
    }
    const auto iconField = field(object, "icon", "a string", &json::is_string);
    if (!iconField) {
        return iconField.error();
    }
    return Preset(*id, (*nameField)->get<std::string>(), std::move(rules), *createdAt,
                  (*iconField)->get<std::string>());
}
