// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Services/RenamePlanner.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <string_view>
#include <unordered_set>

#include "Models/Utf8.h"
#include "Services/NameCheck.h"
#include "Services/NameTable.h"
#include "Services/PathRelocation.h"
#include "Services/RenameEngine.h"

namespace RenamePlanner {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kNone = SIZE_MAX;

std::string quoted(std::string_view name) {
    return "\xE2\x80\x9C" + Utf8::toValid(name) + "\xE2\x80\x9D";
}

Error conflictWith(std::string_view name) {
    return {Error::Code::conflict,
            "Another item of the batch also gets the name " + quoted(name) + " in this folder."};
}

Error takenBy(std::string_view name) {
    return {Error::Code::nameTaken,
            "An item named " + quoted(name) + " already exists in this folder."};
}

// Whether `name` appended to a folder names an entry of that folder itself.
bool staysInFolder(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}

// Who holds a name of a folder while the plan is made: an entry that moves away, or an item
// that stays (kNone) under `name`.
struct Holder {
    std::size_t mover;
    std::string_view name;
};

class FolderPlanner {
  public:
    // `oldNames` and `next` are shared by every folder of one plan, one slot per entry.
    FolderPlanner(RenamePlan& out, const std::string& folder,
                  const std::vector<std::size_t>& members, const FolderFacts& facts, bool notes,
                  bool steps, const std::vector<std::string_view>& oldNames,
                  std::vector<std::size_t>& next)
        : out_(out),
          folder_(folder),
          members_(members),
          facts_(facts),
          notes_(notes),
          steps_(steps),
          oldNames_(oldNames),
          next_(next) {}

    void run() {
        if (facts_.windowsNames) {
            refuseForeignNames();
        }
        findConflicts();
        findTakenNames();
        if (notes_ && !facts_.caseInsensitive) {
            findCaseTwins();
        }
        if (steps_) {
            order();
        }
    }

  private:
    RenamePlan::Entry& entry(std::size_t i) { return out_.entries[i]; }
    bool moves(std::size_t i) const {
        return out_.entries[i].changes && !out_.entries[i].skip.has_value();
    }
    std::string inFolder(std::string_view name) const { return joined(folder_, name); }

    // A case-insensitive folder compares folded names; the views then point at stored keys.
    std::string_view key(std::string_view name) {
        if (!facts_.caseInsensitive) {
            return name;
        }
        return folded_.emplace_back(RenameEngine::conflictKey(std::string(name)));
    }

    // A name the folder's drive would refuse stays with its item, for that reason, before
    // anything moves.
    void refuseForeignNames() {
        for (auto i : members_) {
            if (moves(i)) {
                entry(i).skip = NameCheck::checkWindowsName(entry(i).newName);
            }
        }
    }

    // Among the entries that move, the first to claim a new name keeps it.
    void findConflicts() {
        claims_ = static_cast<std::size_t>(std::count_if(members_.begin(), members_.end(),
                                                         [&](std::size_t i) { return moves(i); }));
        targets_.reserve(claims_);
        for (auto i : members_) {
            if (!moves(i)) {
                continue;
            }
            if (!targets_.tryEmplace(key(entry(i).newName), i).second) {
                entry(i).skip = conflictWith(entry(i).newName);
            }
        }
        // Skipped entries hold no target.
        targets_.forEach([&](std::string_view, std::size_t& mover) {
            if (mover != kNone && !moves(mover)) {
                mover = kNone;
            }
        });
    }

    // The first holder of a name keeps it. Only a name some entry wants is held: who holds
    // any other name matters to no one, and most of a folder's names are such.
    void hold(std::string_view name, std::size_t mover) {
        const std::string_view held = key(name);
        if (targets_.contains(held)) {
            slots_.tryEmplace(held, Holder{mover, name});
        }
    }

    // A target held by an item that stays is taken; an entry skipped for it stays too, so
    // whoever wanted that entry's name is checked again.
    void findTakenNames() {
        slots_.reserve(claims_);
        for (auto i : members_) {
            if (moves(i)) {
                hold(oldNames_[i], i);
            }
        }
        for (auto i : members_) {
            if (!moves(i)) {
                hold(oldNames_[i], kNone);
            }
        }
        for (const auto& name : facts_.names) {
            hold(name, kNone);
        }
        std::deque<std::size_t> pending;
        for (auto i : members_) {
            if (moves(i)) {
                pending.push_back(i);
            }
        }
        while (!pending.empty()) {
            const std::size_t i = pending.front();
            pending.pop_front();
            if (!moves(i)) {
                continue;
            }
            const Holder* held = slots_.find(key(entry(i).newName));
            if (held == nullptr || held->mover != kNone) {
                continue;
            }
            entry(i).skip = takenBy(held->name);
            if (std::size_t* claim = targets_.find(key(entry(i).newName)); claim != nullptr) {
                *claim = kNone;
            }
            const std::string_view oldKey = key(oldNames_[i]);
            if (const std::size_t* wanting = targets_.find(oldKey); wanting != nullptr) {
                *slots_.tryEmplace(oldKey, {}).first = Holder{kNone, oldNames_[i]};
                if (*wanting != kNone) {
                    pending.push_back(*wanting);
                }
            }
        }
    }

