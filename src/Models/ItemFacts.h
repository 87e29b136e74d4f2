// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

#include "Models/FileItem.h"
#include "Models/FileMetadata.h"

// What a run of the rules knows of one item besides its working name: the item itself, what
// was read of its content, and its ordinals among the items of its folder and among the
// groups of companion files. The template kind reads it; the other kinds read only `index`.
struct ItemFacts {
    const FileItem* item = nullptr;          // none: a bare name, not one of a list
    const FileMetadata* metadata = nullptr;  // none: nothing was read of the item
    std::int64_t inFolder = 0;
    std::int64_t shared = 0;
};
