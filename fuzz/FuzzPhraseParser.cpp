// Any text through the phrase parser: no crash, no hang, at most one suggestion per
// recogniser.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "Services/NaturalLanguageParser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string phrase(reinterpret_cast<const char*>(data), size);
    if (NaturalLanguageParser::parse(phrase).size() > 7) {
        std::abort();
    }
    return 0;
}
