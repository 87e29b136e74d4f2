#include "Services/PosixCalls.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>

namespace {

int errnoOf(int rc) {
    return rc == 0 ? 0 : errno;
}

}  // namespace

int PosixCalls::renameNoReplace(const char* from, const char* to) {
    return errnoOf(::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE));
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

PosixCalls& PosixCalls::real() {
    static PosixCalls calls;
    return calls;
}
