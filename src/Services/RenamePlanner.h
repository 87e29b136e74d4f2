// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "Models/FolderFacts.h"
#include "Models/RenamePlan.h"
#include "Models/RenameRequest.h"

// Turns the entries of a preview (or of an undo or redo) into one plan: a stateless
// function of its arguments that reads no disk.
namespace RenamePlanner {

// Asked by a long computation, now and then, whether to give up (true: stop); empty: never.
using StopCheck = std::function<bool()>;

// The facts of each folder by its path's exact bytes. A folder that is not listed counts as
// empty and case-sensitive.
using Folders = std::unordered_map<std::string, FolderFacts>;

// One entry per request, in order. In a folder on a drive of Windows' rules an entry whose
// new name that drive refuses (NameCheck::checkWindowsName) is skipped for that reason
// first. In each folder: two entries conflict when their new
// names are the same name there (by letter case too where the folder ignores case); the
// first keeps the name and the later ones are skipped, except that an entry keeping its own
// name always keeps it. A new name held by an item that stays (an entry outside the batch,
// a skipped one, or any other name in the folder) is taken; a name that an entry of the
// plan moves away is free. Names that differ only in letter case in a case-sensitive folder
// get a warning. The steps run deepest folder first, so that a folder moves after its
// contents; within a folder chains run from their free end and cycles are one step each.
// `notes` false leaves out the warnings, which only a preview shows; `steps` false leaves
// out the steps and the entries' targets, which only a batch needs. The
// requests are taken (their strings move into the plan's entries). `stop` is asked between
// folders and every few thousand entries; a plan it stopped is incomplete, never to be
// carried out or shown.
RenamePlan plan(std::vector<RenameRequest> requests, const Folders& folders, bool notes = true,
                bool steps = true, const StopCheck& stop = {});

// The folder part and the last component of a location, as its bytes are split by "/"
// (the folder of "name" is "").
std::string_view folderOf(std::string_view location);
std::string_view nameOf(std::string_view location);
// `name` inside `folder`, the inverse of folderOf and nameOf ("name" alone in "").
std::string joined(std::string_view folder, std::string_view name);

}  // namespace RenamePlanner
