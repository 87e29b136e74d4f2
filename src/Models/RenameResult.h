// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>

#include "Models/CompactOptional.h"
#include "Models/Error.h"
#include "Models/ItemPath.h"

// The outcome for one entry of a rename batch (or of an undo or redo) whose name changes.
struct RenameResult {
    enum class Status {
        renamed,       // the item is at `newURL`
        failed,        // a move was tried and the system refused it (`error`)
        skipped,       // no move was tried: a conflict, a problem or a taken name (`error`)
        notAttempted,  // the batch was cancelled before this entry's turn
    };

    // Where the item was before the batch.
    ItemPath originalURL;
    // Where the batch puts it: its final folder (which may itself have moved in the batch)
    // joined with the new name. Only a location when `status` is renamed.
    ItemPath newURL;
    Status status = Status::failed;
    // Why it was not renamed (none when renamed): a code and an untranslated detail; the
    // window and the command line word their own sentences.
    CompactOptional<Error> error;

    // Whether the item is at `newURL`.
    bool renamed() const { return status == Status::renamed; }
    // The temporary name in the same folder that the item passed through to complete a
    // cycle of names, when it did.
    CompactOptional<ItemPath> temporaryURL;
};
