// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Services/RenameEngine.h"

#include <unicode/locid.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "Services/FileSystem.h"
#include "Services/NameCheck.h"
#include "Services/PathRelocation.h"
#include "Services/RenameObserver.h"
#include "Services/RuleProgram.h"
#include "Services/Slices.h"

namespace RenameEngine {

namespace {

// One rule run as the pipeline runs it, enabled or not.
std::string applyOne(RenameRule rule, const std::string& name, std::int64_t index = 0,
                     Clock::time_point now = Clock::now()) {
    rule.isEnabled = true;
    return applyRules({rule}, name, index, "", now);
}

// Why `item` cannot take `newName`, the name the rules gave it, or none; `ruleProblem` is
// what the rules reported while computing that name (taken from it).
std::optional<Error> problemOf(const FileItem& item, const std::string& newName,
                               std::optional<Error>& ruleProblem) {
    if (item.isMissing) {
        return NameCheck::itemMissing();
    }
    if (!item.hasValidName()) {
        // The name seen by the rules is a lossy decoding; moving by it would invent a name
        // the user never had.
        return NameCheck::nameNotUtf8();
    }
    if (ruleProblem) {
        // The rules could not run on this name: refused, never silently left.
        return std::exchange(ruleProblem, std::nullopt);
    }
    return NameCheck::checkNewName(newName);
}

// What the rules may know of the item at `i` besides its name and ordinals.
ItemFacts factsAt(std::size_t i, const MetadataList* metadata) {
    ItemFacts facts;
    if (metadata != nullptr && i < metadata->size()) {
        facts.metadata = (*metadata)[i].get();
    }
    return facts;
}

// The numbers each item of `files` counts under every way of counting; empty when no rule of
// `program` counts other than by position (the position is then the ordinal).
std::vector<NumberingOrdinals::Ordinals> ordinalsFor(const RuleProgram& program,
                                                     const std::vector<FileItem>& files) {
    if (!program.countsByFolderOrName()) {
        return {};
    }
    return NumberingOrdinals::allModes(files);
}

NumberingOrdinals::Ordinals ordinalAt(const std::vector<NumberingOrdinals::Ordinals>& ordinals,
                                      std::size_t i) {
    return ordinals.empty() ? NumberingOrdinals::Ordinals::at(static_cast<std::int64_t>(i))
                            : ordinals[i];
}

// Rules give each name independently of the others; below this many names per thread a
// second thread costs more than it saves.
constexpr std::size_t kNamesPerThread = 2048;

}  // namespace

std::string applyRules(const std::vector<RenameRule>& rules, const std::string& baseName,
                       std::int64_t index, const std::string& /*extension*/,
                       Clock::time_point now) {
    const RuleProgram program(rules, now);
    auto scratch = program.makeScratch();
    std::string out;
    program.applyRules(icu::UnicodeString::fromUTF8(baseName), index, scratch).toUTF8String(out);
    return out;
}

std::string finalName(const std::vector<RenameRule>& rules, const FileItem& item,
                      std::int64_t index, Clock::time_point now) {
    const RuleProgram program(rules, now);
    auto scratch = program.makeScratch();
    return program.finalName(item, index, scratch);
}

void appendConflictKey(std::string_view name, std::string& out) {
    const bool ascii =
        std::all_of(name.begin(), name.end(), [](char c) { return (c & 0x80) == 0; });
    if (ascii) {
        for (char c : name) {
            out.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c);
        }
        return;
    }
    icu::UnicodeString::fromUTF8(icu::StringPiece(name.data(), static_cast<int32_t>(name.size())))
        .toLower(icu::Locale::getRoot())
        .toUTF8String(out);
}

std::string conflictKey(const std::string& name) {
    std::string key;
    key.reserve(name.size());
    appendConflictKey(name, key);
    return key;
}

