// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Models/FileItem.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <unicode/locid.h>
#include <unicode/timezone.h>

#include <string>

#include "Support/TempDir.h"

namespace {

namespace fs = std::filesystem;

const std::string kDash = "\xE2\x80\x94";

struct Split {
    std::string name;  // row name
    std::string file;  // the last path component, as bytes
    std::string base;
    std::string extension;
};

class FileItemSplitTest : public ::testing::TestWithParam<Split> {};

TEST_P(FileItemSplitTest, SplitsTheLastComponent) {
    const auto& row = GetParam();
    const FileItem item(fs::path("/some/folder") / row.file, false);
    EXPECT_EQ(item.nameWithoutExtension(), row.base);
    EXPECT_EQ(item.fileExtension(), row.extension);
    EXPECT_EQ(item.parentURL(), fs::path("/some/folder"));
    // Base name and extension always join back to the name.
    EXPECT_EQ(row.extension.empty() ? row.base : row.base + "." + row.extension,
              item.originalName());
}

INSTANTIATE_TEST_SUITE_P(
    , FileItemSplitTest,
    ::testing::Values(Split{"NoDot", "notes", "notes", ""},
                      Split{"Simple", "photo.jpg", "photo", "jpg"},
                      Split{"MultipleDots", "report.final.pdf", "report.final", "pdf"},
                      Split{"TarGz", "archive.tar.gz", "archive.tar", "gz"},
                      Split{"ABC", "a.b.c", "a.b", "c"}, Split{"Hidden", ".env", ".env", ""},
                      Split{"HiddenWithExtension", ".profile.bak", ".profile", "bak"},
                      Split{"TrailingDot", "draft.", "draft.", ""},
                      Split{"DotsOnly", "...", "...", ""}, Split{"TwoDotsThenExt", "..x", ".", "x"},
                      Split{"FolderWithDot", "Holiday.Photos", "Holiday", "Photos"},
                      Split{"Nfd", "Cafe\xCC\x81.txt", "Cafe\xCC\x81", "txt"},
                      Split{"Emoji", "\xF0\x9F\x93\xB7.heic", "\xF0\x9F\x93\xB7", "heic"},
                      Split{"UnicodeExtension", "doc.\xC3\xA9t\xC3\xA9", "doc",
                            "\xC3\xA9t\xC3\xA9"},
                      // Ill-formed bytes are shown as U+FFFD; the split is taken from that text.
                      Split{"InvalidUtf8", "caf\xE9.txt", "caf\xEF\xBF\xBD", "txt"}),
    [](const auto& row) { return row.param.name; });

TEST(FileItemTest, AnInvalidUtf8NameIsFlaggedAndTheLocationKeptByteExact) {
    const fs::path location = fs::path("/tmp") / std::string("caf\xE9\xFF.txt");
    const FileItem item(location, false);
    EXPECT_FALSE(item.hasValidName());
    EXPECT_EQ(item.url.native(), location.native());
    EXPECT_EQ(item.originalName(), "caf\xEF\xBF\xBD\xEF\xBF\xBD.txt");
    EXPECT_TRUE(FileItem(fs::path("/tmp/Cafe\xCC\x81"), false).hasValidName());
}

TEST(FileItemTest, IdentityIsTheIdAlone) {
    TempDir dir;
    const auto path = dir.file("a.txt");
    FileItem a(path);
    const FileItem b(path);
    EXPECT_NE(a, b);
    FileItem copy = a;
    copy.isSelected = false;
    copy.url = "/elsewhere";
    EXPECT_EQ(copy, a);
    EXPECT_EQ(std::hash<FileItem>{}(copy), std::hash<FileItem>{}(a));
    EXPECT_TRUE(a.isSelected);
    EXPECT_EQ(a.previewName, "a.txt");
}

TEST(FileItemTest, FolderFlagComesFromTheDisk) {
    TempDir dir;
    EXPECT_TRUE(FileItem(dir.folder("Holiday.Photos")).isDirectory);
    EXPECT_FALSE(FileItem(dir.file("f")).isDirectory);
    EXPECT_FALSE(FileItem(dir.path() / "missing").isDirectory);
}

// Locale and time zone are process-wide in ICU: set for the test, put back afterwards.
class FileItemDisplayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        UErrorCode status = U_ZERO_ERROR;
        savedLocale_ = icu::Locale::getDefault();
        icu::Locale::setDefault(icu::Locale::getUS(), status);
        savedZone_.reset(icu::TimeZone::createDefault());
        icu::TimeZone::adoptDefault(icu::TimeZone::createTimeZone("UTC"));
    }
    void TearDown() override {
        UErrorCode status = U_ZERO_ERROR;
        icu::Locale::setDefault(savedLocale_, status);
        icu::TimeZone::adoptDefault(savedZone_.release());
    }

  private:
    icu::Locale savedLocale_;
    std::unique_ptr<icu::TimeZone> savedZone_;
};

