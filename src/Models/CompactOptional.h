// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>
#include <optional>
#include <utility>

// An optional that keeps its value on the heap, so that an empty one is a single pointer. For
// values that most records of a list lack (an error, a temporary name): kept per entry of a
// million-entry list, a std::optional<Error> would cost ten times as much. It reads and
// assigns like std::optional and converts to and from one; copies are deep.
template <typename T>
class CompactOptional {
  public:
    CompactOptional() = default;
    CompactOptional(std::nullopt_t) {}
    CompactOptional(T value) : value_(std::make_unique<T>(std::move(value))) {}
    CompactOptional(const std::optional<T>& value) {
        if (value) {
            value_ = std::make_unique<T>(*value);
        }
    }
    CompactOptional(std::optional<T>&& value) {
        if (value) {
            value_ = std::make_unique<T>(std::move(*value));
        }
    }
    CompactOptional(const CompactOptional& other)
        : value_(other.value_ ? std::make_unique<T>(*other.value_) : nullptr) {}
    CompactOptional(CompactOptional&&) noexcept = default;
    CompactOptional& operator=(const CompactOptional& other) {
        if (this != &other) {
            value_ = other.value_ ? std::make_unique<T>(*other.value_) : nullptr;
        }
        return *this;
    }
    CompactOptional& operator=(CompactOptional&&) noexcept = default;
    ~CompactOptional() = default;

    bool has_value() const { return value_ != nullptr; }
    explicit operator bool() const { return has_value(); }
    // Like std::optional's: only on a value that is there.
    const T& operator*() const { return *value_; }
    T& operator*() { return *value_; }
    const T* operator->() const { return value_.get(); }
    T* operator->() { return value_.get(); }
    // The value, or `fallback` when there is none.
    T value_or(T fallback) const { return value_ ? *value_ : std::move(fallback); }
    void reset() { value_.reset(); }

    operator std::optional<T>() const { return value_ ? std::optional<T>(*value_) : std::nullopt; }

    friend bool operator==(const CompactOptional& a, const CompactOptional& b) {
        return a.has_value() == b.has_value() && (!a.has_value() || *a == *b);
    }
    friend bool operator==(const CompactOptional& a, std::nullopt_t) { return !a.has_value(); }
    friend bool operator==(const CompactOptional& a, const T& b) {
        return a.has_value() && *a == b;
    }
    friend bool operator==(const CompactOptional& a, const std::optional<T>& b) {
        return a.has_value() == b.has_value() && (!a.has_value() || *a == *b);
    }

  private:
    std::unique_ptr<T> value_;
};
