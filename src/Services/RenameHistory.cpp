// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Services/RenameHistory.h"

#include <sys/stat.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <map>
#include <set>
#include <unordered_map>
#include <utility>

#include "Services/FileSystem.h"
#include "Services/PathRelocation.h"
#include "Services/RenameJournal.h"
#include "Services/RenamePlanner.h"

namespace fs = std::filesystem;
using json = nlohmann::json;

namespace RenameHistory {

namespace {

// Bounds of what is read: the header (it lists the batch's folders), any other line (a step
// holds two paths), a whole journal, the tail read for the closing record, the settings.
constexpr std::size_t kMaxHeader = 16 * 1024 * 1024;
constexpr std::size_t kMaxLine = 256 * 1024;
constexpr std::uintmax_t kMaxJournal = std::uintmax_t{8} << 30;
constexpr std::size_t kTail = 4096;
constexpr std::size_t kMaxSettings = 1024 * 1024;
constexpr std::size_t kMaxKeep = 100000;

fs::path homeBased(const char* variable, const char* fallback) {
    const char* set = std::getenv(variable);
    if (set != nullptr && set[0] == '/') {
        return set;
    }
    const char* home = std::getenv("HOME");
    return fs::path(home != nullptr && home[0] != '\0' ? home : "/") / fallback;
}

JournalStep::Item itemAt(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) {
        return {};
    }
    return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

std::optional<std::string> decoded(const json& value) {
    if (!value.is_string()) {
        return std::nullopt;
    }
    return RenameJournal::decode(value.get_ref<const std::string&>());
}

// Fills the header fields of `batch` from the first line of a journal.
bool readHeader(const std::string& line, JournalBatch& batch) {
    const json header = json::parse(line, nullptr, false);
    if (!header.is_object() || header.value("quorvane-journal", 0) != 1 || !header.contains("id") ||
        !header["id"].is_string() || !header.contains("micros") ||
        !header["micros"].is_number_integer()) {
        return false;
    }
    batch.id = header["id"].get<std::string>();
    batch.time = header["micros"].get<std::int64_t>();
    const std::string kind = header.value("kind", "");
    if (kind == "undo") {
        batch.kind = JournalBatch::Kind::undo;
    } else if (kind == "redo") {
        batch.kind = JournalBatch::Kind::redo;
    } else if (kind == "rename") {
        batch.kind = JournalBatch::Kind::rename;
    } else {
        return false;
    }
    auto of = decoded(header.value("of", json("")));
    const auto count = header.find("count");
    const auto folders = header.find("folders");
    if (!of || count == header.end() || !count->is_number_unsigned() || folders == header.end() ||
        !folders->is_array()) {
        return false;
    }
    batch.of = std::move(*of);
    batch.count = count->get<std::uint64_t>();
    for (const auto& folder : *folders) {
        auto bytes = decoded(folder);
        if (!bytes) {
            return false;
        }
        batch.folders.push_back(std::move(*bytes));
    }
    return true;
}

JournalBatch::End endOf(const std::string& line) {
    const json record = json::parse(line, nullptr, false);
    if (record.is_object() && record.contains("end") && record["end"].is_string()) {
        return record["end"] == "reversed" ? JournalBatch::End::reversed : JournalBatch::End::done;
    }
    return JournalBatch::End::none;
}

// The header of the journal in `file` and whether it ended; none when it cannot be read.
std::optional<JournalBatch> readSummary(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string header;
    char c = 0;
    while (in.get(c) && c != '\n') {
        if (header.size() == kMaxHeader) {
            return std::nullopt;
        }
        header.push_back(c);
    }
    JournalBatch batch;
    batch.file = file.native();
    if (!in || !readHeader(header, batch)) {
        return std::nullopt;
    }
    in.seekg(0, std::ios::end);
    const auto size = static_cast<std::size_t>(in.tellg());
    const std::size_t from = size > kTail ? size - kTail : 0;
    std::string tail(size - from, '\0');
    in.seekg(static_cast<std::streamoff>(from));
    in.read(tail.data(), static_cast<std::streamsize>(tail.size()));
    while (!tail.empty() && tail.back() == '\n') {
        tail.pop_back();
    }
    const auto start = tail.rfind('\n');
    batch.end = endOf(start == std::string::npos ? tail : tail.substr(start + 1));
    return batch;
}

struct Scan {
    std::vector<JournalBatch> journals;  // oldest first, headers only
    std::vector<std::string> unreadable;
};

Scan scan(const fs::path& where) {
    Scan out;
    std::vector<fs::path> files;
    std::error_code error;
    for (fs::directory_iterator it(where, error), end; !error && it != end; it.increment(error)) {
        std::error_code kind;
        if (it->path().extension() == ".journal" && it->is_regular_file(kind)) {
            files.push_back(it->path());
        }
    }
    std::sort(files.begin(), files.end());
    const fs::path aside = where / "Unreadable";
    for (const auto& file : files) {
        if (auto batch = readSummary(file)) {
            out.journals.push_back(std::move(*batch));
            continue;
        }
        // Kept aside where it no longer counts, never deleted.
        std::error_code moved;
        fs::create_directories(aside, moved);
        fs::path target = aside / file.filename();
        for (int n = 1; fs::exists(target, moved) && n < 1000; ++n) {
            target = aside / (file.stem().native() + "-" + std::to_string(n) + ".journal");
        }
        moved.clear();
        fs::rename(file, target, moved);
        if (moved) {
            out.unreadable.push_back(file.native());
        }
    }
    for (fs::directory_iterator it(aside, error), end; !error && it != end; it.increment(error)) {
        out.unreadable.push_back(it->path().native());
    }
    std::sort(out.unreadable.begin(), out.unreadable.end());
    return out;
}

std::vector<HistoryBatch> batchesOf(const std::vector<JournalBatch>& journals) {
    std::map<std::string, std::size_t> rowOf;
    std::vector<HistoryBatch> rows;
    for (const auto& journal : journals) {
        if (journal.kind == JournalBatch::Kind::rename) {
            rowOf[journal.id] = rows.size();
            HistoryBatch row;
            row.id = journal.id;
            row.time = journal.time;
            row.changed = journal.time;
            row.count = journal.count;
            row.folders = journal.folders;
            row.file = journal.file;
            if (journal.end == JournalBatch::End::none) {
                row.state = HistoryBatch::State::interrupted;
                row.pendingFile = journal.file;
                row.pendingForward = true;
            } else {
                row.state = journal.end == JournalBatch::End::done ? HistoryBatch::State::done
                                                                   : HistoryBatch::State::undone;
            }
            rows.push_back(std::move(row));
            continue;
        }
        const auto found = rowOf.find(journal.of);
        if (found == rowOf.end()) {
            continue;
        }
        HistoryBatch& row = rows[found->second];
        const bool forward = journal.kind == JournalBatch::Kind::redo;
        row.changed = journal.time;
        if (journal.end == JournalBatch::End::none) {
            row.state = HistoryBatch::State::interrupted;
            row.pendingFile = journal.file;
            row.pendingForward = forward;
        } else {
            const bool completed = journal.end == JournalBatch::End::done;
            row.state =
                forward == completed ? HistoryBatch::State::done : HistoryBatch::State::undone;
            row.pendingFile.clear();
        }
    }
    std::reverse(rows.begin(), rows.end());
    return rows;
}

// Reads `file` line by line, each line bounded; false when a line is too long or the file
// cannot be read.
template <typename Line>
bool forEachLine(const std::string& file, Line&& line) {
    std::error_code error;
    const auto size = fs::file_size(file, error);
    if (error || size > kMaxJournal) {
        return false;
    }
    std::FILE* in = std::fopen(file.c_str(), "rb");
    if (in == nullptr) {
        return false;
    }
    std::string current;
    std::vector<char> buffer(1 << 20);
    bool first = true;
    bool ok = true;
    std::size_t n = 0;
    while (ok && (n = std::fread(buffer.data(), 1, buffer.size(), in)) > 0) {
        std::size_t begin = 0;
        for (std::size_t i = 0; i < n; ++i) {
            if (buffer[i] != '\n') {
                continue;
            }
            current.append(buffer.data() + begin, i - begin);
            begin = i + 1;
            if (!line(current, true)) {
                ok = false;
                break;
            }
            current.clear();
            first = false;
        }
        if (ok) {
            current.append(buffer.data() + begin, n - begin);
            if (current.size() > (first ? kMaxHeader : kMaxLine)) {
                ok = false;
            }
        }
    }
    if (ok && std::ferror(in) != 0) {
        ok = false;
    }
    std::fclose(in);
    if (ok && !current.empty()) {
        // A last line without its line feed was cut short by a kill.
        ok = line(current, false);
    }
    return ok;
}

JournalStep::Item itemOf(const json& pair) {
    if (!pair.is_array() || pair.size() != 2 || !pair[0].is_number_unsigned() ||
        !pair[1].is_number_unsigned()) {
        return {};
    }
    return {pair[0].get<std::uint64_t>(), pair[1].get<std::uint64_t>()};
}

// The steps of `batch` that ran or may run: of a cycle, only the way it took.
std::vector<JournalStep> effectiveSteps(const JournalBatch& batch) {
    std::vector<JournalStep> out;
    out.reserve(batch.steps.size());
    for (const auto& step : batch.steps) {
        const bool fellBack = batch.fallbacks.count(step.cycle) != 0;
        if ((step.variant == JournalStep::Variant::exchanges && fellBack) ||
            (step.variant == JournalStep::Variant::throughTemporary && !fellBack)) {
            continue;
        }
        out.push_back(step);
    }
    return out;
}

Error notWhereLeft(const std::string& path) {
    return Error{Error::Code::itemMissing,
                 "The item is no longer the one the batch left at " + path +
                     " (renamed, moved or replaced since); it was left alone.",
                 0};
}

Error nameNowTaken(const std::string& path) {
    return Error{Error::Code::nameTaken,
                 "Another item now has the name \xE2\x80\x9C" +
                     std::string(RenamePlanner::nameOf(path)) +
                     "\xE2\x80\x9D; this item was left alone.",
                 0};
}

struct ItemKey {
    std::uint64_t device;
    std::uint64_t inode;
    friend bool operator<(const ItemKey& a, const ItemKey& b) {
        return a.device != b.device ? a.device < b.device : a.inode < b.inode;
    }
};

// Carries `steps` out in the order given, each judged by what is on disk now. One result
// per item that moved or was left alone.
std::vector<RenameResult> replay(std::vector<JournalStep> steps, bool backward, FileSystem& disk,
                                 const std::atomic<bool>* stop) {
    if (backward) {
        std::reverse(steps.begin(), steps.end());
        // Going back, an item is at the step's `to` and returns to its `from`; of an
        // exchange, `item` is then at `to` and `other` at `from`, which swapping the places
        // alone expresses.
        for (auto& step : steps) {
            std::swap(step.from, step.to);
        }
    }
    struct Track {
        std::string start;
        std::string end;
        std::optional<Error> error;
        RenameResult::Status status = RenameResult::Status::renamed;
    };
    std::vector<Track> tracks;
    std::map<ItemKey, std::size_t> trackOf;
    const auto track = [&](const JournalStep::Item& item, const std::string& from,
                           const std::string& to) -> Track& {
        auto [it, fresh] = trackOf.try_emplace(ItemKey{item.device, item.inode}, tracks.size());
        if (fresh || !item.known()) {
            it->second = tracks.size();
            tracks.push_back({from, to, std::nullopt});
        }
        Track& out = tracks[it->second];
        out.end = to;
        return out;
    };
    const auto leftAlone = [&](const JournalStep& step, Error error) {
        Track& out = track(step.item, step.from, step.to);
        if (!out.error) {
            out.error = std::move(error);
            out.status = RenameResult::Status::skipped;
        }
    };
    for (const auto& step : steps) {
        if (stop != nullptr && stop->load(std::memory_order_relaxed)) {
            break;
        }
        if (!step.item.known() ||
            (step.kind == JournalStep::Kind::exchange && !step.other.known())) {
            leftAlone(step, notWhereLeft(step.from));
            continue;
        }
        const auto atFrom = itemAt(step.from);
        const auto atTo = itemAt(step.to);
        if (step.kind == JournalStep::Kind::move) {
            if (atTo == step.item && atFrom != step.item) {
                continue;  // already where this step puts it
            }
            if (atFrom != step.item) {
                leftAlone(step, notWhereLeft(step.from));
                continue;
            }
            // The same item at both names is a change of letter case in a folder that
            // ignores case.
            if (atTo.known() && atTo != step.item) {
                leftAlone(step, nameNowTaken(step.to));
                continue;
            }
            if (auto error = disk.moveNoReplace(step.from, step.to)) {
                Track& out = track(step.item, step.from, step.to);
                out.error = std::move(error);
                out.status = RenameResult::Status::failed;
                continue;
            }
            track(step.item, step.from, step.to);
            continue;
        }
        if (atFrom == step.other && atTo == step.item) {
            continue;  // already exchanged
        }
        if (atFrom != step.item || atTo != step.other) {
            leftAlone(step, notWhereLeft(atFrom != step.item ? step.from : step.to));
            continue;
        }
        if (auto error = disk.exchange(step.from, step.to)) {
            Track& out = track(step.item, step.from, step.to);
            out.error = std::move(error);
            out.status = RenameResult::Status::failed;
            continue;
        }
        track(step.item, step.from, step.to);
        track(step.other, step.to, step.from);
    }

    // Locations at each step are as the steps before left them; a result tells where the
    // item was before the replay and where it is after it. Going forward, folders move after
    // their contents; going back, before them.
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        if (tracks[i].error || tracks[i].start != tracks[i].end) {
            order.push_back(i);
        }
    }
    const auto depth = [](const std::string& path) {
        return std::count(path.begin(), path.end(), '/');
    };
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return depth(tracks[a].start) < depth(tracks[b].start);
    });
    PathRelocation relocation;
    for (auto i : order) {
        Track& t = tracks[i];
        if (t.error) {
            continue;
        }
        if (!backward) {
            const fs::path folder(std::string(RenamePlanner::folderOf(t.end)));
            const fs::path final =
                relocation.apply(folder) / std::string(RenamePlanner::nameOf(t.end));
            relocation.add(t.start, final.native());
            t.end = final.native();
        } else {
            const fs::path folder(std::string(RenamePlanner::folderOf(t.start)));
            const fs::path first =
                relocation.apply(folder) / std::string(RenamePlanner::nameOf(t.start));
            relocation.add(t.end, first.native());
            t.start = first.native();
        }
    }
    std::sort(order.begin(), order.end());
    std::vector<RenameResult> results;
    results.reserve(order.size());
    for (auto i : order) {
        Track& t = tracks[i];
        RenameResult result;
        result.originalURL = t.start;
        result.newURL = t.end;
        result.status = t.status;
        result.error = std::move(t.error);
        results.push_back(std::move(result));
    }
    return results;
}

