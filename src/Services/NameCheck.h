// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string_view>

#include "Models/Error.h"

// The one rule for what a new name may be on Linux; the preview warns and the rename
// refuses by it, so both always agree.
namespace NameCheck {

// Why `name` cannot be a file name in its folder (empty, "." or "..", contains "/" or NUL,
// longer than 255 bytes), or none when it can.
std::optional<Error> checkNewName(std::string_view name);

// The error for an item whose own name is not valid UTF-8.
Error nameNotUtf8();

// The error for an item where nothing exists.
Error itemMissing();

}  // namespace NameCheck
