// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Services/NameCheck.h"

namespace NameCheck {

std::optional<Error> checkNewName(std::string_view name) {
    auto invalid = [](const char* detail) { return Error{Error::Code::invalidName, detail}; };
    if (name.empty()) {
        return invalid("The new name is empty.");
    }
    if (name == "." || name == "..") {
        return invalid(
            "The new name cannot be \xE2\x80\x9C.\xE2\x80\x9D or \xE2\x80\x9C..\xE2\x80\x9D.");
    }
    if (name.find('/') != std::string_view::npos) {
        return invalid("The new name contains \xE2\x80\x9C/\xE2\x80\x9D.");
    }
    if (name.find('\0') != std::string_view::npos) {
        return invalid("The new name contains a NUL character.");
    }
    if (name.size() > 255) {
        return invalid("The new name is longer than 255 bytes.");
    }
    return std::nullopt;
}

Error nameNotUtf8() {
    return Error{Error::Code::nameNotUtf8, "The name is not valid UTF-8 and was left unchanged."};
}

Error itemMissing() {
    return Error{Error::Code::itemMissing, "No item exists at this location"};
}

}  // namespace NameCheck
