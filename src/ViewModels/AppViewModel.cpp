// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ViewModels/AppViewModel.h"

#include <dirent.h>
#include <sys/stat.h>

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <condition_variable>
#include <ctime>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <numeric>
#include <optional>
#include <ostream>
#include <sstream>
#include <thread>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "Services/FileSystem.h"
#include "Services/NameCheck.h"
#include "Services/NaturalLanguageParser.h"
#include "Services/PathRelocation.h"
#include "Services/RenameEngine.h"
#include "Services/RenameJournal.h"
#include "Services/RuleProgram.h"
#include "Services/Slices.h"
#include "Services/TextSearch.h"
#include "ViewModels/Scheduler.h"

namespace fs = std::filesystem;

namespace {

// The collator of the user's locale, made once per thread: creating one costs far more than
// comparing with it. Runs of digits compare by their value, so "file2" comes before
// "file10" (in any script's decimal digits).
const icu::Collator* collator() {
    thread_local std::unique_ptr<icu::Collator> instance = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::Collator> made(
            icu::Collator::createInstance(icu::Locale::getDefault(), status));
        if (U_SUCCESS(status)) {
            made->setAttribute(UCOL_NUMERIC_COLLATION, UCOL_ON, status);
        }
        return U_SUCCESS(status) ? std::move(made) : nullptr;
    }();
    return instance.get();
}

// Appends to `out` a key whose byte order is the collator's order, so that a sort compares
// bytes and each name is collated once rather than once per comparison. The key's closing
// zero byte is left out: it would only add to every comparison.
void appendCollationKey(const std::string& text, std::string& out) {
    const icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(text);
    const icu::Collator* coll = collator();
    if (coll == nullptr) {
        out += text;
        return;
    }
    // A key is about two and a half bytes per character, so nearly every name's fits here and
    // is made once; a longer one is made again at its length.
    std::array<uint8_t, 512> buffer;
    auto length = coll->getSortKey(unicode, buffer.data(), static_cast<int32_t>(buffer.size()));
    if (length <= 0) {
        return;
    }
    const std::size_t start = out.size();
    if (static_cast<std::size_t>(length) <= buffer.size()) {
        out.append(reinterpret_cast<const char*>(buffer.data()), length - 1);
        return;
    }
    out.resize(start + static_cast<std::size_t>(length));
    length = coll->getSortKey(unicode, reinterpret_cast<uint8_t*>(out.data() + start), length);
    out.resize(start + static_cast<std::size_t>(std::max(length, 1) - 1));
}

std::string collationKey(const std::string& text) {
    std::string key;
    appendCollationKey(text, key);
    return key;
}

// The key of the name order: the collation key, then a zero byte and the name's own bytes.
// A collation key holds no zero byte, so names that collate alike ("file01" and "file1", or
// one name in two normalisation forms) follow their bytes, and the order is total.
std::string nameKey(const FileItem& item) {
    const std::string_view name = RenamePlanner::nameOf(item.url.native());
    std::string key;
    key.reserve(4 * name.size() + 1);
    appendCollationKey(item.originalName(), key);
    key += '\0';
    key += name;
    return key;
}

// Turns `order` round, then each run of entries that `equal` finds alike back, so that equal
// entries keep their order of addition either way.
template <typename Equal>
void reverseKeepingTies(std::vector<std::size_t>& order, const Equal& equal) {
    std::reverse(order.begin(), order.end());
    for (auto first = order.begin(); first != order.end();) {
        const auto last =
            std::find_if(first, order.end(), [&](std::size_t i) { return !equal(i, *first); });
        std::reverse(first, last);
        first = last;
    }
}

// The positions of `keys` in the keys' byte order, or in the reverse of it; equal keys keep
// their order either way. Beside each position lie the eight bytes that follow the prefix all
// keys share (the names of one folder often begin alike), and most comparisons end there,
// without reading the keys.
std::vector<std::size_t> orderOfKeys(const std::vector<std::string_view>& keys, bool reversed) {
    std::size_t common = keys.empty() ? 0 : keys.front().size();
    for (const auto key : keys) {
        const auto end = key.begin() + static_cast<std::ptrdiff_t>(std::min(common, key.size()));
        common = static_cast<std::size_t>(
            std::mismatch(key.begin(), end, keys.front().begin()).first - key.begin());
    }
    struct Item {
        std::uint64_t next;
        std::size_t position;
    };
    std::vector<Item> items(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        // Missing bytes count as zero; a tie is settled by the keys themselves.
        std::uint64_t next = 0;
        for (std::size_t b = common; b < common + 8; ++b) {
            next = (next << 8) | (b < keys[i].size() ? static_cast<unsigned char>(keys[i][b]) : 0u);
        }
        items[i] = {next, i};
    }
    std::sort(items.begin(), items.end(), [&](const Item& a, const Item& b) {
        if (a.next != b.next) {
            return a.next < b.next;
        }
        const int compared =
            keys[a.position].substr(common).compare(keys[b.position].substr(common));
        return compared != 0 ? compared < 0 : a.position < b.position;
    });
    std::vector<std::size_t> order;
    order.reserve(items.size());
    for (const auto& item : items) {
        order.push_back(item.position);
    }
    if (reversed) {
        reverseKeepingTies(order, [&](std::size_t a, std::size_t b) { return keys[a] == keys[b]; });
    }
    return order;
}

// The name keys are made on several threads only by this many per thread: the collator's
// work per name then dwarfs starting a thread.
constexpr std::size_t kKeysPerThread = 4096;

// Whether `key` is the name key of `item` as it is now. The key ends in the name it was made
// for, after its only zero byte; a moved entry keeps its id, so a key for another name is
// made afresh.
bool isKeyOf(std::string_view key, const FileItem& item) {
    const std::string_view name = RenamePlanner::nameOf(item.url.native());
    return key.size() > name.size() && key.ends_with(name) &&
           key[key.size() - name.size() - 1] == '\0';
}

// What is at `location`: a folder, something else, or (none) nothing at all.
std::optional<bool> isFolder(const fs::path& location) {
    struct stat st {};
    if (::stat(location.c_str(), &st) == 0) {
        return S_ISDIR(st.st_mode);
    }
    if (FileItem::nothingAt(location)) {
        return std::nullopt;
    }
    return false;  // a dangling link, or a place that cannot be looked into
}

// Told of each folder a walk read whole: the folder, its names (without "." and "..") and, at
// the same positions, their inodes.
using Listed = std::function<void(const fs::path& folder, std::vector<std::string> names,
                                  std::vector<std::uint64_t> inodes)>;

// Every entry below `folder`, hidden ones included, each subfolder before its contents.
// Symbolic links are reported and not followed; a folder that cannot be read is skipped
// and the walk goes on. Folders wait on an explicit stack, so neither the depth of the tree
// nor open descriptors limit the walk. Each folder read whole goes to `listed`, when set.
void walk(const fs::path& folder, const std::function<void(FileItem)>& report,
          const Listed& listed) {
    std::vector<fs::path> pending{folder};
    while (!pending.empty()) {
        const fs::path current = std::move(pending.back());
        pending.pop_back();
        // readdir rather than directory_iterator: its entry type comes with the name, where
        // asking a directory_entry whether it is a link costs one stat per entry.
        DIR* dir = ::opendir(current.c_str());
        if (dir == nullptr) {
            continue;
        }
        std::vector<fs::path> subfolders;
        std::vector<std::string> names;
        std::vector<std::uint64_t> inodes;
        bool whole = true;
        for (;;) {
            // readdir tells the end from an error only through errno.
            errno = 0;
            const dirent* entry = ::readdir(dir);
            if (entry == nullptr) {
                whole = errno == 0;
                break;
            }
            const std::string_view name = entry->d_name;
            if (name == "." || name == "..") {
                continue;
            }
            if (listed) {
                names.emplace_back(name);
                inodes.push_back(static_cast<std::uint64_t>(entry->d_ino));
            }
            // Joined as bytes: a std::filesystem::path per entry would split it into
            // components only to be thrown away.
            std::string location = current.native();
            if (location.empty() || location.back() != '/') {
                location += '/';
            }
            location += name;
            unsigned char type = entry->d_type;
            if (type == DT_UNKNOWN) {
                // Some file systems do not report types: ask, without following links.
                struct stat st {};
                if (::lstat(location.c_str(), &st) != 0) {
                    continue;
                }
                type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISLNK(st.st_mode) ? DT_LNK : DT_REG;
            }
            if (type == DT_DIR) {
                subfolders.emplace_back(location);
                report(FileItem(std::move(location), true));
            } else if (type == DT_LNK) {
                // Listed as the item it points to, folder or file, and never walked.
                report(FileItem(std::move(location)));
            } else {
                report(FileItem(std::move(location), false));
            }
        }
        ::closedir(dir);
        if (listed && whole) {
            listed(current, std::move(names), std::move(inodes));
        }
        // Reversed so that the first subfolder listed is walked first.
        pending.insert(pending.end(), subfolders.rbegin(), subfolders.rend());
    }
}