std::vector<PreviewEntry> preview(const std::vector<RenameRule>& rules,
                                  const std::vector<FileItem>& files, Clock::time_point now,
                                  unsigned threads, const RenamePlanner::Folders* folders,
                                  const MetadataList* metadata,
                                  const RenamePlanner::StopCheck& stop) {
    // Once the caller gave up, every slice and the planner hear it without asking again.
    std::atomic<bool> gaveUp{false};
    RenamePlanner::StopCheck check;
    if (stop) {
        check = [&] {
            if (gaveUp.load(std::memory_order_relaxed)) {
                return true;
            }
            if (stop()) {
                gaveUp.store(true, std::memory_order_relaxed);
                return true;
            }
            return false;
        };
    }
    // Often enough that a stale preview of 100,000 names ends within a millisecond or two.
    constexpr std::size_t askEvery = 256;
    const RuleProgram program(rules, now);
    // Counted over the whole list before it is cut into slices, and exactly as
    // requestsFor counts, so that the rename gives the numbers shown.
    const auto ordinals = ordinalsFor(program, files);
    std::vector<PreviewEntry> entries(files.size());
    std::vector<RenameRequest> requests(files.size());

    // The names are independent of each other, so they are computed in parallel slices;
    // which entry conflicts depends on the others, so that is decided afterwards in one plan.
    const auto computeSlice = [&](std::size_t begin, std::size_t end) {
        auto scratch = program.makeScratch();
        for (std::size_t i = begin; i < end; ++i) {
            if (check && (i - begin) % askEvery == 0 && check()) {
                return;
            }
            const FileItem& item = files[i];
            PreviewEntry& entry = entries[i];
            RenameRequest& request = requests[i];
            entry.original = item.originalName();
            entry.preview =
                program.finalName(item, ordinalAt(ordinals, i), scratch, factsAt(i, metadata));
            request.source = item.url.native();
            request.newName = entry.preview;
            request.inBatch = item.isSelected;
            request.problem = problemOf(item, entry.preview, scratch.problem);
            entry.problem = request.problem;
        }
    };
    Slices::run(files.size(), kNamesPerThread, computeSlice, threads);

    if (gaveUp.load()) {
        return {};
    }
    static const RenamePlanner::Folders kNothingKnown;
    const RenamePlan plan = RenamePlanner::plan(
        std::move(requests), folders ? *folders : kNothingKnown, true, false, check);
    if (gaveUp.load()) {
        return {};
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        const auto& planned = plan.entries[i];
        entries[i].warning = planned.warning;
        if (!planned.skip || entries[i].problem) {
            continue;
        }
        if (planned.skip->code == Error::Code::conflict) {
            entries[i].hasConflict = true;
        } else {
            entries[i].problem = planned.skip;
        }
    }
    return entries;
}

namespace {

bool stopped(const RenameOptions& options) {
    return options.stop != nullptr && options.stop->load(std::memory_order_relaxed);
}

FileSystem& diskOf(const RenameOptions& options) {
    return options.fileSystem != nullptr ? *options.fileSystem : FileSystem::real();
}

bool refusesExchange(const Error& error) {
    const int code = error.systemError;
    return code == EINVAL || code == ENOTSUP || code == EOPNOTSUPP || code == ENOSYS;
}

// The state of each entry while a plan runs.
class Execution {
  public:
    Execution(const RenamePlan& plan, const RenameOptions& options)
        : plan_(plan), options_(options), disk_(diskOf(options)), states_(plan.entries.size()) {
        for (std::size_t i = 0; i < plan.entries.size(); ++i) {
            const auto& entry = plan.entries[i];
            if (!entry.changes) {
                continue;
            }
            ++total_;
            if (entry.skip) {
                states_[i].status = RenameResult::Status::skipped;
                states_[i].done = true;
            }
        }
    }

    std::vector<RenameResult> run() {
        struct Finished {
            RenameObserver* observer;
            ~Finished() {
                if (observer != nullptr) {
                    observer->finished();
                }
            }
        } finished{options_.observer};
        for (const auto& step : plan_.steps) {
            if (stopped(options_)) {
                break;
            }
            const std::size_t before = done_;
            if (step.kind == RenameStep::Kind::cycle) {
                runCycle(step);
            } else {
                runOne(step);
            }
            if (options_.progress && done_ != before) {
                options_.progress(done_, total_);
            }
        }
        return results();
    }

  private:
    // Two bytes per entry: the few errors and temporary names are kept aside, by entry.
    struct State {
        RenameResult::Status status = RenameResult::Status::notAttempted;
        bool done = false;
    };

    void finish(std::size_t i, const std::optional<Error>& error) {
        State& state = states_[i];
        if (state.done) {
            return;
        }
        state.done = true;
        state.status = error ? RenameResult::Status::failed : RenameResult::Status::renamed;
        if (error) {
            errors_.insert_or_assign(i, *error);
        }
        ++done_;
    }

    // Tells the observer that `step` was tried.
    void ran(const RenameStep& step, const std::optional<Error>& error) {
        if (options_.observer != nullptr) {
            options_.observer->stepRan(step, !error);
        }
    }

    std::optional<Error> runOne(const RenameStep& step) {
        auto error = step.kind == RenameStep::Kind::exchange
                         ? disk_.exchange(step.from, step.to)
                         : disk_.moveNoReplace(step.from, step.to);
        ran(step, error);
        for (auto i : step.completes) {
            finish(i, error);
        }
        return error;
    }

