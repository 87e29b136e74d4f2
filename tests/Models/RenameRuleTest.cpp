// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Models/RenameRule.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Models/RuleKeys.h"

namespace {

using nlohmann::json;

// A rule whose every field differs from its default, so that a field the coder forgets
// cannot pass the round trip by accident.
RenameRule everyFieldSet() {
    RenameRule rule(RuleType::dateStamp);
    rule.isEnabled = false;
    rule.findText = "caf\xC3\xA9 (\\d+)";
    rule.replaceText = "$1 \xF0\x9F\x93\xB7";
    rule.isCaseSensitive = true;
    rule.useRegex = true;
    rule.insertText = "e\xCC\x81";  // NFD
    rule.insertPosition = InsertPosition::afterText;
    rule.insertIndex = -7;
    rule.insertAnchorText = "anchor";
    rule.removeTarget = RemoveTarget::betweenText;
    rule.removeText = "rm";
    rule.removeCount = 9;
    rule.removeFromIndex = 2;
    rule.removeToIndex = INT64_MAX;
    rule.removeBetweenStart = "[";
    rule.removeBetweenEnd = "]";
    rule.caseType = CaseConversionType::snakeCase;
    rule.numberingStart = INT64_MIN;
    rule.numberingStep = 5;
    rule.numberingPadding = 0;
    rule.numberingPosition = NumberingPosition::replace;
    rule.numberingSeparator = "-";
    rule.numberingFormat = "%05d";
    rule.dateFormat = "dd.MM.yy";
    rule.datePosition = InsertPosition::atIndex;
    rule.newExtension = ".jpg";
    rule.replaceSpacesWithUnderscores = true;
    rule.removeSpecialChars = true;
    rule.removeDuplicateSpaces = false;
    rule.trimWhitespace = false;
    rule.transliterateToASCII = true;
    rule.makeWindowsSafe = true;
    rule.numberingResetPerFolder = true;
    rule.numberingShareBaseName = true;
    return rule;
}

TEST(RenameRuleTest, DefaultsOfAFreshRule) {
    const RenameRule rule(RuleType::numbering);
    EXPECT_TRUE(rule.isEnabled);
    EXPECT_FALSE(rule.isCaseSensitive);
    EXPECT_EQ(rule.numberingStart, 1);
    EXPECT_EQ(rule.numberingStep, 1);
    EXPECT_EQ(rule.numberingPadding, 3);
    EXPECT_EQ(rule.numberingPosition, NumberingPosition::suffix);
    EXPECT_EQ(rule.numberingSeparator, "_");
    EXPECT_EQ(rule.numberingFormat, "%03d");
    EXPECT_EQ(rule.dateFormat, "yyyy-MM-dd");
    EXPECT_EQ(rule.datePosition, InsertPosition::end);
    EXPECT_EQ(rule.caseType, CaseConversionType::titleCase);
    EXPECT_EQ(rule.removeCount, 1);
    EXPECT_TRUE(rule.removeDuplicateSpaces);
    EXPECT_TRUE(rule.trimWhitespace);
    EXPECT_FALSE(rule.replaceSpacesWithUnderscores);
    EXPECT_FALSE(rule.removeSpecialChars);
    EXPECT_NE(rule.id, RenameRule(RuleType::numbering).id);
}

TEST(RenameRuleTest, EncodingWritesEveryKeyWithTheIdInUpperCase) {
    const json object = everyFieldSet().toJson();
    EXPECT_EQ(object.size(), RuleKeys::all().size());
    const std::string id = object.at("id").get<std::string>();
    EXPECT_EQ(id.size(), 36u);
    EXPECT_EQ(id.find_first_of("abcdef"), std::string::npos);
    EXPECT_EQ(object.at("type"), "Add Date/Time");
    EXPECT_EQ(object.at("removeTarget"), "Between Two Strings");
    EXPECT_EQ(object.at("caseType"), "snake_case");
    EXPECT_EQ(object.at("numberingPosition"), "Replace Name");
    EXPECT_EQ(object.at("datePosition"), "At Position");
}

TEST(RenameRuleTest, RoundTripKeepsEveryField) {
    const RenameRule rule = everyFieldSet();
    // Through text as well, as the presets file stores it.
    auto decoded = RenameRule::fromJson(json::parse(rule.toJson().dump()));
    ASSERT_TRUE(decoded.ok()) << decoded.error().detail;
    EXPECT_EQ(*decoded, rule);
}

TEST(RenameRuleTest, EqualityComparesFieldsAndHashUsesIdAlone) {
    RenameRule a(RuleType::replace);
    RenameRule b = a;
    b.findText = "other";
    EXPECT_NE(a, b);
    EXPECT_EQ(std::hash<RenameRule>{}(a), std::hash<RenameRule>{}(b));
}

TEST(RenameRuleTest, UnknownKeysAreIgnoredAndTheIdMayBeLowerCase) {
    const RenameRule rule = everyFieldSet();
    json object = rule.toJson();
    object["somethingNew"] = 42;
    std::string id = object["id"];
    for (char& c : id) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    object["id"] = id;
    auto decoded = RenameRule::fromJson(object);
    ASSERT_TRUE(decoded.ok()) << decoded.error().detail;
    EXPECT_EQ(decoded->id, rule.id);
}

struct BadRule {
    std::string name;
    std::string key;
    json value;  // discarded JSON: the key is removed
    Error::Code code;
};

class RenameRuleStrictDecodingTest : public ::testing::TestWithParam<BadRule> {};

TEST_P(RenameRuleStrictDecodingTest, FailsNamingTheKey) {
    const auto& row = GetParam();
    json object = everyFieldSet().toJson();
    if (row.value.is_discarded()) {
        object.erase(row.key);
    } else {
        object[row.key] = row.value;
    }
    auto decoded = RenameRule::fromJson(object);
    ASSERT_FALSE(decoded.ok());
    EXPECT_EQ(decoded.error().code, row.code);
    EXPECT_NE(decoded.error().detail.find("\"" + row.key + "\""), std::string::npos)
        << decoded.error().detail;
}

std::vector<BadRule> badRules() {
    const json discarded = json(json::value_t::discarded);
    std::vector<BadRule> rows;
    // Every required key missing, one at a time; a later key is mistyped instead.
    const json full = everyFieldSet().toJson();
    for (const auto& [key, value] : full.items()) {
        if (RuleKeys::find(key)->required()) {
            rows.push_back({"Missing_" + key, key, discarded, Error::Code::missingKey});
        } else {
            rows.push_back({"Mistyped_" + key, key, json::array(), Error::Code::wrongType});
        }
    }
    const auto add = [&](std::string name, std::string key, json value, Error::Code code) {
        rows.push_back({std::move(name), std::move(key), std::move(value), code});
    };
    using C = Error::Code;
    add("NullString", "findText", nullptr, C::wrongType);
    add("NumberForString", "numberingFormat", 3, C::wrongType);
    add("StringForBool", "isEnabled", "true", C::wrongType);
    add("NumberForBool", "useRegex", 1, C::wrongType);
    add("NullBool", "trimWhitespace", nullptr, C::wrongType);
    add("FractionForInt", "insertIndex", 1.5, C::wrongType);
    add("WholeFloatForInt", "removeCount", 2.0, C::wrongType);
    add("StringForInt", "numberingStart", "1", C::wrongType);
    add("BoolForInt", "numberingStep", true, C::wrongType);
    add("IntBeyond64Bits", "numberingPadding", json(std::uint64_t{1} << 63), C::invalidValue);
    add("NumberForEnum", "type", 0, C::wrongType);
    add("KindInLowerCase", "type", "replace text", C::invalidValue);
    add("KindShortened", "type", "Replace", C::invalidValue);
    add("KindWithSpace", "type", "Replace Text ", C::invalidValue);
    add("CaseStyleOtherCase", "caseType", "uppercase", C::invalidValue);
    add("PositionUnknown", "insertPosition", "Middle", C::invalidValue);
    add("DatePositionUnknown", "datePosition", "", C::invalidValue);
    add("RemoveTargetUnknown", "removeTarget", "Text", C::invalidValue);
    add("NumberingPositionUnknown", "numberingPosition", "prefix", C::invalidValue);
    add("UuidShort", "id", "1234", C::invalidValue);
    add("UuidNoHyphens", "id", "0123456789ABCDEF0123456789ABCDEF", C::invalidValue);
    add("UuidBadDigit", "id", "G1234567-89AB-CDEF-0123-456789ABCDEF", C::invalidValue);
    add("UuidBraced", "id", "{01234567-89AB-CDEF-0123-456789ABCDEF}", C::invalidValue);
    add("UuidHyphensMisplaced", "id", "01234567-89ABC-DEF0-123-456789ABCDEF", C::invalidValue);
    add("UuidPadded", "id", " 01234567-89AB-CDEF-0123-456789ABCDEF", C::invalidValue);
    add("UuidTooLong", "id", "01234567-89AB-CDEF-0123-456789ABCDEF0", C::invalidValue);
    add("UuidNumber", "id", 7, C::wrongType);
    add("UuidNull", "id", nullptr, C::wrongType);
    return rows;
}

INSTANTIATE_TEST_SUITE_P(, RenameRuleStrictDecodingTest, ::testing::ValuesIn(badRules()),
                         [](const auto& row) { return row.param.name; });

TEST(RenameRuleTest, ANonObjectDoesNotDecode) {
    EXPECT_FALSE(RenameRule::fromJson(json::array()).ok());
    EXPECT_FALSE(RenameRule::fromJson(json("rule")).ok());
}

TEST(RuleTypeTest, RawValuesAndOrder) {
    const auto cases = allCases<RuleType>();
    ASSERT_EQ(cases.size(), 11u);
    EXPECT_EQ(rawValue(cases[0]), "Replace Text");
    EXPECT_EQ(rawValue(cases[4]), "Sequential Numbering");
    EXPECT_EQ(rawValue(cases[9]), "Regular Expression");
    EXPECT_EQ(rawValue(cases[10]), "Template");
    for (auto kind : cases) {
        EXPECT_EQ(fromRawValue<RuleType>(rawValue(kind)), kind);
    }
    EXPECT_EQ(fromRawValue<RuleType>("Add Date/time"), std::nullopt);
}

}  // namespace

