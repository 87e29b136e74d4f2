// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// A 128-bit identifier. Value type: compared and hashed by its bytes.
class Uuid {
  public:
    // The nil identifier (all zero); use random() for a fresh one.
    Uuid() = default;

    // A new random (version 4) identifier.
    static Uuid random();
    // A new identifier from a counter of this process (thread-safe): unique while the program
    // runs, cheaper than random(), for what is never saved (the entries of the file list).
    static Uuid sequential();

    // Parses the canonical 36-character form (8-4-4-4-12 hex digits) in either letter case;
    // anything else gives none.
    static std::optional<Uuid> fromString(std::string_view text);

    // The canonical 36-character form in upper case.
    std::string toString() const;

    const std::array<std::uint8_t, 16>& bytes() const { return bytes_; }

    friend bool operator==(const Uuid&, const Uuid&) = default;
    friend auto operator<=>(const Uuid&, const Uuid&) = default;

  private:
    std::array<std::uint8_t, 16> bytes_{};
};

template <>
struct std::hash<Uuid> {
    std::size_t operator()(const Uuid& id) const noexcept {
        std::size_t h = 0;
        for (auto b : id.bytes()) {
            h = h * 131 + b;
        }
        return h;
    }
};
