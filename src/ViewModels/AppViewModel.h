// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "Models/EnumCases.h"
#include "Models/FileItem.h"
#include "Models/FileStat.h"
#include "Models/Observers.h"
#include "Models/ParsedRule.h"
#include "Models/Preset.h"
#include "Models/PreviewEntry.h"
#include "Models/RenameResult.h"
#include "Models/RenameRule.h"
#include "Models/Subscription.h"
#include "Models/UiText.h"
#include "Services/IdTable.h"
#include "Services/MetadataCache.h"
#include "Services/RenameEngine.h"
#include "Services/RenameHistory.h"
#include "ViewModels/CopyOnWrite.h"

class Scheduler;

// The state behind the window and the command line: the file list, the rules, the live
// preview, renaming with undo and redo, phrases and presets. Used from the main thread only;
// every write of a field announces a change to the subscribed observers, which re-read what
// they show. The background steps (the preview, the disk moves of a rename, undo or redo, and
// reading what files hold for the rules that name files by their content) go through the
// scheduler and read only copies or shared snapshots taken before they start.
class AppViewModel {
  public:
    // The order of filteredFiles; the raw values are the sort picker's labels.
    enum class SortOrder { name, date, size, type, dateTaken };

    // One computed preview with everything it was computed from, so that a rename carries
    // out exactly what it shows.
    struct Preview {
        // The change it answers (see previewGeneration).
        std::uint64_t generation = 0;
        // The shown entries it was computed for, in their order, with their check marks then.
        std::shared_ptr<const std::vector<FileItem>> items =
            std::make_shared<const std::vector<FileItem>>();
        std::vector<RenameRule> rules;
        // What was read of `items`, by position; empty when the rules read nothing.
        RenameEngine::MetadataList metadata;
        // The moment date rules stamped.
        RenameEngine::Clock::time_point now{};
        // One entry per entry of `items`.
        std::vector<PreviewEntry> entries;
        // Counted with the entries, off the main thread: those that conflict with an earlier
        // one, and those the batch renames (checked, with a new name, neither a problem nor a
        // conflict).
        std::size_t conflicts = 0;
        std::size_t renames = 0;
    };

    // `fileSystem` null means the real disk. The scheduler must outlive the view model.
    explicit AppViewModel(Scheduler& scheduler, FileSystem* fileSystem = nullptr);
    ~AppViewModel();
    AppViewModel(const AppViewModel&) = delete;
    AppViewModel& operator=(const AppViewModel&) = delete;

    // Calls `callback` after every change until the subscription is dropped.
    Subscription subscribe(std::function<void()> callback);

