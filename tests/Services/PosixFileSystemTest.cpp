// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Services/PosixFileSystem.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include "Services/PosixCalls.h"
#include "Support/CaseFoldingCalls.h"
#include "Support/TempDir.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> entries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// --- The real disk ---

TEST(PosixFileSystemTest, MovesAFileWithItsContent) {
    TempDir dir;
    dir.file("a.txt", "alpha");
    PosixFileSystem disk;
    EXPECT_EQ(disk.moveNoReplace(dir.path() / "a.txt", dir.path() / "b.txt"), std::nullopt);
    EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"b.txt"});
    EXPECT_EQ(dir.read("b.txt"), "alpha");
}

struct Collision {
    const char* name;
    bool sourceIsFolder;
    bool destinationIsFolder;
};

class PosixFileSystemCollisionTest : public ::testing::TestWithParam<Collision> {};

// A plain rename would replace a file by a file and an empty folder by a folder.
TEST_P(PosixFileSystemCollisionTest, NeverReplacesTheDestination) {
    const auto& row = GetParam();
    TempDir dir;
    if (row.sourceIsFolder) {
        dir.folder("from");
        dir.file("from/inside", "source");
    } else {
        dir.file("from", "source");
    }
    if (row.destinationIsFolder) {
        dir.folder("to");
    } else {
        dir.file("to", "kept");
    }
    PosixFileSystem disk;
    auto error = disk.moveNoReplace(dir.path() / "from", dir.path() / "to");
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->code, Error::Code::fileSystem);
    EXPECT_EQ(error->systemError, EEXIST);
    EXPECT_EQ(error->detail,
              "Could not rename \xE2\x80\x9C"
              "from\xE2\x80\x9D to \xE2\x80\x9Cto\xE2\x80\x9D: "
              "File exists.");
    EXPECT_TRUE(dir.exists("from"));
    if (row.destinationIsFolder) {
        EXPECT_TRUE(fs::is_empty(dir.path() / "to"));
    } else {
        EXPECT_EQ(dir.read("to"), "kept");
    }
}

INSTANTIATE_TEST_SUITE_P(, PosixFileSystemCollisionTest,
                         ::testing::Values(Collision{"FileOntoFile", false, false},
                                           Collision{"FolderOntoEmptyFolder", true, true},
                                           Collision{"FolderOntoFile", true, false},
                                           Collision{"FileOntoFolder", false, true}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(PosixFileSystemTest, AVanishedSourceFailsWithTheSystemMessage) {
    TempDir dir;
    PosixFileSystem disk;
    auto error = disk.moveNoReplace(dir.path() / "gone.txt", dir.path() / "new.txt");
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->systemError, ENOENT);
    EXPECT_NE(error->detail.find("No such file or directory"), std::string::npos);
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(PosixFileSystemTest, MovesASymbolicLinkItselfNotItsTarget) {
    TempDir dir;
    dir.file("target", "t");
    fs::create_symlink("target", dir.path() / "link");
    PosixFileSystem disk;
    EXPECT_EQ(disk.moveNoReplace(dir.path() / "link", dir.path() / "renamed"), std::nullopt);
    EXPECT_TRUE(fs::is_symlink(dir.path() / "renamed"));
    EXPECT_EQ(dir.read("target"), "t");
}

// --- Faults no disk at hand shows, through injected system calls ---

// The real calls, except that renameat2 does not know RENAME_NOREPLACE, as on some network
// and older file systems; optionally unlink fails too.
class NoFlagCalls : public PosixCalls {
  public:
    int unlinkFailure = 0;
    int renameNoReplace(const char*, const char*) override { return EINVAL; }
    int unlink(const char* path) override {
        if (unlinkFailure != 0 && unlinkFailure-- > 0) {
            return EACCES;
        }
        return PosixCalls::unlink(path);
    }
};

TEST(PosixFileSystemFallbackTest, MovesAFileByLinkAndUnlink) {
    TempDir dir;
    dir.file("a.txt", "alpha");
    NoFlagCalls calls;
    PosixFileSystem disk(calls);
    EXPECT_EQ(disk.moveNoReplace(dir.path() / "a.txt", dir.path() / "b.txt"), std::nullopt);
    EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"b.txt"});
    EXPECT_EQ(dir.read("b.txt"), "alpha");
}

