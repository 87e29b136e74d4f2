// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Services/EditList.h"

#include <unicode/utf8.h>

#include <charconv>

#include "Models/Utf8.h"

namespace EditList {

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// The value of `digits` hex digits at `at`, or -1.
long hexValue(std::string_view text, std::size_t at, std::size_t digits) {
    if (at + digits > text.size()) {
        return -1;
    }
    long value = 0;
    for (std::size_t i = 0; i < digits; ++i) {
        const int digit = hexDigit(text[at + i]);
        if (digit < 0) {
            return -1;
        }
        value = value * 16 + digit;
    }
    return value;
}

Error lineError(std::size_t line, const std::string& what) {
    return {Error::Code::invalidValue, "line " + std::to_string(line) + ": " + what};
}

}  // namespace

std::string escapeName(std::string_view name) {
    std::string escaped = Utf8::escapeControls(name);
    if (!escaped.empty() && escaped.front() == '#') {
        escaped.replace(0, 1, "\\x23");
    }
    return escaped;
}

std::optional<std::string> unescapeName(std::string_view field) {
    std::string bytes;
    bytes.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\') {
            bytes.push_back(field[i]);
            continue;
        }
        if (++i == field.size()) {
            return std::nullopt;
        }
        switch (field[i]) {
            case '\\':
                bytes.push_back('\\');
                break;
            case 'n':
                bytes.push_back('\n');
                break;
            case 'r':
                bytes.push_back('\r');
                break;
            case 't':
                bytes.push_back('\t');
                break;
            case 'e':
                bytes.push_back('\x1b');
                break;
            case 'a':
                bytes.push_back('\a');
                break;
            case 'b':
                bytes.push_back('\b');
                break;
            case 'f':
                bytes.push_back('\f');
                break;
            case 'v':
                bytes.push_back('\v');
                break;
            case 'x': {
                const long value = hexValue(field, i + 1, 2);
                if (value < 0) {
                    return std::nullopt;
                }
                bytes.push_back(static_cast<char>(value));
                i += 2;
                break;
            }
            case 'u': {
                const long value = hexValue(field, i + 1, 4);
                // A surrogate stands for no character on its own.
                if (value < 0 || (value >= 0xD800 && value <= 0xDFFF)) {
                    return std::nullopt;
                }
                char encoded[4];
                std::size_t length = 0;
                U8_APPEND_UNSAFE(encoded, length, static_cast<UChar32>(value));
                bytes.append(encoded, length);
                i += 4;
                break;
            }
            default:
                return std::nullopt;
        }
    }
    return bytes;
}

std::string write(const std::vector<std::string>& names, const std::vector<std::string>& comments) {
    std::string text;
    for (const auto& comment : comments) {
        text += comment.empty() ? "#\n" : "# " + comment + '\n';
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        text += std::to_string(i + 1) + '\t' + escapeName(names[i]) + '\n';
    }
    return text;
}

Reading read(std::string_view text, std::size_t count) {
    Reading reading;
    std::size_t lineNumber = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.empty() || line.front() == '#') {
            continue;
        }
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos) {
            reading.errors.push_back(lineError(lineNumber, "no TAB between the ID and the name"));
            continue;
        }
        const std::string_view idText = line.substr(0, tab);
        std::size_t id = 0;
        const auto [end_, problem] =
            std::from_chars(idText.data(), idText.data() + idText.size(), id);
        if (idText.empty() || problem != std::errc() || end_ != idText.data() + idText.size() ||
            id == 0 || id > count) {
            reading.errors.push_back(
                lineError(lineNumber, "unknown ID \"" + Utf8::escapeControls(idText) + "\""));
            continue;
        }
        if (reading.names.count(id) != 0) {
            reading.errors.push_back(
                lineError(lineNumber, "ID " + std::to_string(id) + " is given twice"));
            continue;
        }
        auto name = unescapeName(line.substr(tab + 1));
        if (!name) {
            reading.errors.push_back(
                lineError(lineNumber, "a backslash that starts no known escape"));
            continue;
        }
        if (name->find('/') != std::string::npos || name->find('\0') != std::string::npos) {
            reading.errors.push_back(
                lineError(lineNumber, "a name cannot hold \"/\" or a NUL byte"));
            continue;
        }
        reading.names.emplace(id, std::move(*name));
    }
    return reading;
}

}  // namespace EditList
