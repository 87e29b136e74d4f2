// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>

#include "Models/Error.h"
#include "Models/RenamePlan.h"
#include "Models/RenameStep.h"
#include "Services/RenamePlanner.h"

// Told about a batch while the engine carries it out, from the thread that runs it (the
// journal of the batch is one). The plan and its steps outlive the calls.
class RenameObserver {
  public:
    virtual ~RenameObserver() = default;

    // Before the first move, with the plan and the folders it was made from; an error means
    // that nothing may move, and every entry fails with it.
    virtual std::optional<Error> planned(const RenamePlan& plan,
                                         const RenamePlanner::Folders& folders) = 0;
    // After `step` (one of the plan's steps, or a part of a cycle) was tried.
    virtual void stepRan(const RenameStep& step, bool succeeded) = 0;
    // Before the first move of `cycle`'s way through a temporary name; an error keeps the
    // cycle from moving.
    virtual std::optional<Error> fallingBack(const RenameStep& cycle) = 0;
    // After the last step.
    virtual void finished() = 0;
};