TEST(PosixFileSystemFallbackTest, NeverReplacesAnExistingFile) {
    TempDir dir;
    dir.file("a.txt", "alpha");
    dir.file("b.txt", "beta");
    NoFlagCalls calls;
    PosixFileSystem disk(calls);
    auto error = disk.moveNoReplace(dir.path() / "a.txt", dir.path() / "b.txt");
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->systemError, EEXIST);
    EXPECT_EQ(dir.read("a.txt"), "alpha");
    EXPECT_EQ(dir.read("b.txt"), "beta");
}

TEST(PosixFileSystemFallbackTest, MovesAFolderOntoItsOwnPlaceholder) {
    TempDir dir;
    dir.folder("Photos");
    dir.file("Photos/one.jpg", "1");
    dir.folder("Taken");
    NoFlagCalls calls;
    PosixFileSystem disk(calls);
    EXPECT_EQ(disk.moveNoReplace(dir.path() / "Photos", dir.path() / "Pictures"), std::nullopt);
    EXPECT_EQ(entries(dir.path()), (std::vector<std::string>{"Pictures", "Taken"}));
    EXPECT_EQ(dir.read("Pictures/one.jpg"), "1");
    // An empty folder under the new name is not replaced.
    auto error = disk.moveNoReplace(dir.path() / "Pictures", dir.path() / "Taken");
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->systemError, EEXIST);
    EXPECT_EQ(dir.read("Pictures/one.jpg"), "1");
}

// Neither RENAME_NOREPLACE nor hard links nor exchanges, as FAT over FUSE.
class NoLinkCalls : public NoFlagCalls {
  public:
    int link(const char*, const char*) override { return EPERM; }
    int renameExchange(const char*, const char*) override { return EINVAL; }
};

TEST(PosixFileSystemFallbackTest, WithoutHardLinksAFileStillNeverReplacesAnother) {
    TempDir dir;
    dir.file("a.txt", "alpha");
    dir.file("b.txt", "beta");
    NoLinkCalls calls;
    PosixFileSystem disk(calls);
    auto error = disk.moveNoReplace(dir.path() / "a.txt", dir.path() / "b.txt");
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->systemError, EEXIST);
    EXPECT_EQ(disk.moveNoReplace(dir.path() / "a.txt", dir.path() / "c.txt"), std::nullopt);
    EXPECT_EQ(entries(dir.path()), (std::vector<std::string>{"b.txt", "c.txt"}));
    EXPECT_EQ(dir.read("c.txt"), "alpha");
    EXPECT_EQ(dir.read("b.txt"), "beta");
}

TEST(PosixFileSystemFallbackTest, AFailedUnlinkLeavesTheItemUnderItsOldNameOnly) {
    TempDir dir;
    dir.file("a.txt", "alpha");
    NoFlagCalls calls;
    calls.unlinkFailure = 1;
    PosixFileSystem disk(calls);
    auto error = disk.moveNoReplace(dir.path() / "a.txt", dir.path() / "b.txt");
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->systemError, EACCES);
    EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"a.txt"});
    EXPECT_EQ(dir.read("a.txt"), "alpha");
}

