// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Services/MetadataCache.h"

#include <algorithm>
#include <thread>

namespace {

// A bound on what is kept: beyond it the cache starts afresh rather than grow without end.
constexpr std::size_t kMaxEntries = 500'000;

}  // namespace

std::size_t MetadataCache::IdentityHash::operator()(
    const MetadataReader::Identity& id) const noexcept {
    std::size_t h = std::hash<std::uint64_t>{}(id.inode);
    const auto mix = [&](std::uint64_t v) {
        h ^= std::hash<std::uint64_t>{}(v) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
    };
    mix(id.device);
    mix(static_cast<std::uint64_t>(id.size));
    mix(static_cast<std::uint64_t>(id.modifiedSeconds));
    mix(id.modifiedNanoseconds);
    return h;
}

std::shared_ptr<const FileMetadata> MetadataCache::get(const std::filesystem::path& location,
                                                       unsigned parts) {
    FileMetadata fresh;
    const auto identity = MetadataReader::identify(location, fresh);
    if (!identity) {
        // Nothing is there to read: every part counts as read, with nothing in it.
        auto nothing = std::make_shared<FileMetadata>();
        nothing->parts = parts | FileMetadata::file;
        return nothing;
    }
    std::shared_ptr<const FileMetadata> known;
    {
        const std::lock_guard lock(mutex_);
        if (const auto found = entries_.find(*identity); found != entries_.end()) {
            known = found->second;
        }
    }
    if (known && known->has(parts)) {
        return known;
    }
    // The parts known already are kept; the file's facts are this call's.
    FileMetadata merged = known ? *known : fresh;
    merged.parts |= FileMetadata::file;
    MetadataReader::readParts(location, parts & ~merged.parts, merged);
    auto made = std::make_shared<const FileMetadata>(std::move(merged));
    const std::lock_guard lock(mutex_);
    if (entries_.size() >= kMaxEntries) {
        entries_.clear();
    }
    entries_.insert_or_assign(*identity, made);
    return made;
}

std::vector<std::shared_ptr<const FileMetadata>> MetadataCache::getAll(
    const std::vector<std::filesystem::path>& locations, unsigned parts, const Progress& progress,
    const std::atomic<bool>* stop, unsigned threads) {
    std::vector<std::shared_ptr<const FileMetadata>> out(locations.size());
    if (threads == 0) {
        threads = std::max(2u, std::thread::hardware_concurrency());
    }
    threads = static_cast<unsigned>(std::clamp<std::size_t>(locations.size() / 64, 1, threads));
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> done{0};
    // About two hundred reports in all are enough for a progress line.
    const std::size_t step = std::max<std::size_t>(1, locations.size() / 200);
    const auto work = [&](bool reports) {
        for (;;) {
            if (stop != nullptr && stop->load()) {
                return;
            }
            const std::size_t i = next.fetch_add(1);
            if (i >= locations.size()) {
                return;
            }
            out[i] = get(locations[i], parts);
            const std::size_t finished = done.fetch_add(1) + 1;
            if (reports && progress && finished % step == 0 && finished != locations.size()) {
                progress(finished, locations.size());
            }
        }
    };
    std::vector<std::thread> workers;
    for (unsigned t = 1; t < threads; ++t) {
        workers.emplace_back(work, false);
    }
    work(true);
    for (auto& worker : workers) {
        worker.join();
    }
    if (progress) {
        progress(done.load(), locations.size());
    }
    return out;
}

std::size_t MetadataCache::size() const {
    const std::lock_guard lock(mutex_);
    return entries_.size();
}