// Each item `locations` name, tidied, to `report`: a folder as one entry, or (when
// `walkFolders` is set) every entry below it, each folder walked to `listed`; nothing there is
// an entry marked missing.
void collect(const std::vector<fs::path>& locations, bool walkFolders,
             const std::function<void(FileItem)>& report, const Listed& listed = {}) {
    for (const auto& given : locations) {
        const fs::path location = FileItem::tidied(given);
        const auto folder = isFolder(location);
        if (folder.value_or(false) && walkFolders) {
            walk(location, report, listed);
        } else {
            FileItem item(location, folder.value_or(false));
            item.isMissing = !folder;
            report(std::move(item));
        }
    }
}

// The facts of the folders that hold `items` and that `known` lacks: those of `read` (what a
// walk listed), the others read from `disk` once each; a folder that cannot be read counts as
// empty.
RenamePlanner::Folders folderFactsOf(const std::vector<FileItem>& items,
                                     const RenamePlanner::Folders& known, FileSystem& disk,
                                     RenamePlanner::Folders read = {}) {
    std::string folder;
    for (const auto& item : items) {
        // Neighbours share their folder, so the last one answers most asks.
        const std::string_view parent = RenamePlanner::folderOf(item.url.native());
        if (parent == folder && !folder.empty()) {
            continue;
        }
        folder = parent;
        if (known.contains(folder) || read.contains(folder)) {
            continue;
        }
        auto facts = disk.folderFacts(folder);
        read.emplace(folder, facts ? std::move(*facts) : FolderFacts{});
    }
    return read;
}

// Where the items of the results are now: each renamed one at its new location, and
// whatever lies inside a renamed folder inside its new location.
PathRelocation relocationOf(const std::vector<RenameResult>& results) {
    PathRelocation moved;
    for (const auto& result : results) {
        if (result.renamed()) {
            moved.add(result.originalURL.native(), result.newURL.native());
        }
    }
    return moved;
}

// The folders the preview knew, read again where they are after `results`.
RenamePlanner::Folders reread(const std::vector<std::string>& known,
                              const std::vector<RenameResult>& results, FileSystem& disk) {
    if (known.empty()) {
        return {};
    }
    const PathRelocation moved = relocationOf(results);
    RenamePlanner::Folders fresh;
    for (const auto& folder : known) {
        const fs::path now = moved.apply(folder);
        auto facts = disk.folderFacts(now);
        fresh.emplace(now.native(), facts ? std::move(*facts) : FolderFacts{});
    }
    return fresh;
}

// A photo's wall-clock time as a moment in the user's time zone, where the camera most likely
// kept its clock; only for ordering, never for a name.
FileItem::Clock::time_point localMoment(const FileMetadata::WallClock& t) {
    std::tm fields{};
    fields.tm_year = t.year - 1900;
    fields.tm_mon = t.month - 1;
    fields.tm_mday = t.day;
    fields.tm_hour = t.hour;
    fields.tm_min = t.minute;
    fields.tm_sec = t.second;
    fields.tm_isdst = -1;
    return FileItem::Clock::from_time_t(std::mktime(&fields));
}

// Runs `release` on a thread of its own that lives as long as the process (so that nothing it
// needs can be gone by then), one release after the other.
void releaseLater(std::function<void()> release) {
    struct Releaser {
        std::mutex lock;
        std::condition_variable wake;
        std::deque<std::function<void()>> queue;
    };
    static Releaser* const releaser = [] {
        auto* made = new Releaser;
        std::thread([made] {
            for (;;) {
                std::function<void()> next;
                {
                    std::unique_lock<std::mutex> hold(made->lock);
                    made->wake.wait(hold, [made] { return !made->queue.empty(); });
                    next = std::move(made->queue.front());
                    made->queue.pop_front();
                }
                next();
            }
        }).detach();
        return made;
    }();
    {
        const std::lock_guard<std::mutex> hold(releaser->lock);
        releaser->queue.push_back(std::move(release));
    }
    releaser->wake.notify_one();
}

// `value`, shared; whoever lets go of it last, it is freed off the main thread, since freeing
// a whole list's worth of names would hold the main thread up.
template <typename T>
std::shared_ptr<T> freedInBackground(std::unique_ptr<T> value) {
    return std::shared_ptr<T>(value.release(), [](T* done) {
        auto owned = std::make_shared<std::unique_ptr<T>>(done);
        releaseLater([owned] { owned->reset(); });
    });
}

}  // namespace

AppViewModel::AppViewModel(Scheduler& scheduler, FileSystem* fileSystem)
    : scheduler_(scheduler), fileSystem_(fileSystem) {}

AppViewModel::~AppViewModel() {
    // A read under way has no one to hand its results to.
    if (stopReading_) {
        stopReading_->store(true);
    }
    if (stopStats_) {
        stopStats_->store(true);
    }
}

Subscription AppViewModel::subscribe(std::function<void()> callback) {
    return observers_.subscribe(std::move(callback));
}

void AppViewModel::setShowRenameResult(bool value) {
    showRenameResult_ = value;
    changed();
}

void AppViewModel::cancelRename() {
    if (renameDeferred_) {
        // Nothing has moved yet: the rename does not begin.
        renameDeferred_ = false;
        isRenaming_ = false;
        changed();
        return;
    }
    if (isRenaming_ && stopRequested_) {
        stopRequested_->store(true);
    }
}

RenameEngine::RenameOptions AppViewModel::renameOptions() {
    RenameEngine::RenameOptions options;
    options.fileSystem = fileSystem_;
    stopRequested_ = std::make_shared<std::atomic<bool>>(false);
    renameProgress_ = {0, 0};
    changed();
    std::weak_ptr<int> alive = lifetime_;
    Scheduler* scheduler = &scheduler_;
    options.progress = [this, alive, scheduler](std::size_t done, std::size_t total) {
        // About two hundred reports per batch are enough for a bar and cost nothing.
        const std::size_t step = std::max<std::size_t>(1, total / 200);
        if (done % step != 0 && done != total) {
            return;
        }
        scheduler->postToMain([this, alive, done, total] {
            if (!alive.expired() && isRenaming_) {
                renameProgress_ = {done, total};
                changed();
            }
        });
    };
    return options;
}

void AppViewModel::setSortOrder(SortOrder value) {
    sortOrder_ = value;
    // An order that compares what is not read yet leaves the list as it is until it is.
    if (!waitsForStats()) {
        orderChanged();
    }
    changed();
    updatePreviews();
}

void AppViewModel::setSortReversed(bool value) {
    sortReversed_ = value;
    if (!waitsForStats()) {
        orderChanged();
    }
    changed();
    updatePreviews();
}

void AppViewModel::setFilterText(std::string value) {
    filterText_ = std::move(value);
    orderChanged();
    changed();
    updatePreviews();
}