TEST(PosixFileSystemCaseInsensitiveTest, ACaseOnlyChangeGoesThroughATemporaryName) {
    TempDir dir;
    dir.file("photo.jpg", "picture");
    CaseFoldingCalls calls;
    PosixFileSystem disk(calls);
    EXPECT_TRUE(disk.folderFacts(dir.path())->caseInsensitive);
    // Such a folder finds "Photo.jpg" taken by the item itself: the same device and inode.
    EXPECT_EQ(disk.moveNoReplace(dir.path() / "photo.jpg", dir.path() / "Photo.jpg"), std::nullopt);
    ASSERT_EQ(calls.renames.size(), 3u);
    EXPECT_EQ(calls.renames[2].second, "Photo.jpg");
    EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"photo.jpg"});
    EXPECT_EQ(dir.read("photo.jpg"), "picture");
}

TEST(PosixFileSystemCaseInsensitiveTest, ADifferentItemUnderTheOtherSpellingIsNotReplaced) {
    TempDir dir;
    dir.file("notes.txt", "old");
    dir.file("other.txt", "other");
    CaseFoldingCalls calls;
    PosixFileSystem disk(calls);
    auto error = disk.moveNoReplace(dir.path() / "other.txt", dir.path() / "NOTES.txt");
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->systemError, EEXIST);
    EXPECT_EQ(calls.renames.size(), 1u);
    EXPECT_EQ(dir.read("notes.txt"), "old");
    EXPECT_EQ(dir.read("other.txt"), "other");
}

// Two hard links are one item to lstat, yet neither name may replace the other.
TEST(PosixFileSystemTest, AHardLinkUnderTheNewNameIsNotReplaced) {
    TempDir dir;
    dir.file("a.txt", "shared");
    fs::create_hard_link(dir.path() / "a.txt", dir.path() / "b.txt");
    PosixFileSystem disk;
    auto error = disk.moveNoReplace(dir.path() / "a.txt", dir.path() / "b.txt");
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->systemError, EEXIST);
    EXPECT_EQ(entries(dir.path()), (std::vector<std::string>{"a.txt", "b.txt"}));
}

}  // namespace

namespace {

// A real FAT image, where the machine lets this process make and mount one.
TEST(PosixFileSystemVfatTest, CaseOnlyChangesSwapsAndRefusedNamesOnARealFatImage) {
    TempDir dir;
    const auto image = dir.path() / "fat.img";
    const auto mountPoint = dir.folder("mnt");
    const std::string make = "truncate -s 4M '" + image.string() + "' && mkfs.vfat '" +
                             image.string() + "' >/dev/null 2>&1";
    if (::geteuid() != 0 || std::system(make.c_str()) != 0 ||
        std::system(
            ("mount -o loop '" + image.string() + "' '" + mountPoint.string() + "' >/dev/null 2>&1")
                .c_str()) != 0) {
        GTEST_SKIP() << "no FAT image can be made and mounted here (needs root, mkfs.vfat "
                        "from dosfstools and loop devices)";
    }
    struct Unmount {
        fs::path where;
        ~Unmount() { std::system(("umount '" + where.string() + "'").c_str()); }
    } unmount{mountPoint};
    dir.file("mnt/photo.jpg", "p");
    dir.file("mnt/a", "A");
    dir.file("mnt/b", "B");
    PosixFileSystem disk;
    ASSERT_TRUE(disk.folderFacts(mountPoint)->caseInsensitive);
    // The names the preview refuses there, the kernel refuses too.
    EXPECT_TRUE(disk.folderFacts(mountPoint)->windowsNames);
    EXPECT_TRUE(disk.moveNoReplace(mountPoint / "a", mountPoint / "a:b").has_value());
    EXPECT_TRUE(disk.moveNoReplace(mountPoint / "a", mountPoint / "a?").has_value());
    EXPECT_EQ(disk.moveNoReplace(mountPoint / "photo.jpg", mountPoint / "Photo.jpg"), std::nullopt);
    EXPECT_EQ(entries(mountPoint), (std::vector<std::string>{"Photo.jpg", "a", "b"}));
    auto error = disk.moveNoReplace(mountPoint / "a", mountPoint / "B");
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->systemError, EEXIST);
    EXPECT_EQ(dir.read("mnt/b"), "B");
}

}  // namespace
