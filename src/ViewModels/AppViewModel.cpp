// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ViewModels/AppViewModel.h"

#include <dirent.h>
#include <sys/stat.h>

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "Services/FileSystem.h"
#include "Services/NameCheck.h"
#include "Services/NaturalLanguageParser.h"
#include "Services/PathRelocation.h"
#include "Services/RenameEngine.h"
#include "Services/RenameJournal.h"
#include "Services/TextSearch.h"
#include "ViewModels/Scheduler.h"

namespace fs = std::filesystem;

namespace {

// The collator of the user's locale, made once per thread: creating one costs far more than
// comparing with it.
const icu::Collator* collator() {
    thread_local std::unique_ptr<icu::Collator> instance = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::Collator> made(
            icu::Collator::createInstance(icu::Locale::getDefault(), status));
        return U_SUCCESS(status) ? std::move(made) : nullptr;
    }();
    return instance.get();
}

// A key whose byte order is the collator's order, so that a sort compares bytes and each
// name is collated once rather than once per comparison.
std::string collationKey(const std::string& text) {
    const icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(text);
    const icu::Collator* coll = collator();
    if (coll == nullptr) {
        return text;
    }
    std::string key(64, '\0');
    auto length = coll->getSortKey(unicode, reinterpret_cast<uint8_t*>(key.data()),
                                   static_cast<int32_t>(key.size()));
    if (static_cast<std::size_t>(length) > key.size()) {
        key.resize(static_cast<std::size_t>(length));
        length = coll->getSortKey(unicode, reinterpret_cast<uint8_t*>(key.data()), length);
    }
    // The key ends in a zero byte, which would only add to every comparison.
    key.resize(length > 0 ? static_cast<std::size_t>(length - 1) : 0);
    return key;
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

// Every entry below `folder`, hidden ones included, each subfolder before its contents.
// Symbolic links are reported and not followed; a folder that cannot be read is skipped
// and the walk goes on. Folders wait on an explicit stack, so neither the depth of the tree
// nor open descriptors limit the walk.
void walk(const fs::path& folder, const std::function<void(FileItem)>& report) {
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
        while (const dirent* entry = ::readdir(dir)) {
            const std::string_view name = entry->d_name;
            if (name == "." || name == "..") {
                continue;
            }
            fs::path location = current / name;
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
                subfolders.push_back(location);
                report(FileItem(std::move(location), true));
            } else if (type == DT_LNK) {
                // Listed as the item it points to, folder or file, and never walked.
                report(FileItem(std::move(location)));
            } else {
                report(FileItem(std::move(location), false));
            }
        }
        ::closedir(dir);
        // Reversed so that the first subfolder listed is walked first.
        pending.insert(pending.end(), subfolders.rbegin(), subfolders.rend());
    }
}

// Where the items of the results are now: each renamed one at its new location, and
// whatever lies inside a renamed folder inside its new location.
PathRelocation relocationOf(const std::vector<RenameResult>& results) {
    PathRelocation moved;
    for (const auto& result : results) {
        if (result.renamed()) {
            moved.add(result.originalURL, result.newURL);
        }
    }
    return moved;
}

// The folders the preview knew, read again where they are after `results`.
RenamePlanner::Folders reread(const std::vector<std::string>& known,
                              const std::vector<RenameResult>& results, FileSystem& disk) {
    const PathRelocation moved = relocationOf(results);
    RenamePlanner::Folders fresh;
    for (const auto& folder : known) {
        const fs::path now = moved.apply(folder);
        auto facts = disk.folderFacts(now);
        fresh.emplace(now.native(), facts ? std::move(*facts) : FolderFacts{});
    }
    return fresh;
}

}  // namespace

AppViewModel::AppViewModel(Scheduler& scheduler, FileSystem* fileSystem)
    : scheduler_(scheduler), fileSystem_(fileSystem) {}

AppViewModel::~AppViewModel() = default;

Subscription AppViewModel::subscribe(std::function<void()> callback) {
    return observers_.subscribe(std::move(callback));
}

void AppViewModel::setShowRenameResult(bool value) {
    showRenameResult_ = value;
    changed();
}

void AppViewModel::cancelRename() {
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
    changed();
    updatePreviews();
}

void AppViewModel::setFilterText(std::string value) {
    filterText_ = std::move(value);
    changed();
    updatePreviews();
}

void AppViewModel::setShowOnlyFiles(bool value) {
    showOnlyFiles_ = value;
    changed();
    updatePreviews();
}