Outcome historyStep(const fs::path& where, const HistoryBatch& batch, bool forward,
                    FileSystem& disk, const std::atomic<bool>* stop) {
    Outcome out;
    auto journal = read(batch.file);
    if (!journal) {
        out.error = Error{Error::Code::invalidJson,
                          "The history journal " + batch.file + " cannot be read.", 0};
        return out;
    }
    RenameJournal record(where, forward ? JournalBatch::Kind::redo : JournalBatch::Kind::undo,
                         batch.id);
    if (auto error = record.begin(batch.count, batch.folders)) {
        out.error = std::move(error);
        return out;
    }
    if (journal->planComplete) {
        out.results = replay(effectiveSteps(*journal), !forward, disk, stop);
    }
    record.finished();
    return out;
}

}  // namespace

fs::path folder() {
    return homeBased("XDG_STATE_HOME", ".local/state") / "Quorvane" / "History";
}

fs::path settingsFile() {
    return homeBased("XDG_CONFIG_HOME", ".config") / "Quorvane" / "Quorvane.conf";
}

std::size_t keep() {
    std::error_code error;
    const auto size = fs::file_size(settingsFile(), error);
    if (error || size > kMaxSettings) {
        return kDefaultKeep;
    }
    std::ifstream in(settingsFile());
    std::string line;
    bool inGroup = false;
    std::size_t found = kDefaultKeep;
    while (std::getline(in, line)) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) {
            line.pop_back();
        }
        if (!line.empty() && line.front() == '[') {
            inGroup = line == "[history]";
            continue;
        }
        if (!inGroup || line.rfind("keep=", 0) != 0) {
            continue;
        }
        const std::string value = line.substr(5);
        char* end = nullptr;
        const unsigned long long number = std::strtoull(value.c_str(), &end, 10);
        if (!value.empty() && *end == '\0' && number >= 1 && number <= kMaxKeep) {
            found = static_cast<std::size_t>(number);
        }
    }
    return found;
}

