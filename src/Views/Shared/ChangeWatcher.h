// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

#include <functional>

#include "Models/Subscription.h"

class AppViewModel;

// Turns the view model's change announcements into at most one refresh per turn of the event
// loop: a write of many fields (or of many elements) announces many times, and re-reading
// after each would cost a full snapshot per announcement.
class ChangeWatcher final : public QObject {
    Q_OBJECT

  public:
    // Calls `refresh` on the event loop after announcements of `model`, coalesced.
    ChangeWatcher(AppViewModel& model, std::function<void()> refresh, QObject* parent);

    // Runs a pending refresh now (nothing when none is pending).
    void flush();

  private:
    void schedule();

    std::function<void()> refresh_;
    Subscription subscription_;
    bool pending_ = false;
};