    // Names that only letter case tells apart are allowed here, and worth a note.
    void findCaseTwins() {
        // Every mover's folded new name goes into one buffer, whole before any view of it is
        // taken, so that a folder of distinct names costs no allocation per name.
        std::string folded;
        std::vector<std::size_t> movers;
        std::vector<std::size_t> ends;
        for (auto i : members_) {
            if (moves(i)) {
                RenameEngine::appendConflictKey(entry(i).newName, folded);
                movers.push_back(i);
                ends.push_back(folded.size());
            }
        }
        if (movers.empty()) {
            return;
        }
        // The first mover of each folded name; groups are made only for names shared, which
        // are few.
        NameTable<std::size_t> firstOf;
        firstOf.reserve(movers.size());
        std::unordered_map<std::size_t, std::vector<std::size_t>> twins;
        for (std::size_t k = 0, begin = 0; k < movers.size(); begin = ends[k++]) {
            const std::string_view name(folded.data() + begin, ends[k] - begin);
            auto [first, fresh] = firstOf.tryEmplace(name, movers[k]);
            if (!fresh) {
                twins[*first].push_back(movers[k]);
            }
        }
        const auto note = [&](std::size_t i, std::string_view other) {
            if (!entry(i).warning && other != entry(i).newName) {
                entry(i).warning = Error{Error::Code::caseOnly,
                                         "Differs from " + quoted(other) + " only in letter case"};
            }
        };
        for (const auto& [first, others] : twins) {
            for (auto other : others) {
                note(other, entry(first).newName);
                note(first, entry(other).newName);
            }
        }
        // Every name that stays: those of the entries that do not move and the folder's
        // others, but not the old names of the entries that move away. Twins are rare, so
        // those old names are gathered only when one is found.
        NameTable<char> movingAway;
        bool gathered = false;
        std::string key;
        const auto noteTwinOf = [&](std::string_view staying) {
            key.clear();
            RenameEngine::appendConflictKey(staying, key);
            const std::size_t* found = firstOf.find(key);
            if (found == nullptr) {
                return;
            }
            if (!gathered) {
                gathered = true;
                for (auto i : members_) {
                    if (moves(i)) {
                        movingAway.tryEmplace(oldNames_[i], 0);
                    }
                }
            }
            if (movingAway.contains(staying)) {
                return;
            }
            note(*found, staying);
            if (auto group = twins.find(*found); group != twins.end()) {
                for (auto i : group->second) {
                    note(i, staying);
                }
            }
        };
        for (auto i : members_) {
            if (!moves(i)) {
                noteTwinOf(oldNames_[i]);
            }
        }
        for (const auto& name : facts_.names) {
            noteTwinOf(name);
        }
    }

    RenameStep moveStep(std::size_t i) const {
        RenameStep step;
        step.from = entry(i).source;
        step.to = entry(i).target;
        step.completes = {i};
        return step;
    }
    const RenamePlan::Entry& entry(std::size_t i) const { return out_.entries[i]; }

    // A name that no item of the folder has and no entry wants. Cycles are rare, so the
    // folder's names are gathered for the first one only.
    std::string temporaryName() {
        if (!namesGathered_) {
            namesGathered_ = true;
            for (auto i : members_) {
                allNames_.tryEmplace(key(oldNames_[i]), 0);
            }
            for (const auto& name : facts_.names) {
                allNames_.tryEmplace(key(name), 0);
            }
        }
        for (;;) {
            std::string name = ".quorvane-cycle-" + std::to_string(++temporaries_);
            if (!allNames_.contains(key(name)) && !targets_.contains(key(name))) {
                return name;
            }
        }
    }

