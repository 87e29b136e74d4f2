// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Models/RuleKeys.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <optional>

#include "Models/EnumCases.h"

namespace {

using nlohmann::json;
using R = RenameRule;

// The 32 keys of the first format, then the later ones, each with the format that added it.
const std::array<RuleKey, 37> kKeys{{
    {"id", &R::id},
    {"type", &R::type},
    {"isEnabled", &R::isEnabled},
    {"findText", &R::findText},
    {"replaceText", &R::replaceText},
    {"isCaseSensitive", &R::isCaseSensitive},
    {"useRegex", &R::useRegex},
    {"insertText", &R::insertText},
    {"insertPosition", &R::insertPosition},
    {"insertIndex", &R::insertIndex},
    {"insertAnchorText", &R::insertAnchorText},
    {"removeTarget", &R::removeTarget},
    {"removeText", &R::removeText},
    {"removeCount", &R::removeCount},
    {"removeFromIndex", &R::removeFromIndex},
    {"removeToIndex", &R::removeToIndex},
    {"removeBetweenStart", &R::removeBetweenStart},
    {"removeBetweenEnd", &R::removeBetweenEnd},
    {"caseType", &R::caseType},
    {"numberingStart", &R::numberingStart},
    {"numberingStep", &R::numberingStep},
    {"numberingPadding", &R::numberingPadding},
    {"numberingPosition", &R::numberingPosition},
    {"numberingSeparator", &R::numberingSeparator},
    {"numberingFormat", &R::numberingFormat},
    {"dateFormat", &R::dateFormat},
    {"datePosition", &R::datePosition},
    {"newExtension", &R::newExtension},
    {"replaceSpacesWithUnderscores", &R::replaceSpacesWithUnderscores},
    {"removeSpecialChars", &R::removeSpecialChars},
    {"removeDuplicateSpaces", &R::removeDuplicateSpaces},
    {"trimWhitespace", &R::trimWhitespace},
    {"templateText", &R::templateText, 2},
    {"transliterateToASCII", &R::transliterateToASCII, 2},
    {"makeWindowsSafe", &R::makeWindowsSafe, 2},
    {"numberingResetPerFolder", &R::numberingResetPerFolder, 2},
    {"numberingShareBaseName", &R::numberingShareBaseName, 2},
}};

Error keyError(Error::Code code, std::string_view key, const std::string& what) {
    return Error{code, "key \"" + std::string(key) + "\" " + what};
}

// Reads one present value into `out`; the error says what is wrong with it.
std::optional<Error> read(const json& v, std::string_view key, std::string& out) {
    if (!v.is_string()) {
        return keyError(Error::Code::wrongType, key, "must be a string");
    }
    out = v.get<std::string>();
    return std::nullopt;
}

std::optional<Error> read(const json& v, std::string_view key, bool& out) {
    if (!v.is_boolean()) {
        return keyError(Error::Code::wrongType, key, "must be true or false");
    }
    out = v.get<bool>();
    return std::nullopt;
}

std::optional<Error> read(const json& v, std::string_view key, std::int64_t& out) {
    if (!v.is_number_integer()) {
        return keyError(Error::Code::wrongType, key, "must be an integer");
    }
    // Unsigned values above the signed range do not fit 64 bits.
    if (v.is_number_unsigned() && v.get<std::uint64_t>() > static_cast<std::uint64_t>(INT64_MAX)) {
        return keyError(Error::Code::invalidValue, key, "is too large for a 64-bit integer");
    }
    out = v.get<std::int64_t>();
    return std::nullopt;
}

std::optional<Error> read(const json& v, std::string_view key, Uuid& out) {
    if (!v.is_string()) {
        return keyError(Error::Code::wrongType, key, "must be a string");
    }
    auto id = Uuid::fromString(v.get<std::string>());
    if (!id) {
        return keyError(Error::Code::invalidValue, key, "is not a UUID");
    }
    out = *id;
    return std::nullopt;
}

template <typename E>
std::optional<Error> read(const json& v, std::string_view key, E& out) {
    if (!v.is_string()) {
        return keyError(Error::Code::wrongType, key, "must be a string");
    }
    const auto& raw = v.get_ref<const std::string&>();
    auto value = fromRawValue<E>(raw);
    if (!value) {
        return keyError(Error::Code::invalidValue, key, "has the unknown value \"" + raw + "\"");
    }
    out = *value;
    return std::nullopt;
}

json stored(const Uuid& value) {
    return value.toString();
}
template <typename T>
json stored(const T& value) {
    if constexpr (std::is_enum_v<T>) {
        return rawValue(value);
    } else {
        return value;
    }
}

}  // namespace

namespace RuleKeys {

std::span<const RuleKey> all() {
    return kKeys;
}

const RuleKey* find(std::string_view name) {
    const auto found =
        std::find_if(kKeys.begin(), kKeys.end(), [&](const RuleKey& k) { return k.name == name; });
    return found != kKeys.end() ? &*found : nullptr;
}

int newestFormat() {
    int newest = 1;
    for (const auto& key : kKeys) {
        newest = std::max(newest, key.sinceFormat);
    }
    return newest;
}

nlohmann::json encode(const RenameRule& rule, std::span<const RuleKey> keys) {
    json object = json::object();
    for (const auto& key : keys) {
        std::visit([&](auto field) { object[std::string(key.name)] = stored(rule.*field); },
                   key.field);
    }
    return object;
}

Result<RenameRule> decode(const nlohmann::json& object, std::span<const RuleKey> keys) {
    if (!object.is_object()) {
        return Error{Error::Code::invalidJson, "a rule must be a JSON object"};
    }
    // Absent optional keys keep the constructor's defaults.
    RenameRule rule(RuleType::replace);
    for (const auto& key : keys) {
        const auto it = object.find(key.name);
        if (it == object.end()) {
            if (key.required()) {
                return keyError(Error::Code::missingKey, key.name, "is missing");
            }
            continue;
        }
        auto problem =
            std::visit([&](auto field) { return read(*it, key.name, rule.*field); }, key.field);
        if (problem) {
            return *problem;
        }
    }
    return rule;
}

int formatOf(const RenameRule& rule, std::span<const RuleKey> keys) {
    const RenameRule fresh(rule.type);
    int format = 1;
    for (const auto& key : keys) {
        if (key.sinceFormat > format &&
            std::visit([&](auto field) { return !(rule.*field == fresh.*field); }, key.field)) {
            format = key.sinceFormat;
        }
    }
    return format;
}

}  // namespace RuleKeys
