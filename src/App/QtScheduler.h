// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

#include "ViewModels/Scheduler.h"

// The view model's scheduler on Qt: background work on the global thread pool, hand-backs
// queued on the main thread's event loop.
class QtScheduler final : public Scheduler {
  public:
    void runInBackground(std::function<void()> work) override;
    void postToMain(std::function<void()> work) override;
};
