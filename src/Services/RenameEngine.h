// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Models/FileItem.h"
#include "Models/FileMetadata.h"
#include "Models/PreviewEntry.h"
#include "Models/RenamePlan.h"
#include "Models/RenameRequest.h"
#include "Models/RenameResult.h"
#include "Models/RenameRule.h"
#include "Services/RenamePlanner.h"

class FileSystem;
class RenameObserver;

// The rename engine: stateless functions of their arguments that keep nothing between calls
// and may be called from any thread.
namespace RenameEngine {

using Clock = std::chrono::system_clock;

// What was read of each item of a list, by position (a shorter list, or null entries, for
// items of which nothing was read); the rules that name files by their content read it.
using MetadataList = std::vector<std::shared_ptr<const FileMetadata>>;

// Runs the enabled rules in list order over one base name; `index` is the item's 0-based
// position in the list being processed (numbering reads it). `extension` is not used.
std::string applyRules(const std::vector<RenameRule>& rules, const std::string& baseName,
                       std::int64_t index, const std::string& extension,
                       Clock::time_point now = Clock::now());

// The new full name of `item` at `index`: the base name through the rules, joined with the
// item's extension or with the one of the last enabled extension rule.
std::string finalName(const std::vector<RenameRule>& rules, const FileItem& item,
                      std::int64_t index, Clock::time_point now = Clock::now());

// One entry per item, in order, with the new names, judged as the rename would judge them
// (RenamePlanner): the checked items form the batch, `folders` tells what is on disk (none:
// nothing is known). `hasConflict` marks an item that another checked item's new name
// blocks in the same folder; `problem` tells why a new name cannot be used (invalid, or taken
// by an item that stays); `warning` notes what does not block. Date rules stamp `now`, read
// once for the whole list. The names are computed on up to `threads` threads (0: as many as
// help for this many names); the result never depends on it. `metadata` is what was read of
// the items (null: nothing); the engine reads nothing itself. `stop`, when given, is asked
// every few hundred names (from the computing threads, at once from several) whether the
// answer is still wanted; once it says no, the preview ends early and returns no entries.
std::vector<PreviewEntry> preview(const std::vector<RenameRule>& rules,
                                  const std::vector<FileItem>& files,
                                  Clock::time_point now = Clock::now(), unsigned threads = 0,
                                  const RenamePlanner::Folders* folders = nullptr,
                                  const MetadataList* metadata = nullptr,
                                  const RenamePlanner::StopCheck& stop = {});

// The key under which two new names conflict: the default lower-case mapping (no locale).
std::string conflictKey(const std::string& name);
// Appends the conflict key of `name` to `out`, which a caller can reuse between names.
void appendConflictKey(std::string_view name, std::string& out);

// How a batch of moves is carried out.
struct RenameOptions {
    // Where the moves happen; null means the disk.
    FileSystem* fileSystem = nullptr;
    // Called after each attempted move with the moves done and the moves in all (from the
    // thread that runs the batch).
    std::function<void(std::size_t done, std::size_t total)> progress;
    // When set to true, the batch stops before its next move; what was done is reported.
    const std::atomic<bool>* stop = nullptr;
    // The moment date rules stamp.
    Clock::time_point now = Clock::now();
    // What was read of the items, by position (as for preview), so that the names on disk
    // are the ones the preview showed.
    MetadataList metadata;
    // Told of the plan before the first move and of every step after it ran (the journal of
    // the batch); none: nobody is told.
    RenameObserver* observer = nullptr;
    // Folders read just before (by the walk that listed the entries), by path; the batch
    // reads only the others. None: it reads every folder it moves entries in.
    const RenamePlanner::Folders* readFolders = nullptr;
};

// The requests for `files`: each new full name exactly as the preview gives it (numbering
// counts `files` in its order, by NumberingOrdinals), the checked items in the batch, invalid
// names refused.
std::vector<RenameRequest> requestsFor(const std::vector<FileItem>& files,
                                       const std::vector<RenameRule>& rules, Clock::time_point now,
                                       const MetadataList* metadata = nullptr);

// Reads, once each, the folders that hold an entry whose name changes, except those in
// `known`; a folder that cannot be read is left out.
RenamePlanner::Folders readFolders(const std::vector<RenameRequest>& requests, FileSystem& disk,
                                   const RenamePlanner::Folders* known = nullptr);

// Carries a plan out, step by step, never replacing anything; a failure never stops the
// batch. One result per entry that changes, in the order of the entries: renamed, failed
// (with the system's reason), skipped (with the plan's reason) or, after a stop request,
// not attempted. `newURL` is the final location, inside its folder's new location when
// that folder moved too.
std::vector<RenameResult> execute(const RenamePlan& plan, const RenameOptions& options = {});

// Plans `requests` against the folders as they are now on disk, then executes the plan.
std::vector<RenameResult> renameRequests(std::vector<RenameRequest> requests,
                                         const RenameOptions& options = {});

// Carries the rules out on disk for the checked items of `files` (unchecked ones count for
// numbering and keep their names): requestsFor, then renameRequests.
std::vector<RenameResult> rename(const std::vector<FileItem>& files,
                                 const std::vector<RenameRule>& rules,
                                 const RenameOptions& options = {});

// Moves each item at `from` to the name of `to` in its own folder, planned as a batch (so
// order, exchanges and never replacing hold as for a rename); one result per move, in order.
std::vector<RenameResult> performMoves(
    const std::vector<std::pair<std::filesystem::path, std::filesystem::path>>& moves,
    const RenameOptions& options = {});

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
