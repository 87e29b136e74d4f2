// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <atomic>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "Models/Error.h"
#include "Models/HistoryBatch.h"
#include "Models/JournalBatch.h"
#include "Models/RenameResult.h"

class FileSystem;

// The journals of the rename batches under one history folder: listing them with their
// states, undoing and redoing them, finishing or rolling back one that was interrupted, and
// keeping only the newest. Stateless functions; every read of a journal is bounded.
namespace RenameHistory {

// How many rename batches are kept unless the settings say otherwise.
constexpr std::size_t kDefaultKeep = 200;

// $XDG_STATE_HOME/Quorvane/History, or ~/.local/state/Quorvane/History when it is not set.
std::filesystem::path folder();
// The settings file the window and the command line share:
// $XDG_CONFIG_HOME/Quorvane/Quorvane.conf (or ~/.config/...).
std::filesystem::path settingsFile();
// How many batches to keep: "keep" in the "[history]" group of the settings file, a
// number from 1 to 100000; kDefaultKeep when it is absent or not such a number.
std::size_t keep();

// What `list` found.
struct Listing {
    // The rename batches, newest first.
    std::vector<HistoryBatch> batches;
    // Journals that cannot be read, moved aside into the folder's "Unreadable" subfolder
    // (kept, never deleted), by their paths.
    std::vector<std::string> unreadable;
};
// The batches of the history folder `where`, reading only the first and last line of each
// journal.
Listing list(const std::filesystem::path& where);

// The batch an undo acts on: the one named `id` (any state but interrupted), or the newest
// whose state is done. Redo: the one named (undone), or the one undone last, when that was
// after the newest batch began. None when there is none; `problem` then says why.
std::optional<HistoryBatch> toUndo(const Listing& listing, const std::string& id,
                                   std::string& problem);
std::optional<HistoryBatch> toRedo(const Listing& listing, const std::string& id,
                                   std::string& problem);

// What an undo, redo or recovery did: one result per item whose name it changed or that it
// left alone, in the order of the moves (`originalURL` where the item was before, `newURL`
// where it is meant to be afterwards), or the error that kept it from starting.
struct Outcome {
    std::vector<RenameResult> results;
    std::optional<Error> error;
};

// Moves the items of `batch` back (undo) or to their names again (redo), each step only when
// the item at its place is the one the batch left there (device and inode) and the place it
// goes to is free: an item renamed, moved or replaced since, or whose name is now taken, is
// left alone and reported as skipped. Never replaces anything. Journaled in `where` as an
// undo or redo of the batch, synced before the first move.
Outcome undo(const std::filesystem::path& where, const HistoryBatch& batch, FileSystem& disk,
             const std::atomic<bool>* stop = nullptr);
Outcome redo(const std::filesystem::path& where, const HistoryBatch& batch, FileSystem& disk,
             const std::atomic<bool>* stop = nullptr);
// Completes (`finish`) or reverses an interrupted batch, judging each step as undo does,
// then closes its journal.
Outcome recover(const HistoryBatch& batch, bool finish, FileSystem& disk);

// Removes the oldest batches beyond `keep` (with their undos and redos); an interrupted one
// stays, and so does anything that cannot be read.
void prune(const std::filesystem::path& where, std::size_t keep);

// The journal in `file`, every line; none when it cannot be read as one.
std::optional<JournalBatch> read(const std::string& file);

// Words for the command line and the JSON output.
const char* stateWord(HistoryBatch::State state);
// `micros` since 1970 as ISO 8601 UTC, to the second ("2026-12-09T05:50:01Z").
std::string isoTime(std::int64_t micros);

}  // namespace RenameHistory
