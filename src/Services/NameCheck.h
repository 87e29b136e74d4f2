// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "Models/Error.h"

// The one rule for what a new name may be on Linux; the preview warns and the rename
// refuses by it, so both always agree.
namespace NameCheck {

// Why `name` cannot be a file name in its folder (empty, "." or "..", contains "/" or NUL,
// longer than 255 bytes), or none when it can.
std::optional<Error> checkNewName(std::string_view name);

// The characters besides the controls (U+0001 to U+001F) that Windows, FAT, exFAT, NTFS
// under Windows and SMB shares refuse in a name ("/" and NUL Linux refuses already).
inline constexpr std::string_view kWindowsRefused = "<>:\"\\|?*";

// Why a folder on a drive of Windows' rules (FAT, exFAT, NTFS, SMB) cannot take `name`, one
// code per reason: a refused character (the first, as `subject`), a control character, a
// dot or a space at the end, a device name (CON, PRN, AUX, NUL, COM0 to COM9, LPT0 to LPT9,
// COM and LPT with a superscript 1 to 3) in any letter case, alone or before a dot. None when
// such a drive takes it. Names such a drive cannot hold for their length Linux refuses first
// (255 bytes are never more than 255 UTF-16 units).
std::optional<Error> checkWindowsName(std::string_view name);

// `name` made acceptable to checkWindowsName, as far as a change of characters can: refused
// and control characters become "_", dots and spaces at the end go, and a device name gets
// "_" after it ("con.txt" gives "con_.txt"). A name of only dots and spaces becomes empty.
std::string makeWindowsSafe(std::string_view name);

// The error for an item whose own name is not valid UTF-8.
Error nameNotUtf8();

// The error for an item where nothing exists.
Error itemMissing();

}  // namespace NameCheck
