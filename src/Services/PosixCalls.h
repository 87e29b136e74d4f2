#pragma once

#include <sys/stat.h>

// The few system calls a move is built from, each returning 0 or the errno value. The real
// ones are used unless a test puts in its own to produce what no disk at hand shows (a file
// system without RENAME_NOREPLACE, a case-insensitive folder).
class PosixCalls {
  public:
    virtual ~PosixCalls() = default;

    // renameat2(from, to, RENAME_NOREPLACE).
    virtual int renameNoReplace(const char* from, const char* to);
    // linkat(from, to) without following a symbolic link; never replaces `to`.
    virtual int link(const char* from, const char* to);
    // unlink(path).
    virtual int unlink(const char* path);
    // lstat(path).
    virtual int lstat(const char* path, struct stat& st);

    // The calls of the running system.
    static PosixCalls& real();
};