Listing list(const fs::path& where) {
    Scan found = scan(where);
    return Listing{batchesOf(found.journals), std::move(found.unreadable)};
}

std::optional<HistoryBatch> toUndo(const Listing& listing, const std::string& id,
                                   std::string& problem) {
    for (const auto& batch : listing.batches) {
        if (!id.empty() && batch.id != id) {
            continue;
        }
        if (id.empty() && batch.state != HistoryBatch::State::done) {
            continue;
        }
        if (batch.state == HistoryBatch::State::interrupted) {
            problem = "batch " + id + " was interrupted: finish it or roll it back with recover";
            return std::nullopt;
        }
        if (batch.state == HistoryBatch::State::undone) {
            problem = "batch " + id + " is already undone";
            return std::nullopt;
        }
        return batch;
    }
    problem = id.empty() ? "there is no batch to undo" : "there is no batch " + id;
    return std::nullopt;
}

std::optional<HistoryBatch> toRedo(const Listing& listing, const std::string& id,
                                   std::string& problem) {
    if (!id.empty()) {
        for (const auto& batch : listing.batches) {
            if (batch.id != id) {
                continue;
            }
            if (batch.state != HistoryBatch::State::undone) {
                problem = "batch " + id + " is not undone";
                return std::nullopt;
            }
            return batch;
        }
        problem = "there is no batch " + id;
        return std::nullopt;
    }
    const HistoryBatch* last = nullptr;
    for (const auto& batch : listing.batches) {
        if (batch.state == HistoryBatch::State::undone &&
            (last == nullptr || batch.changed > last->changed)) {
            last = &batch;
        }
    }
    // A new batch ends what can be redone without naming it, as in any editor.
    if (last == nullptr || last->changed < listing.batches.front().time) {
        problem = "there is no batch to redo";
        return std::nullopt;
    }
    return *last;
}

