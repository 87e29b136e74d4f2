// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "Models/FileItem.h"

// Which number a counter gives each entry of a list, for the numbering rule and the
// template's counter. Stateless; the preview and the rename call it on the same list in the
// same order, so both give the same numbers.
namespace NumberingOrdinals {

// How a counter runs over a list.
struct Mode {
    // The counter starts again at its first value in each folder.
    bool perFolder = false;
    // Entries of one folder with the same base name share one number, the number of the first
    // of them; the counter moves on only at a base name not seen before in that folder.
    bool shareBaseName = false;

    friend bool operator==(const Mode&, const Mode&) = default;
};

// The 0-based ordinal of each entry of `files` under `mode`, one per entry in the same order
// (numbering then writes start + ordinal * step). `files` is the list in the order shown.
// Folder and base name are taken from each entry's location as its bytes are: the folder is
// the location without its last component, the base name is the original name without its
// last "." and extension (as the rules see it, before any rule ran), so IMG_1.CR2, IMG_1.JPG
// and IMG_1.xmp in one folder are companions. Both compare byte for byte (letter case
// counts). With neither option the ordinal is the position in the list.
std::vector<std::int64_t> ordinals(const std::vector<FileItem>& files, Mode mode);

// One entry's ordinal under each of the four modes, for a rule list whose rules may count
// differently; indexed by `slot`.
struct Ordinals {
    std::array<std::int64_t, 4> byMode{};

    // Where `mode` is kept in byMode.
    static constexpr std::size_t slot(Mode mode) {
        return (mode.perFolder ? 1u : 0u) + (mode.shareBaseName ? 2u : 0u);
    }
    std::int64_t of(Mode mode) const { return byMode[slot(mode)]; }
    // An entry counted alone at `index` under every mode (a list of one, or a caller that
    // knows only the position).
    static Ordinals at(std::int64_t index) { return {{index, index, index, index}}; }
};

// The ordinals of every entry of `files` under every mode, by `ordinals`.
std::vector<Ordinals> allModes(const std::vector<FileItem>& files);

}  // namespace NumberingOrdinals
