#pragma once

#include "Services/FileSystem.h"

class PosixCalls;

// The disk. A move is renameat2 with RENAME_NOREPLACE; where the file system does not know
// the flag, a file is moved by link and unlink and a folder is refused, so that nothing is
// ever replaced. A change of letter case alone on a case-insensitive folder goes through a
// unique temporary name in the same folder.
class PosixFileSystem final : public FileSystem {
  public:
    // Works through the real system calls.
    PosixFileSystem();
    // Works through `calls`, which must outlive this object.
    explicit PosixFileSystem(PosixCalls& calls);

    std::optional<Error> moveNoReplace(const std::filesystem::path& from,
                                       const std::filesystem::path& to) override;

  private:
    PosixCalls* calls_;
};
