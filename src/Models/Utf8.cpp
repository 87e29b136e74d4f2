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

}  // namespace Utf8
