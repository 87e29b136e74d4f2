// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Services/RuleKinds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "Models/EnumCases.h"
#include "Models/RuleKeys.h"

namespace {

using Field = RuleKindInfo::Field;

bool listed(const std::vector<std::string_view>& keys, std::string_view key) {
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

}  // namespace

// Every kind is described completely and consistently: what the window, the engine and the
// decoder read of a description must be there, and every key it names must exist.
TEST(RuleKindsTest, EveryKindIsDescribedConsistently) {
    ASSERT_EQ(RuleKinds::all().size(), allCases<RuleType>().size());
    std::set<std::string_view> symbols;
    for (const RuleType type : allCases<RuleType>()) {
        const RuleKindInfo& kind = RuleKinds::info(type);
        SCOPED_TRACE(std::string(rawValue(type)));
        EXPECT_EQ(kind.type, type);
        EXPECT_FALSE(kind.systemImage.empty());
        EXPECT_FALSE(kind.themeIcon.empty());
        EXPECT_FALSE(kind.badge.empty());
        EXPECT_TRUE(symbols.insert(kind.systemImage).second) << "icon shared with another kind";
        EXPECT_NE(kind.summary, nullptr);
        EXPECT_TRUE(kind.apply != nullptr || kind.setsExtension) << "a kind that does nothing";
        EXPECT_FALSE(kind.fields.empty()) << "an editor with nothing in it";
        EXPECT_GE(kind.sinceFormat, 1);
        EXPECT_LE(kind.sinceFormat, RuleKinds::newestFormat());
        for (const auto key : kind.keys) {
            EXPECT_NE(RuleKeys::find(key), nullptr) << key;
        }
        for (const Field& field : kind.fields) {
            EXPECT_NE(*field.label, '\0');
            if (field.kind == Field::Kind::note || field.kind == Field::Kind::hint ||
                field.kind == Field::Kind::example) {
                continue;
            }
            EXPECT_NE(RuleKeys::find(field.key), nullptr) << field.key;
            EXPECT_TRUE(listed(kind.keys, field.key)) << field.key << " edited but not read";
            if (field.kind == Field::Kind::number) {
                EXPECT_LT(field.minimum, field.maximum) << field.key;
            }
        }
        if (!kind.modeKey.empty()) {
            const auto mode = std::find_if(kind.fields.begin(), kind.fields.end(),
                                           [&](const Field& f) { return f.key == kind.modeKey; });
            ASSERT_NE(mode, kind.fields.end());
            EXPECT_EQ(mode->kind, Field::Kind::choice);
        }
        // A fresh rule of the kind needs only the format of its kind and has a summary.
        const RenameRule fresh(type);
        EXPECT_EQ(RuleKinds::formatOf(fresh), kind.sinceFormat);
        EXPECT_FALSE(kind.summary(fresh).parts.empty());
    }
    // Exactly one kind gives the extension.
    EXPECT_EQ(std::count_if(RuleKinds::all().begin(), RuleKinds::all().end(),
                            [](const RuleKindInfo* k) { return k->setsExtension; }),
              1);
}
