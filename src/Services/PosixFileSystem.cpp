#include "Services/PosixFileSystem.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
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

}  // namespace

PosixFileSystem::PosixFileSystem() : calls_(&PosixCalls::real()) {}

PosixFileSystem::PosixFileSystem(PosixCalls& calls) : calls_(&calls) {}

std::optional<Error> PosixFileSystem::moveNoReplace(const fs::path& from, const fs::path& to) {
    // One direct move, never through a temporary name: a letter-case change that a
    // case-insensitive folder refuses is reported as the file system's error, and no item
    // is ever left under a name the user did not choose.
    const int code = moveOnce(*calls_, from, to);
    if (code == 0) {
        return std::nullopt;
    }
    return errorFor(code, from, to);
}

FileSystem& FileSystem::real() {
    static PosixFileSystem disk;
    return disk;
}
