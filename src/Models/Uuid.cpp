#include "Models/Uuid.h"

#include <uuid/uuid.h>

#include <cstring>

Uuid Uuid::random() {
    Uuid id;
    uuid_generate_random(id.bytes_.data());
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
