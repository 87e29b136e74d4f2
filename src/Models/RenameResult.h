#pragma once

#include <filesystem>
#include <optional>

#include "Models/Error.h"

// One attempted move of a rename batch.
struct RenameResult {
    std::filesystem::path originalURL;
    std::filesystem::path newURL;
    bool success = false;
    // Why the move failed (none on success); `detail` is a human-readable sentence.
    std::optional<Error> error;
};
