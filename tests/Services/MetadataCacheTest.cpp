// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Services/MetadataCache.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "Support/MediaFiles.h"
#include "Support/TempDir.h"

namespace {

constexpr unsigned kAll =
    FileMetadata::file | FileMetadata::exif | FileMetadata::audio | FileMetadata::digest;

// Real files, made here and read back through the libraries: a photo with EXIF, one with only
// the digitised date, one without EXIF, a tagged song, a folder and nothing at all.
TEST(MetadataCacheTest, ReadsPhotosSongsAndFilesAsTheyAre) {
    TempDir dir;
    const auto withExif = dir.path() / "a.jpg";
    MediaFiles::writeJpeg(withExif);
    MediaFiles::addExif(withExif, {{"Exif.Photo.DateTimeOriginal", "2024:05:17 14:03:09"},
                                   {"Exif.Photo.DateTimeDigitized", "2020:01:01 00:00:00"},
                                   {"Exif.Image.Make", "Maker"},
                                   {"Exif.Image.Model", "Model 1"},
                                   {"Exif.Photo.LensModel", "50mm"},
                                   {"Exif.Photo.ISOSpeedRatings", "400"}});
    const auto digitised = dir.path() / "b.jpg";
    MediaFiles::writeJpeg(digitised);
    MediaFiles::addExif(digitised, {{"Exif.Photo.DateTimeOriginal", "    :  :     :  :  "},
                                    {"Exif.Photo.DateTimeDigitized", "2021:02:03 04:05:06"}});
    const auto plain = dir.path() / "c.jpg";
    MediaFiles::writeJpeg(plain);
    const auto song = dir.path() / "song.mp3";
    MediaFiles::writeMp3(song);
    MediaFiles::tagAudio(song, {{"ARTIST", "AC/DC"},
                                {"ALBUMARTIST", "Various"},
                                {"ALBUM", "Live"},
                                {"TITLE", "Thunder"},
                                {"TRACKNUMBER", "7/12"},
                                {"DISCNUMBER", "2/2"},
                                {"DATE", "1990"},
                                {"GENRE", "Rock"}});
    const auto text = dir.file("abc.txt", "abc");
    // A FIFO is never opened: reading it would wait for a writer.
    const auto fifo = dir.path() / "fifo.jpg";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

    MetadataCache cache;
    const auto all = cache.getAll(
        {withExif, digitised, plain, song, text, dir.path(), dir.path() / "gone", fifo}, kAll);
    ASSERT_EQ(all.size(), 8u);
    EXPECT_TRUE(all[7]->has(kAll));
    EXPECT_FALSE(all[7]->exifDate);
    const FileMetadata& a = *all[0];
    EXPECT_EQ(a.exifDate, (FileMetadata::WallClock{2024, 5, 17, 14, 3, 9}));
    EXPECT_EQ(a.make, "Maker");
    EXPECT_EQ(a.model, "Model 1");
    EXPECT_EQ(a.lens, "50mm");
    EXPECT_EQ(a.iso, 400);
    EXPECT_EQ(a.width, 8);  // from the image itself
    EXPECT_EQ(a.height, 8);
    EXPECT_FALSE(a.artist);
    EXPECT_EQ(all[1]->exifDate, (FileMetadata::WallClock{2021, 2, 3, 4, 5, 6}));
    EXPECT_FALSE(all[2]->exifDate);
    EXPECT_FALSE(all[2]->model);
    const FileMetadata& s = *all[3];
    EXPECT_EQ(s.artist, "AC/DC");
    EXPECT_EQ(s.albumArtist, "Various");
    EXPECT_EQ(s.album, "Live");
    EXPECT_EQ(s.title, "Thunder");
    EXPECT_EQ(s.track, 7);
    EXPECT_EQ(s.disc, 2);
    EXPECT_EQ(s.year, 1990);
    EXPECT_EQ(s.genre, "Rock");
    EXPECT_FALSE(s.exifDate);
    EXPECT_EQ(all[4]->size, 3);
    EXPECT_EQ(all[4]->sha256, "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_TRUE(all[4]->modified);
    EXPECT_TRUE(all[5]->isDirectory);
    EXPECT_FALSE(all[5]->size);
    EXPECT_FALSE(all[5]->sha256);
    EXPECT_TRUE(all[6]->has(kAll));  // nothing there: read, with nothing in it
    EXPECT_FALSE(all[6]->modified);

    // Kept by identity: a rename reads nothing again, a change of content does.
    EXPECT_EQ(cache.get(text, kAll), all[4]);
    std::filesystem::rename(text, dir.path() / "moved.txt");
    EXPECT_EQ(cache.get(dir.path() / "moved.txt", kAll), all[4]);
    std::ofstream(dir.path() / "moved.txt", std::ios::app) << "d";
    const auto changed = cache.get(dir.path() / "moved.txt", kAll);
    EXPECT_NE(changed, all[4]);
    EXPECT_EQ(changed->sha256, "88d4266fd4e6338d13b845fcf289579d209c897823b9217da3e161936f031589");
}

}  // namespace
