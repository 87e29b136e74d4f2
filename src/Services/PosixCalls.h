// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <string>
#include <vector>

// The few system calls a move is built from, each returning 0 or the errno value. The real
// ones are used unless a test puts in its own to produce what no disk at hand shows (a file
// system without RENAME_NOREPLACE, a case-insensitive folder).
class PosixCalls {
  public:
    virtual ~PosixCalls() = default;

    // renameat2(from, to, RENAME_NOREPLACE).
    virtual int renameNoReplace(const char* from, const char* to);
    // renameat2(a, b, RENAME_EXCHANGE).
    virtual int renameExchange(const char* a, const char* b);
    // rename(from, to), which replaces a file or an empty folder at `to`.
    virtual int rename(const char* from, const char* to);
    // linkat(from, to) without following a symbolic link; never replaces `to`.
    virtual int link(const char* from, const char* to);
    // unlink(path).
    virtual int unlink(const char* path);
    // lstat(path).
    virtual int lstat(const char* path, struct stat& st);
    // Creates an empty file at `path`, failing when anything is there (O_CREAT | O_EXCL).
    virtual int createExclusive(const char* path);
    // mkdir(path) and rmdir(path).
    virtual int makeFolder(const char* path);
    virtual int removeFolder(const char* path);
    // The type of the file system holding `path` (statfs f_type).
    virtual int fileSystemType(const char* path, long& type);
    // The type name of the file system mounted where `path` is (the field of
    // /proc/self/mountinfo for its device: "fuseblk", "fuse.sshfs"), which tells FUSE file
    // systems apart where statfs cannot.
    virtual int mountType(const char* path, std::string& type);
    // The inode flags of the folder `path` (FS_IOC_GETFLAGS).
    virtual int folderFlags(const char* path, long& flags);
    // The names in the folder `path` by readdir, without "." and ".."; with `inodes`, the
    // inode readdir gave for each name too, at the same position.
    virtual int listNames(const char* path, std::vector<std::string>& names,
                          std::vector<std::uint64_t>* inodes = nullptr);

    // The calls of the running system.
    static PosixCalls& real();
};