    // Every listed file or folder, in the order of addition.
    const std::vector<FileItem>& files() const { return files_; }
    // The ordered rule list; disabled rules keep their place and take no effect.
    const std::vector<RenameRule>& rules() const { return rules_; }
    // The last computed preview: one entry per entry of previewItems, in its order (which is
    // filteredFiles unless a newer preview is pending).
    const std::vector<PreviewEntry>& previews() const { return preview_->entries; }
    // The entries the last preview was computed for, with their check marks as then.
    const std::vector<FileItem>& previewItems() const { return *preview_->items; }
    // The last preview as a whole; a holder keeps it unchanged while newer ones arrive.
    std::shared_ptr<const Preview> sharedPreview() const { return preview_; }
    // Counts the changes the preview follows: the list, its order, check marks, the rules and
    // what was read of the files. Each is answered by a preview computed in the background;
    // an answer to an older change than the last is dropped when it arrives.
    std::uint64_t previewGeneration() const { return previewGeneration_; }
    // Whether previews() answers an older change than the last (the newer preview is being
    // computed, or waits for the files to be read); never while previews are turned off.
    bool isPreviewPending() const {
        return previewsEnabled_ && preview_->generation != previewGeneration_;
    }
    // Whether a rename, undo or redo is running; further requests are ignored meanwhile.
    bool isRenaming() const { return isRenaming_; }
    // Whether the report of the last batch is to be shown; the window sets it back.
    bool showRenameResult() const { return showRenameResult_; }
    void setShowRenameResult(bool value);
    // How far the running batch is: moves done and moves in all (0 of 0 before the first
    // report). Updated in steps, not after every move.
    std::pair<std::size_t, std::size_t> renameProgress() const { return renameProgress_; }
    // Asks the running batch to stop after its current move; the moves made so far are
    // reported and can be undone. A rename still waiting for its preview does not begin.
    void cancelRename();
    // Whether what the files hold (EXIF, tags, dates, digests) is being read for the rules or
    // the order; the preview follows when it is done, and a rename waits for it.
    bool isReadingMetadata() const { return readingMetadata_; }
    // How far that read is: files read and files to read.
    std::pair<std::size_t, std::size_t> metadataProgress() const { return metadataProgress_; }
    // Whether the sizes and dates of the shown entries are being read for the size or date
    // order (off the main thread): the list keeps its order until they are known, then it is
    // sorted, and the preview follows it.
    bool isReadingStats() const { return readingStats_; }
    // What was read of the entry with `id` for those orders; null when nothing is known yet.
    const FileStat* knownStat(const Uuid& id) const;
    // What `rule` makes of the first shown entry after the enabled rules before it, with what
    // is known of that entry's content (nothing is read here); none when no entry is shown.
    std::optional<PreviewEntry> ruleExample(const RenameRule& rule) const;

    // The outcome of the last batch (or of the last undo or redo), in the order of the moves.
    const std::vector<RenameResult>& lastRenameResults() const { return lastRenameResults_; }

    // The list view's filters and order. Changing any of these recomputes the preview, so
    // that its rows always match the table.
    SortOrder sortOrder() const { return sortOrder_; }
    void setSortOrder(SortOrder value);
    // Whether the order is turned round: Z to A, oldest first, smallest first. Entries that
    // compare equal keep their order of addition either way.
    bool sortReversed() const { return sortReversed_; }
    void setSortReversed(bool value);
    const std::string& filterText() const { return filterText_; }
    void setFilterText(std::string value);
    bool showOnlyFiles() const { return showOnlyFiles_; }
    void setShowOnlyFiles(bool value);
    bool showOnlyFolders() const { return showOnlyFolders_; }
    void setShowOnlyFolders(bool value);
    // Whether a folder given to addFiles is walked (every entry below it) or is one entry.
    bool includeSubfolders() const { return includeSubfolders_; }
    void setIncludeSubfolders(bool value);

    // The phrase field and the suggestions of its last parse.
    const std::string& naturalLanguageInput() const { return naturalLanguageInput_; }
    void setNaturalLanguageInput(std::string value);
    const std::vector<ParsedRule>& nlSuggestions() const { return nlSuggestions_; }
    void setNlSuggestions(std::vector<ParsedRule> value);
    // Carried for the window; nothing here reads it.
    bool showNLPanel() const { return showNLPanel_; }
    void setShowNLPanel(bool value);

    // The rows highlighted in the file table; never read here, so ids may be stale.
    const std::set<Uuid>& selectedFileIDs() const { return selectedFileIDs_; }
    void setSelectedFileIDs(std::set<Uuid> value);

    // The batches of the history folder (RenameHistory::folder()), newest first, as read
    // by the last loadHistory or after the last batch, undo or redo; empty before.
    const RenameHistory::Listing& history() const { return history_; }
    // Whether the history has been read once since the start.
    bool historyLoaded() const { return historyLoaded_; }
    // Whether undoRename and redoRename have a batch to act on.
    bool canUndo() const;
    bool canRedo() const;

