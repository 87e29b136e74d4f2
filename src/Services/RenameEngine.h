#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "Models/FileItem.h"
#include "Models/PreviewEntry.h"
#include "Models/RenameRule.h"

// The rename engine: stateless functions of their arguments that keep nothing between calls
// and may be called from any thread.
namespace RenameEngine {

using Clock = std::chrono::system_clock;

// Runs the enabled rules in list order over one base name; `index` is the item's 0-based
// position in the list being processed (numbering reads it). `extension` is not used.
std::string applyRules(const std::vector<RenameRule>& rules, const std::string& baseName,
                       std::int64_t index, const std::string& extension,
                       Clock::time_point now = Clock::now());

// The new full name of `item` at `index`: the base name through the rules, joined with the
// item's extension or with the one of the last enabled extension rule.
std::string finalName(const std::vector<RenameRule>& rules, const FileItem& item,
                      std::int64_t index, Clock::time_point now = Clock::now());

// One entry per item, in order, with the new names; an item whose lower-cased new name
// repeats an earlier one is a conflict. `problem` tells why a new name cannot be used.
// Date rules stamp `now`, read once for the whole list.
std::vector<PreviewEntry> preview(const std::vector<RenameRule>& rules,
                                  const std::vector<FileItem>& files,
                                  Clock::time_point now = Clock::now());

// The key under which two new names conflict: the default lower-case mapping (no locale).
std::string conflictKey(const std::string& name);

// Single transforms over UTF-8 text, each as the pipeline runs it for one rule.
std::string applyReplace(const RenameRule& rule, const std::string& name);
std::string applyRegex(const RenameRule& rule, const std::string& name);
std::string applyInsert(const RenameRule& rule, const std::string& name);
std::string applyRemove(const RenameRule& rule, const std::string& name);
std::string applyCase(const RenameRule& rule, const std::string& name);
std::string applyNumbering(const RenameRule& rule, const std::string& name, std::int64_t index);
std::string applyCleanup(const RenameRule& rule, const std::string& name);
std::string applyDate(const RenameRule& rule, const std::string& name,
                      Clock::time_point now = Clock::now());

}  // namespace RenameEngine