void AppViewModel::setShowOnlyFiles(bool value) {
    showOnlyFiles_ = value;
    orderChanged();
    changed();
    updatePreviews();
}

void AppViewModel::setShowOnlyFolders(bool value) {
    showOnlyFolders_ = value;
    orderChanged();
    changed();
    updatePreviews();
}

void AppViewModel::setIncludeSubfolders(bool value) {
    includeSubfolders_ = value;
    changed();
}

void AppViewModel::setNaturalLanguageInput(std::string value) {
    naturalLanguageInput_ = std::move(value);
    changed();
}

void AppViewModel::setNlSuggestions(std::vector<ParsedRule> value) {
    nlSuggestions_ = std::move(value);
    changed();
}

void AppViewModel::setShowNLPanel(bool value) {
    showNLPanel_ = value;
    changed();
}

void AppViewModel::setSelectedFileIDs(std::set<Uuid> value) {
    selectedFileIDs_ = std::move(value);
    changed();
}

bool AppViewModel::readsStats(SortOrder order) {
    // The date a photo was taken falls back to the modification date.
    return order == SortOrder::size || order == SortOrder::date || order == SortOrder::dateTaken;
}

std::optional<FileStat> AppViewModel::statOf(std::size_t index) const {
    const FileItem& item = files_[index];
    if (const FileStat* found = stats_.find(item.id)) {
        return *found;
    }
    if (!interactive_ || !previewsEnabled_) {
        // A command sorts once and has no window to keep responsive.
        return FileItem::statAt(item.url);
    }
    return std::nullopt;
}

const FileStat* AppViewModel::knownStat(const Uuid& id) const {
    return stats_.find(id);
}

std::vector<std::size_t> AppViewModel::sortedIndexes(const std::vector<std::size_t>& indexes,
                                                     SortOrder by, bool reversed) const {
    std::vector<std::size_t> order(indexes.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    // Reversed, the comparison is turned round; entries that compare equal (same name, date
    // or size) still keep their order of addition. Keys not known yet (none) follow the known
    // ones either way round, in their order of addition, until what they compare arrives.
    const auto sortKnownFirst = [&](const auto& keys, auto before) {
        // Each known key beside its position, sorted as pairs: the position breaks ties, so
        // the order is stable without stable_sort's comparisons through the positions.
        using Key = typename std::decay_t<decltype(keys)>::value_type::value_type;
        std::vector<std::pair<Key, std::size_t>> known;
        std::vector<std::size_t> unknown;
        known.reserve(keys.size());
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (keys[i]) {
                known.emplace_back(*keys[i], i);
            } else {
                unknown.push_back(i);
            }
        }
        std::sort(known.begin(), known.end(), [&](const auto& a, const auto& b) {
            const bool aFirst = reversed ? before(b.first, a.first) : before(a.first, b.first);
            const bool bFirst = reversed ? before(a.first, b.first) : before(b.first, a.first);
            return aFirst || (!bFirst && a.second < b.second);
        });
        order.clear();
        for (const auto& [key, position] : known) {
            order.push_back(position);
        }
        order.insert(order.end(), unknown.begin(), unknown.end());
    };
    constexpr auto kNoDate = FileItem::Clock::time_point::min();
    // Each key is read once per call (name keys once per entry); the comparisons then touch
    // neither ICU nor the disk.
    switch (by) {
        case SortOrder::name: {
            if (interactive_) {
                return rankedIndexes(indexes, by, reversed);
            }
            std::vector<std::string> owned(indexes.size());
            Slices::run(indexes.size(), kKeysPerThread, [&](std::size_t begin, std::size_t end) {
                for (std::size_t i = begin; i < end; ++i) {
                    owned[i] = nameKey(files_[indexes[i]]);
                }
            });
            order = orderOfKeys({owned.begin(), owned.end()}, reversed);
            break;
        }
        case SortOrder::type:
            // By extension, then in name order; a command too, which sorts once, pays no more
            // for the kept order than for a sort of its own.
            return rankedIndexes(indexes, by, reversed);
        case SortOrder::date: {
            std::vector<std::optional<FileItem::Clock::time_point>> dates;
            dates.reserve(indexes.size());
            for (auto index : indexes) {
                const auto stat = statOf(index);
                dates.push_back(stat ? std::optional(stat->modified.value_or(kNoDate))
                                     : std::nullopt);
            }
            sortKnownFirst(dates, std::greater<>{});
            break;
        }
        case SortOrder::dateTaken: {
            // The date a photo was taken where it was read, else the modification date, so
            // that photos without EXIF still fall in place.
            std::vector<std::optional<FileItem::Clock::time_point>> dates;
            dates.reserve(indexes.size());
            for (auto index : indexes) {
                const FileItem& item = files_[index];
                const auto known = metadata_->find(item.id);
                const FileMetadata* m = known != metadata_->end() ? known->second.get() : nullptr;
                if (m != nullptr && m->exifDate) {
                    dates.emplace_back(localMoment(*m->exifDate));
                } else if (m != nullptr && m->has(FileMetadata::file)) {
                    dates.emplace_back(m->modified.value_or(kNoDate));
                } else if (const auto stat = statOf(index)) {
                    dates.emplace_back(stat->modified.value_or(kNoDate));
                } else {
                    dates.emplace_back(std::nullopt);
                }
            }
            sortKnownFirst(dates, std::greater<>{});
            break;
        }
        case SortOrder::size: {
            std::vector<std::optional<std::int64_t>> sizes;
            sizes.reserve(indexes.size());
            for (auto index : indexes) {
                const auto stat = statOf(index);
                sizes.push_back(stat ? std::optional(stat->size.value_or(0)) : std::nullopt);
            }
            sortKnownFirst(sizes, std::greater<>{});
            break;
        }
    }
    std::vector<std::size_t> sorted;
    sorted.reserve(order.size());
    for (auto position : order) {
        sorted.push_back(indexes[position]);
    }
    return sorted;
}

std::vector<std::size_t> AppViewModel::shownIndexes() const {
    auto passing = passingIndexes();
    // The chosen order is applied once what it compares is known of every entry shown;
    // until then the list keeps the order it had.
    const bool known = !previewsEnabled_ || !readsStats(sortOrder_) || everyStatRead() ||
                       std::all_of(passing.begin(), passing.end(),
                                   [this](std::size_t index) { return statKnown(files_[index]); });
    if (known) {
        appliedOrder_ = sortOrder_;
        appliedReversed_ = sortReversed_;
        if (previewsEnabled_ && readsStats(sortOrder_) && !statsStale_) {
            // Spares statsKnown a second look at every entry.
            statsChecked_ = listVersion_;
        }
    }
    return sortedIndexes(passing, appliedOrder_, appliedReversed_);
}

bool AppViewModel::waitsForStats() const {
    if (!order_ || !previewsEnabled_ || !readsStats(sortOrder_) || everyStatRead()) {
        return false;
    }
    return std::any_of(order_->begin(), order_->end(),
                       [this](std::size_t index) { return !statKnown(files_[index]); });
}

bool AppViewModel::dropStatsRead() {
    if (!readingStats_) {
        return false;
    }
    stopStats_->store(true);
    ++statsNumber_;
    readingStats_ = false;
    return true;
}

bool AppViewModel::everyStatRead() const {
    // The table holds listed entries only (a removed one's goes with it, and a read that
    // ends after the list changed is dropped), so a count tells without a look per entry.
    return stats_.size() == files_.size();
}

bool AppViewModel::statKnown(const FileItem& item) const {
    if (stats_.contains(item.id)) {
        return true;
    }
    // The date a photo was taken needs no look of its own where its content was read: the
    // modification date came with it.
    if (sortOrder_ != SortOrder::dateTaken) {
        return false;
    }
    const auto found = metadata_->find(item.id);
    return found != metadata_->end() && found->second->has(FileMetadata::file);
}

