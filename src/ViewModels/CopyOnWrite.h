// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>
#include <utility>

// A value that background steps read without copying it: share() hands out the value as it
// is, and a later write makes a fresh copy only while someone still holds a shared one, so a
// holder never sees it change. Written from one thread only.
template <typename T>
class CopyOnWrite {
  public:
    CopyOnWrite() : value_(std::make_shared<T>()) {}
    // Replaces the value as a whole; holders of the old one keep it.
    CopyOnWrite& operator=(T value) {
        value_ = std::make_shared<T>(std::move(value));
        return *this;
    }

    const T& operator*() const { return *value_; }
    const T* operator->() const { return value_.get(); }
    auto begin() const { return value_->begin(); }
    auto end() const { return value_->end(); }
    auto size() const { return value_->size(); }

    // The value as it is now, unchanged for as long as it is held.
    std::shared_ptr<const T> share() const { return value_; }
    // The value to change in place, copied first when it is shared. A count of one cannot
    // grow meanwhile: only the writer holds it, and only the writer hands it out.
    T& edit() {
        if (value_.use_count() > 1) {
            value_ = std::make_shared<T>(*value_);
        }
        return *value_;
    }

  private:
    std::shared_ptr<T> value_;
};
