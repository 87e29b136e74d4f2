// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Models/Preset.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <functional>
#include <optional>

namespace {

using nlohmann::json;
using namespace std::chrono_literals;

const Preset::Clock::time_point referenceDate{978307200s};

Preset samplePreset(std::string name = "Holiday photos") {
    RenameRule replace(RuleType::replace);
    replace.findText = "IMG_";
    replace.replaceText = "Holiday ";
    RenameRule numbering(RuleType::numbering);
    numbering.numberingPadding = 4;
    numbering.isEnabled = false;
    return Preset(Uuid::random(), std::move(name), {replace, numbering},
                  referenceDate + 812345678s + 250ms, "photo");
}

TEST(PresetTest, EncodesTheFiveKeys) {
    const Preset preset = samplePreset();
    const json object = preset.toJson();
    ASSERT_EQ(object.size(), 5u);
    EXPECT_EQ(object.at("id"), preset.id.toString());
    EXPECT_EQ(object.at("name"), "Holiday photos");
    EXPECT_EQ(object.at("icon"), "photo");
    ASSERT_TRUE(object.at("rules").is_array());
    EXPECT_EQ(object.at("rules").size(), 2u);
    EXPECT_EQ(object.at("rules")[0], preset.rules[0].toJson());
    ASSERT_TRUE(object.at("createdAt").is_number_float());
    EXPECT_DOUBLE_EQ(object.at("createdAt").get<double>(), 812345678.25);
}

TEST(PresetTest, WritesTheIdInUpperCase) {
    const Preset preset = samplePreset();
    const std::string id = preset.toJson().at("id").get<std::string>();
    ASSERT_EQ(id.size(), 36u);
    for (const char c : id) {
        EXPECT_FALSE(c >= 'a' && c <= 'z') << id;
    }
}

TEST(PresetTest, CountsSecondsFromTheStartOf2001) {
    EXPECT_EQ(Preset::secondsSinceReferenceDate(referenceDate), 0.0);
    EXPECT_EQ(Preset::secondsSinceReferenceDate(Preset::Clock::time_point{}), -978307200.0);
    EXPECT_EQ(Preset::fromSecondsSinceReferenceDate(-0.5), referenceDate - 500ms);
    EXPECT_EQ(Preset::fromSecondsSinceReferenceDate(1e300), std::nullopt);
    EXPECT_EQ(Preset::fromSecondsSinceReferenceDate(std::nan("")), std::nullopt);
}

TEST(PresetTest, RoundTripsThroughJson) {
    const Preset preset = samplePreset();
    const auto decoded = Preset::fromJson(json::parse(preset.toJson().dump()));
    ASSERT_TRUE(decoded.ok()) << decoded.error().detail;
    EXPECT_EQ(*decoded, preset);
}

TEST(PresetTest, MadeNowReadsBackAsTheSameMoment) {
    // The clock ticks in nanoseconds, finer than the double in the file can hold far from
    // 2001; the preset keeps only what the file keeps.
    const Preset preset("Now", {});
    const auto decoded = Preset::fromJson(json::parse(preset.toJson().dump()));
    ASSERT_TRUE(decoded.ok());
    EXPECT_EQ(decoded->createdAt, preset.createdAt);
    EXPECT_EQ(Preset::storedMoment(preset.createdAt), preset.createdAt);
    EXPECT_EQ(preset.icon, "wand.and.stars");
}

struct MomentRow {
    const char* name;
    Preset::Clock::time_point moment;
};

class PresetMomentTest : public testing::TestWithParam<MomentRow> {};

TEST_P(PresetMomentTest, StoredMomentsReadBackUnchanged) {
    const auto stored = Preset::storedMoment(GetParam().moment);
    EXPECT_EQ(Preset::storedMoment(stored), stored);
    EXPECT_EQ(Preset::fromSecondsSinceReferenceDate(Preset::secondsSinceReferenceDate(stored)),
              stored);
    // Within a microsecond of the original anywhere in the clock's useful range.
    EXPECT_LT(std::chrono::abs(stored - GetParam().moment), 1us);
}

const MomentRow momentRows[] = {
    {"ReferenceDate", referenceDate},
    {"OneNanosecondAfter", referenceDate + 1ns},
    {"OneNanosecondBefore", referenceDate - 1ns},
    {"UnixEpochPlus", Preset::Clock::time_point{} + 123456789ns},
    {"Year2025", Preset::Clock::time_point{1735689600s} + 999999999ns},
    {"Year2200", Preset::Clock::time_point{7258118400s} + 123456789ns},
};

INSTANTIATE_TEST_SUITE_P(Rows, PresetMomentTest, testing::ValuesIn(momentRows),
                         [](const auto& row) { return std::string(row.param.name); });

struct DecodeRow {
    const char* name;
    std::function<void(json&)> change;
    std::optional<Error::Code> expected;  // none: decodes
};

class PresetDecodeTest : public testing::TestWithParam<DecodeRow> {};

TEST_P(PresetDecodeTest, DecodesStrictly) {
    const Preset preset = samplePreset();
    json object = preset.toJson();
    GetParam().change(object);
    const auto decoded = Preset::fromJson(object);
    if (GetParam().expected) {
        ASSERT_FALSE(decoded.ok());
        EXPECT_EQ(decoded.error().code, *GetParam().expected) << decoded.error().detail;
    } else {
        ASSERT_TRUE(decoded.ok()) << decoded.error().detail;
        EXPECT_EQ(decoded->id, preset.id);
        EXPECT_EQ(decoded->rules, preset.rules);
    }
}

std::string lowerCase(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

const DecodeRow decodeRows[] = {
    {"Unchanged", [](json&) {}, std::nullopt},
    {"MissingId", [](json& o) { o.erase("id"); }, Error::Code::missingKey},
    {"MissingName", [](json& o) { o.erase("name"); }, Error::Code::missingKey},
    {"MissingRules", [](json& o) { o.erase("rules"); }, Error::Code::missingKey},
    {"MissingCreatedAt", [](json& o) { o.erase("createdAt"); }, Error::Code::missingKey},
    {"MissingIcon", [](json& o) { o.erase("icon"); }, Error::Code::missingKey},
    {"IdNumber", [](json& o) { o["id"] = 7; }, Error::Code::wrongType},
    {"NameNull", [](json& o) { o["name"] = nullptr; }, Error::Code::wrongType},
    {"NameArray", [](json& o) { o["name"] = json::array({"a"}); }, Error::Code::wrongType},
    {"RulesObject", [](json& o) { o["rules"] = json::object(); }, Error::Code::wrongType},
    {"CreatedAtString", [](json& o) { o["createdAt"] = "2024-01-01"; }, Error::Code::wrongType},
    {"CreatedAtBoolean", [](json& o) { o["createdAt"] = true; }, Error::Code::wrongType},
    {"CreatedAtInteger", [](json& o) { o["createdAt"] = 100; }, std::nullopt},
    {"CreatedAtNegative", [](json& o) { o["createdAt"] = -1.5e8; }, std::nullopt},
    {"CreatedAtOutOfRange", [](json& o) { o["createdAt"] = 1e19; }, Error::Code::invalidValue},
    {"IconNumber", [](json& o) { o["icon"] = 1; }, Error::Code::wrongType},
    {"IdTooShort", [](json& o) { o["id"] = "E621E1F8-C36C-495A-93FC-0C247A3E6E5"; },
     Error::Code::invalidValue},
    {"IdWithoutHyphens", [](json& o) { o["id"] = "E621E1F8C36C495A93FC0C247A3E6E5F0000"; },
     Error::Code::invalidValue},
    {"IdNotHex", [](json& o) { o["id"] = "G621E1F8-C36C-495A-93FC-0C247A3E6E5F"; },
     Error::Code::invalidValue},
    {"IdLowerCase", [](json& o) { o["id"] = lowerCase(o["id"].get<std::string>()); }, std::nullopt},
    {"RuleMissingKey", [](json& o) { o["rules"][1].erase("numberingFormat"); },
     Error::Code::missingKey},
    {"RuleUnknownKind", [](json& o) { o["rules"][0]["type"] = "replace text"; },
     Error::Code::invalidValue},
    {"RuleNotObject", [](json& o) { o["rules"][0] = "Replace Text"; }, Error::Code::invalidJson},
    {"ExtraKeyIgnored", [](json& o) { o["colour"] = "blue"; }, std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(Rows, PresetDecodeTest, testing::ValuesIn(decodeRows),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(PresetDecodeTest, RefusesANonObject) {
    EXPECT_FALSE(Preset::fromJson(json::array()).ok());
    EXPECT_FALSE(Preset::fromJson(json("Clean Spaces")).ok());
}

TEST(PresetDecodeTest, NamesTheFailingRule) {
    json object = samplePreset().toJson();
    object["rules"][1].erase("trimWhitespace");
    const auto decoded = Preset::fromJson(object);
    ASSERT_FALSE(decoded.ok());
    EXPECT_NE(decoded.error().detail.find("rule 2"), std::string::npos) << decoded.error().detail;
    EXPECT_NE(decoded.error().detail.find("trimWhitespace"), std::string::npos);
}

struct NameRow {
    const char* name;
    const char* text;
};

class PresetNameTest : public testing::TestWithParam<NameRow> {};

TEST_P(PresetNameTest, KeepsTheNameByteForByte) {
    const Preset preset = samplePreset(GetParam().text);
    const auto decoded = Preset::fromJson(json::parse(preset.toJson().dump()));
    ASSERT_TRUE(decoded.ok());
    EXPECT_EQ(decoded->name, std::string(GetParam().text));
}

const NameRow nameRows[] = {
    {"ComposedNfc", "Caf\xC3\xA9"},
    {"DecomposedNfd", "Cafe\xCC\x81"},
    {"Emoji", "\xF0\x9F\x93\xB7 Fotos \xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x92\xBB"},
    {"QuotesAndBackslash", "a \"b\" \\c/"},
    {"Empty", ""},
};

INSTANTIATE_TEST_SUITE_P(Rows, PresetNameTest, testing::ValuesIn(nameRows),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(PresetNameTest, ComposedAndDecomposedStayDifferent) {
    const auto nfc = Preset::fromJson(samplePreset("Caf\xC3\xA9").toJson());
    const auto nfd = Preset::fromJson(samplePreset("Cafe\xCC\x81").toJson());
    ASSERT_TRUE(nfc.ok() && nfd.ok());
    EXPECT_NE(nfc->name, nfd->name);
}

}  // namespace
