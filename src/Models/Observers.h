// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

#include "Models/Subscription.h"

// The change announcements of an observable object: callbacks run in the order of
// subscription on every notify(). A callback may unsubscribe itself or others while it runs;
// a subscription outliving the list is harmless.
class Observers {
  public:
    // Calls `callback` on every notify() until the returned handle is dropped.
    Subscription subscribe(std::function<void()> callback) {
        const auto key = next_++;
        (*callbacks_)[key] = std::make_shared<std::function<void()>>(std::move(callback));
        std::weak_ptr<Map> list = callbacks_;
        return Subscription([list, key] {
            if (auto alive = list.lock()) {
                alive->erase(key);
            }
        });
    }

    // Runs every current callback once.
    void notify() const {
        // A copy, so that callbacks may change the subscriptions while the loop runs.
        const Map current = *callbacks_;
        for (const auto& [key, callback] : current) {
            if (callbacks_->count(key) != 0) {
                (*callback)();
            }
        }
    }

  private:
    using Map = std::map<std::uint64_t, std::shared_ptr<std::function<void()>>>;
    std::shared_ptr<Map> callbacks_ = std::make_shared<Map>();
    std::uint64_t next_ = 0;
};
