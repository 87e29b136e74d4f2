// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Services/NameCheck.h"

#include <array>

namespace NameCheck {

namespace {

const char* const kOpen = "\xE2\x80\x9C";
const char* const kClose = "\xE2\x80\x9D";

bool isControl(char c) {
    return c != '\0' && static_cast<unsigned char>(c) < 0x20;
}

// The part of `name` Windows compares to its device names: up to the first dot, without the
// spaces before it ("nul .txt" opens the device as "nul" does).
std::string_view deviceStem(std::string_view name) {
    std::string_view stem = name.substr(0, name.find('.'));
    while (!stem.empty() && stem.back() == ' ') {
        stem.remove_suffix(1);
    }
    return stem;
}

bool isDeviceName(std::string_view stem) {
    const auto upper = [](char c) {
        return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    };
    const auto is = [&](std::string_view text, std::string_view word) {
        if (text.size() != word.size()) {
            return false;
        }
        for (std::size_t i = 0; i < word.size(); ++i) {
            if (upper(text[i]) != word[i]) {
                return false;
            }
        }
        return true;
    };
    for (std::string_view word : {"CON", "PRN", "AUX", "NUL"}) {
        if (is(stem, word)) {
            return true;
        }
    }
    if (stem.size() < 4 || !(is(stem.substr(0, 3), "COM") || is(stem.substr(0, 3), "LPT"))) {
        return false;
    }
    const std::string_view number = stem.substr(3);
    // Superscript one, two and three in UTF-8.
    static constexpr std::array<std::string_view, 3> kSuperscripts{"\xC2\xB9", "\xC2\xB2",
                                                                   "\xC2\xB3"};
    return (number.size() == 1 && number[0] >= '0' && number[0] <= '9') ||
           number == kSuperscripts[0] || number == kSuperscripts[1] || number == kSuperscripts[2];
}

}  // namespace

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

std::optional<Error> checkWindowsName(std::string_view name) {
    const auto refused = [](Error::Code code, std::string detail, std::string subject = {}) {
        return Error{code, std::move(detail), 0, std::move(subject)};
    };
    for (char c : name) {
        if (kWindowsRefused.find(c) != std::string_view::npos) {
            return refused(
                Error::Code::driveCharacter,
                std::string("This drive does not accept ") + kOpen + c + kClose + " in names.",
                std::string(1, c));
        }
    }
    for (char c : name) {
        if (isControl(c)) {
            return refused(Error::Code::driveControl,
                           "This drive does not accept control characters in names.");
        }
    }
    if (!name.empty() && name.back() == '.') {
        return refused(Error::Code::driveTrailingDot,
                       "This drive does not accept names that end in a dot.");
    }
    if (!name.empty() && name.back() == ' ') {
        return refused(Error::Code::driveTrailingSpace,
                       "This drive does not accept names that end in a space.");
    }
    const std::string_view stem = deviceStem(name);
    if (isDeviceName(stem)) {
        return refused(Error::Code::driveReservedName,
                       std::string("This drive keeps the name ") + kOpen + std::string(stem) +
                           kClose + " for a device.",
                       std::string(stem));
    }
    return std::nullopt;
}

std::string makeWindowsSafe(std::string_view name) {
    std::string out(name);
    for (char& c : out) {
        if (isControl(c) || kWindowsRefused.find(c) != std::string_view::npos) {
            c = '_';
        }
    }
    while (!out.empty() && (out.back() == '.' || out.back() == ' ')) {
        out.pop_back();
    }
    const std::string_view stem = deviceStem(out);
    if (isDeviceName(stem)) {
        out.insert(stem.size(), 1, '_');
    }
    return out;
}

Error nameNotUtf8() {
    return Error{Error::Code::nameNotUtf8, "The name is not valid UTF-8 and was left unchanged."};
}

Error itemMissing() {
    return Error{Error::Code::itemMissing, "No item exists at this location"};
}

}  // namespace NameCheck
