#pragma once

#include <string>
#include <string_view>

// Helpers for byte strings that should hold UTF-8 (Linux file names are arbitrary bytes).
namespace Utf8 {

// Whether `bytes` is well-formed UTF-8 (no overlong forms, no surrogates, at most U+10FFFF).
bool isValid(std::string_view bytes);

// `bytes` with every ill-formed sequence replaced by U+FFFD; valid input comes back as it is.
std::string toValid(std::string_view bytes);

}  // namespace Utf8
