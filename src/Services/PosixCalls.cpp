// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Services/PosixCalls.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <stdio.h>
#include <sys/ioctl.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <sys/sysmacros.h>

#include <cerrno>
#include <fstream>
#include <sstream>
#include <string_view>

namespace {

int errnoOf(int rc) {
    return rc == 0 ? 0 : errno;
}

}  // namespace

int PosixCalls::renameNoReplace(const char* from, const char* to) {
    return errnoOf(::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE));
}

int PosixCalls::renameExchange(const char* a, const char* b) {
    return errnoOf(::renameat2(AT_FDCWD, a, AT_FDCWD, b, RENAME_EXCHANGE));
}

int PosixCalls::rename(const char* from, const char* to) {
    return errnoOf(::rename(from, to));
}

int PosixCalls::link(const char* from, const char* to) {
    return errnoOf(::linkat(AT_FDCWD, from, AT_FDCWD, to, 0));
}

int PosixCalls::unlink(const char* path) {
    return errnoOf(::unlink(path));
}

int PosixCalls::lstat(const char* path, struct stat& st) {
    return errnoOf(::lstat(path, &st));
}

int PosixCalls::createExclusive(const char* path) {
    const int fd = ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        return errno;
    }
    ::close(fd);
    return 0;
}

int PosixCalls::makeFolder(const char* path) {
    return errnoOf(::mkdir(path, 0700));
}

int PosixCalls::removeFolder(const char* path) {
    return errnoOf(::rmdir(path));
}

int PosixCalls::fileSystemType(const char* path, long& type) {
    struct statfs st {};
    if (::statfs(path, &st) != 0) {
        return errno;
    }
    type = static_cast<long>(st.f_type);
    return 0;
}

int PosixCalls::mountType(const char* path, std::string& type) {
    struct stat st {};
    if (::stat(path, &st) != 0) {
        return errno;
    }
    const std::string device =
        std::to_string(major(st.st_dev)) + ":" + std::to_string(minor(st.st_dev));
    std::ifstream table("/proc/self/mountinfo");
    if (!table) {
        return ENOENT;
    }
    // A line: id, parent id, major:minor, root, mount point, options, optional fields, "-",
    // type, source, options. A table larger than this is not read further.
    constexpr std::size_t kMaxLines = 100'000;
    std::string line;
    for (std::size_t n = 0; n < kMaxLines && std::getline(table, line); ++n) {
        std::istringstream fields(line);
        std::string id;
        std::string parent;
        std::string numbers;
        if (!(fields >> id >> parent >> numbers) || numbers != device) {
            continue;
        }
        std::string field;
        while (fields >> field && field != "-") {
        }
        if (fields >> type) {
            return 0;
        }
    }
    return ENOENT;
}

int PosixCalls::folderFlags(const char* path, long& flags) {
    const int fd = ::open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return errno;
    }
    int value = 0;
    const int rc = ::ioctl(fd, FS_IOC_GETFLAGS, &value);
    const int code = rc == 0 ? 0 : errno;
    ::close(fd);
    flags = value;
    return code;
}

int PosixCalls::listNames(const char* path, std::vector<std::string>& names,
                          std::vector<std::uint64_t>* inodes) {
    DIR* dir = ::opendir(path);
    if (dir == nullptr) {
        return errno;
    }
    errno = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") {
            names.emplace_back(name);
            if (inodes != nullptr) {
                inodes->push_back(static_cast<std::uint64_t>(entry->d_ino));
            }
        }
    }
    const int code = errno;
    ::closedir(dir);
    return code;
}

PosixCalls& PosixCalls::real() {
    static PosixCalls calls;
    return calls;
}