std::vector<std::size_t> AppViewModel::passingIndexes() const {
    std::optional<TextSearch> search;
    if (!filterText_.empty()) {
        search.emplace(icu::UnicodeString::fromUTF8(filterText_));
    }
    const auto passes = [&](const FileItem& item) {
        if ((showOnlyFiles_ && item.isDirectory) || (showOnlyFolders_ && !item.isDirectory)) {
            return false;
        }
        // A name that is not UTF-8 is searched as it is shown, with U+FFFD for what is not.
        return !search || (item.hasValidName() ? search->foundIn(item.nameBytes())
                                               : search->foundIn(item.originalName()));
    };
    std::vector<std::size_t> kept;
    kept.reserve(files_.size());
    for (std::size_t i = 0; i < files_.size(); ++i) {
        if (passes(files_[i])) {
            kept.push_back(i);
        }
    }
    return kept;
}

const std::vector<std::size_t>& AppViewModel::shownOrder() const {
    if (!order_) {
        order_ = shownIndexes();
    }
    return *order_;
}

std::shared_ptr<const std::vector<FileItem>> AppViewModel::shownItems() const {
    if (!shownItems_) {
        auto items = freedInBackground(std::make_unique<std::vector<FileItem>>());
        const auto& indexes = shownOrder();
        items->reserve(indexes.size());
        for (auto index : indexes) {
            items->push_back(files_[index]);
        }
        shownItems_ = std::move(items);
    }
    return shownItems_;
}

void AppViewModel::makeNameKeys(const std::vector<std::size_t>& indexes) const {
    std::vector<const FileItem*> stale;
    for (auto index : indexes) {
        const FileItem& item = files_[index];
        const auto known = nameKeys_.find(item.id);
        if (known == nameKeys_.end() || !isKeyOf(known->second, item)) {
            stale.push_back(&item);
        }
    }
    std::vector<std::string> made(stale.size());
    Slices::run(stale.size(), kKeysPerThread, [&](std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) {
            made[i] = nameKey(*stale[i]);
        }
    });
    for (std::size_t i = 0; i < stale.size(); ++i) {
        nameKeys_[stale[i]->id] = std::move(made[i]);
    }
}

const std::string& AppViewModel::nameKeyOf(const FileItem& item) const {
    std::string& key = nameKeys_[item.id];
    if (!isKeyOf(key, item)) {
        key = nameKey(item);
    }
    return key;
}

const AppViewModel::Ranks& AppViewModel::ranks(bool byType) const {
    if (!ranks_) {
        std::vector<std::size_t> all(files_.size());
        std::iota(all.begin(), all.end(), std::size_t{0});
        makeNameKeys(all);
        std::vector<std::string_view> keys;
        keys.reserve(all.size());
        for (const auto& item : files_) {
            keys.emplace_back(nameKeyOf(item));
        }
        Ranks made;
        made.byName = orderOfKeys(keys, false);
        made.tie.resize(files_.size());
        std::uint32_t group = 0;
        for (std::size_t i = 0; i < made.byName.size(); ++i) {
            if (i > 0 && keys[made.byName[i]] != keys[made.byName[i - 1]]) {
                ++group;
            }
            made.tie[made.byName[i]] = group;
        }
        ranks_ = std::move(made);
    }
    if (byType && !ranks_->byType) {
        // By extension, then in name order: the name order sorted (stably) by the place of
        // each extension's collation key among those of the list. Extensions that collate
        // alike share a place.
        std::unordered_map<std::string, std::string> extensionKeys;
        std::vector<const std::string*> keyOf;
        keyOf.reserve(files_.size());
        for (const auto& item : files_) {
            auto [known, added] = extensionKeys.try_emplace(item.fileExtension());
            if (added) {
                known->second = collationKey(known->first);
            }
            keyOf.push_back(&known->second);
        }
        std::map<std::string_view, std::size_t> places;
        for (const auto& [extension, key] : extensionKeys) {
            places.emplace(key, 0);
        }
        std::size_t next = 0;
        for (auto& [key, place] : places) {
            place = next++;
        }
        std::vector<std::size_t> placeOf(files_.size());
        for (std::size_t i = 0; i < files_.size(); ++i) {
            placeOf[i] = places.at(*keyOf[i]);
        }
        auto byTypeOrder = ranks_->byName;
        std::stable_sort(byTypeOrder.begin(), byTypeOrder.end(),
                         [&](std::size_t a, std::size_t b) { return placeOf[a] < placeOf[b]; });
        ranks_->byType = std::move(byTypeOrder);
    }
    return *ranks_;
}

std::vector<std::size_t> AppViewModel::rankedIndexes(const std::vector<std::size_t>& indexes,
                                                     SortOrder by, bool reversed) const {
    const Ranks& kept = ranks(by == SortOrder::type);
    const auto& rank = by == SortOrder::type ? *kept.byType : kept.byName;
    std::vector<char> wanted(files_.size(), 0);
    for (auto index : indexes) {
        wanted[index] = 1;
    }
    std::vector<std::size_t> sorted;
    sorted.reserve(indexes.size());
    for (auto index : rank) {
        if (wanted[index] != 0) {
            sorted.push_back(index);
        }
    }
    if (reversed) {
        // Equal name keys mean equal names, hence equal extensions, so a run of ties is the
        // same in both orders.
        reverseKeepingTies(
            sorted, [&](std::size_t a, std::size_t b) { return kept.tie[a] == kept.tie[b]; });
    }
    return sorted;
}

void AppViewModel::namesChanged() {
    ranks_.reset();
    orderChanged();
}

void AppViewModel::orderChanged() {
    order_.reset();
    shownItems_.reset();
    ++listVersion_;
}

void AppViewModel::checksChanged() {
    ++checkVersion_;
}

std::vector<FileItem> AppViewModel::filteredFiles() const {
    std::vector<FileItem> shown;
    const auto& indexes = shownOrder();
    shown.reserve(indexes.size());
    for (auto index : indexes) {
        shown.push_back(files_[index]);
    }
    return shown;
}

std::size_t AppViewModel::selectedCount() const {
    // Read by several views after every change: counted once per list and check marks.
    const std::pair now{checkVersion_, listVersion_};
    if (selectedFor_ != now) {
        selected_ = static_cast<std::size_t>(std::count_if(
            files_.begin(), files_.end(), [](const FileItem& item) { return item.isSelected; }));
        selectedFor_ = now;
    }
    return selected_;
}

std::size_t AppViewModel::hiddenSelectedCount() const {
    const std::pair now{checkVersion_, listVersion_};
    if (hiddenSelectedFor_ != now) {
        std::vector<bool> shown(files_.size(), false);
        for (auto index : shownOrder()) {
            shown[index] = true;
        }
        std::size_t hidden = 0;
        for (std::size_t i = 0; i < files_.size(); ++i) {
            hidden += files_[i].isSelected && !shown[i] ? 1 : 0;
        }
        hiddenSelected_ = hidden;
        hiddenSelectedFor_ = now;
    }
    return hiddenSelected_;
}

std::size_t AppViewModel::conflictCount() const {
    return preview_->conflicts;
}

std::unordered_set<std::string> AppViewModel::listedLocations() const {
    std::unordered_set<std::string> listed;
    listed.reserve(files_.size());
    for (const auto& item : files_) {
        listed.insert(item.url.native());
    }
    return listed;
}

void AppViewModel::addFiles(const std::vector<fs::path>& locations) {
    // Only the list as it stood when the call began counts as already listed.
    const auto listed = listedLocations();
    std::vector<FileItem> batch;
    FileSystem& disk = fileSystem_ != nullptr ? *fileSystem_ : FileSystem::real();
    RenamePlanner::Folders walked;
    collect(
        locations, includeSubfolders_,
        [&](FileItem item) {
            if (!listed.contains(item.url.native())) {
                batch.push_back(std::move(item));
            }
        },
        [&](const fs::path& folder, std::vector<std::string> names,
            std::vector<std::uint64_t> inodes) {
            if (auto facts = disk.listedFolderFacts(folder, std::move(names), std::move(inodes))) {
                walked.emplace(folder.native(), std::move(*facts));
            }
        });
    if (previewsEnabled_) {
        learnFolders(batch, std::move(walked));
    } else {
        // Without a preview only a command's batch plans against them: what the walk has
        // just read needs no second look, and the batch reads the other folders itself.
        auto& folders = folders_.edit();
        for (auto& [folder, facts] : walked) {
            folders.try_emplace(folder, std::move(facts));
        }
    }
    append(std::move(batch));
}