void AppViewModel::setShowOnlyFolders(bool value) {
    showOnlyFolders_ = value;
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

std::vector<std::size_t> AppViewModel::sortedIndexes(
    const std::vector<std::size_t>& indexes) const {
    std::vector<std::size_t> order(indexes.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    // Each key is read once per call; the comparisons then touch neither ICU nor the disk.
    switch (sortOrder_) {
        case SortOrder::name:
        case SortOrder::type: {
            std::vector<std::string> keys;
            keys.reserve(indexes.size());
            for (auto index : indexes) {
                const FileItem& item = files_[index];
                keys.push_back(collationKey(sortOrder_ == SortOrder::name ? item.originalName()
                                                                          : item.fileExtension()));
            }
            std::stable_sort(order.begin(), order.end(),
                             [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
            break;
        }
        case SortOrder::date: {
            std::vector<FileItem::Clock::time_point> dates;
            dates.reserve(indexes.size());
            for (auto index : indexes) {
                dates.push_back(FileItem::modificationDate(files_[index].url)
                                    .value_or(FileItem::Clock::time_point::min()));
            }
            std::stable_sort(order.begin(), order.end(),
                             [&](std::size_t a, std::size_t b) { return dates[a] > dates[b]; });
            break;
        }
        case SortOrder::size: {
            std::vector<std::int64_t> sizes;
            sizes.reserve(indexes.size());
            for (auto index : indexes) {
                sizes.push_back(FileItem::fileSize(files_[index].url).value_or(0));
            }
            std::stable_sort(order.begin(), order.end(),
                             [&](std::size_t a, std::size_t b) { return sizes[a] > sizes[b]; });
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
    std::optional<TextSearch> search;
    if (!filterText_.empty()) {
        search.emplace(icu::UnicodeString::fromUTF8(filterText_));
    }
    std::vector<std::size_t> kept;
    kept.reserve(files_.size());
    for (std::size_t i = 0; i < files_.size(); ++i) {
        const FileItem& item = files_[i];
        if (search && !search->findFirst(icu::UnicodeString::fromUTF8(item.originalName()))) {
            continue;
        }
        if (showOnlyFiles_ && item.isDirectory) {
            continue;
        }
        if (showOnlyFolders_ && !item.isDirectory) {
            continue;
        }
        kept.push_back(i);
    }
    return sortedIndexes(kept);
}

std::vector<FileItem> AppViewModel::filteredFiles() const {
    std::vector<FileItem> shown;
    const auto indexes = shownIndexes();
    shown.reserve(indexes.size());
    for (auto index : indexes) {
        shown.push_back(files_[index]);
    }
    return shown;
}

std::size_t AppViewModel::selectedCount() const {
    return static_cast<std::size_t>(std::count_if(
        files_.begin(), files_.end(), [](const FileItem& item) { return item.isSelected; }));
}

std::size_t AppViewModel::hiddenSelectedCount() const {
    std::vector<bool> shown(files_.size(), false);
    for (auto index : shownIndexes()) {
        shown[index] = true;
    }
    std::size_t hidden = 0;
    for (std::size_t i = 0; i < files_.size(); ++i) {
        hidden += files_[i].isSelected && !shown[i] ? 1 : 0;
    }
    return hidden;
}

std::size_t AppViewModel::conflictCount() const {
    return static_cast<std::size_t>(
        std::count_if(previews_.begin(), previews_.end(),
                      [](const PreviewEntry& entry) { return entry.hasConflict; }));
}

void AppViewModel::addFiles(const std::vector<fs::path>& locations) {
    // Only the list as it stood when the call began counts as already listed.
    std::unordered_set<std::string> listed;
    listed.reserve(files_.size());
    for (const auto& item : files_) {
        listed.insert(item.url.native());
    }
    std::vector<FileItem> batch;
    const auto addIfNew = [&](FileItem item) {
        if (!listed.contains(item.url.native())) {
            batch.push_back(std::move(item));
        }
    };
    for (const auto& given : locations) {
        const fs::path location = FileItem::tidied(given);
        const auto folder = isFolder(location);
        if (folder.value_or(false) && includeSubfolders_) {
            walk(location, addIfNew);
        } else {
            FileItem item(location, folder.value_or(false));
            item.isMissing = !folder;
            addIfNew(std::move(item));
        }
    }
    learnFolders(batch);
    files_.insert(files_.end(), std::make_move_iterator(batch.begin()),
                  std::make_move_iterator(batch.end()));
    changed();
    updatePreviews();
}

void AppViewModel::learnFolders(const std::vector<FileItem>& items) {
    FileSystem& disk = fileSystem_ != nullptr ? *fileSystem_ : FileSystem::real();
    for (const auto& item : items) {
        std::string folder = item.url.parent_path().native();
        if (folders_.contains(folder)) {
            continue;
        }
        auto facts = disk.folderFacts(folder);
        folders_.emplace(std::move(folder), facts ? std::move(*facts) : FolderFacts{});
    }
}

void AppViewModel::removeFiles(const std::vector<FileItem>& items) {
    std::unordered_set<Uuid> ids;
    for (const auto& item : items) {
        ids.insert(item.id);
    }
    std::erase_if(files_, [&](const FileItem& item) { return ids.contains(item.id); });
    changed();
    updatePreviews();
}

void AppViewModel::clearFiles() {
    files_.clear();
    changed();
    previews_.clear();
    changed();
}

void AppViewModel::selectAll() {
    for (auto& item : files_) {
        item.isSelected = true;
    }
    changed();
    updatePreviews();
}

void AppViewModel::deselectAll() {
    for (auto& item : files_) {
        item.isSelected = false;
    }
    changed();
    updatePreviews();
}

void AppViewModel::invertSelection() {
    for (auto& item : files_) {
        item.isSelected = !item.isSelected;
    }
    changed();
    updatePreviews();
}

void AppViewModel::setFileSelected(const Uuid& id, bool selected) {
    auto it = std::find_if(files_.begin(), files_.end(),
                           [&](const FileItem& item) { return item.id == id; });
    if (it != files_.end()) {
        it->isSelected = selected;
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

void AppViewModel::updatePreviews() {
    // The whole list, although only the enabled rules run, so that a problem names a rule by
    // its place in the list the user sees.
    previews_ =
        RenameEngine::preview(rules_, filteredFiles(), RenameEngine::Clock::now(), 0, &folders_);
    changed();
}

void AppViewModel::performRename() {
    if (isRenaming_) {
        return;
    }
    // The batch is what the preview shows, in its order, so that the numbers and names given
    // on disk are the ones the user saw; checked entries that the filter hides stay.
    std::vector<FileItem> batch;
    for (auto index : shownIndexes()) {
        batch.push_back(files_[index]);
    }
    startBatch(
        [batch = std::move(batch), rules = rules_](const RenameEngine::RenameOptions& options) {
            return RenameEngine::rename(batch, rules, options);
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

    std::vector<std::string> known;
    known.reserve(folders_.size());
    for (const auto& [folder, facts] : folders_) {
        known.push_back(folder);
    }

    std::weak_ptr<int> alive = lifetime_;
    Scheduler* scheduler = &scheduler_;
    FileSystem* disk = fileSystem_ != nullptr ? fileSystem_ : &FileSystem::real();
    // The stop flag lives as long as the background step that reads it.
    auto options = renameOptions();
    scheduler_.runInBackground([this, alive, scheduler, disk, options, stop = stopRequested_,
                                work = std::move(work), known = std::move(known)]() mutable {
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
        auto listing = RenameHistory::list(historyFolder);
        auto folders = reread(known, results, *disk);
        scheduler->postToMain([this, alive, results = std::move(results),
                               folders = std::move(folders),
                               listing = std::move(listing)]() mutable {
            if (alive.expired()) {
                return;
            }
            // Each renamed item is replaced in place by a fresh entry for its new location;
            // entries inside a renamed folder follow it.
            followResults(results, true);
            folders_ = std::move(folders);
            history_ = std::move(listing);
            historyLoaded_ = true;
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

void AppViewModel::followResults(const std::vector<RenameResult>& results, bool replaceRenamed) {
    const PathRelocation moved = relocationOf(results);
    if (moved.empty()) {
        return;
    }
    std::unordered_set<std::string> renamed;
    for (const auto& result : results) {
        if (result.renamed()) {
            renamed.insert(result.originalURL.native());
        }
    }
    for (auto& item : files_) {
        if (replaceRenamed && renamed.erase(item.url.native()) != 0) {
            item = FileItem(moved.apply(item.url));
        } else {
            item.url = moved.apply(item.url);
        }
    }
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
            followResults(outcome.results, false);
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
    // Quotes inside a name are doubled so that every CSV reader gets the name back intact.
    const auto quoted = [](const std::string& text) {
        std::string out = "\"";
        for (char c : text) {
            out += c;
            if (c == '"') {
                out += '"';
            }
        }
        out += '"';
        return out;
    };
    std::string csv = "Original Name,New Name,Has Conflict\n";
    for (const auto& entry : previews_) {
        csv += quoted(entry.original);
        csv += ',';
        csv += quoted(entry.preview);
        csv += entry.hasConflict ? ",true\n" : ",false\n";
    }
    return csv;
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