// A key added after the first format reads as its default when absent and is checked when
// present, while the keys of the first format stay required. The table stands in a key of a
// later format for "numberingFormat".
TEST(RuleKeysTest, LaterKeysAreOptionalAndFirstFormatKeysRequired) {
    std::vector<RuleKey> keys(RuleKeys::all().begin(), RuleKeys::all().end());
    for (auto& key : keys) {
        if (key.name == "numberingFormat") {
            key.sinceFormat = 2;
        }
    }
    const json stored = RenameRule(RuleType::numbering).toJson();
    struct Case {
        const char* what;
        std::function<void(json&)> change;
        std::optional<Error::Code> error;  // none: decodes
        std::string numberingFormat;       // when it decodes
        int format;                        // formatOf the decoded rule
    };
    const std::vector<Case> cases = {
        {"later key absent", [](json& o) { o.erase("numberingFormat"); }, {}, "%03d", 1},
        {"later key given", [](json& o) { o["numberingFormat"] = "%05d"; }, {}, "%05d", 2},
        {"later key of the wrong type", [](json& o) { o["numberingFormat"] = 5; },
         Error::Code::wrongType, "", 0},
        {"later key null", [](json& o) { o["numberingFormat"] = nullptr; }, Error::Code::wrongType,
         "", 0},
        {"first-format key absent", [](json& o) { o.erase("numberingSeparator"); },
         Error::Code::missingKey, "", 0},
        {"unknown key", [](json& o) { o["numberingSkipsGaps"] = true; }, {}, "%03d", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        json object = stored;
        c.change(object);
        const auto rule = RuleKeys::decode(object, keys);
        if (c.error) {
            ASSERT_FALSE(rule.ok());
            EXPECT_EQ(rule.error().code, *c.error);
            continue;
        }
        ASSERT_TRUE(rule.ok()) << rule.error().detail;
        EXPECT_EQ(rule->numberingFormat, c.numberingFormat);
        EXPECT_EQ(RuleKeys::formatOf(*rule, keys), c.format);
        // Every key is written back, the later one included.
        EXPECT_EQ(RuleKeys::encode(*rule, keys).size(), keys.size());
    }
    // The program's own table: the 32 keys of the first format, then the template's text, the
    // two cleanup keys for drives of other systems and the numbering options.
    EXPECT_EQ(RuleKeys::newestFormat(), 2);
    EXPECT_EQ(RuleKeys::all().size(), 37u);
    EXPECT_EQ(RuleKeys::find("templateText")->sinceFormat, 2);
    EXPECT_EQ(RuleKeys::find("transliterateToASCII")->sinceFormat, 2);
    EXPECT_EQ(RuleKeys::find("makeWindowsSafe")->sinceFormat, 2);
    EXPECT_EQ(RuleKeys::find("numberingResetPerFolder")->sinceFormat, 2);
}
