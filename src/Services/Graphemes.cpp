// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Services/Graphemes.h"

#include <unicode/brkiter.h>
#include <unicode/locid.h>

#include <memory>

namespace Graphemes {

namespace {

bool isSimple(const icu::UnicodeString& text) {
    // Printable ASCII other than CR: every code unit is a cluster of its own.
    const char16_t* s = text.getBuffer();
    for (int32_t i = 0, n = text.length(); i < n; ++i) {
        if (s[i] >= 0x7F || s[i] == u'\r') {
            return false;
        }
    }
    return true;
}

}  // namespace

std::vector<std::int32_t> boundaries(const icu::UnicodeString& text) {
    std::vector<std::int32_t> out;
    const int32_t n = text.length();
    out.reserve(static_cast<std::size_t>(n) + 1);
    if (isSimple(text)) {
        for (int32_t i = 0; i <= n; ++i) {
            out.push_back(i);
        }
        return out;
    }
    // Creating a break iterator costs far more than using one: keep one per thread.
    thread_local std::unique_ptr<icu::BreakIterator> iterator = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::BreakIterator> it(
            icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
        return U_SUCCESS(status) ? std::move(it) : nullptr;
    }();
    if (!iterator) {
        for (int32_t i = 0; i <= n; i = (i < n ? text.moveIndex32(i, 1) : n + 1)) {
            out.push_back(i);
        }
        return out;
    }
    iterator->setText(text);
    for (int32_t b = iterator->first(); b != icu::BreakIterator::DONE; b = iterator->next()) {
        out.push_back(b);
    }
    return out;
}

}  // namespace Graphemes