    // `files` filtered by name, by kind and sorted by sortOrder and sortReversed (stable);
    // computed per read. Name order compares runs of digits by value ("file2" before
    // "file10") and names that collate alike by their bytes; type order is by extension, then
    // by name order.
    std::vector<FileItem> filteredFiles() const;
    // The indexes into `files` of filteredFiles, in its order. Computed on the first read
    // after the list, the filter or the sort changed and kept until the next such change
    // (name keys are kept per entry). The size and date orders compare what was read in the
    // background (isReadingStats); until it is known for every entry shown the order stays
    // the one last applied, with entries not read yet after the others in their order of
    // addition. While previews are turned off (a command) they are read here, at once.
    const std::vector<std::size_t>& shownOrder() const;
    // The entries of filteredFiles as one shared copy, made on the first read after the list,
    // the filter or the sort changed; their check marks are those of that moment.
    std::shared_ptr<const std::vector<FileItem>> shownItems() const;
    // Changes whenever the shown entries, their locations or their order change.
    std::uint64_t listVersion() const { return listVersion_; }
    // Changes whenever a check mark changes.
    std::uint64_t checkVersion() const { return checkVersion_; }
    // Entries of `files` (hidden ones too) whose check mark is set.
    std::size_t selectedCount() const;
    // Checked entries that the filter or the kind toggles hide: a rename leaves them alone.
    std::size_t hiddenSelectedCount() const;
    // Entries of `previews` that conflict with an earlier one.
    std::size_t conflictCount() const;

    // Adds the locations not yet listed (exact path comparison with the list as it was),
    // walking folders when includeSubfolders is set; then recomputes the preview.
    void addFiles(const std::vector<std::filesystem::path>& locations);
    // As addFiles, with the walk and the reading of the folders off the main thread: the
    // list grows when they are done. Calls made meanwhile run after it, one at a time in
    // order, each skipping what is listed by the time its entries arrive.
    void addFilesInBackground(std::vector<std::filesystem::path> locations);
    // Whether an addFilesInBackground is under way; a rename waits until it is done.
    bool isAddingFiles() const { return addingFiles_; }
    // Removes the entries with the ids of `items`; then recomputes the preview.
    void removeFiles(const std::vector<FileItem>& items);
    // Empties the list and the preview; rules, filters and history stay.
    void clearFiles();
    // Sets, clears or flips the check mark of every entry, hidden ones included.
    void selectAll();
    void deselectAll();
    void invertSelection();
    // Sets the check mark of the entry with `id`; nothing when it is not listed.
    void setFileSelected(const Uuid& id, bool selected);

    // Rule list edits; each recomputes the preview. Positions are as before the call.
    void addRule(RenameRule rule);
    void removeRule(const std::set<std::size_t>& positions);
    void moveRule(const std::set<std::size_t>& from, std::size_t to);
    // Replaces the first rule with the same id and recomputes; nothing at all when none has.
    void updateRule(const RenameRule& rule);
    // Starts a new preview of the enabled rules over filteredFiles, in the background; it
    // replaces `previews` when it arrives, unless a newer change came meanwhile. Nothing while
    // previews are turned off.
    void updatePreviews();
    // Whether edits recompute the preview (on at first). A caller that shows no preview (the
    // command line's rename) turns it off, so that the rules run once, for the batch only;
    // turning it on again recomputes it.
    bool previewsEnabled() const { return previewsEnabled_; }
    void setPreviewsEnabled(bool value);
    // Whether the list lives on after each command (on at first, as in the window). A caller
    // that runs one command and ends (the command line) turns it off: the name order keeps
    // no sort keys for a next sort, and the list does not follow a batch's moves (the
    // batch's results say where each item went).
    void setInteractive(bool value) { interactive_ = value; }

