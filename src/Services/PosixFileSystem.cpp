// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Services/PosixFileSystem.h"

#include <linux/fs.h>
#include <linux/magic.h>
#include <sys/stat.h>

#include <unistd.h>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "Models/Utf8.h"
#include "Models/Uuid.h"
#include "Services/PosixCalls.h"
#include "Services/RenameEngine.h"

namespace {

namespace fs = std::filesystem;

// Not in every kernel header: the in-kernel NTFS driver and SMB 2.
constexpr long kNtfs3Magic = 0x7366746e;
constexpr long kNtfsMagic = 0x5346544e;
#ifndef SMB2_SUPER_MAGIC
constexpr long SMB2_SUPER_MAGIC = 0xFE534D42;
#endif

std::string quoted(const fs::path& path) {
    return "\xE2\x80\x9C" + Utf8::toValid(path.filename().native()) + "\xE2\x80\x9D";
}

Error errorFor(int code, const fs::path& from, const fs::path& to) {
    return Error{
        Error::Code::fileSystem,
        "Could not rename " + quoted(from) + " to " + quoted(to) + ": " + std::strerror(code) + ".",
        code};
}

bool refusesFlag(int code) {
    return code == EINVAL || code == ENOTSUP || code == EOPNOTSUPP || code == ENOSYS;
}

// Whether `to` finds the very item at `from` under another spelling of its name, as a
// case-insensitive folder does. A second hard link is a different name, never this.
bool sameItem(PosixCalls& calls, const fs::path& from, const fs::path& to) {
    struct stat a {};
    struct stat b {};
    if (calls.lstat(from.c_str(), a) != 0 || calls.lstat(to.c_str(), b) != 0) {
        return false;
    }
    if (a.st_dev != b.st_dev || a.st_ino != b.st_ino) {
        return false;
    }
    return S_ISDIR(a.st_mode) || a.st_nlink == 1 ||
           RenameEngine::conflictKey(from.filename().native()) ==
               RenameEngine::conflictKey(to.filename().native());
}

int moveOnce(PosixCalls& calls, const fs::path& from, const fs::path& to);

// A name in the folder of `near` that nothing uses at the moment of asking.
fs::path freshName(PosixCalls& calls, const fs::path& near) {
    for (;;) {
        fs::path candidate = near.parent_path() / (".quorvane-" + Uuid::random().toString());
        struct stat st {};
        if (calls.lstat(candidate.c_str(), st) == ENOENT) {
            return candidate;
        }
    }
}

// A change of letter case that the folder takes for the item itself: through a temporary
// name, and back to the old name when the second half fails.
int caseOnlyMove(PosixCalls& calls, const fs::path& from, const fs::path& to) {
    const fs::path temporary = freshName(calls, from);
    if (int code = moveOnce(calls, from, temporary); code != 0) {
        return code;
    }
    if (int code = moveOnce(calls, temporary, to); code != 0) {
        moveOnce(calls, temporary, from);
        return code;
    }
    return 0;
}

int clash(PosixCalls& calls, const fs::path& from, const fs::path& to) {
    return sameItem(calls, from, to) ? caseOnlyMove(calls, from, to) : EEXIST;
}

// For a file system that neither knows RENAME_NOREPLACE nor has hard links: the name is
// claimed by an exclusive create (a placeholder of the same kind as the item), and the item
// is renamed onto its own placeholder, checked once more right before.
int moveOntoPlaceholder(PosixCalls& calls, const fs::path& from, const fs::path& to, bool folder) {
    const int claim = folder ? calls.makeFolder(to.c_str()) : calls.createExclusive(to.c_str());
    if (claim == EEXIST) {
        return clash(calls, from, to);
    }
    if (claim != 0) {
        return claim;
    }
    struct stat placeholder {};
    if (int code = calls.lstat(to.c_str(), placeholder); code != 0) {
        return code;
    }
    const auto stillOurs = [&] {
        struct stat now {};
        return calls.lstat(to.c_str(), now) == 0 && now.st_dev == placeholder.st_dev &&
               now.st_ino == placeholder.st_ino;
    };
    const auto dropPlaceholder = [&] {
        if (stillOurs()) {
            folder ? calls.removeFolder(to.c_str()) : calls.unlink(to.c_str());
        }
    };
    if (!stillOurs()) {
        return EEXIST;
    }
    if (int code = calls.rename(from.c_str(), to.c_str()); code != 0) {
        dropPlaceholder();
        return code;
    }
    return 0;
}

// One move that cannot replace anything, with the fallbacks for file systems that do not
// know RENAME_NOREPLACE.
int moveOnce(PosixCalls& calls, const fs::path& from, const fs::path& to) {
    const int code = calls.renameNoReplace(from.c_str(), to.c_str());
    if (code == EEXIST) {
        return clash(calls, from, to);
    }
    if (!refusesFlag(code)) {
        return code;
    }
    struct stat st {};
    if (int statCode = calls.lstat(from.c_str(), st); statCode != 0) {
        return statCode;
    }
    if (S_ISDIR(st.st_mode)) {
        return moveOntoPlaceholder(calls, from, to, true);
    }
    // A new link fails when `to` exists, so the name is taken without replacing anything.
    const int linkCode = calls.link(from.c_str(), to.c_str());
    if (linkCode == EEXIST) {
        return clash(calls, from, to);
    }
    if (linkCode == EPERM || linkCode == EMLINK || refusesFlag(linkCode)) {
        return moveOntoPlaceholder(calls, from, to, false);
    }
    if (linkCode != 0) {
        return linkCode;
    }
    if (int unlinkCode = calls.unlink(from.c_str()); unlinkCode != 0) {
        // Leave the item as it was rather than under two names.
        calls.unlink(to.c_str());
        return unlinkCode;
    }
    return 0;
}

bool caseInsensitiveType(long type) {
    switch (type) {
        case MSDOS_SUPER_MAGIC:
        case EXFAT_SUPER_MAGIC:
        case kNtfsMagic:
        case kNtfs3Magic:
        case CIFS_SUPER_MAGIC:
        case SMB2_SUPER_MAGIC:
        case SMB_SUPER_MAGIC:
            return true;
        default:
            return false;
    }
}

// A FUSE folder tells nothing of its rules: one of its names with a letter is looked up
// with that letter's case swapped; finding the same item means the folder ignores case.
bool probesCaseInsensitive(PosixCalls& calls, const fs::path& folder,
                           const std::vector<std::string>& names) {
    for (const auto& name : names) {
        std::string swapped = name;
        bool changed = false;
        for (char& c : swapped) {
            if (c >= 'a' && c <= 'z') {
                c = static_cast<char>(c - 32);
                changed = true;
                break;
            }
            if (c >= 'A' && c <= 'Z') {
                c = static_cast<char>(c + 32);
                changed = true;
                break;
            }
        }
        if (!changed) {
            continue;
        }
        struct stat original {};
        struct stat other {};
        if (calls.lstat((folder / name).c_str(), original) != 0) {
            continue;
        }
        if (calls.lstat((folder / swapped).c_str(), other) != 0) {
            return false;
        }
        return original.st_dev == other.st_dev && original.st_ino == other.st_ino;
    }
    return false;
}

}  // namespace