    // Chains from their free end; what is left goes round in cycles. `next_` holds, for an
    // entry that wants another mover's name, that mover.
    void order() {
        std::vector<std::size_t> wanted;
        for (auto i : members_) {
            if (!moves(i)) {
                continue;
            }
            entry(i).target = inFolder(entry(i).newName);
            const Holder* held = slots_.find(key(entry(i).newName));
            if (held != nullptr && held->mover != kNone && held->mover != i) {
                next_[i] = held->mover;
                wanted.push_back(held->mover);
            }
        }
        std::unordered_set<std::size_t> wantedSet;
        if (!wanted.empty()) {
            wantedSet.insert(wanted.begin(), wanted.end());
        }
        std::unordered_set<std::size_t> placed;
        std::vector<std::size_t> chain;
        for (auto i : members_) {
            if (!moves(i) || wantedSet.contains(i)) {
                continue;
            }
            chain.assign(1, i);
            for (std::size_t j = next_[i]; j != kNone; j = next_[j]) {
                chain.push_back(j);
            }
            for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
                out_.steps.push_back(moveStep(*it));
                if (!wantedSet.empty()) {
                    placed.insert(*it);
                }
            }
        }
        if (wantedSet.empty()) {
            return;
        }
        for (auto i : members_) {
            if (!moves(i) || placed.contains(i)) {
                continue;
            }
            std::vector<std::size_t> cycle{i};
            for (std::size_t j = next_[i]; j != i; j = next_[j]) {
                cycle.push_back(j);
            }
            placed.insert(cycle.begin(), cycle.end());
            out_.steps.push_back(cycleStep(cycle));
        }
    }

    // Member m[j] wants the name of m[j+1], the last wants the first's.
    RenameStep cycleStep(const std::vector<std::size_t>& m) {
        RenameStep step;
        step.kind = RenameStep::Kind::cycle;
        const std::size_t k = m.size();
        const std::string first = entry(m[0]).source;
        std::vector<RenameStep> fixups;
        // After exchanging the first name with that of m[j], m[j-1] is at the name of m[j];
        // where that spelling is not the new one (a folder that ignores case), a move follows.
        const auto arrive = [&](RenameStep& exchange, std::size_t who, const std::string& at) {
            if (nameOf(at) == entry(who).newName) {
                exchange.completes.push_back(who);
            } else {
                RenameStep fix;
                fix.from = at;
                fix.to = entry(who).target;
                fix.completes = {who};
                fixups.push_back(std::move(fix));
            }
        };
        for (std::size_t j = 1; j < k; ++j) {
            RenameStep exchange;
            exchange.kind = RenameStep::Kind::exchange;
            exchange.from = first;
            exchange.to = entry(m[j]).source;
            arrive(exchange, m[j - 1], exchange.to);
            if (j + 1 == k) {
                arrive(exchange, m[k - 1], first);
            }
            step.exchanges.push_back(std::move(exchange));
        }
        step.exchanges.insert(step.exchanges.end(), fixups.begin(), fixups.end());

        const std::string temporary = inFolder(temporaryName());
        RenameStep away;
        away.from = first;
        away.to = temporary;
        away.temporary = true;
        step.throughTemporary.push_back(std::move(away));
        for (std::size_t j = k - 1; j >= 1; --j) {
            step.throughTemporary.push_back(moveStep(m[j]));
        }
        RenameStep back = moveStep(m[0]);
        back.from = temporary;
        back.temporary = true;
        step.throughTemporary.push_back(std::move(back));
        for (auto i : m) {
            step.completes.push_back(i);
        }
        return step;
    }

    RenamePlan& out_;
    const std::string& folder_;
    const std::vector<std::size_t>& members_;
    const FolderFacts& facts_;
    bool notes_;
    bool steps_;
    const std::vector<std::string_view>& oldNames_;
    std::vector<std::size_t>& next_;
    std::deque<std::string> folded_;
    // Who claims each new name (kNone once the claim is given up), and how many claims.
    NameTable<std::size_t> targets_;
    std::size_t claims_ = 0;
    // Who holds each claimed name.
    NameTable<Holder> slots_;
    // Every name of the folder, once a temporary name is needed.
    NameTable<char> allNames_;
    bool namesGathered_ = false;
    unsigned temporaries_ = 0;
};

std::size_t depth(const std::string& folder) {
    return static_cast<std::size_t>(std::count(folder.begin(), folder.end(), '/'));
}

}  // namespace

std::string_view folderOf(std::string_view location) {
    const auto slash = location.rfind('/');
    if (slash == std::string_view::npos) {
        return {};
    }
    // The root keeps its slash: the folder of "/a" is "/".
    return location.substr(0, slash == 0 ? 1 : slash);
}

std::string_view nameOf(std::string_view location) {
    const auto slash = location.rfind('/');
    return slash == std::string_view::npos ? location : location.substr(slash + 1);
}

