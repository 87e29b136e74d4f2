// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <atomic>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "Models/FileMetadata.h"
#include "Services/MetadataReader.h"

// What was read of files, kept by their device, inode, size and modification time: a file
// that changed in any of these is read again, one that was only renamed or moved is not.
// Every call asks the disk for those four facts (one statx) and reads only the parts not yet
// known. Safe to use from many threads at once.
class MetadataCache {
  public:
    using Progress = std::function<void(std::size_t done, std::size_t total)>;

    // The metadata of what is at `location` with at least `parts` read (FileMetadata::Part
    // bits); for a location where nothing can be read, a record with every part read and
    // nothing in it (not kept).
    std::shared_ptr<const FileMetadata> get(const std::filesystem::path& location, unsigned parts);

    // get() for every location, on up to `threads` threads (0: as many as the machine has
    // cores, at least two, since much of the time is spent waiting for the disk). `progress`
    // is called now and then and once at the end, always on the calling thread; after `stop`
    // turns true the locations not reached yet get null.
    std::vector<std::shared_ptr<const FileMetadata>> getAll(
        const std::vector<std::filesystem::path>& locations, unsigned parts,
        const Progress& progress = {}, const std::atomic<bool>* stop = nullptr,
        unsigned threads = 0);

    // How many files are kept.
    std::size_t size() const;

  private:
    struct IdentityHash {
        std::size_t operator()(const MetadataReader::Identity& id) const noexcept;
    };

    mutable std::mutex mutex_;
    std::unordered_map<MetadataReader::Identity, std::shared_ptr<const FileMetadata>, IdentityHash>
        entries_;
};
