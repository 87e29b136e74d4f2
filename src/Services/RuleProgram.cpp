// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Services/RuleProgram.h"

#include <unicode/locid.h>

#include <string>

#include "Services/RuleKinds.h"

namespace {

// A pathological pattern must give up rather than freeze the program. ICU counts time in
// steps of its match engine, roughly milliseconds each.
constexpr int32_t kMatchTimeLimit = 50;
constexpr int32_t kMatchStackLimit = 1 << 20;

// A fresh word break iterator without locale; cloning a kept one is far cheaper than
// building one from the rule data. Null when ICU cannot make one (title-casing then makes
// its own).
std::unique_ptr<icu::BreakIterator> makeWordIterator() {
    static const std::unique_ptr<icu::BreakIterator> prototype = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::BreakIterator> it(
            icu::BreakIterator::createWordInstance(icu::Locale::getRoot(), status));
        return U_SUCCESS(status) ? std::move(it) : nullptr;
    }();
    return prototype ? std::unique_ptr<icu::BreakIterator>(prototype->clone()) : nullptr;
}

}  // namespace

RuleProgram::RuleProgram(const std::vector<RenameRule>& rules,
                         std::chrono::system_clock::time_point now) {
    rules_.reserve(rules.size());
    for (std::size_t position = 1; position <= rules.size(); ++position) {
        const RenameRule& rule = rules[position - 1];
        if (!rule.isEnabled) {
            continue;
        }
        if (RuleKinds::info(rule.type).setsExtension) {
            // Only the last enabled extension rule counts, wherever it stands.
            newExtension_ = rule.newExtension;
            continue;
        }
        if (rule.type == RuleType::numbering &&
            (rule.numberingResetPerFolder || rule.numberingShareBaseName)) {
            countsByFolderOrName_ = true;
        }
        auto prepared = std::make_unique<PreparedRule>(rule, now);
        const RuleKindInfo& kind = RuleKinds::info(rule.type);
        if (kind.reads != nullptr) {
            metadataParts_ |= kind.reads(*prepared);
        }
        if (kind.countsByGroup != nullptr && kind.countsByGroup(*prepared)) {
            countsByFolderOrName_ = true;
        }
        if (prepared->invalid) {
            prepared->invalid->detail =
                "Rule " + std::to_string(position) + ": " + prepared->invalid->detail;
        }
        rules_.push_back(std::move(prepared));
    }
}

RuleProgram::Scratch RuleProgram::makeScratch() const {
    Scratch scratch;
    scratch.matchers.resize(rules_.size());
    scratch.words.resize(rules_.size());
    for (std::size_t i = 0; i < rules_.size(); ++i) {
        const auto needsWords = RuleKinds::info(rules_[i]->rule.type).needsWords;
        if (needsWords != nullptr && needsWords(rules_[i]->rule)) {
            scratch.words[i] = makeWordIterator();
        }
        if (const auto& pattern = rules_[i]->pattern) {
            UErrorCode status = U_ZERO_ERROR;
            std::unique_ptr<icu::RegexMatcher> matcher(pattern->matcher(status));
            if (U_SUCCESS(status)) {
                matcher->setTimeLimit(kMatchTimeLimit, status);
                matcher->setStackLimit(kMatchStackLimit, status);
                scratch.matchers[i] = std::move(matcher);
            }
        }
    }
    return scratch;
}

icu::UnicodeString RuleProgram::applyRules(icu::UnicodeString name,
                                           const NumberingOrdinals::Ordinals& ordinals,
                                           Scratch& scratch, const ItemFacts* facts) const {
    scratch.problem.reset();
    const icu::UnicodeString given = name;
    for (std::size_t i = 0; i < rules_.size(); ++i) {
        const PreparedRule& rule = *rules_[i];
        if (const auto apply = RuleKinds::info(rule.rule.type).apply) {
            RuleKindInfo::Context context{scratch.matchers[i].get(),
                                          scratch.words[i].get(),
                                          ordinals.of({}),
                                          &scratch.problem,
                                          facts,
                                          ordinals};
            name = apply(rule, name, context);
        }
        if (scratch.problem) {
            // A name half through the rules is not what anyone asked for.
            return given;
        }
    }
    return name;
}

std::string RuleProgram::finalName(const FileItem& item,
                                   const NumberingOrdinals::Ordinals& ordinals, Scratch& scratch,
                                   ItemFacts facts) const {
    auto [base, extension] = FileItem::splitName(item.originalName());
    facts.item = &item;
    std::string out;
    applyRules(icu::UnicodeString::fromUTF8(base), ordinals, scratch, &facts).toUTF8String(out);
    if (scratch.problem) {
        return item.originalName();
    }
    const std::string& newExt = newExtension_ ? *newExtension_ : extension;
    if (!newExt.empty()) {
        out += '.';
        out += newExt;
    }
    return out;
}
