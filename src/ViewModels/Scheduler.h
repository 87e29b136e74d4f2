// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

// Where the view model runs its work: the one background step of a rename (or of an undo or
// redo) and the hand-back of its results. The window supplies one on its event loop; tests
// and the command line supply deterministic ones.
class Scheduler {
  public:
    virtual ~Scheduler() = default;

    // Runs `work` off the main thread (or later, for a deterministic scheduler).
    virtual void runInBackground(std::function<void()> work) = 0;
    // Runs `work` on the main thread, after the caller has returned or at once.
    virtual void postToMain(std::function<void()> work) = 0;
};
