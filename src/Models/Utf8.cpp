// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Models/Utf8.h"

#include <unicode/utf8.h>

namespace Utf8 {

bool isValid(std::string_view bytes) {
    const auto* s = reinterpret_cast<const uint8_t*>(bytes.data());
    const auto length = static_cast<int32_t>(bytes.size());
    int32_t i = 0;
    while (i < length) {
        if (s[i] < 0x80) {  // the common case of ASCII names
            ++i;
            continue;
        }
        UChar32 c;
        U8_NEXT(s, i, length, c);
        if (c < 0) {
            return false;
        }
    }
    return true;
}

std::string toValid(std::string_view bytes) {
    if (isValid(bytes)) {
        return std::string(bytes);
    }
    const auto* s = reinterpret_cast<const uint8_t*>(bytes.data());
    const auto length = static_cast<int32_t>(bytes.size());
    std::string out;
    out.reserve(bytes.size() + 8);
    int32_t i = 0;
    while (i < length) {
        const int32_t start = i;
        UChar32 c;
        U8_NEXT(s, i, length, c);
        if (c < 0) {
            out += "\xEF\xBF\xBD";
        } else {
            out.append(bytes.substr(start, i - start));
        }
    }
    return out;
}

namespace {

// Code points that reorder or hide the text around them, beyond the C0 and C1 controls.
bool isBidiControl(UChar32 c) {
    return (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

void appendHex(std::string& out, const char* prefix, unsigned value, int digits) {
    static const char hex[] = "0123456789abcdef";
    out += prefix;
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) {
        out += hex[(value >> shift) & 0xF];
    }
}

// Walks `bytes`, calling `ascii(c)` for each byte below 0x80, `other(c, start, end)` for each
// well-formed sequence above, and `bad(start, end)` for each ill-formed one.
template <typename Ascii, typename Other, typename Bad>
void walk(std::string_view bytes, Ascii ascii, Other other, Bad bad) {
    const auto* s = reinterpret_cast<const uint8_t*>(bytes.data());
    const auto length = static_cast<int32_t>(bytes.size());
    int32_t i = 0;
    while (i < length) {
        if (s[i] < 0x80) {
            ascii(static_cast<char>(s[i++]));
            continue;
        }
        const int32_t start = i;
        UChar32 c;
        U8_NEXT(s, i, length, c);
        if (c < 0) {
            bad(start, i);
        } else {
            other(c, start, i);
        }
    }
}

}  // namespace

std::string escapeControls(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    walk(
        bytes,
        [&](char c) {
            switch (c) {
                case '\\':
                    out += "\\\\";
                    return;
                case '\x1b':
                    out += "\\e";
                    return;
                case '\n':
                    out += "\\n";
                    return;
                case '\r':
                    out += "\\r";
                    return;
                case '\t':
                    out += "\\t";
                    return;
                default:
                    break;
            }
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
                appendHex(out, "\\x", static_cast<unsigned char>(c), 2);
            } else {
                out += c;
            }
        },
        [&](UChar32 c, int32_t start, int32_t end) {
            if (c <= 0x9F || isBidiControl(c)) {
                appendHex(out, "\\u", static_cast<unsigned>(c), 4);
            } else {
                out.append(bytes.substr(start, end - start));
            }
        },
        [&](int32_t start, int32_t end) {
            for (int32_t k = start; k < end; ++k) {
                appendHex(out, "\\x", static_cast<unsigned char>(bytes[k]), 2);
            }
        });
    return out;
}

}  // namespace Utf8
