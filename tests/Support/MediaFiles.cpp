// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Support/MediaFiles.h"

#include <taglib/fileref.h>
#include <taglib/tpropertymap.h>
#include <exiv2/exiv2.hpp>

#include <cstdint>
#include <fstream>
#include <stdexcept>

namespace MediaFiles {

namespace {

void write(const std::filesystem::path& location, const std::vector<unsigned char>& bytes) {
    std::ofstream out(location, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + location.string());
    }
}

}  // namespace

void writeJpeg(const std::filesystem::path& location) {
    std::vector<unsigned char> b{0xFF, 0xD8,                                            // start
                                 0xFF, 0xE0, 0x00, 0x10, 'J',  'F',  'I',  'F',  0x00,  // JFIF
                                 0x01, 0x01, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00};
    // One quantisation table of ones.
    b.insert(b.end(), {0xFF, 0xDB, 0x00, 0x43, 0x00});
    b.insert(b.end(), 64, 0x01);
    // 8 by 8, one component.
    b.insert(b.end(),
             {0xFF, 0xC0, 0x00, 0x0B, 0x08, 0x00, 0x08, 0x00, 0x08, 0x01, 0x01, 0x11, 0x00});
    // Huffman tables with one code each: DC difference 0, and end of block.
    for (const unsigned char tableClass : {std::uint8_t{0x00}, std::uint8_t{0x10}}) {
        b.insert(b.end(), {0xFF, 0xC4, 0x00, 0x14, tableClass, 0x01});
        b.insert(b.end(), 15, 0x00);
        b.push_back(0x00);
    }
    b.insert(b.end(), {0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01, 0x00, 0x00, 0x3F, 0x00});
    // The one block: code "0" (no difference), code "0" (end of block), then padding ones.
    b.insert(b.end(), {0x3F, 0xFF, 0xD9});
    write(location, b);
}

void addExif(const std::filesystem::path& location,
             const std::vector<std::pair<std::string, std::string>>& fields) {
    auto image = Exiv2::ImageFactory::open(location.native());
    image->readMetadata();
    Exiv2::ExifData& data = image->exifData();
    for (const auto& [key, value] : fields) {
        data[key] = value;
    }
    image->writeMetadata();
}

void writeMp3(const std::filesystem::path& location) {
    // MPEG-1 layer III, 128 kbit/s, 44.1 kHz, mono: 417 bytes a frame.
    std::vector<unsigned char> bytes;
    for (int frame = 0; frame < 20; ++frame) {
        bytes.insert(bytes.end(), {0xFF, 0xFB, 0x90, 0xC0});
        bytes.insert(bytes.end(), 417 - 4, 0x00);
    }
    write(location, bytes);
}

void tagAudio(const std::filesystem::path& location,
              const std::vector<std::pair<std::string, std::string>>& tags) {
    TagLib::FileRef file(location.c_str());
    if (file.isNull()) {
        throw std::runtime_error("TagLib cannot open " + location.string());
    }
    TagLib::PropertyMap properties = file.file()->properties();
    for (const auto& [key, value] : tags) {
        properties.replace(key, TagLib::StringList(TagLib::String(value, TagLib::String::UTF8)));
    }
    file.file()->setProperties(properties);
    if (!file.save()) {
        throw std::runtime_error("TagLib cannot save " + location.string());
    }
}

}  // namespace MediaFiles