    void runCycle(const RenameStep& cycle) {
        const auto& exchanges = cycle.exchanges;
        const RenameStep& first = exchanges.front();
        auto error = disk_.exchange(first.from, first.to);
        if (error && refusesExchange(*error)) {
            runThroughTemporary(cycle);
            return;
        }
        ran(first, error);
        if (!error) {
            for (auto i : first.completes) {
                finish(i, std::nullopt);
            }
        }
        for (std::size_t s = 1; s < exchanges.size() && !error; ++s) {
            error = runOne(exchanges[s]);
        }
        // What an exchange that failed half-way left undone is reported with its reason.
        for (auto i : cycle.completes) {
            finish(i, error);
        }
    }

    void runThroughTemporary(const RenameStep& cycle) {
        const auto& steps = cycle.throughTemporary;
        const RenameStep& away = steps.front();
        auto error =
            options_.observer != nullptr ? options_.observer->fallingBack(cycle) : std::nullopt;
        if (!error) {
            error = disk_.moveNoReplace(away.from, away.to);
            ran(away, error);
        }
        if (error) {
            for (auto i : cycle.completes) {
                finish(i, error);
            }
            return;
        }
        for (std::size_t s = 1; s + 1 < steps.size(); ++s) {
            runOne(steps[s]);
        }
        const RenameStep& back = steps.back();
        const std::size_t first = back.completes.front();
        temporaries_.insert_or_assign(first, back.from);
        error = disk_.moveNoReplace(back.from, back.to);
        ran(back, error);
        if (error && !disk_.moveNoReplace(back.from, away.from)) {
            // Back under its own name, as if it had never moved.
            temporaries_.erase(first);
        } else if (error) {
            error->detail += " The item is now named \xE2\x80\x9C" +
                             std::string(RenamePlanner::nameOf(back.from)) + "\xE2\x80\x9D.";
        }
        finish(first, error);
    }

    std::vector<RenameResult> results() {
        const bool cancelled = stopped(options_);
        // Where each entry ends: inside its folder's new location when that folder moved.
        std::vector<std::size_t> renamed;
        for (std::size_t i = 0; i < states_.size(); ++i) {
            if (states_[i].done && states_[i].status == RenameResult::Status::renamed) {
                renamed.push_back(i);
            }
        }
        PathRelocation relocation;
        const bool nested = plan_.foldersMove;
        if (nested) {
            const auto depth = [&](std::size_t i) {
                const auto& text = plan_.entries[i].source;
                return std::count(text.begin(), text.end(), '/');
            };
            std::stable_sort(renamed.begin(), renamed.end(),
                             [&](std::size_t a, std::size_t b) { return depth(a) < depth(b); });
            for (auto i : renamed) {
                const auto& entry = plan_.entries[i];
                relocation.add(
                    entry.source,
                    RenamePlanner::joined(relocation.locate(RenamePlanner::folderOf(entry.source)),
                                          entry.newName));
            }
        }
        std::vector<RenameResult> out;
        out.reserve(total_);
        for (std::size_t i = 0; i < states_.size(); ++i) {
            const auto& entry = plan_.entries[i];
            if (!entry.changes) {
                continue;
            }
            const State& state = states_[i];
            RenameResult result;
            result.originalURL = entry.source;
            result.newURL =
                nested && entry.target != entry.source
                    ? RenamePlanner::joined(
                          relocation.locate(RenamePlanner::folderOf(entry.target)), entry.newName)
                    : entry.target;
            result.status = state.status;
            if (!state.done) {
                result.status = RenameResult::Status::notAttempted;
                result.error = Error{Error::Code::cancelled,
                                     cancelled ? "The batch was cancelled before this item."
                                               : "This item was not reached.",
                                     0};
            } else if (state.status == RenameResult::Status::skipped) {
                result.error = entry.skip;
            } else if (auto error = errors_.find(i); error != errors_.end()) {
                result.error = std::move(error->second);
            }
            if (auto temporary = temporaries_.find(i); temporary != temporaries_.end()) {
                result.temporaryURL = ItemPath(std::move(temporary->second));
            }
            out.push_back(std::move(result));
        }
        return out;
    }

    const RenamePlan& plan_;
    const RenameOptions& options_;
    FileSystem& disk_;
    std::vector<State> states_;
    std::unordered_map<std::size_t, Error> errors_;
    std::unordered_map<std::size_t, std::string> temporaries_;
    std::size_t total_ = 0;
    std::size_t done_ = 0;
};

}  // namespace

