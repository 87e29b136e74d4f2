#include "Services/PosixFileSystem.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <random>
#include <string>

#include "Models/Utf8.h"
#include "Services/PosixCalls.h"

namespace {

namespace fs = std::filesystem;

// What a move came to: 0, an errno value, or the folder that could not be moved safely.
constexpr int kFolderUnsafe = -1;

std::string quoted(const fs::path& path) {
    return "\xE2\x80\x9C" + Utf8::toValid(path.filename().native()) + "\xE2\x80\x9D";
}

Error errorFor(int code, const fs::path& from, const fs::path& to) {
    if (code == kFolderUnsafe) {
        return Error{Error::Code::fileSystem,
                     "Could not rename the folder " + quoted(from) + " to " + quoted(to) +
                         ": this file system cannot rename a folder without the risk of "
                         "replacing an existing item, so the folder was left unchanged.",
                     EINVAL};
    }
    return Error{
        Error::Code::fileSystem,
        "Could not rename " + quoted(from) + " to " + quoted(to) + ": " + std::strerror(code) + ".",
        code};
}

// One move that cannot replace anything, with the fallback for file systems that do not
// know RENAME_NOREPLACE.
int moveOnce(PosixCalls& calls, const fs::path& from, const fs::path& to) {
    const int code = calls.renameNoReplace(from.c_str(), to.c_str());
    if (code != EINVAL) {
        return code;
    }
    struct stat st {};
    if (int statCode = calls.lstat(from.c_str(), st); statCode != 0) {
        return statCode;
    }
    if (S_ISDIR(st.st_mode)) {
        // A folder cannot be hard-linked, and a plain rename would replace an empty folder.
        return kFolderUnsafe;
    }
    // A new link fails when `to` exists, so the name is taken without replacing anything.
    if (int linkCode = calls.link(from.c_str(), to.c_str()); linkCode != 0) {
        return linkCode;
    }
    if (int unlinkCode = calls.unlink(from.c_str()); unlinkCode != 0) {
        // Leave the item as it was rather than under two names.
        calls.unlink(to.c_str());
        return unlinkCode;
    }
    return 0;
}

bool sameItem(PosixCalls& calls, const fs::path& a, const fs::path& b) {
    struct stat sa {};
    struct stat sb {};
    return calls.lstat(a.c_str(), sa) == 0 && calls.lstat(b.c_str(), sb) == 0 &&
           sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

std::string temporaryName() {
    thread_local std::mt19937_64 random{std::random_device{}()};
    static const char digits[] = "0123456789abcdef";
    std::string name = ".quorvane-rename-";
    for (int i = 0; i < 12; ++i) {
        name += digits[random() % 16];
    }
    return name;
}

// `from` and `to` name the same item (a case-insensitive folder): move it away to a unique
// name and then to `to`, so that the new spelling is taken.
int moveThroughTemporary(PosixCalls& calls, const fs::path& from, const fs::path& to) {
    for (int attempt = 0; attempt < 8; ++attempt) {
        const fs::path temporary = from.parent_path() / temporaryName();
        const int away = moveOnce(calls, from, temporary);
        if (away == EEXIST) {
            continue;
        }
        if (away != 0) {
            return away;
        }
        const int back = moveOnce(calls, temporary, to);
        if (back != 0) {
            moveOnce(calls, temporary, from);
        }
        return back;
    }
    return EEXIST;
}

}  // namespace

PosixFileSystem::PosixFileSystem() : calls_(&PosixCalls::real()) {}

PosixFileSystem::PosixFileSystem(PosixCalls& calls) : calls_(&calls) {}

std::optional<Error> PosixFileSystem::moveNoReplace(const fs::path& from, const fs::path& to) {
    int code = moveOnce(*calls_, from, to);
    if (code == EEXIST && from != to && sameItem(*calls_, from, to)) {
        code = moveThroughTemporary(*calls_, from, to);
    }
    if (code == 0) {
        return std::nullopt;
    }
    return errorFor(code, from, to);
}

FileSystem& FileSystem::real() {
    static PosixFileSystem disk;
    return disk;
}