struct Size {
    std::string name;
    std::size_t bytes;
    std::string text;
};

class FileItemSizeTest : public FileItemDisplayTest, public ::testing::WithParamInterface<Size> {};

TEST_P(FileItemSizeTest, DecimalUnits) {
    TempDir dir;
    const auto path = dir.file("f");
    fs::resize_file(path, GetParam().bytes);
    EXPECT_EQ(FileItem(path).fileSizeString(), GetParam().text);
    EXPECT_EQ(FileItem::fileSize(path), static_cast<std::int64_t>(GetParam().bytes));
}

INSTANTIATE_TEST_SUITE_P(
    , FileItemSizeTest,
    ::testing::Values(Size{"Zero", 0, "0 bytes"}, Size{"One", 1, "1 byte"},
                      Size{"JustBelowKilo", 999, "999 bytes"}, Size{"OneKilo", 1000, "1 kB"},
                      Size{"RoundsToKilo", 1499, "1 kB"}, Size{"NearlyMega", 999600, "1 MB"},
                      Size{"MegaAndHalf", 1500000, "1.5 MB"}, Size{"Giga", 2000000000, "2 GB"}),
    [](const auto& row) { return row.param.name; });

TEST_F(FileItemDisplayTest, AFolderHasNoSizeButADate) {
    TempDir dir;
    const FileItem folder(dir.folder("sub"));
    EXPECT_EQ(folder.fileSizeString(), kDash);
    EXPECT_EQ(FileItem::fileSize(folder.url), std::nullopt);
    EXPECT_NE(folder.modifiedDateString(), kDash);
}

TEST_F(FileItemDisplayTest, DateInShortStyleOfLocaleAndZone) {
    TempDir dir;
    const auto path = dir.file("f");
    // 2024-03-05 14:07:00 UTC
    const struct timespec times[2] = {{1709647620, 0}, {1709647620, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    const std::string text = FileItem(path).modifiedDateString();
    EXPECT_NE(text.find("3/5/24"), std::string::npos) << text;
    EXPECT_NE(text.find("2:07"), std::string::npos) << text;
    EXPECT_EQ(FileItem::modificationDate(path),
              FileItem::Clock::time_point(std::chrono::seconds(1709647620)));
}

TEST_F(FileItemDisplayTest, AVanishedItemShowsDashesAndKeepsItsFolderFlag) {
    TempDir dir;
    const FileItem folder(dir.folder("gone"));
    const FileItem file(dir.file("gone.txt", "x"));
    fs::remove(folder.url);
    fs::remove(file.url);
    EXPECT_TRUE(folder.isDirectory);
    EXPECT_EQ(file.fileSizeString(), kDash);
    EXPECT_EQ(file.modifiedDateString(), kDash);
    EXPECT_EQ(folder.modifiedDateString(), kDash);
    EXPECT_EQ(FileItem::modificationDate(file.url), std::nullopt);
    EXPECT_EQ(FileItem::fileSize(file.url), std::nullopt);
}

}  // namespace