Outcome undo(const fs::path& where, const HistoryBatch& batch, FileSystem& disk,
             const std::atomic<bool>* stop) {
    return historyStep(where, batch, false, disk, stop);
}

Outcome redo(const fs::path& where, const HistoryBatch& batch, FileSystem& disk,
             const std::atomic<bool>* stop) {
    return historyStep(where, batch, true, disk, stop);
}

Outcome recover(const HistoryBatch& batch, bool finish, FileSystem& disk) {
    Outcome out;
    if (batch.state != HistoryBatch::State::interrupted || batch.pendingFile.empty()) {
        out.error =
            Error{Error::Code::invalidValue, "Batch " + batch.id + " was not interrupted.", 0};
        return out;
    }
    auto journal = read(batch.file);
    if (!journal) {
        out.error = Error{Error::Code::invalidJson,
                          "The history journal " + batch.file + " cannot be read.", 0};
        return out;
    }
    const bool forward = finish == batch.pendingForward;
    // Without its whole plan on disk the batch never began to move.
    if (journal->planComplete) {
        out.results = replay(effectiveSteps(*journal), !forward, disk, nullptr);
    }
    out.error = RenameJournal::markEnded(
        batch.pendingFile, finish ? JournalBatch::End::done : JournalBatch::End::reversed);
    return out;
}