void AppViewModel::addFilesInBackground(std::vector<fs::path> locations) {
    pendingAdds_.push_back(std::move(locations));
    if (!addingFiles_) {
        startNextAdd();
    }
}

void AppViewModel::startNextAdd() {
    if (pendingAdds_.empty()) {
        addingFiles_ = false;
        changed();
        return;
    }
    addingFiles_ = true;
    changed();
    auto locations = std::move(pendingAdds_.front());
    pendingAdds_.pop_front();
    std::weak_ptr<int> alive = lifetime_;
    Scheduler* scheduler = &scheduler_;
    FileSystem* disk = fileSystem_ != nullptr ? fileSystem_ : &FileSystem::real();
    scheduler_.runInBackground([this, alive, scheduler, disk, locations = std::move(locations),
                                walkFolders = includeSubfolders_, learn = previewsEnabled_,
                                known = folders_.share(), reread = foldersReread_]() mutable {
        if (alive.expired()) {
            return;
        }
        std::vector<FileItem> found;
        RenamePlanner::Folders walked;
        collect(
            locations, walkFolders, [&](FileItem item) { found.push_back(std::move(item)); },
            [&](const fs::path& folder, std::vector<std::string> names,
                std::vector<std::uint64_t> inodes) {
                if (!learn || known->contains(folder.native())) {
                    return;
                }
                if (auto facts =
                        disk->listedFolderFacts(folder, std::move(names), std::move(inodes))) {
                    walked.emplace(folder.native(), std::move(*facts));
                }
            });
        RenamePlanner::Folders facts;
        if (learn) {
            facts = folderFactsOf(found, *known, *disk, std::move(walked));
        }
        scheduler->postToMain([this, alive, reread, found = std::move(found),
                               facts = std::move(facts)]() mutable {
            if (alive.expired()) {
                return;
            }
            // What earlier adds listed meanwhile counts as listed, so that no entry is
            // listed twice.
            const auto listed = listedLocations();
            std::erase_if(found,
                          [&](const FileItem& item) { return listed.contains(item.url.native()); });
            if (previewsEnabled_) {
                // After a batch the folders read may hold other names by now.
                if (reread == foldersReread_) {
                    auto& folders = folders_.edit();
                    for (auto& [folder, read] : facts) {
                        folders.try_emplace(folder, std::move(read));
                    }
                }
                learnFolders(found);
            }
            append(std::move(found));
            startNextAdd();
        });
    });
}

void AppViewModel::append(std::vector<FileItem> batch) {
    if (files_.empty()) {
        files_ = std::move(batch);
    } else {
        files_.insert(files_.end(), std::make_move_iterator(batch.begin()),
                      std::make_move_iterator(batch.end()));
    }
    namesChanged();
    changed();
    updatePreviews();
}

void AppViewModel::learnFolders(const std::vector<FileItem>& items, RenamePlanner::Folders walked) {
    FileSystem& disk = fileSystem_ != nullptr ? *fileSystem_ : FileSystem::real();
    auto facts = folderFactsOf(items, *folders_, disk, std::move(walked));
    if (facts.empty()) {
        return;
    }
    auto& folders = folders_.edit();
    for (auto& [folder, read] : facts) {
        folders.emplace(folder, std::move(read));
    }
}

void AppViewModel::removeFiles(const std::vector<FileItem>& items) {
    std::unordered_set<Uuid> ids;
    for (const auto& item : items) {
        ids.insert(item.id);
    }
    std::erase_if(files_, [&](const FileItem& item) { return ids.contains(item.id); });
    for (const auto& id : ids) {
        nameKeys_.erase(id);
        stats_.erase(id);
    }
    // What a read under way brings could be of removed entries; one for those left follows.
    dropStatsRead();
    namesChanged();
    changed();
    updatePreviews();
}

void AppViewModel::clearFiles() {
    files_.clear();
    metadata_ = MetadataMap{};
    nameKeys_.clear();
    stats_.clear();
    statsStale_ = false;
    dropStatsRead();
    namesChanged();
    changed();
    // Nothing is shown, so the empty preview answers this change at once; one under way
    // for the old list is dropped when it arrives.
    auto empty = std::make_shared<Preview>();
    empty->generation = ++previewGeneration_;
    latestGeneration_->store(previewGeneration_);
    empty->rules = rules_;
    preview_ = std::move(empty);
    previewWanted_ = false;
    changed();
    if (renameDeferred_) {
        renameDeferred_ = false;
        renameShownPreview();
    }
}

void AppViewModel::selectAll() {
    for (auto& item : files_) {
        item.isSelected = true;
    }
    checksChanged();
    changed();
    updatePreviews();
}

void AppViewModel::deselectAll() {
    for (auto& item : files_) {
        item.isSelected = false;
    }
    checksChanged();
    changed();
    updatePreviews();
}

void AppViewModel::invertSelection() {
    for (auto& item : files_) {
        item.isSelected = !item.isSelected;
    }
    checksChanged();
    changed();
    updatePreviews();
}

void AppViewModel::setFileSelected(const Uuid& id, bool selected) {
    auto it = std::find_if(files_.begin(), files_.end(),
                           [&](const FileItem& item) { return item.id == id; });
    if (it != files_.end()) {
        it->isSelected = selected;
        checksChanged();
        changed();
        // Which entries are in the batch decides which names are free.
        updatePreviews();
    }
}

void AppViewModel::addRule(RenameRule rule) {
    rules_.push_back(std::move(rule));
    changed();
    updatePreviews();
}

void AppViewModel::removeRule(const std::set<std::size_t>& positions) {
    std::vector<RenameRule> kept;
    kept.reserve(rules_.size());
    for (std::size_t i = 0; i < rules_.size(); ++i) {
        if (!positions.contains(i)) {
            kept.push_back(std::move(rules_[i]));
        }
    }
    rules_ = std::move(kept);
    changed();
    updatePreviews();
}

void AppViewModel::moveRule(const std::set<std::size_t>& from, std::size_t to) {
    std::vector<RenameRule> moving;
    std::vector<RenameRule> staying;
    // The block goes in front of the rule that stood at `to`, counted among those staying.
    std::size_t insertAt = 0;
    for (std::size_t i = 0; i < rules_.size(); ++i) {
        if (from.contains(i)) {
            moving.push_back(std::move(rules_[i]));
        } else {
            if (i < to) {
                ++insertAt;
            }
            staying.push_back(std::move(rules_[i]));
        }
    }
    staying.insert(staying.begin() + static_cast<std::ptrdiff_t>(insertAt),
                   std::make_move_iterator(moving.begin()), std::make_move_iterator(moving.end()));
    rules_ = std::move(staying);
    changed();
    updatePreviews();
}

void AppViewModel::updateRule(const RenameRule& rule) {
    auto it = std::find_if(rules_.begin(), rules_.end(),
                           [&](const RenameRule& r) { return r.id == rule.id; });
    if (it == rules_.end()) {
        return;
    }
    *it = rule;
    changed();
    updatePreviews();
}

void AppViewModel::setPreviewsEnabled(bool value) {
    if (previewsEnabled_ == value) {
        return;
    }
    previewsEnabled_ = value;
    if (!value && renameDeferred_) {
        // No preview will come for the rename to wait for.
        renameDeferred_ = false;
        isRenaming_ = false;
    }
    changed();
    if (value) {
        learnFolders(files_);
        updatePreviews();
    }
}

