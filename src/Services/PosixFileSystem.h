#pragma once

#include "Services/FileSystem.h"

// The disk through renameat2 with RENAME_NOREPLACE.
class PosixFileSystem final : public FileSystem {
  public:
    std::optional<Error> moveNoReplace(const std::filesystem::path& from,
                                       const std::filesystem::path& to) override;
};