std::string joined(std::string_view folder, std::string_view name) {
    std::string path;
    path.reserve(folder.size() + 1 + name.size());
    path += folder;
    if (!folder.empty() && folder.back() != '/') {
        path += '/';
    }
    path += name;
    return path;
}

RenamePlan plan(std::vector<RenameRequest> requests, const Folders& folders, bool notes, bool steps,
                const StopCheck& stop) {
    constexpr std::size_t askEvery = 4096;
    RenamePlan out;
    const std::size_t count = requests.size();
    out.entries.resize(count);
    std::vector<std::string_view> oldNames(count);
    std::vector<std::size_t> next(count, kNone);
    std::vector<std::string> folderPaths;
    std::vector<std::vector<std::size_t>> members;
    std::unordered_map<std::string_view, std::size_t> folderIndex;
    for (std::size_t i = 0; i < count; ++i) {
        if (stop && i % askEvery == 0 && stop()) {
            return out;
        }
        RenameRequest& request = requests[i];
        RenamePlan::Entry& entry = out.entries[i];
        entry.source = std::move(request.source);
        entry.newName = std::move(request.newName);
        oldNames[i] = nameOf(entry.source);
        // Rules that could not run leave the name as it was; such an entry still takes part,
        // skipped with that reason, so that the batch reports it instead of passing over it.
        const bool rulesFailed =
            request.problem && (request.problem->code == Error::Code::badPattern ||
                                request.problem->code == Error::Code::timedOut ||
                                request.problem->code == Error::Code::missingValue);
        entry.changes = request.inBatch && (entry.newName != oldNames[i] || rulesFailed);
        if (entry.changes && request.problem) {
            entry.skip = std::move(request.problem);
        }
        if (steps && (!entry.changes || entry.skip)) {
            entry.target = entry.source;
        }
        const std::string_view folder = folderOf(entry.source);
        auto found = folderIndex.find(folder);
        if (found == folderIndex.end()) {
            folderPaths.emplace_back(folder);
            members.emplace_back();
            // The key views the entry's own bytes, which stay where they are.
            found = folderIndex.emplace(folder, folderPaths.size() - 1).first;
        }
        members[found->second].push_back(i);
    }
    // What was not moved out of them is not needed any more.
    std::vector<RenameRequest>().swap(requests);

    // Deepest folders first: every entry inside a folder moves while the folder keeps its name.
    std::vector<std::size_t> byDepth(folderPaths.size());
    std::vector<std::size_t> depths(folderPaths.size());
    for (std::size_t f = 0; f < folderPaths.size(); ++f) {
        byDepth[f] = f;
        depths[f] = depth(folderPaths[f]);
    }
    std::stable_sort(byDepth.begin(), byDepth.end(),
                     [&](std::size_t a, std::size_t b) { return depths[a] > depths[b]; });
    static const FolderFacts kUnknown;
    for (auto f : byDepth) {
        if (stop && stop()) {
            return out;
        }
        auto facts = folders.find(folderPaths[f]);
        FolderPlanner(out, folderPaths[f], members[f],
                      facts != folders.end() ? facts->second : kUnknown, notes, steps, oldNames,
                      next)
            .run();
    }

    for (auto& entry : out.entries) {
        // A result never names a location outside the item's folder.
        if (steps && entry.changes && entry.skip && entry.skip->code != Error::Code::nameNotUtf8 &&
            staysInFolder(entry.newName)) {
            entry.target = joined(folderOf(entry.source), entry.newName);
        }
    }

    // An entry inside a folder that moves ends inside the folder's new location.
    for (const auto& entry : out.entries) {
        if (entry.changes && !entry.skip && folderIndex.contains(entry.source)) {
            out.foldersMove = true;
            break;
        }
    }
    if (out.foldersMove && steps) {
        PathRelocation relocation;
        std::vector<std::size_t> movers;
        for (std::size_t i = 0; i < count; ++i) {
            if (out.entries[i].changes && !out.entries[i].skip) {
                movers.push_back(i);
            }
        }
        std::stable_sort(movers.begin(), movers.end(), [&](std::size_t a, std::size_t b) {
            return depth(out.entries[a].source) < depth(out.entries[b].source);
        });
        for (auto i : movers) {
            auto& entry = out.entries[i];
            entry.target = joined(relocation.locate(folderOf(entry.source)), entry.newName);
            relocation.add(entry.source, entry.target);
        }
        for (auto& entry : out.entries) {
            if (!entry.changes || entry.skip) {
                relocation.relocate(entry.target);
            }
        }
    }
    return out;
}

}  // namespace RenamePlanner
