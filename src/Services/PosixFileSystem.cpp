#include "Services/PosixFileSystem.h"

#include <fcntl.h>
#include <stdio.h>

#include <cerrno>
#include <cstring>

std::optional<Error> PosixFileSystem::moveNoReplace(const std::filesystem::path& from,
                                                    const std::filesystem::path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return std::nullopt;
    }
    const int code = errno;
    return Error{Error::Code::fileSystem, std::strerror(code), code};
}

FileSystem& FileSystem::real() {
    static PosixFileSystem disk;
    return disk;
}