void AppViewModel::updatePreviews() {
    if (!previewsEnabled_) {
        return;
    }
    // Every change the preview follows comes through here.
    ++previewGeneration_;
    latestGeneration_->store(previewGeneration_);
    // The preview follows the order, which waits for the sizes and dates it compares.
    bool statsReady = true;
    if (readsStats(sortOrder_)) {
        statsReady = statsKnown();
    } else if (dropStatsRead()) {
        changed();
    }
    const unsigned parts = wantedMetadata();
    if (!statsReady || (parts != 0 && !metadataKnown(parts))) {
        // The preview follows when the read is done; until then the last one stays, and
        // one under way is not followed by another.
        previewWanted_ = false;
        return;
    }
    if (parts == 0 && readingMetadata_) {
        stopReading_->store(true);
        ++readNumber_;
        readingMetadata_ = false;
        changed();
    }
    computePreviews(parts);
}

void AppViewModel::computePreviews(unsigned parts) {
    previewParts_ = parts;
    if (previewRunning_) {
        // One preview at a time: the running one, for an older change, gives up within a
        // few hundred names and hands back; then this one starts. Two side by side would
        // only share the processors.
        previewWanted_ = true;
        return;
    }
    startPreview();
}

void AppViewModel::startPreview() {
    previewRunning_ = true;
    previewWanted_ = false;
    auto preview = freedInBackground(std::make_unique<Preview>());
    preview->generation = previewGeneration_;
    preview->items = shownItems();
    // The whole list, although only the enabled rules run, so that a problem names a rule by
    // its place in the list the user sees.
    preview->rules = rules_;
    // The shared entries hold the check marks of when they were copied; these are today's.
    std::vector<char> checks;
    checks.reserve(preview->items->size());
    for (auto index : shownOrder()) {
        checks.push_back(files_[index].isSelected ? 1 : 0);
    }
    std::shared_ptr<const MetadataMap> known = previewParts_ != 0 ? metadata_.share() : nullptr;

    std::weak_ptr<int> alive = lifetime_;
    Scheduler* scheduler = &scheduler_;
    scheduler_.runInBackground([this, alive, scheduler, latest = latestGeneration_,
                                preview = std::move(preview), checks = std::move(checks),
                                known = std::move(known), folders = folders_.share()]() mutable {
        if (alive.expired()) {
            return;
        }
        // A newer change came before this began: its own preview follows, so none is
        // computed for this one.
        if (latest->load() == preview->generation) {
            const auto& shared = *preview->items;
            bool sameChecks = true;
            for (std::size_t i = 0; i < shared.size() && sameChecks; ++i) {
                sameChecks = shared[i].isSelected == (checks[i] != 0);
            }
            if (!sameChecks) {
                auto items = freedInBackground(std::make_unique<std::vector<FileItem>>(shared));
                for (std::size_t i = 0; i < items->size(); ++i) {
                    (*items)[i].isSelected = checks[i] != 0;
                }
                preview->items = std::move(items);
            }
            if (known) {
                preview->metadata.reserve(preview->items->size());
                for (const auto& item : *preview->items) {
                    const auto found = known->find(item.id);
                    preview->metadata.push_back(found != known->end() ? found->second : nullptr);
                }
            }
            preview->now = RenameEngine::Clock::now();
            // Given up as soon as a newer change comes: its preview starts when this one
            // hands back, and what this one would show is dropped anyway.
            const auto stale = [&latest, generation = preview->generation] {
                return latest->load(std::memory_order_relaxed) != generation;
            };
            preview->entries =
                RenameEngine::preview(preview->rules, *preview->items, preview->now, 0,
                                      folders.get(), known ? &preview->metadata : nullptr, stale);
            const auto& items = *preview->items;
            for (std::size_t i = 0; i < preview->entries.size(); ++i) {
                const PreviewEntry& entry = preview->entries[i];
                preview->conflicts += entry.hasConflict ? 1 : 0;
                preview->renames += !entry.problem && !entry.hasConflict &&
                                            entry.preview != entry.original && items[i].isSelected
                                        ? 1
                                        : 0;
            }
        }
        scheduler->postToMain(
            [this, alive, done = std::shared_ptr<const Preview>(std::move(preview))]() mutable {
                if (!alive.expired()) {
                    previewArrived(std::move(done));
                }
            });
    });
}

void AppViewModel::previewArrived(std::shared_ptr<const Preview> preview) {
    previewRunning_ = false;
    if (!previewsEnabled_) {
        return;
    }
    if (preview->generation != previewGeneration_) {
        // Stale: the list or the rules changed while it was computed.
        if (previewWanted_) {
            startPreview();
        }
        return;
    }
    preview_ = std::move(preview);
    changed();
    if (renameDeferred_) {
        renameDeferred_ = false;
        renameShownPreview();
    }
}

unsigned AppViewModel::wantedMetadata() const {
    unsigned parts = 0;
    if (std::any_of(rules_.begin(), rules_.end(), [](const RenameRule& r) {
            return r.isEnabled && r.type == RuleType::nameTemplate;
        })) {
        parts = RuleProgram(rules_, RenameEngine::Clock::now()).metadataParts();
    }
    if (sortOrder_ == SortOrder::dateTaken) {
        parts |= FileMetadata::file | FileMetadata::exif;
    }
    return parts;
}

RenameEngine::MetadataList AppViewModel::metadataOf(const std::vector<FileItem>& items) const {
    RenameEngine::MetadataList list;
    list.reserve(items.size());
    for (const auto& item : items) {
        const auto found = metadata_->find(item.id);
        list.push_back(found != metadata_->end() ? found->second : nullptr);
    }
    return list;
}

bool AppViewModel::metadataKnown(unsigned parts) {
    std::vector<fs::path> locations;
    std::vector<Uuid> ids;
    // What is read is kept, so the list as it stood at the last look needs no second one.
    const bool checked = metadataChecked_ && metadataChecked_->first == listVersion_ &&
                         (parts & ~metadataChecked_->second) == 0;
    if (!checked) {
        for (auto index : passingIndexes()) {
            const FileItem& item = files_[index];
            const auto found = metadata_->find(item.id);
            if (found == metadata_->end() || !found->second->has(parts)) {
                locations.push_back(item.url);
                ids.push_back(item.id);
            }
        }
    }
    if (locations.empty()) {
        if (!checked) {
            metadataChecked_.emplace(listVersion_, parts);
        }
        if (readingMetadata_) {
            stopReading_->store(true);
            ++readNumber_;
            readingMetadata_ = false;
            changed();
        }
        return true;
    }
    // A read under way is for an older state of the list or the rules: this one replaces it,
    // and what it read stays in the cache.
    if (stopReading_) {
        stopReading_->store(true);
    }
    stopReading_ = std::make_shared<std::atomic<bool>>(false);
    const std::uint64_t number = ++readNumber_;
    readingMetadata_ = true;
    metadataProgress_ = {0, locations.size()};
    changed();

    std::weak_ptr<int> alive = lifetime_;
    Scheduler* scheduler = &scheduler_;
    scheduler_.runInBackground([this, alive, scheduler, number, parts, cache = metadataCache_,
                                stop = stopReading_, locations = std::move(locations),
                                ids = std::move(ids)]() mutable {
        if (alive.expired() || stop->load()) {
            return;
        }
        const auto progress = [this, alive, scheduler, number](std::size_t done,
                                                               std::size_t total) {
            scheduler->postToMain([this, alive, number, done, total] {
                if (!alive.expired() && number == readNumber_) {
                    metadataProgress_ = {done, total};
                    changed();
                }
            });
        };
        auto read = cache->getAll(locations, parts, progress, stop.get());
        scheduler->postToMain(
            [this, alive, number, ids = std::move(ids), read = std::move(read)]() mutable {
                if (alive.expired() || number != readNumber_) {
                    return;
                }
                auto& metadata = metadata_.edit();
                for (std::size_t i = 0; i < ids.size(); ++i) {
                    if (read[i]) {
                        metadata[ids[i]] = std::move(read[i]);
                    }
                }
                readingMetadata_ = false;
                // A date-taken order may place the entries otherwise now.
                orderChanged();
                changed();
                updatePreviews();
            });
    });
    return false;
}