void prune(const fs::path& where, std::size_t keepCount) {
    const Scan found = scan(where);
    const auto batches = batchesOf(found.journals);
    std::set<std::string> drop;
    for (std::size_t i = keepCount; i < batches.size(); ++i) {
        if (batches[i].state != HistoryBatch::State::interrupted) {
            drop.insert(batches[i].id);
        }
    }
    if (drop.empty()) {
        return;
    }
    for (const auto& journal : found.journals) {
        const std::string& batch =
            journal.kind == JournalBatch::Kind::rename ? journal.id : journal.of;
        if (drop.count(batch) != 0) {
            std::error_code ignored;
            fs::remove(journal.file, ignored);
        }
    }
}

std::optional<JournalBatch> read(const std::string& file) {
    JournalBatch batch;
    batch.file = file;
    bool header = false;
    std::size_t planned = 0;
    bool valid = true;
    const bool read = forEachLine(file, [&](const std::string& line, bool whole) {
        if (!header) {
            header = true;
            valid = whole && readHeader(line, batch);
            return valid;
        }
        if (line.empty()) {
            return true;
        }
        const json record = json::parse(line, nullptr, false);
        if (!record.is_object()) {
            // Only the last line can be cut short by a kill: a step while the plan was being
            // written (then nothing moved), or progress, which is not needed since the disk
            // tells what moved.
            valid = batch.planComplete || !whole;
            return valid;
        }
        if (record.contains("k")) {
            if (batch.planComplete) {
                return true;
            }
            JournalStep step;
            step.kind = record["k"] == "x" ? JournalStep::Kind::exchange : JournalStep::Kind::move;
            step.temporary = record.value("tmp", 0) != 0;
            const int variant = record.value("v", 0);
            step.variant = variant == 1   ? JournalStep::Variant::exchanges
                           : variant == 2 ? JournalStep::Variant::throughTemporary
                                          : JournalStep::Variant::none;
            step.cycle = record.value("c", std::uint64_t{0});
            auto from = record.contains("f") ? decoded(record["f"]) : std::nullopt;
            std::optional<std::string> to;
            if (record.contains("t")) {
                to = decoded(record["t"]);
            } else if (record.contains("n") && from) {
                if (auto name = decoded(record["n"])) {
                    to = std::string(RenamePlanner::folderOf(*from)) + "/" + *name;
                }
            }
            if (!from || !to) {
                valid = false;
                return false;
            }
            step.from = std::move(*from);
            step.to = std::move(*to);
            step.item = itemOf(record.value("a", json()));
            if (step.kind == JournalStep::Kind::exchange) {
                step.other = itemOf(record.value("b", json()));
            }
            batch.steps.push_back(std::move(step));
        } else if (record.contains("planned")) {
            planned = record.value("planned", std::size_t{0});
            batch.planComplete = planned == batch.steps.size();
            valid = batch.planComplete;
            return valid;
        } else if (record.contains("fallback")) {
            batch.fallbacks.insert(record.value("fallback", std::uint64_t{0}));
        } else if (record.contains("end")) {
            batch.end =
                record["end"] == "reversed" ? JournalBatch::End::reversed : JournalBatch::End::done;
        }
        return true;
    });
    if (!read || !valid || !header) {
        return std::nullopt;
    }
    return batch;
}

const char* stateWord(HistoryBatch::State state) {
    switch (state) {
        case HistoryBatch::State::undone:
            return "undone";
        case HistoryBatch::State::interrupted:
            return "interrupted";
        case HistoryBatch::State::done:
            break;
    }
    return "done";
}

std::string isoTime(std::int64_t micros) {
    const auto seconds = static_cast<std::time_t>(micros / 1000000);
    std::tm utc{};
    ::gmtime_r(&seconds, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

}  // namespace RenameHistory
