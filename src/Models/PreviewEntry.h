// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>

#include "Models/CompactOptional.h"
#include "Models/Error.h"

// One row of a preview: the current full name, the computed new one and whether another
// checked item gets the same new name in the same folder (a blocking conflict).
struct PreviewEntry {
    std::string original;
    std::string preview;
    bool hasConflict = false;
    // None when the new name can be used; otherwise why it cannot (the rename refuses it for
    // the same reason): a code and an untranslated detail.
    CompactOptional<Error> problem;
    // None, or a note that does not block the rename (code caseOnly: a new name that differs
    // from another name of its folder only in letter case, on a folder that tells them apart).
    CompactOptional<Error> warning;

    friend bool operator==(const PreviewEntry&, const PreviewEntry&) = default;
};
