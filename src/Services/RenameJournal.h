// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "Models/Error.h"
#include "Models/JournalBatch.h"
#include "Models/JournalStep.h"
#include "Services/RenameObserver.h"

// The journal of one batch, written while it runs: a text file of one JSON object a line,
// names as exact bytes (percent-encoded outside printable ASCII). The header and every
// planned step are on disk (file and folder synced) before the first move; progress follows
// in large unsynced writes, since recovery reads what moved from the disk by device and
// inode; a closing record ends it. An undo or redo writes a journal of its own that names
// the batch it acts on and holds no steps.
class RenameJournal final : public RenameObserver {
  public:
    // A journal of `kind` in the history folder `folder`, for a rename batch (`of` empty)
    // or an undo or redo of the batch `of`. Nothing is written before `planned` (a rename)
    // or `begin` (an undo or redo).
    RenameJournal(std::filesystem::path folder,
                  JournalBatch::Kind kind = JournalBatch::Kind::rename, std::string of = {});
    ~RenameJournal() override;
    RenameJournal(const RenameJournal&) = delete;
    RenameJournal& operator=(const RenameJournal&) = delete;

    // The batch's id; empty until something was written.
    const std::string& id() const { return id_; }

    // Writes and syncs the header and the steps of `plan`, each item named by device and
    // inode from `folders` (one question to the disk per folder to check that the listing's
    // inodes are the real ones). A plan without steps writes nothing.
    std::optional<Error> planned(const RenamePlan& plan,
                                 const RenamePlanner::Folders& folders) override;
    void stepRan(const RenameStep& step, bool succeeded) override;
    // Notes, synced, that the cycle goes through a temporary name.
    std::optional<Error> fallingBack(const RenameStep& cycle) override;
    // Writes the closing record and syncs the journal.
    void finished() override;

    // For an undo or redo: writes and syncs its header, `count` entries over `folders`.
    std::optional<Error> begin(std::uint64_t count, const std::vector<std::string>& folders);

    // Names as they are written: bytes outside printable ASCII, '%', '"' and '\\' as %XX.
    static std::string encode(std::string_view bytes);
    // The bytes of an encoded name; none when it is not one.
    static std::optional<std::string> decode(std::string_view text);
    // Appends a closing record to the journal `file` (after a finish or a roll-back).
    static std::optional<Error> markEnded(const std::string& file, JournalBatch::End end);

  private:
    std::optional<Error> open(std::string_view header);
    void flush();

    std::filesystem::path folder_;
    JournalBatch::Kind kind_;
    std::string of_;
    int fd_ = -1;
    std::string id_;
    std::string file_;
    std::string buffer_;
    std::size_t total_ = 0;
    // The index in the journal of `step` of the plan being run; none for a step of no plan
    // journaled here.
    std::optional<std::size_t> indexOf(const RenameStep& step) const;

    // The journal's index of each step of the plan, by its position among the plan's steps;
    // the parts of its cycles (few) by their addresses.
    const RenameStep* firstStep_ = nullptr;
    std::vector<std::size_t> indexOfStep_;
    std::unordered_map<const RenameStep*, std::size_t> indexOfPart_;
};