bool AppViewModel::statsKnown() {
    if (readingStats_ && statsReadFor_ == listVersion_) {
        // The read under way is for this very list.
        return false;
    }
    // Kept as strings: making paths of them (split into components) is for the background.
    std::vector<ItemPath> locations;
    std::vector<Uuid> ids;
    if (statsChecked_ != listVersion_ && (statsStale_ || !everyStatRead())) {
        const auto& shown = shownOrder();
        // Making the order may have found every entry known already.
        if (statsChecked_ != listVersion_) {
            for (auto index : shown) {
                const FileItem& item = files_[index];
                if (statsStale_ || !statKnown(item)) {
                    locations.push_back(item.url);
                    ids.push_back(item.id);
                }
            }
        }
    }
    if (locations.empty()) {
        statsChecked_ = listVersion_;
        // Not needed any more.
        if (dropStatsRead()) {
            changed();
        }
        return true;
    }
    if (stopStats_) {
        // Replaced by this one.
        stopStats_->store(true);
    }
    stopStats_ = std::make_shared<std::atomic<bool>>(false);
    const std::uint64_t number = ++statsNumber_;
    statsReadFor_ = listVersion_;
    readingStats_ = true;
    changed();

    std::weak_ptr<int> alive = lifetime_;
    Scheduler* scheduler = &scheduler_;
    scheduler_.runInBackground([this, alive, scheduler, number, stop = stopStats_,
                                afresh = statsStale_, locations = std::move(locations),
                                ids = std::move(ids)]() mutable {
        if (alive.expired()) {
            return;
        }
        std::vector<FileStat> read;
        read.reserve(locations.size());
        for (const auto& location : locations) {
            // Asked now and then: a stale read gives up, and hands nothing back.
            if (read.size() % 512 == 0 && stop->load(std::memory_order_relaxed)) {
                return;
            }
            read.push_back(FileItem::statAt(location));
        }
        scheduler->postToMain(
            [this, alive, number, afresh, ids = std::move(ids), read = std::move(read)]() mutable {
                if (alive.expired() || number != statsNumber_) {
                    return;
                }
                if (afresh) {
                    // What is not shown now is read when it is.
                    stats_.clear();
                    statsStale_ = false;
                }
                stats_.reserve(stats_.size() + ids.size());
                for (std::size_t i = 0; i < ids.size(); ++i) {
                    stats_.insertOrAssign(ids[i], read[i]);
                }
                readingStats_ = false;
                // The order waited for these: now it is applied.
                orderChanged();
                changed();
                updatePreviews();
            });
    });
    return false;
}

std::optional<PreviewEntry> AppViewModel::ruleExample(const RenameRule& rule) const {
    const auto& shown = shownOrder();
    if (shown.empty()) {
        return std::nullopt;
    }
    // The rules before it as the preview runs them, then the rule itself even when it is off.
    std::vector<RenameRule> upTo;
    for (const auto& r : rules_) {
        if (r.id == rule.id) {
            break;
        }
        upTo.push_back(r);
    }
    upTo.push_back(rule);
    upTo.back().isEnabled = true;
    const std::vector<FileItem> first{files_[shown.front()]};
    const auto known = metadataOf(first);
    auto entries =
        RenameEngine::preview(upTo, first, RenameEngine::Clock::now(), 1, nullptr, &known);
    return entries.front();
}

void AppViewModel::performRename() {
    if (!previewsEnabled_ && !isRenaming_) {
        // Nothing was previewed, so what the rules read of the files is read now.
        if (const unsigned parts = wantedMetadata(); parts != 0) {
            metadataKnown(parts);
        }
    }
    // While the files are read, the preview does not show yet what a rename would do; while
    // entries are added, the list is not yet what the user chose.
    if (isRenaming_ || readingMetadata_ || addingFiles_) {
        return;
    }
    if (previewsEnabled_) {
        if (isPreviewPending()) {
            // The preview of the last edit is a moment away: the rename carries that one
            // out when it arrives, never the one on screen before the edit.
            renameDeferred_ = true;
            isRenaming_ = true;
            renameProgress_ = {0, 0};
            changed();
            return;
        }
        renameShownPreview();
        return;
    }
    // Nothing is previewed (the command line's rename): the batch is what the preview shows, in its
    // order, so that the numbers and names given on disk are the ones the user saw; checked entries
    // that the filter hides stay.
    std::vector<FileItem> batch;
    batch.reserve(shownOrder().size());
    for (auto index : shownOrder()) {
        batch.push_back(files_[index]);
    }
    // With what the preview read of them, so that the names on disk are the ones shown.
    auto known = wantedMetadata() != 0 ? metadataOf(batch) : RenameEngine::MetadataList{};
    // A command plans against the folders its walk has just read; a window's list may be old.
    auto walked = interactive_ ? nullptr : folders_.share();
    startBatch([batch = std::move(batch), rules = rules_, known = std::move(known),
                folders = std::move(walked)](const RenameEngine::RenameOptions& options) mutable {
        auto requests = RenameEngine::requestsFor(batch, rules, options.now, &known);
        // The copies are not needed while the batch runs.
        std::vector<FileItem>().swap(batch);
        RenameEngine::MetadataList().swap(known);
        auto withFolders = options;
        withFolders.readFolders = folders.get();
        return RenameEngine::renameRequests(std::move(requests), withFolders);
    });
}

void AppViewModel::renameShownPreview() {
    // Exactly what the preview was computed from: the entries in its order with its check
    // marks, its rules, what it knew of the files and its moment for date rules.
    startBatch([preview = preview_](const RenameEngine::RenameOptions& options) {
        auto exact = options;
        exact.metadata = preview->metadata;
        exact.now = preview->now;
        return RenameEngine::rename(*preview->items, preview->rules, exact);
    });
}

std::vector<RenameRequest> AppViewModel::requestsForNames(
    const std::vector<std::pair<Uuid, std::string>>& names) const {
    std::unordered_map<Uuid, const std::string*> wanted;
    for (const auto& [id, name] : names) {
        wanted.emplace(id, &name);
    }
    std::vector<RenameRequest> requests;
    requests.reserve(files_.size());
    for (const auto& item : files_) {
        RenameRequest request;
        request.source = item.url.native();
        const auto found = wanted.find(item.id);
        request.inBatch = found != wanted.end();
        // Every other listed entry holds its name against the batch.
        request.newName =
            request.inBatch ? *found->second : std::string(RenamePlanner::nameOf(request.source));
        if (request.inBatch) {
            request.problem = NameCheck::checkNewName(request.newName);
        }
        requests.push_back(std::move(request));
    }
    return requests;
}

void AppViewModel::renameTo(const std::vector<std::pair<Uuid, std::string>>& names) {
    if (isRenaming_) {
        return;
    }
    startBatch([requests = requestsForNames(names)](const RenameEngine::RenameOptions& options) {
        return RenameEngine::renameRequests(requests, options);
    });
}

