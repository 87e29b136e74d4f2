#pragma once

#include <filesystem>
#include <optional>

#include "Models/Error.h"

// The file-system operations a rename needs. The real one works on the disk; tests put in
// their own only for faults that cannot be made for real (a failed write as root, a
// case-insensitive file system).
class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // Moves the item at `from` to `to` without ever replacing an item at `to`; the error,
    // with the system's message, when it did not move.
    virtual std::optional<Error> moveNoReplace(const std::filesystem::path& from,
                                               const std::filesystem::path& to) = 0;

    // The disk.
    static FileSystem& real();
};
