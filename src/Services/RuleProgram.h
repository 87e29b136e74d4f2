// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <unicode/brkiter.h>
#include <unicode/regex.h>
#include <unicode/unistr.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Models/Error.h"
#include "Models/FileItem.h"
#include "Models/ItemFacts.h"
#include "Models/RenameRule.h"
#include "Services/NumberingOrdinals.h"
#include "Services/PreparedRule.h"

// A rule list made ready for a run over many names (one preview or one rename): the ICU
// objects every name needs are made once here, not once per name. The program is read-only
// while it runs; each thread brings its own Scratch for the objects that keep state.
class RuleProgram {
  public:
    // Per-thread mutable state: one regular-expression matcher per rule with a pattern, and
    // one word break iterator per case rule that capitalises words.
    struct Scratch {
        std::vector<std::unique_ptr<icu::RegexMatcher>> matchers;
        std::vector<std::unique_ptr<icu::BreakIterator>> words;
        // Why the rules could not run on the last name computed with this scratch (its name
        // then came back unchanged), or none.
        std::optional<Error> problem;
    };

    // Prepares `rules` (all of them; disabled ones are skipped when names are computed).
    // Date rules stamp `now`.
    RuleProgram(const std::vector<RenameRule>& rules, std::chrono::system_clock::time_point now);

    // Fresh per-thread state for this program.
    Scratch makeScratch() const;

    // The enabled rules in order over one base name; `ordinals` are the item's numbers under
    // each way of counting (NumberingOrdinals::allModes of the list), `index` alone counts
    // it at that position under all of them; `facts` (null for a bare name) is what else is
    // known of it. When a rule cannot run on it, the name given comes back and
    // `scratch.problem` says why.
    icu::UnicodeString applyRules(icu::UnicodeString name,
                                  const NumberingOrdinals::Ordinals& ordinals, Scratch& scratch,
                                  const ItemFacts* facts = nullptr) const;
    icu::UnicodeString applyRules(icu::UnicodeString name, std::int64_t index,
                                  Scratch& scratch) const {
        return applyRules(std::move(name), NumberingOrdinals::Ordinals::at(index), scratch);
    }

    // The new full name of `item` with `ordinals` (or at `index`): its base name through the
    // rules, joined with its own extension or the one of the last enabled extension rule; its
    // own name when a rule cannot run on it (`scratch.problem` then says why). `facts` gives
    // what was read of the item; its `item` is set to `item` here.
    std::string finalName(const FileItem& item, const NumberingOrdinals::Ordinals& ordinals,
                          Scratch& scratch, ItemFacts facts = {}) const;
    std::string finalName(const FileItem& item, std::int64_t index, Scratch& scratch) const {
        return finalName(item, NumberingOrdinals::Ordinals::at(index), scratch);
    }

    // The parts of the items' metadata the enabled rules read (FileMetadata::Part bits).
    unsigned metadataParts() const { return metadataParts_; }
    // Whether an enabled rule counts per folder or by base name, so that the list's ordinals
    // under those modes are needed; without one, the position is every item's ordinal.
    bool countsByFolderOrName() const { return countsByFolderOrName_; }

    // The extension of the last enabled extension rule, or none when the item keeps its own.
    const std::optional<std::string>& newExtension() const { return newExtension_; }

  private:
    std::vector<std::unique_ptr<PreparedRule>> rules_;
    std::optional<std::string> newExtension_;
    unsigned metadataParts_ = 0;
    bool countsByFolderOrName_ = false;
};
