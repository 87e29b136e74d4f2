#include "Services/RenameEngine.h"

#include <unicode/locid.h>

#include <algorithm>
#include <string_view>
#include <thread>
#include <unordered_set>

#include "Services/FileSystem.h"
#include "Services/NameCheck.h"
#include "Services/RuleProgram.h"

namespace RenameEngine {

namespace {

// One rule run as the pipeline runs it, enabled or not.
std::string applyOne(RenameRule rule, const std::string& name, std::int64_t index = 0,
                     Clock::time_point now = Clock::now()) {
    rule.isEnabled = true;
    return applyRules({rule}, name, index, "", now);
}

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

std::string conflictKey(const std::string& name) {
    bool ascii = true;
    for (unsigned char c : name) {
        if (c >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii) {
        std::string key = name;
        for (char& c : key) {
            if (c >= 'A' && c <= 'Z') {
                c = static_cast<char>(c + 32);
            }
        }
        return key;
    }
    std::string key;
    icu::UnicodeString::fromUTF8(name).toLower(icu::Locale::getRoot()).toUTF8String(key);
    return key;
}

std::vector<PreviewEntry> preview(const std::vector<RenameRule>& rules,
                                  const std::vector<FileItem>& files, Clock::time_point now,
                                  unsigned threads) {
    const RuleProgram program(rules, now);
    std::vector<PreviewEntry> entries(files.size());
    std::vector<std::string> keys(files.size());

    // The names are independent of each other, so they are computed in parallel slices;
    // which entry conflicts depends on the order, so that is decided afterwards in one pass.
    const auto computeSlice = [&](std::size_t begin, std::size_t end) {
        auto scratch = program.makeScratch();
        for (std::size_t i = begin; i < end; ++i) {
            const FileItem& item = files[i];
            PreviewEntry& entry = entries[i];
            entry.original = item.originalName();
            entry.preview = program.finalName(item, static_cast<std::int64_t>(i), scratch);
            keys[i] = conflictKey(entry.preview);
            if (item.isMissing) {
                entry.problem = NameCheck::itemMissing().detail;
            } else if (!item.hasValidName()) {
                entry.problem = NameCheck::nameNotUtf8().detail;
            } else if (scratch.problem) {
                entry.problem = scratch.problem->detail;
            } else if (auto invalid = NameCheck::checkNewName(entry.preview)) {
                entry.problem = invalid->detail;
            }
        }
    };
    if (threads == 0) {
        // Below a few thousand names a second thread costs more than it saves.
        constexpr std::size_t namesPerThread = 2048;
        const auto wanted = std::max<std::size_t>(1, files.size() / namesPerThread);
        threads = static_cast<unsigned>(
            std::min<std::size_t>(wanted, std::max(1u, std::thread::hardware_concurrency())));
    }
    if (threads <= 1) {
        computeSlice(0, files.size());
    } else {
        std::vector<std::thread> workers;
        const std::size_t slice = (files.size() + threads - 1) / threads;
        for (std::size_t begin = slice; begin < files.size(); begin += slice) {
            workers.emplace_back(computeSlice, begin, std::min(files.size(), begin + slice));
        }
        computeSlice(0, std::min(files.size(), slice));
        for (auto& worker : workers) {
            worker.join();
        }
    }

    std::unordered_set<std::string_view> seen;
    seen.reserve(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        entries[i].hasConflict = !seen.insert(keys[i]).second;
    }
    return entries;
}

namespace {

bool stopped(const RenameOptions& options) {
    return options.stop != nullptr && options.stop->load(std::memory_order_relaxed);
}

// Whether `name` appended to a folder names an entry of that folder itself.
bool staysInFolder(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\0", 2)) == std::string::npos;
}

RenameResult move(FileSystem& disk, const std::filesystem::path& from,
                  const std::filesystem::path& to) {
    RenameResult result{from, to, true, std::nullopt};
    if (auto error = disk.moveNoReplace(from, to)) {
        result.success = false;
        result.error = std::move(error);
    }
    return result;
}

}  // namespace

std::vector<RenameResult> rename(const std::vector<FileItem>& files,
                                 const std::vector<RenameRule>& rules,
                                 const RenameOptions& options) {
    FileSystem& disk = options.fileSystem != nullptr ? *options.fileSystem : FileSystem::real();

    // Every new name is known before the first move (names never depend on the disk), so
    // that progress can count against the moves that will really be attempted.
    struct Attempt {
        const FileItem* item;
        std::filesystem::path newURL;
        std::optional<Error> refused;
    };
    std::vector<Attempt> attempts;
    {
        const RuleProgram program(rules, options.now);
        auto scratch = program.makeScratch();
        std::unordered_set<std::string> seen;
        for (std::size_t i = 0; i < files.size(); ++i) {
            const FileItem& item = files[i];
            if (!item.isSelected) {
                continue;  // still counted: `i` is the numbering position
            }
            const std::string newName =
                program.finalName(item, static_cast<std::int64_t>(i), scratch);
            if (scratch.problem && item.hasValidName()) {
                // The rules could not run on this name: refused, never silently left.
                attempts.push_back({&item, item.url, std::move(scratch.problem)});
                continue;
            }
            if (!seen.insert(conflictKey(newName)).second || newName == item.originalName()) {
                continue;
            }
            Attempt attempt{&item, item.parentURL() / newName, std::nullopt};
            if (!item.hasValidName()) {
                // The name seen by the rules is a lossy decoding; moving by it would invent
                // a name the user never had.
                attempt.newURL = item.url;
                attempt.refused = NameCheck::nameNotUtf8();
            } else {
                attempt.refused = NameCheck::checkNewName(newName);
                if (attempt.refused && !staysInFolder(newName)) {
                    // A result never names a location outside the item's folder.
                    attempt.newURL = item.url;
                }
            }
            attempts.push_back(std::move(attempt));
        }
    }

    std::vector<RenameResult> results;
    results.reserve(attempts.size());
    for (std::size_t k = 0; k < attempts.size(); ++k) {
        if (stopped(options)) {
            break;
        }
        Attempt& attempt = attempts[k];
        if (attempt.refused) {
            results.push_back(
                {attempt.item->url, attempt.newURL, false, std::move(attempt.refused)});
        } else {
            results.push_back(move(disk, attempt.item->url, attempt.newURL));
        }
        if (options.progress) {
            options.progress(k + 1, attempts.size());
        }
    }
    return results;
}

std::vector<RenameResult> performMoves(
    const std::vector<std::pair<std::filesystem::path, std::filesystem::path>>& moves,
    const RenameOptions& options) {
    FileSystem& disk = options.fileSystem != nullptr ? *options.fileSystem : FileSystem::real();
    std::vector<RenameResult> results;
    results.reserve(moves.size());
    for (std::size_t i = 0; i < moves.size(); ++i) {
        if (stopped(options)) {
            break;
        }
        results.push_back(move(disk, moves[i].first, moves[i].second));
        if (options.progress) {
            options.progress(i + 1, moves.size());
        }
    }
    return results;
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