void AppViewModel::startBatch(
    std::function<std::vector<RenameResult>(const RenameEngine::RenameOptions&)> work) {
    isRenaming_ = true;
    changed();

    // A command's list does not live on, so neither its folders nor the history are read
    // again after its batch.
    std::vector<std::string> known;
    if (interactive_) {
        known.reserve(folders_.size());
        for (const auto& [folder, facts] : folders_) {
            known.push_back(folder);
        }
    }

    std::weak_ptr<int> alive = lifetime_;
    Scheduler* scheduler = &scheduler_;
    FileSystem* disk = fileSystem_ != nullptr ? fileSystem_ : &FileSystem::real();
    // The stop flag lives as long as the background step that reads it.
    auto options = renameOptions();
    scheduler_.runInBackground([this, alive, scheduler, disk, options, stop = stopRequested_,
                                work = std::move(work), known = std::move(known),
                                interactive = interactive_]() mutable {
        if (alive.expired()) {
            return;
        }
        options.stop = stop.get();
        const fs::path historyFolder = RenameHistory::folder();
        std::vector<RenameResult> results;
        {
            // Its plan is on disk before the first move, its closing record after the last.
            RenameJournal journal(historyFolder);
            options.observer = &journal;
            results = work(options);
        }
        RenameHistory::prune(historyFolder, RenameHistory::keep());
        std::optional<RenameHistory::Listing> listing;
        if (interactive) {
            listing = RenameHistory::list(historyFolder);
        }
        auto folders = reread(known, results, *disk);
        scheduler->postToMain([this, alive, results = std::move(results),
                               folders = std::move(folders),
                               listing = std::move(listing)]() mutable {
            if (alive.expired()) {
                return;
            }
            // Each renamed item is replaced in place by a fresh entry for its new location;
            // entries inside a renamed folder follow it.
            followResults(results);
            folders_ = std::move(folders);
            ++foldersReread_;
            if (listing) {
                history_ = std::move(*listing);
                historyLoaded_ = true;
            }
            changed();
            lastRenameResults_ = std::move(results);
            changed();
            isRenaming_ = false;
            changed();
            showRenameResult_ = true;
            changed();
            updatePreviews();
        });
    });
}

void AppViewModel::followResults(const std::vector<RenameResult>& results) {
    if (!interactive_) {
        return;
    }
    const PathRelocation moved = relocationOf(results);
    if (moved.empty()) {
        return;
    }
    // A move changes neither an item's id, check mark nor kind, so the entry is updated in
    // place and the disk is not asked again. It changes the dates of the folders it touched:
    // sizes and dates are read again when an order wants them, the old ones kept meanwhile.
    statsStale_ = !stats_.empty();
    for (auto& item : files_) {
        if (auto now = moved.movedTo(item.url.native())) {
            item.url = std::move(*now);
            item.previewName = item.originalName();
        }
    }
    namesChanged();
    changed();
}

bool AppViewModel::canUndo() const {
    std::string problem;
    return RenameHistory::toUndo(history_, "", problem).has_value();
}

bool AppViewModel::canRedo() const {
    std::string problem;
    return RenameHistory::toRedo(history_, "", problem).has_value();
}

void AppViewModel::loadHistory() {
    std::weak_ptr<int> alive = lifetime_;
    Scheduler* scheduler = &scheduler_;
    scheduler_.runInBackground([this, alive, scheduler] {
        if (alive.expired()) {
            return;
        }
        auto listing = RenameHistory::list(RenameHistory::folder());
        scheduler->postToMain([this, alive, listing = std::move(listing)]() mutable {
            if (alive.expired()) {
                return;
            }
            history_ = std::move(listing);
            historyLoaded_ = true;
            changed();
        });
    });
}

void AppViewModel::undoRename() {
    undoBatch("");
}

void AppViewModel::redoRename() {
    redoBatch("");
}

void AppViewModel::undoBatch(const std::string& id) {
    std::string problem;
    const auto batch = RenameHistory::toUndo(history_, id, problem);
    if (isRenaming_ || !batch) {
        return;
    }
    runHistoryStep([batch = *batch](FileSystem& disk, const std::atomic<bool>* stop) {
        return RenameHistory::undo(RenameHistory::folder(), batch, disk, stop);
    });
}

void AppViewModel::redoBatch(const std::string& id) {
    std::string problem;
    const auto batch = RenameHistory::toRedo(history_, id, problem);
    if (isRenaming_ || !batch) {
        return;
    }
    runHistoryStep([batch = *batch](FileSystem& disk, const std::atomic<bool>* stop) {
        return RenameHistory::redo(RenameHistory::folder(), batch, disk, stop);
    });
}

void AppViewModel::recoverBatch(const std::string& id, bool finish) {
    if (isRenaming_) {
        return;
    }
    for (const auto& batch : history_.batches) {
        if (batch.id == id && batch.state == HistoryBatch::State::interrupted) {
            runHistoryStep([batch, finish](FileSystem& disk, const std::atomic<bool>*) {
                return RenameHistory::recover(batch, finish, disk);
            });
            return;
        }
    }
}

void AppViewModel::runHistoryStep(
    std::function<RenameHistory::Outcome(FileSystem&, const std::atomic<bool>*)> work) {
    isRenaming_ = true;
    changed();
    std::vector<std::string> known;
    known.reserve(folders_.size());
    for (const auto& [folder, facts] : folders_) {
        known.push_back(folder);
    }
    std::weak_ptr<int> alive = lifetime_;
    Scheduler* scheduler = &scheduler_;
    FileSystem* disk = fileSystem_ != nullptr ? fileSystem_ : &FileSystem::real();
    // The stop flag lives as long as the background step that reads it.
    renameOptions();
    scheduler_.runInBackground([this, alive, scheduler, disk, stop = stopRequested_,
                                work = std::move(work), known = std::move(known)]() mutable {
        if (alive.expired()) {
            return;
        }
        auto outcome = work(*disk, stop.get());
        auto listing = RenameHistory::list(RenameHistory::folder());
        auto folders = reread(known, outcome.results, *disk);
        scheduler->postToMain([this, alive, outcome = std::move(outcome),
                               folders = std::move(folders),
                               listing = std::move(listing)]() mutable {
            if (alive.expired()) {
                return;
            }
            folders_ = std::move(folders);
            ++foldersReread_;
            followResults(outcome.results);
            history_ = std::move(listing);
            historyLoaded_ = true;
            changed();
            bool anyFailed = outcome.error.has_value();
            for (const auto& result : outcome.results) {
                anyFailed = anyFailed || !result.renamed();
            }
            if (outcome.error) {
                // The journal could not be written or read: nothing moved, and the report
                // says why.
                RenameResult refused;
                refused.status = RenameResult::Status::failed;
                refused.error = outcome.error;
                outcome.results.push_back(std::move(refused));
            }
            lastRenameResults_ = std::move(outcome.results);
            changed();
            isRenaming_ = false;
            changed();
            if (anyFailed) {
                showRenameResult_ = true;
                changed();
            }
            updatePreviews();
        });
    });
}

std::string AppViewModel::exportCSV() const {
    std::ostringstream out;
    exportCSV(out);
    return std::move(out).str();
}

void AppViewModel::exportCSV(std::ostream& out) const {
    // Quotes inside a name are doubled so that every CSV reader gets the name back intact.
    const auto quoted = [](std::string& row, const std::string& text) {
        row += '"';
        for (char c : text) {
            row += c;
            if (c == '"') {
                row += '"';
            }
        }
        row += '"';
    };
    std::string block = "Original Name,New Name,Has Conflict\n";
    for (const auto& entry : preview_->entries) {
        quoted(block, entry.original);
        block += ',';
        quoted(block, entry.preview);
        block += entry.hasConflict ? ",true\n" : ",false\n";
        if (block.size() >= 64 * 1024) {
            out << block;
            block.clear();
        }
    }
    out << block;
}

void AppViewModel::parseNaturalLanguage() {
    if (naturalLanguageInput_.empty()) {
        return;
    }
    nlSuggestions_ = NaturalLanguageParser::parse(naturalLanguageInput_);
    changed();
}

void AppViewModel::applyNLSuggestions() {
    for (const auto& suggestion : nlSuggestions_) {
        rules_.push_back(suggestion.rule);
    }
    changed();
    nlSuggestions_.clear();
    changed();
    naturalLanguageInput_.clear();
    changed();
    updatePreviews();
}

void AppViewModel::loadPreset(const Preset& preset) {
    rules_ = preset.rules;
    changed();
    updatePreviews();
}