    // Renames on disk exactly what the preview shows: the checked entries among those shown,
    // under the names and numbers shown (unchecked ones counted but not moved); checked
    // entries that the filter hides are not renamed. While a newer preview is pending the
    // rename waits for it (isRenaming is set meanwhile) and then carries out that one; while
    // files are read for the rules, or entries added in the background, it is refused. Runs in the
    // background; a request while one runs is ignored. Afterwards every entry holds its location,
    // including entries inside a folder that moved.
    void performRename();
    // Renames each listed entry named by id in `names` to the name given with it (exactly,
    // no rule runs), as one batch planned like performRename's: every other listed entry
    // keeps its name and holds it, invalid names are skipped. Ids not listed are ignored.
    void renameTo(const std::vector<std::pair<Uuid, std::string>>& names);
    // The requests renameTo hands to the engine, one per listed entry in list order; for
    // showing the plan before it runs.
    std::vector<RenameRequest> requestsForNames(
        const std::vector<std::pair<Uuid, std::string>>& names) const;
    // Reads the history folder in the background; afterwards history() holds it.
    void loadHistory();
    // Moves the items of the newest batch whose state is done back on disk, from its journal
    // (so across restarts too): each item only when it is still the one the batch left at
    // its new name and its old name is free, never replacing anything. Listed entries follow
    // their items; what is left alone is reported like a batch's failures.
    void undoRename();
    // Renames again the items of the batch undone last (when no batch began since).
    void redoRename();
    // Undoes or redoes the batch of the history with `id`.
    void undoBatch(const std::string& id);
    void redoBatch(const std::string& id);
    // Completes (`finish`) or reverses the interrupted batch `id`, then reports as a batch.
    void recoverBatch(const std::string& id, bool finish);
    // The preview as CSV: a header, then one quoted row per entry, quotes doubled inside.
    std::string exportCSV() const;
    // The same CSV, written to `out` row by row.
    void exportCSV(std::ostream& out) const;

    // Replaces the suggestions by the parse of the phrase field; an empty field does nothing.
    void parseNaturalLanguage();
    // Appends every suggested rule, empties the suggestions and the phrase field, then
    // recomputes the preview once.
    void applyNLSuggestions();
    // Replaces the rule list with the preset's rules; then recomputes the preview.
    void loadPreset(const Preset& preset);

