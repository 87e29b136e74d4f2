// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <deque>
#include <functional>
#include <utility>

#include "ViewModels/Scheduler.h"

// A scheduler that only queues: tests decide when the background step and the hand-back run,
// so that "while a rename runs" is a state a test can hold.
class ManualScheduler final : public Scheduler {
  public:
    void runInBackground(std::function<void()> work) override {
        background_.push_back(std::move(work));
    }
    void postToMain(std::function<void()> work) override { main_.push_back(std::move(work)); }

    bool idle() const { return background_.empty() && main_.empty(); }

    // Runs queued work, background steps first, until nothing is left.
    void runAll() {
        while (!idle()) {
            auto& queue = background_.empty() ? main_ : background_;
            auto work = std::move(queue.front());
            queue.pop_front();
            work();
        }
    }

    // Runs the queued background steps only, so that their hand-backs wait.
    void runBackground() { runQueue(background_); }
    // Runs the queued hand-backs only.
    void runMain() { runQueue(main_); }

  private:
    void runQueue(std::deque<std::function<void()>>& queue) {
        for (auto n = queue.size(); n > 0; --n) {
            auto work = std::move(queue.front());
            queue.pop_front();
            work();
        }
    }

    std::deque<std::function<void()>> background_;
    std::deque<std::function<void()>> main_;
};