std::vector<RenameRequest> requestsFor(const std::vector<FileItem>& files,
                                       const std::vector<RenameRule>& rules, Clock::time_point now,
                                       const MetadataList* metadata) {
    const RuleProgram program(rules, now);
    const auto ordinals = ordinalsFor(program, files);
    std::vector<RenameRequest> requests(files.size());
    Slices::run(files.size(), kNamesPerThread, [&](std::size_t begin, std::size_t end) {
        auto scratch = program.makeScratch();
        for (std::size_t i = begin; i < end; ++i) {
            const FileItem& item = files[i];
            RenameRequest& request = requests[i];
            request.source = item.url.native();
            request.inBatch = item.isSelected;
            if (!item.isSelected) {
                // Still counted (its ordinal is taken by it). The name stays.
                request.newName = RenamePlanner::nameOf(request.source);
                continue;
            }
            request.newName =
                program.finalName(item, ordinalAt(ordinals, i), scratch, factsAt(i, metadata));
            request.problem = problemOf(item, request.newName, scratch.problem);
        }
    });
    return requests;
}

RenamePlanner::Folders readFolders(const std::vector<RenameRequest>& requests, FileSystem& disk,
                                   const RenamePlanner::Folders* known) {
    RenamePlanner::Folders folders;
    std::unordered_set<std::string> asked;
    for (const auto& request : requests) {
        if (!request.inBatch || request.problem ||
            request.newName == RenamePlanner::nameOf(request.source)) {
            continue;
        }
        std::string folder(RenamePlanner::folderOf(request.source));
        if (!asked.insert(folder).second || (known != nullptr && known->contains(folder))) {
            continue;
        }
        if (auto facts = disk.folderFacts(folder)) {
            folders.emplace(std::move(folder), std::move(*facts));
        }
    }
    return folders;
}

std::vector<RenameResult> execute(const RenamePlan& plan, const RenameOptions& options) {
    return Execution(plan, options).run();
}

std::vector<RenameResult> renameRequests(std::vector<RenameRequest> requests,
                                         const RenameOptions& options) {
    auto read = readFolders(requests, diskOf(options), options.readFolders);
    const RenamePlanner::Folders* known = options.readFolders;
    if (known != nullptr && !read.empty()) {
        // Both kinds at once are rare (entries given one by one beside a walked folder).
        read.insert(known->begin(), known->end());
    }
    const RenamePlanner::Folders& folders = known != nullptr && read.empty() ? *known : read;
    const RenamePlan plan = RenamePlanner::plan(std::move(requests), folders, false);
    if (options.observer != nullptr) {
        if (auto error = options.observer->planned(plan, folders)) {
            // Without its journal the batch must not move anything.
            std::vector<RenameResult> refused;
            for (const auto& entry : plan.entries) {
                if (entry.changes) {
                    RenameResult result;
                    result.originalURL = entry.source;
                    result.newURL = entry.target;
                    result.status =
                        entry.skip ? RenameResult::Status::skipped : RenameResult::Status::failed;
                    result.error = entry.skip ? entry.skip : CompactOptional<Error>(error);
                    refused.push_back(std::move(result));
                }
            }
            return refused;
        }
    }
    return execute(plan, options);
}

std::vector<RenameResult> rename(const std::vector<FileItem>& files,
                                 const std::vector<RenameRule>& rules,
                                 const RenameOptions& options) {
    return renameRequests(requestsFor(files, rules, options.now, &options.metadata), options);
}

std::vector<RenameResult> performMoves(
    const std::vector<std::pair<std::filesystem::path, std::filesystem::path>>& moves,
    const RenameOptions& options) {
    std::vector<RenameRequest> requests;
    requests.reserve(moves.size());
    for (const auto& [from, to] : moves) {
        requests.push_back({from.native(), to.filename().native(), true, std::nullopt});
    }
    return renameRequests(std::move(requests), options);
}

std::string applyReplace(const RenameRule& rule, const std::string& name) {
    return applyOne(rule, name);
}
std::string applyRegex(const RenameRule& rule, const std::string& name) {
    return applyOne(rule, name);
}
std::string applyInsert(const RenameRule& rule, const std::string& name) {
    return applyOne(rule, name);
}
std::string applyRemove(const RenameRule& rule, const std::string& name) {
    return applyOne(rule, name);
}
std::string applyCase(const RenameRule& rule, const std::string& name) {
    return applyOne(rule, name);
}
std::string applyNumbering(const RenameRule& rule, const std::string& name, std::int64_t index) {
    return applyOne(rule, name, index);
}
std::string applyCleanup(const RenameRule& rule, const std::string& name) {
    return applyOne(rule, name);
}
std::string applyDate(const RenameRule& rule, const std::string& name, Clock::time_point now) {
    return applyOne(rule, name, 0, now);
}

}  // namespace RenameEngine
