// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

// What went wrong, as a value: a code for callers to branch on and an untranslated detail
// (English, for logs, the command line and tooltips); the window words its own sentences.
struct Error {
    enum class Code {
        invalidJson,   // the bytes are not JSON, or JSON of the wrong shape
        missingKey,    // a required key is absent
        wrongType,     // a key holds a value of the wrong JSON type
        invalidValue,  // a value of the right type that is not allowed (UUID, enumeration)
        invalidName,   // a new name that cannot be a file name on Linux
        nameNotUtf8,   // the item's own name is not valid UTF-8
        fileSystem,    // a file-system call failed; `systemError` holds errno
        cancelled,     // the operation was stopped on request
        badPattern,    // a rule's pattern or replacement that ICU refuses
        timedOut,      // a pattern gave up on a name (its time or memory limit)
        itemMissing,   // nothing exists at an item's location
        conflict,      // another item of the batch gets the same name in the same folder
        nameTaken,     // the new name belongs to an item that stays in the folder
        caseOnly,      // a new name differs from another of its folder only in letter case
        newerFormat,   // written by a newer version of the program, which this one would lose
        missingValue,  // a template token has no value for the item (detail: which, in words)
        // A new name that the folder's file system (FAT, exFAT, NTFS, SMB) would refuse:
        driveCharacter,      // it holds a character such a drive refuses (`subject`)
        driveControl,        // it holds a control character
        driveTrailingDot,    // it ends in a dot
        driveTrailingSpace,  // it ends in a space
        driveReservedName,   // it is a device name such as CON or LPT1 (`subject`)
    };

    Code code;
    std::string detail;
    int systemError = 0;
    // What the detail names, for a sentence worded elsewhere (a character, a name); may be
    // empty.
    std::string subject = {};

    friend bool operator==(const Error&, const Error&) = default;
};