  private:
    void changed() const { observers_.notify(); }
    // Options for the engine: this model's file system, a fresh stop flag and progress
    // reports handed to the main thread.
    RenameEngine::RenameOptions renameOptions();
    // `indexes` into `files`, stably sorted by `order`, turned round when `reversed`.
    std::vector<std::size_t> sortedIndexes(const std::vector<std::size_t>& indexes, SortOrder order,
                                           bool reversed) const;
    // Whether `order` compares what a look at the disk tells (sizes, modification dates).
    static bool readsStats(SortOrder order);
    // The size and date of `files[index]` as known, or read now while previews are off.
    std::optional<FileStat> statOf(std::size_t index) const;
    // Starts reading the sizes and dates not known yet of the entries that pass the filters,
    // unless all are known or being read; true when they are known.
    bool statsKnown();
    // Whether the chosen order must wait for sizes or dates of entries shown now.
    bool waitsForStats() const;
    // Stops the read of sizes and dates under way, if any, dropping what it brings; true when
    // there was one.
    bool dropStatsRead();
    // Whether a size and date was read for every listed entry (perhaps before a batch).
    bool everyStatRead() const;
    // Whether what the chosen order compares of `item` is known without a look at the disk.
    bool statKnown(const FileItem& item) const;
    // The indexes into `files` of filteredFiles, in its order, computed afresh.
    std::vector<std::size_t> shownIndexes() const;
    // The indexes into `files` that pass the filters, in the order of `files`.
    std::vector<std::size_t> passingIndexes() const;
    // The metadata parts the enabled rules and the sort order read.
    unsigned wantedMetadata() const;
    // Starts reading what is not known yet of the entries that pass the filters, unless all
    // of it is known; true when it is (the preview can be computed now).
    bool metadataKnown(unsigned parts);
    // What is known of each of `items`, by position.
    RenameEngine::MetadataList metadataOf(const std::vector<FileItem>& items) const;
    // Computes the preview from what is known now, in the background; `parts` as
    // wantedMetadata. While one is computed, the next starts when it is done.
    void computePreviews(unsigned parts);
    // Hands the preview of the current generation and what it is computed from to the
    // background.
    void startPreview();
    // Takes `preview` when it answers the last change, else starts the one that does.
    void previewArrived(std::shared_ptr<const Preview> preview);
    // Starts the batch of the shown preview (current by now).
    void renameShownPreview();
    // Drops the kept order and shown entries after the list, the filter or the sort changed.
    void orderChanged();
    // Notes a change of check marks.
    void checksChanged();
    // The name and type orders of every listed entry, kept until an entry is added, removed
    // or moved (namesChanged), so that a filter or sort change only picks from them. The
    // window takes both; a command only the type order (its name order keeps no keys).
    struct Ranks {
        // Indexes into `files` in name order (stable).
        std::vector<std::size_t> byName;
        // By index into `files`: the same number for entries whose name keys are equal.
        std::vector<std::uint32_t> tie;
        // In type order; made on first use.
        std::optional<std::vector<std::size_t>> byType;
    };
    // The kept orders, made first where missing (the type order too when `byType`).
    const Ranks& ranks(bool byType) const;
    // `indexes` in the kept name or type order `by`, turned round when `reversed`.
    std::vector<std::size_t> rankedIndexes(const std::vector<std::size_t>& indexes, SortOrder by,
                                           bool reversed) const;
    // Drops the kept orders and the order shown after entries were added, removed or moved.
    void namesChanged();
    // The sort key of the name order of `item`, made once per entry and name.
    const std::string& nameKeyOf(const FileItem& item) const;
    // Makes the missing or stale name keys of the entries at `indexes`, in parallel.
    void makeNameKeys(const std::vector<std::size_t>& indexes) const;
    // Starts a batch: takes the undo snapshot, runs `work` in the background and folds its
    // results into the list.
    void startBatch(
        std::function<std::vector<RenameResult>(const RenameEngine::RenameOptions&)> work);
    // Learns the folders of `items` that are not known yet, for the preview and the batch:
    // those `walked` lists as they are, the others read.
    void learnFolders(const std::vector<FileItem>& items, RenamePlanner::Folders walked = {});
    // The location of every listed entry.
    std::unordered_set<std::string> listedLocations() const;
    // Appends `batch` to the list; then recomputes the preview.
    void append(std::vector<FileItem> batch);
    // Starts the first waiting addFilesInBackground, or notes that none is left.
    void startNextAdd();
    // Runs `work` (an undo, redo or recovery) in the background, then folds its results into
    // the list and reads the history again.
    void runHistoryStep(
        std::function<RenameHistory::Outcome(FileSystem&, const std::atomic<bool>*)> work);
    // Each listed entry follows its item to where `results` put it.
    void followResults(const std::vector<RenameResult>& results);

    Scheduler& scheduler_;
    FileSystem* fileSystem_;
    Observers observers_;
    // Held weakly by the hand-over to the background so that a late result finds out that
    // the view model is gone.
    std::shared_ptr<int> lifetime_ = std::make_shared<int>(0);

