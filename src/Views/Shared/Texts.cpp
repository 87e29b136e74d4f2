// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Views/Shared/Texts.h"

#include <QCoreApplication>

#include <algorithm>
#include <limits>
#include <string>

namespace Texts {

QString stored(std::string_view rawValue) {
    // translate() wants a terminated string; the raw values are literals, but a view of one
    // is not promised to be.
    const std::string text(rawValue);
    return QCoreApplication::translate("StoredValue", text.c_str());
}

QString marked(const char* context, const char* text, int n) {
    return QCoreApplication::translate(context, text, nullptr, n);
}

int count(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, 0, std::numeric_limits<int>::max()));
}

}  // namespace Texts
