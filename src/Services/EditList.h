// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Models/Error.h"

// The text file in which a person edits new names: one line "ID<TAB>name" per entry, IDs
// counted from 1, names escaped so that every byte survives an editor; lines starting with
// "#" are comments. Stateless.
namespace EditList {

// What a person wrote back: the name of each ID still present, and one error per line that
// cannot be read (its detail names the line). A missing ID is not an error.
struct Reading {
    std::map<std::size_t, std::string> names;
    std::vector<Error> errors;
};

// `name` as one line's name field: escaped like Utf8::escapeControls, and a leading "#"
// as \x23 so that no name reads as a comment.
std::string escapeName(std::string_view name);

// The bytes an escaped name stands for, or invalidValue for an unknown or cut-off escape.
// Understood: \\ \n \r \t \e \a \b \f \v \xNN and \uNNNN.
std::optional<std::string> unescapeName(std::string_view field);

// The whole file: the comment lines `comments` (each written after "# "; one line each,
// as given), then one line per name, with the ID of its position.
std::string write(const std::vector<std::string>& names,
                  const std::vector<std::string>& comments = {});

// Reads a file written by `write` for `count` names and edited since: an ID outside 1 to
// `count` or seen before, a line without a TAB, a bad escape, or a name holding "/" or NUL
// is an error. Blank lines and a CR before the line break are ignored.
Reading read(std::string_view text, std::size_t count);

}  // namespace EditList