    std::vector<FileItem> files_;
    // The locations of the adds waiting for the one under way.
    std::deque<std::vector<std::filesystem::path>> pendingAdds_;
    bool addingFiles_ = false;
    std::vector<RenameRule> rules_;
    std::shared_ptr<const Preview> preview_ = std::make_shared<const Preview>();
    std::uint64_t previewGeneration_ = 0;
    // The generation the newest preview request is for, read by the background step so that
    // one started for an older change computes nothing.
    std::shared_ptr<std::atomic<std::uint64_t>> latestGeneration_ =
        std::make_shared<std::atomic<std::uint64_t>>(0);
    // Whether a preview is being computed, and whether a newer one is to follow it.
    bool previewRunning_ = false;
    bool previewWanted_ = false;
    unsigned previewParts_ = 0;
    // Whether performRename waits for the pending preview.
    bool renameDeferred_ = false;
    bool previewsEnabled_ = true;
    bool interactive_ = true;
    mutable std::optional<std::vector<std::size_t>> order_;
    mutable std::optional<Ranks> ranks_;
    // The order order_ was sorted by: the chosen one once what it compares is known.
    mutable SortOrder appliedOrder_ = SortOrder::name;
    mutable bool appliedReversed_ = false;
    // The size and date of each entry, read in the background; kept until the entry moves.
    IdTable<FileStat> stats_;
    // The list version for which every shown entry was last found read, and the one the
    // read under way is for.
    mutable std::optional<std::uint64_t> statsChecked_;
    std::uint64_t statsReadFor_ = 0;
    // Whether a batch moved entries since: every size and date is read again.
    bool statsStale_ = false;
    bool readingStats_ = false;
    // Tells a read of sizes and dates that a newer one replaced it; each has its number.
    std::shared_ptr<std::atomic<bool>> stopStats_;
    std::uint64_t statsNumber_ = 0;
    mutable std::shared_ptr<const std::vector<FileItem>> shownItems_;
    std::uint64_t listVersion_ = 0;
    std::uint64_t checkVersion_ = 0;
    // selectedCount and hiddenSelectedCount, with the check and list versions they count.
    mutable std::optional<std::pair<std::uint64_t, std::uint64_t>> selectedFor_;
    mutable std::size_t selected_ = 0;
    mutable std::optional<std::pair<std::uint64_t, std::uint64_t>> hiddenSelectedFor_;
    mutable std::size_t hiddenSelected_ = 0;
    // The name order's key of each entry, ending in the name it was made for (see nameKey).
    mutable std::unordered_map<Uuid, std::string> nameKeys_;
    bool isRenaming_ = false;
    bool showRenameResult_ = false;
    std::pair<std::size_t, std::size_t> renameProgress_{0, 0};
    std::shared_ptr<std::atomic<bool>> stopRequested_;
    std::vector<RenameResult> lastRenameResults_;
    SortOrder sortOrder_ = SortOrder::name;
    bool sortReversed_ = false;
    std::string filterText_;
    bool includeSubfolders_ = false;
    bool showOnlyFiles_ = false;
    bool showOnlyFolders_ = false;
    std::string naturalLanguageInput_;
    std::vector<ParsedRule> nlSuggestions_;
    bool showNLPanel_ = false;
    std::set<Uuid> selectedFileIDs_;
    RenameHistory::Listing history_;
    bool historyLoaded_ = false;
    // What the preview knows of the listed folders; read when entries are added and again
    // after every batch.
    CopyOnWrite<RenamePlanner::Folders> folders_;
    // Counts the times a batch replaced folders_ with what it found after its moves.
    std::uint64_t foldersReread_ = 0;
    // What was read of the files, kept across reads, and what the preview used of it, by
    // entry: an entry is read again only when it is new to the list (a moved one too).
    std::shared_ptr<MetadataCache> metadataCache_ = std::make_shared<MetadataCache>();
    using MetadataMap = std::unordered_map<Uuid, std::shared_ptr<const FileMetadata>>;
    CopyOnWrite<MetadataMap> metadata_;
    // The list version and parts for which every shown entry was last found known.
    std::optional<std::pair<std::uint64_t, unsigned>> metadataChecked_;
    bool readingMetadata_ = false;
    std::pair<std::size_t, std::size_t> metadataProgress_{0, 0};
    // Tells a read that a newer one replaced it; each read has its number.
    std::shared_ptr<std::atomic<bool>> stopReading_;
    std::uint64_t readNumber_ = 0;
};

template <>
struct EnumCases<AppViewModel::SortOrder> {
    static constexpr std::array<std::pair<AppViewModel::SortOrder, std::string_view>, 5> table{{
        {AppViewModel::SortOrder::name, UI_TEXT("StoredValue", "Name")},
        {AppViewModel::SortOrder::date, UI_TEXT("StoredValue", "Date Modified")},
        {AppViewModel::SortOrder::size, UI_TEXT("StoredValue", "Size")},
        {AppViewModel::SortOrder::type, UI_TEXT("StoredValue", "Type")},
        {AppViewModel::SortOrder::dateTaken, UI_TEXT("StoredValue", "Date Taken")},
    }};
};
