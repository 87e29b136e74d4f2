// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Models/FileItem.h"
#include "Models/FileMetadata.h"

// What a run of the rules knows of one item besides its working name and its ordinals: the
// item itself and what was read of its content. The template kind reads it.
struct ItemFacts {
    const FileItem* item = nullptr;          // none: a bare name, not one of a list
    const FileMetadata* metadata = nullptr;  // none: nothing was read of the item
};
