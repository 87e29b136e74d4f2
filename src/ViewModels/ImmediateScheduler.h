// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ViewModels/Scheduler.h"

// A scheduler that runs everything at once on the calling thread: a rename is finished
// when performRename returns. For the command line, which has no event loop.
class ImmediateScheduler final : public Scheduler {
  public:
    void runInBackground(std::function<void()> work) override { work(); }
    void postToMain(std::function<void()> work) override { work(); }
};