PosixFileSystem::PosixFileSystem() : calls_(&PosixCalls::real()) {}

PosixFileSystem::PosixFileSystem(PosixCalls& calls) : calls_(&calls) {}

std::optional<Error> PosixFileSystem::moveNoReplace(const fs::path& from, const fs::path& to) {
    const int code = moveOnce(*calls_, from, to);
    if (code == 0) {
        return std::nullopt;
    }
    return errorFor(code, from, to);
}

std::optional<Error> PosixFileSystem::exchange(const fs::path& a, const fs::path& b) {
    const int code = calls_->renameExchange(a.c_str(), b.c_str());
    if (code == 0) {
        return std::nullopt;
    }
    return errorFor(code, a, b);
}

std::optional<FolderFacts> PosixFileSystem::folderFacts(const fs::path& folder) {
    FolderFacts facts;
    const fs::path where = folder.empty() ? fs::path(".") : folder;
    if (calls_->listNames(where.c_str(), facts.names, &facts.inodes) != 0) {
        return std::nullopt;
    }
    describe(where, facts);
    return facts;
}

std::optional<FolderFacts> PosixFileSystem::listedFolderFacts(const fs::path& folder,
                                                              std::vector<std::string> names,
                                                              std::vector<std::uint64_t> inodes) {
    FolderFacts facts;
    facts.names = std::move(names);
    facts.inodes = std::move(inodes);
    describe(folder.empty() ? fs::path(".") : folder, facts);
    return facts;
}

void PosixFileSystem::describe(const fs::path& where, FolderFacts& facts) {
    // "/." names the folder itself even where `folder` is a symbolic link to it.
    struct stat st {};
    if (calls_->lstat((where.native() + "/.").c_str(), st) == 0) {
        facts.device = static_cast<std::uint64_t>(st.st_dev);
    } else {
        facts.inodes.clear();
    }
    long type = 0;
    if (calls_->fileSystemType(where.c_str(), type) == 0) {
        if (caseInsensitiveType(type)) {
            facts.caseInsensitive = true;
            facts.windowsNames = true;
        } else if (type == FUSE_SUPER_MAGIC) {
            facts.caseInsensitive = probesCaseInsensitive(*calls_, where, facts.names);
            // A FUSE file system on a block device is, in practice, NTFS or exFAT; sshfs and
            // the like are not.
            std::string mounted;
            facts.windowsNames =
                calls_->mountType(where.c_str(), mounted) == 0 && mounted == "fuseblk";
        }
    }
    long flags = 0;
    // Asked of every folder, not only of ext4 and f2fs ones, so that the answer does not
    // hang on the type a test layer reports.
    if (!facts.caseInsensitive && calls_->folderFlags(where.c_str(), flags) == 0) {
        facts.caseInsensitive = (flags & FS_CASEFOLD_FL) != 0;
    }
}

FileSystem& FileSystem::real() {
    static PosixFileSystem disk;
    return disk;
}
