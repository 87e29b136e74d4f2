// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Models/Uuid.h"

#include <sys/random.h>
#include <uuid/uuid.h>

#include <array>
#include <atomic>
#include <cstring>

Uuid Uuid::random() {
    // Random bytes come from the kernel in blocks: one system call per 256 identifiers rather
    // than the several of uuid_generate_random per identifier, which made listing a large
    // folder spend most of its time here.
    thread_local std::array<std::uint8_t, 4096> pool{};
    thread_local std::size_t used = pool.size();
    Uuid id;
    if (used == pool.size()) {
        std::size_t filled = 0;
        while (filled < pool.size()) {
            const auto got = ::getrandom(pool.data() + filled, pool.size() - filled, 0);
            if (got <= 0) {
                // No kernel randomness (a very old kernel or a sandbox): libuuid's own source.
                uuid_generate_random(id.bytes_.data());
                return id;
            }
            filled += static_cast<std::size_t>(got);
        }
        used = 0;
    }
    std::memcpy(id.bytes_.data(), pool.data() + used, id.bytes_.size());
    std::memset(pool.data() + used, 0, id.bytes_.size());
    used += id.bytes_.size();
    // Version 4 (random) and the RFC 4122 variant.
    id.bytes_[6] = static_cast<std::uint8_t>((id.bytes_[6] & 0x0F) | 0x40);
    id.bytes_[8] = static_cast<std::uint8_t>((id.bytes_[8] & 0x3F) | 0x80);
    return id;
}

Uuid Uuid::sequential() {
    static std::atomic<std::uint64_t> counter{0};
    const std::uint64_t value = counter.fetch_add(1, std::memory_order_relaxed) + 1;
    Uuid id;
    // The counter fills the last eight bytes; the first stay zero, which no version 4
    // identifier has (its version nibble is 4), so the two kinds never meet.
    for (std::size_t i = 0; i < 8; ++i) {
        id.bytes_[15 - i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
    return id;
}

std::optional<Uuid> Uuid::fromString(std::string_view text) {
    // uuid_parse wants a NUL-terminated 36-character string and accepts either case.
    if (text.size() != 36) {
        return std::nullopt;
    }
    char buffer[37];
    std::memcpy(buffer, text.data(), 36);
    buffer[36] = '\0';
    Uuid id;
    if (uuid_parse(buffer, id.bytes_.data()) != 0) {
        return std::nullopt;
    }
    return id;
}

std::string Uuid::toString() const {
    char buffer[37];
    uuid_unparse_upper(bytes_.data(), buffer);
    return std::string(buffer, 36);
}
