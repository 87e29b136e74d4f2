// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CommandLine.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "Models/ItemPath.h"
#include "Models/Utf8.h"
#include "Services/CsvReader.h"
#include "Services/EditList.h"
#include "Services/FileSystem.h"
#include "Services/Graphemes.h"
#include "Services/JsonDocument.h"
#include "Services/NaturalLanguageParser.h"
#include "Services/PreparedRule.h"
#include "Services/PresetManager.h"
#include "Services/RenameHistory.h"
#include "Services/RenamePlanner.h"
#include "ViewModels/AppViewModel.h"
#include "ViewModels/ImmediateScheduler.h"

using json = nlohmann::json;

namespace {

constexpr const char* kSubcommands[] = {"preview", "rename", "parse", "presets", "edit",
                                        "history", "undo",   "redo",  "recover"};

// A problem that ends the run with status 2 before anything is renamed.
struct UsageError {
    std::string message;
};

// A rule list is small; a bigger source is a mistake, not rules.
constexpr std::size_t kMaxRulesBytes = 16 * 1024 * 1024;

std::string tooLarge(const std::string& source) {
    return source + " is larger than " + std::to_string(kMaxRulesBytes / (1024 * 1024)) +
           " MiB, too large for a rules file";
}

// Standard input, read no further than the limit.
std::string readStandardInput() {
    std::string bytes;
    char buffer[64 * 1024];
    while (std::cin) {
        std::cin.read(buffer, sizeof buffer);
        bytes.append(buffer, static_cast<std::size_t>(std::cin.gcount()));
        if (bytes.size() > kMaxRulesBytes) {
            throw UsageError{tooLarge("the standard input")};
        }
    }
    if (std::cin.bad()) {
        throw UsageError{"cannot read the rules from standard input"};
    }
    return bytes;
}

// The bytes of a regular file, read no further than `limit`; `what` names the file in
// messages ("the rules file"). Folders, devices and FIFOs are refused before anything is read
// from them (O_NONBLOCK: opening a FIFO must not wait).
std::string readBoundedFile(const std::string& file, std::size_t limit, const std::string& what,
                            const std::string& otherwise) {
    const auto refuse = [&](const std::string& why) {
        return UsageError{"cannot read " + what + " " + file + ": " + why};
    };
    const auto tooBig = [&] {
        return UsageError{what + " " + file + " is larger than " +
                          std::to_string(limit / (1024 * 1024)) + " MiB"};
    };
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        throw refuse(std::strerror(errno));
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        throw refuse(std::strerror(errno));
    }
    if (S_ISDIR(st.st_mode)) {
        throw refuse("it is a folder");
    }
    if (!S_ISREG(st.st_mode)) {
        throw refuse("it is not a regular file" + otherwise);
    }
    if (static_cast<std::uintmax_t>(st.st_size) > limit) {
        throw tooBig();
    }
    std::string bytes;
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            throw refuse(std::strerror(errno));
        }
        if (n == 0) {
            return bytes;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
        // The file may grow while it is read.
        if (bytes.size() > limit) {
            throw tooBig();
        }
    }
}

std::string readRulesFile(const std::string& file) {
    return readBoundedFile(file, kMaxRulesBytes, "the rules file",
                           " (use --rules - for standard input)");
}

// Refuses rules that cannot run (a pattern or replacement that ICU refuses) before anything
// is renamed; `source` names where they came from.
void checkRules(const std::vector<RenameRule>& rules, const std::string& source) {
    for (std::size_t i = 0; i < rules.size(); ++i) {
        if (auto invalid = PreparedRule::check(rules[i])) {
            throw UsageError{source + ", rule " + std::to_string(i + 1) + ": " + invalid->detail};
        }
    }
}

// The rules of one --rules source: a JSON array of complete rule objects.
std::vector<RenameRule> rulesFromFile(const std::string& file) {
    const std::string bytes = file == "-" ? readStandardInput() : readRulesFile(file);
    auto document = JsonDocument::parse(bytes, kMaxRulesBytes);
    if (!document) {
        throw UsageError{"the rules file " + file + " is unreadable: " + document.error().detail};
    }
    if (!document->is_array()) {
        throw UsageError{"the rules file " + file + " must hold a JSON array of rules"};
    }
    std::vector<RenameRule> rules;
    for (std::size_t i = 0; i < document->size(); ++i) {
        auto rule = RenameRule::fromJson((*document)[i]);
        if (!rule) {
            throw UsageError{"the rules file " + file + ", rule " + std::to_string(i + 1) + ": " +
                             rule.error().detail};
        }
        rules.push_back(std::move(*rule));
    }
    checkRules(rules, "the rules file " + file);
    return rules;
}

std::vector<RenameRule> rulesFromPreset(const PresetManager& store, const std::string& name) {
    for (const auto& preset : store.presets()) {
        if (preset.name == name) {
            checkRules(preset.rules, "the preset \"" + name + "\"");
            return preset.rules;
        }
    }
    throw UsageError{"no preset is named \"" + name + "\""};
}

std::vector<RenameRule> rulesFromPhrase(const std::string& phrase) {
    std::vector<RenameRule> rules;
    for (const auto& suggestion : NaturalLanguageParser::parse(phrase)) {
        rules.push_back(suggestion.rule);
    }
    if (rules.empty()) {
        throw UsageError{"the phrase \"" + phrase + "\" gives no rule"};
    }
    checkRules(rules, "the phrase \"" + phrase + "\"");
    return rules;
}

// The length of `text` in user-perceived characters, near enough to a terminal's columns.
std::size_t characters(const std::string& text) {
    return Graphemes::boundaries(icu::UnicodeString::fromUTF8(text)).size() - 1;
}

// Pads `text` with spaces to `width` user-perceived characters.
std::string padded(const std::string& text, std::size_t width) {
    const std::size_t length = characters(text);
    return length >= width ? text : text + std::string(width - length, ' ');
}

std::size_t widest(const std::vector<std::string>& texts) {
    std::size_t width = 0;
    for (const auto& text : texts) {
        width = std::max(width, characters(text));
    }
    return width;
}

// Paths as listed, made valid UTF-8 for output (a JSON document cannot carry raw bytes).
std::string shown(const ItemPath& path) {
    return Utf8::toValid(path.native());
}

struct Options {
    std::string format = "table";
    bool recursive = false;
    std::string filter;
    bool onlyFiles = false;
    bool onlyFolders = false;
    std::string sort = "name";
    bool reverse = false;
    std::vector<std::string> paths;
    std::vector<std::string> rulesFiles;
    std::vector<std::string> presetNames;
    std::vector<std::string> phrases;
    std::string phrase;   // of `parse`
    std::string fromCsv;  // of `rename`
    bool yes = false;     // of `edit`
};

void addRuleOptions(CLI::App* command, Options& options) {
    // One value per occurrence, each option repeatable: otherwise a vector option would take
    // the paths that follow it as further values.
    const auto once = [](CLI::Option* option, const char* type) {
        option->type_name(type)->expected(1)->allow_extra_args(false)->multi_option_policy(
            CLI::MultiOptionPolicy::TakeAll);
    };
    once(command->add_option("--rules", options.rulesFiles,
                             "a JSON array of rule objects as in the presets file; - reads stdin"),
         "FILE");
    once(command->add_option("--preset", options.presetNames, "the rules of the preset named NAME"),
         "NAME");
    once(command->add_option("--phrase", options.phrases, "the rules suggested for TEXT"), "TEXT");
}

void addListOptions(CLI::App* command, Options& options, bool pathsRequired = true) {
    command->add_flag("--recursive", options.recursive, "walk folders (Include Subfolders)");
    command->add_option("--filter", options.filter, "the file list's name filter")
        ->type_name("TEXT");
    auto* files = command->add_flag("--only-files", options.onlyFiles, "list only files");
    command->add_flag("--only-folders", options.onlyFolders, "list only folders")->excludes(files);
    command->add_option("--sort", options.sort, "the file list's sort order")
        ->check(CLI::IsMember({"name", "date", "size", "type", "taken"}));
    command->add_flag("--reverse", options.reverse,
                      "turn the sort order round (Z to A, oldest first, smallest first)");
    command->add_option("paths", options.paths, "files and folders to list")
        ->type_name("PATH")
        ->required(pathsRequired);
}

// The rules of every --rules, --preset and --phrase, joined in the order they were given.
std::vector<RenameRule> collectRules(const CLI::App& command, const Options& options) {
    std::map<std::string, std::size_t> taken;
    std::vector<RenameRule> rules;
    std::optional<PresetManager> store;
    for (const CLI::Option* option : command.parse_order()) {
        const std::string name = option->get_name();
        const std::size_t index = taken[name]++;
        std::vector<RenameRule> more;
        if (name == "--rules") {
            more = rulesFromFile(options.rulesFiles.at(index));
        } else if (name == "--preset") {
            if (!store) {
                store.emplace();
            }
            more = rulesFromPreset(*store, options.presetNames.at(index));
        } else if (name == "--phrase") {
            more = rulesFromPhrase(options.phrases.at(index));
        } else {
            continue;
        }
        rules.insert(rules.end(), more.begin(), more.end());
    }
    return rules;
}

void prepare(AppViewModel& model, const CLI::App& command, const Options& options) {
    // The rules go in first, as one unnamed preset, and the files last, so that the preview
    // is computed over the whole list once.
    model.loadPreset(Preset("", collectRules(command, options)));
    model.setIncludeSubfolders(options.recursive);
    model.setFilterText(options.filter);
    model.setShowOnlyFiles(options.onlyFiles);
    model.setShowOnlyFolders(options.onlyFolders);
    const std::map<std::string, AppViewModel::SortOrder> orders{
        {"name", AppViewModel::SortOrder::name},
        {"date", AppViewModel::SortOrder::date},
        {"size", AppViewModel::SortOrder::size},
        {"type", AppViewModel::SortOrder::type},
        {"taken", AppViewModel::SortOrder::dateTaken}};
    model.setSortOrder(orders.at(options.sort));
    model.setSortReversed(options.reverse);
    std::vector<std::filesystem::path> paths(options.paths.begin(), options.paths.end());
    model.addFiles(paths);
}

// Writes a JSON array element by element, laid out as nlohmann's dump(2) lays out a whole
// array, so that no document for the whole list is built; output goes out in blocks.
class JsonArrayWriter {
  public:
    explicit JsonArrayWriter(std::ostream& out) : out_(out) {}
    ~JsonArrayWriter() { finish(); }
    JsonArrayWriter(const JsonArrayWriter&) = delete;
    JsonArrayWriter& operator=(const JsonArrayWriter&) = delete;

    // Starts the next object; its members follow, with their keys in sorted order (as a
    // json object prints them).
    void beginObject() {
        buffer_ += first_ ? "[\n  {" : ",\n  {";
        first_ = false;
        firstMember_ = true;
    }
    void member(std::string_view key, const std::string& text) {
        memberKey(key);
        // Most names are printable ASCII without quotes or backslashes, which JSON takes as
        // they are; anything else is escaped by the library.
        const bool plain = std::all_of(text.begin(), text.end(), [](char c) {
            return c >= 0x20 && c < 0x7F && c != '"' && c != '\\';
        });
        if (plain) {
            buffer_.append(1, '"').append(text).append(1, '"');
        } else {
            buffer_ += json(text).dump(-1, ' ', false, json::error_handler_t::replace);
        }
    }
    void member(std::string_view key, bool value) {
        memberKey(key);
        buffer_ += value ? "true" : "false";
    }
    // The command line speaks English: an error's sentence is its detail.
    void member(std::string_view key, const std::optional<Error>& error) {
        if (error) {
            member(key, error->detail);
        } else {
            memberKey(key);
            buffer_ += "null";
        }
    }
    void endObject() {
        buffer_ += firstMember_ ? "}" : "\n  }";
        if (buffer_.size() >= 64 * 1024) {
            out_ << buffer_;
            buffer_.clear();
        }
    }
    // Closes the array; called by the destructor when not called before.
    void finish() {
        if (finished_) {
            return;
        }
        finished_ = true;
        buffer_ += first_ ? "[]\n" : "\n]\n";
        out_ << buffer_;
        buffer_.clear();
    }

  private:
    void memberKey(std::string_view key) {
        buffer_ += firstMember_ ? "\n    \"" : ",\n    \"";
        firstMember_ = false;
        buffer_ += key;
        buffer_ += "\": ";
    }

    std::ostream& out_;
    std::string buffer_;
    bool first_ = true;
    bool firstMember_ = true;
    bool finished_ = false;
};

int printPreview(const AppViewModel& model, const std::string& format) {
    const auto& previews = model.previews();
    if (format == "csv") {
        model.exportCSV(std::cout);
        return 0;
    }
    const auto& files = model.files();
    const auto& order = model.shownOrder();
    if (format == "json") {
        JsonArrayWriter out(std::cout);
        for (std::size_t i = 0; i < previews.size(); ++i) {
            out.beginObject();
            out.member("hasConflict", previews[i].hasConflict);
            out.member("original", previews[i].original);
            out.member("path", shown(files[order[i]].url));
            out.member("preview", previews[i].preview);
            out.member("problem", previews[i].problem);
            out.member("warning", previews[i].warning);
            out.endObject();
        }
        out.finish();
        return 0;
    }
    // Names are printed as a terminal shows them without acting on their controls.
    std::vector<std::string> originals;
    originals.reserve(order.size());
    for (auto index : order) {
        originals.push_back(Utf8::escapeControls(files[index].url.filename().native()));
    }
    const std::size_t width = widest(originals);
    for (std::size_t i = 0; i < previews.size(); ++i) {
        const auto& entry = previews[i];
        std::cout << padded(originals[i], width) << "  \xE2\x86\x92  "
                  << Utf8::escapeControls(entry.preview);
        if (entry.hasConflict) {
            std::cout << "  [conflict]";
        }
        if (entry.problem) {
            std::cout << "  [" << Utf8::escapeControls(entry.problem->detail) << "]";
        }
        if (entry.warning) {
            std::cout << "  [" << Utf8::escapeControls(entry.warning->detail) << "]";
        }
        std::cout << '\n';
    }
    std::cout << previews.size() << (previews.size() == 1 ? " item, " : " items, ")
              << model.conflictCount() << (model.conflictCount() == 1 ? " conflict" : " conflicts")
              << '\n';
    return 0;
}

const char* statusWord(RenameResult::Status status) {
    switch (status) {
        case RenameResult::Status::renamed:
            return "renamed";
        case RenameResult::Status::failed:
            return "failed";
        case RenameResult::Status::skipped:
            return "skipped";
        case RenameResult::Status::notAttempted:
            break;
    }
    return "not attempted";
}

int printResults(const std::vector<RenameResult>& results, const std::string& format) {
    std::map<RenameResult::Status, std::size_t> counts;
    for (const auto& result : results) {
        ++counts[result.status];
    }
    if (format == "json") {
        JsonArrayWriter out(std::cout);
        for (const auto& result : results) {
            out.beginObject();
            out.member("error", result.error);
            out.member("newPath", shown(result.newURL));
            out.member("originalPath", shown(result.originalURL));
            out.member("status", std::string(statusWord(result.status)));
            out.member("success", result.renamed());
            out.endObject();
        }
        out.finish();
    } else {
        for (const auto& result : results) {
            static const std::map<RenameResult::Status, const char*> labels{
                {RenameResult::Status::renamed, "renamed        "},
                {RenameResult::Status::failed, "FAILED         "},
                {RenameResult::Status::skipped, "SKIPPED        "},
                {RenameResult::Status::notAttempted, "NOT ATTEMPTED  "}};
            std::cout << labels.at(result.status)
                      << Utf8::escapeControls(result.originalURL.native()) << "  \xE2\x86\x92  "
                      << Utf8::escapeControls(result.newURL.filename().native());
            if (result.error) {
                std::cout << "  (" << Utf8::escapeControls(result.error->detail) << ")";
            }
            std::cout << '\n';
        }
        if (counts[RenameResult::Status::notAttempted] != 0) {
            std::cout << "Cancelled. ";
        }
        std::cout << "Renamed: " << counts[RenameResult::Status::renamed]
                  << "  Failed: " << counts[RenameResult::Status::failed]
                  << "  Skipped: " << counts[RenameResult::Status::skipped]
                  << "  Not attempted: " << counts[RenameResult::Status::notAttempted] << '\n';
    }
    return counts[RenameResult::Status::renamed] == results.size() ? 0 : 1;
}

int printRename(const AppViewModel& model, const std::string& format) {
    return printResults(model.lastRenameResults(), format);
}

// Test-only, never offered to users: QUORVANE_TEST_KILL_AT makes the program kill itself
// with SIGKILL at one moment of a rename batch, so that the tests of recovery stop it exactly
// there: "N" before the move that follows N moves ("0": the journal is on disk and nothing
// has moved yet), "temporary" right after an item was moved to a cycle's temporary name.
// It also makes every exchange refuse (EINVAL), so that cycles go through temporary names,
// which no local file system would make them do.
class KillingFileSystem final : public FileSystem {
  public:
    explicit KillingFileSystem(std::string at) : at_(std::move(at)) {}

    std::optional<Error> moveNoReplace(const std::filesystem::path& from,
                                       const std::filesystem::path& to) override {
        if (at_ != "temporary" && std::to_string(moves_) == at_) {
            ::raise(SIGKILL);
        }
        auto error = FileSystem::real().moveNoReplace(from, to);
        ++moves_;
        if (!error && at_ == "temporary" &&
            to.filename().native().rfind(".quorvane-cycle-", 0) == 0) {
            ::raise(SIGKILL);
        }
        return error;
    }
    std::optional<Error> exchange(const std::filesystem::path&,
                                  const std::filesystem::path&) override {
        return Error{Error::Code::fileSystem, "Exchanges are refused for this test.", EINVAL};
    }
    std::optional<FolderFacts> folderFacts(const std::filesystem::path& folder) override {
        return FileSystem::real().folderFacts(folder);
    }

  private:
    std::string at_;
    std::size_t moves_ = 0;
};

// The disk, or the test's layer when QUORVANE_TEST_KILL_AT is set.
FileSystem* testFileSystem() {
    static std::unique_ptr<KillingFileSystem> layer = []() -> std::unique_ptr<KillingFileSystem> {
        const char* at = std::getenv("QUORVANE_TEST_KILL_AT");
        if (at == nullptr || at[0] == '\0') {
            return nullptr;
        }
        return std::make_unique<KillingFileSystem>(at);
    }();
    return layer.get();
}

FileSystem& disk() {
    FileSystem* layer = testFileSystem();
    return layer != nullptr ? *layer : FileSystem::real();
}

std::string foldersText(const std::vector<std::string>& folders) {
    std::string out;
    for (const auto& folder : folders) {
        out += out.empty() ? "" : ", ";
        out += Utf8::escapeControls(folder);
    }
    return out;
}

int printHistory(const std::string& format) {
    const auto listing = RenameHistory::list(RenameHistory::folder());
    if (format == "json") {
        json out = json::array();
        for (const auto& batch : listing.batches) {
            json folders = json::array();
            for (const auto& folder : batch.folders) {
                folders.push_back(Utf8::toValid(folder));
            }
            out.push_back({{"id", batch.id},
                           {"time", RenameHistory::isoTime(batch.time)},
                           {"count", batch.count},
                           {"state", RenameHistory::stateWord(batch.state)},
                           {"folders", std::move(folders)}});
        }
        std::cout << out.dump(2, ' ', false, json::error_handler_t::replace) << '\n';
        for (const auto& file : listing.unreadable) {
            std::cerr << "quorvane: a journal that cannot be read is kept aside: "
                      << Utf8::escapeControls(Utf8::toValid(file)) << '\n';
        }
        return 0;
    }
    if (listing.batches.empty()) {
        std::cout << "No batches in the history.\n";
    } else {
        std::vector<std::string> ids;
        for (const auto& batch : listing.batches) {
            ids.push_back(batch.id);
        }
        const std::size_t idWidth = std::max<std::size_t>(2, widest(ids));
        std::cout << padded("ID", idWidth) << "  " << padded("Time", 20) << "  "
                  << padded("State", 11) << "  " << padded("Count", 7) << "  Folders\n";
        for (const auto& batch : listing.batches) {
            std::cout << padded(batch.id, idWidth) << "  "
                      << padded(RenameHistory::isoTime(batch.time), 20) << "  "
                      << padded(RenameHistory::stateWord(batch.state), 11) << "  "
                      << padded(std::to_string(batch.count), 7) << "  "
                      << foldersText(batch.folders) << '\n';
        }
    }
    for (const auto& file : listing.unreadable) {
        std::cout << "Kept aside, cannot be read: " << Utf8::escapeControls(Utf8::toValid(file))
                  << '\n';
    }
    return 0;
}

int runUndoRedo(bool undo, const std::string& id, const std::string& format) {
    const auto where = RenameHistory::folder();
    const auto listing = RenameHistory::list(where);
    std::string problem;
    const auto batch = undo ? RenameHistory::toUndo(listing, id, problem)
                            : RenameHistory::toRedo(listing, id, problem);
    if (!batch) {
        throw UsageError{problem};
    }
    const auto outcome = undo ? RenameHistory::undo(where, *batch, disk())
                              : RenameHistory::redo(where, *batch, disk());
    if (outcome.error) {
        std::cerr << "quorvane: " << Utf8::escapeControls(outcome.error->detail) << '\n';
        return 1;
    }
    return printResults(outcome.results, format);
}

int runRecover(const std::string& finish, const std::string& rollBack, const std::string& format) {
    const auto listing = RenameHistory::list(RenameHistory::folder());
    if (finish.empty() && rollBack.empty()) {
        std::vector<HistoryBatch> interrupted;
        for (const auto& batch : listing.batches) {
            if (batch.state == HistoryBatch::State::interrupted) {
                interrupted.push_back(batch);
            }
        }
        if (format == "json") {
            json out = json::array();
            for (const auto& batch : interrupted) {
                json folders = json::array();
                for (const auto& folder : batch.folders) {
                    folders.push_back(Utf8::toValid(folder));
                }
                out.push_back({{"id", batch.id},
                               {"time", RenameHistory::isoTime(batch.time)},
                               {"count", batch.count},
                               {"state", "interrupted"},
                               {"folders", std::move(folders)}});
            }
            std::cout << out.dump(2, ' ', false, json::error_handler_t::replace) << '\n';
            return 0;
        }
        if (interrupted.empty()) {
            std::cout << "No interrupted batches.\n";
        }
        for (const auto& batch : interrupted) {
            std::cout << batch.id << "  " << RenameHistory::isoTime(batch.time) << "  "
                      << batch.count << (batch.count == 1 ? " item  " : " items  ")
                      << foldersText(batch.folders) << '\n';
        }
        return 0;
    }
    const std::string& id = finish.empty() ? rollBack : finish;
    for (const auto& batch : listing.batches) {
        if (batch.id != id) {
            continue;
        }
        if (batch.state != HistoryBatch::State::interrupted) {
            throw UsageError{"batch " + id + " was not interrupted"};
        }
        const auto outcome = RenameHistory::recover(batch, !finish.empty(), disk());
        const int status = printResults(outcome.results, format);
        if (outcome.error) {
            std::cerr << "quorvane: " << Utf8::escapeControls(outcome.error->detail) << '\n';
            return 1;
        }
        return status;
    }
    throw UsageError{"there is no batch " + id};
}

int printParse(const std::string& phrase, const std::string& format) {
    const auto suggestions = NaturalLanguageParser::parse(phrase);
    if (format == "json") {
        json out = json::array();
        for (const auto& suggestion : suggestions) {
            out.push_back({{"rule", suggestion.rule.toJson()},
                           {"confidence", suggestion.confidence},
                           {"description", suggestion.description}});
        }
        std::cout << out.dump(2, ' ', false, json::error_handler_t::replace) << '\n';
        return 0;
    }
    if (suggestions.empty()) {
        std::cout << "No rule recognised.\n";
    }
    std::vector<std::string> descriptions;
    for (const auto& suggestion : suggestions) {
        descriptions.push_back(Utf8::escapeControls(suggestion.description));
    }
    const std::size_t width = widest(descriptions);
    for (std::size_t i = 0; i < suggestions.size(); ++i) {
        std::ostringstream confidence;
        confidence.precision(2);
        confidence << std::fixed << suggestions[i].confidence;
        std::cout << padded(descriptions[i], width) << "  " << confidence.str() << '\n';
    }
    return 0;
}

int printPresets(const std::string& format) {
    PresetManager store;
    if (store.loadProblem()) {
        std::cerr << "quorvane: the presets file could not be read ("
                  << Utf8::escapeControls(store.loadProblem()->detail) << ")";
        if (store.backupFile()) {
            std::cerr << "; it was kept as " << Utf8::escapeControls(store.backupFile()->native());
        }
        std::cerr << '\n';
    }
    if (store.readOnly()) {
        std::cerr << "quorvane: the presets file was written by a newer version of Quorvane; it "
                     "is read as far as this version can and is never rewritten by it";
        if (store.unreadablePresets() > 0) {
            std::cerr << " (" << store.unreadablePresets() << " of its presets could not be read)";
        }
        std::cerr << '\n';
    }
    if (format == "json") {
        std::cout << PresetManager::encodePresets(store.presets()) << '\n';
        return 0;
    }
    for (const auto& preset : store.presets()) {
        std::cout << Utf8::escapeControls(preset.name) << "  (" << preset.rules.size()
                  << (preset.rules.size() == 1 ? " rule)" : " rules)") << '\n';
    }
    return 0;
}

// ---- Renaming from a list of names: `edit` and `rename --from-csv` ----

// An edited list or a CSV file of names is bigger than any folder's worth of names.
constexpr std::size_t kMaxListBytes = 64 * 1024 * 1024;

// Whether `program` is an executable file in a folder of $PATH.
bool onPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::string_view folders = path != nullptr ? path : "";
    while (!folders.empty()) {
        const std::size_t colon = folders.find(':');
        const std::string folder(folders.substr(0, colon));
        folders = colon == std::string_view::npos ? "" : folders.substr(colon + 1);
        if (!folder.empty() && ::access((folder + "/" + program).c_str(), X_OK) == 0) {
            return true;
        }
    }
    return false;
}

// The editor command as a person set it: $VISUAL, else $EDITOR, else sensible-editor, else vi.
std::string editorCommand() {
    for (const char* variable : {"VISUAL", "EDITOR"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return onPath("sensible-editor") ? "sensible-editor" : "vi";
}

// Runs the editor on `file` through the shell, as editors are set up to be run (the variable
// may hold options), and returns its exit status.
int runEditor(const std::string& file) {
    const std::string command = editorCommand() + " \"$1\"";
    std::cout.flush();
    const pid_t child = ::fork();
    if (child < 0) {
        throw UsageError{std::string("cannot start the editor: ") + std::strerror(errno)};
    }
    if (child == 0) {
        ::execl("/bin/sh", "sh", "-c", command.c_str(), "sh", file.c_str(),
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            throw UsageError{std::string("cannot wait for the editor: ") + std::strerror(errno)};
        }
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// A private file for the list, removed when the run ends.
class EditFile {
  public:
    EditFile() {
        const char* folder = std::getenv("TMPDIR");
        path_ = std::string(folder != nullptr && *folder != '\0' ? folder : "/tmp") +
                "/quorvane-edit-XXXXXX.txt";
        // mkstemps creates the file for this user alone (mode 0600).
        const int fd = ::mkstemps(path_.data(), 4);
        if (fd < 0) {
            throw UsageError{std::string("cannot create a file for the list: ") +
                             std::strerror(errno)};
        }
        ::close(fd);
    }
    ~EditFile() { ::unlink(path_.c_str()); }
    EditFile(const EditFile&) = delete;
    EditFile& operator=(const EditFile&) = delete;

    const std::string& path() const { return path_; }

    void write(const std::string& text) const {
        const int fd =
            ::open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0) {
            throw UsageError{"cannot write " + path_ + ": " + std::strerror(errno)};
        }
        std::size_t done = 0;
        while (done < text.size()) {
            const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                const int error = errno;
                ::close(fd);
                throw UsageError{"cannot write " + path_ + ": " + std::strerror(error)};
            }
            done += static_cast<std::size_t>(n);
        }
        if (::close(fd) != 0) {
            throw UsageError{"cannot write " + path_ + ": " + std::strerror(errno)};
        }
    }

  private:
    std::string path_;
};

const std::vector<std::string> kEditHelp{
    "Change the names after the TAB; keep each line's ID. Save and quit to go on.",
    "A removed line leaves its item as it is. Lines starting with # are ignored.",
    "Backslash escapes: \\\\ \\t \\n \\xNN \\uNNNN. Quit with an error (:cq in vi) to "
    "cancel.",
};

// `text` without its comment lines.
std::string withoutComments(std::string_view text) {
    std::string kept;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? "" : text.substr(end + 1);
        if (!line.empty() && line.front() != '#') {
            kept.append(line).push_back('\n');
        }
    }
    return kept;
}

// Shows what renaming to `names` would do and returns how many items it moves.
std::size_t printPlan(const AppViewModel& model,
                      const std::vector<std::pair<Uuid, std::string>>& names) {
    const auto requests = model.requestsForNames(names);
    const auto plan =
        RenamePlanner::plan(requests, RenameEngine::readFolders(requests, FileSystem::real()));
    std::size_t moving = 0;
    for (const auto& entry : plan.entries) {
        if (!entry.changes) {
            continue;
        }
        std::cout << Utf8::escapeControls(entry.source) << "  \xE2\x86\x92  "
                  << Utf8::escapeControls(entry.newName);
        if (entry.skip) {
            std::cout << "  [not renamed: " << Utf8::escapeControls(entry.skip->detail) << "]";
        } else {
            ++moving;
        }
        if (entry.warning) {
            std::cout << "  [" << Utf8::escapeControls(entry.warning->detail) << "]";
        }
        std::cout << '\n';
    }
    return moving;
}

// Asks on the terminal; only "y" or "yes" agrees.
bool confirmed(std::size_t count) {
    std::cout << "Rename " << count << (count == 1 ? " item" : " items") << "? [y/N] "
              << std::flush;
    std::string answer;
    char c = 0;
    while (std::cin.get(c) && c != '\n') {
        if (answer.size() < 16) {
            answer.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
        }
    }
    return answer == "y" || answer == "yes";
}

int runEdit(AppViewModel& model, bool yes) {
    if (!yes && ::isatty(STDIN_FILENO) == 0) {
        throw UsageError{
            "edit asks before renaming, and there is no terminal to ask on; "
            "give --yes to rename without asking"};
    }
    const auto shownFiles = model.filteredFiles();
    if (shownFiles.empty()) {
        std::cout << "Nothing is listed; nothing to rename.\n";
        return 0;
    }
    std::vector<std::string> names;
    for (const auto& entry : model.previews()) {
        names.push_back(entry.preview);
    }
    EditFile file;
    std::string text = EditList::write(names, kEditHelp);
    EditList::Reading reading;
    for (;;) {
        file.write(text);
        if (const int status = runEditor(file.path()); status != 0) {
            std::cerr << "quorvane: the editor ended with status " << status
                      << "; nothing was renamed\n";
            return 2;
        }
        const std::string edited =
            readBoundedFile(file.path(), kMaxListBytes, "the edited list", "");
        reading = EditList::read(edited, names.size());
        if (reading.errors.empty()) {
            break;
        }
        // Saved again without a change: the person gave up on the errors.
        if (edited == text) {
            std::cerr << "quorvane: the list still has errors; nothing was renamed\n";
            for (const auto& error : reading.errors) {
                std::cerr << "quorvane: " << Utf8::escapeControls(error.detail) << '\n';
            }
            return 2;
        }
        std::vector<std::string> comments = kEditHelp;
        comments.push_back("");
        for (const auto& error : reading.errors) {
            comments.push_back("ERROR " + error.detail);
        }
        text = EditList::write({}, comments) + withoutComments(edited);
    }
    std::vector<std::pair<Uuid, std::string>> changes;
    for (const auto& [id, name] : reading.names) {
        const FileItem& item = shownFiles[id - 1];
        if (name != item.url.filename().native()) {
            changes.emplace_back(item.id, name);
        }
    }
    if (changes.empty()) {
        std::cout << "No name changes; nothing to rename.\n";
        return 0;
    }
    const std::size_t moving = printPlan(model, changes);
    if (moving == 0) {
        std::cout << "Nothing can be renamed.\n";
        return 1;
    }
    if (!yes && !confirmed(moving)) {
        std::cout << "Nothing was renamed.\n";
        return 1;
    }
    model.renameTo(changes);
    return printRename(model, "table");
}

// The location of the item a CSV row names, with its folder resolved so that two spellings
// of one item compare equal; the item's own name is kept as written.
std::string csvSource(const std::string& csvFolder, std::string path, std::string& problem) {
    if (path.front() != '/') {
        path = csvFolder + "/" + path;
    }
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    const std::string name(RenamePlanner::nameOf(path));
    if (name.empty() || name == "." || name == "..") {
        problem = "the path does not end in an item's name";
        return {};
    }
    std::string folder(RenamePlanner::folderOf(path));
    char* real = ::realpath(folder.empty() ? "/" : folder.c_str(), nullptr);
    if (real == nullptr) {
        problem = "nothing is at " + path;
        return {};
    }
    std::string source = real;
    std::free(real);
    source = (source == "/" ? "" : source) + "/" + name;
    struct stat st {};
    if (::lstat(source.c_str(), &st) != 0) {
        problem = "nothing is at " + path;
        return {};
    }
    return source;
}

int runFromCsv(AppViewModel& model, const std::string& csvFile, const std::string& format) {
    const std::string bytes = readBoundedFile(csvFile, kMaxListBytes, "the CSV file", "");
    auto records = CsvReader::parse(bytes);
    if (!records) {
        throw UsageError{"the CSV file " + csvFile + ", " + records.error().detail};
    }
    const auto blank = [](const CsvReader::Record& record) {
        return record.fields.size() == 1 && record.fields[0].empty();
    };
    const auto headerCell = [](std::string text) {
        for (auto& c : text) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        return text;
    };
    if (records->empty() || records->front().fields.size() != 2 ||
        headerCell(records->front().fields[0]) != "path" ||
        headerCell(records->front().fields[1]) != "new name") {
        throw UsageError{"the CSV file " + csvFile +
                         " must start with the header row \"path,new name\""};
    }
    std::string csvFolder(RenamePlanner::folderOf(csvFile));
    if (csvFolder.empty()) {
        csvFolder = ".";
    }
    std::vector<std::string> sources;
    std::vector<std::string> newNames;
    std::map<std::string, std::size_t> rowOfSource;
    std::map<std::pair<dev_t, ino_t>, std::size_t> rowOfItem;
    std::vector<std::string> problems;
    for (std::size_t i = 1; i < records->size(); ++i) {
        const auto& record = (*records)[i];
        if (blank(record)) {
            continue;
        }
        const std::string row =
            "row " + std::to_string(i + 1) + " (line " + std::to_string(record.line) + ")";
        const auto problem = [&](const std::string& what) {
            problems.push_back("the CSV file " + csvFile + ", " + row + ": " + what);
        };
        if (record.fields.size() != 2) {
            problem("has " + std::to_string(record.fields.size()) + " fields, not 2");
            continue;
        }
        const std::string& path = record.fields[0];
        const std::string& newName = record.fields[1];
        if (path.empty()) {
            problem("has no path");
            continue;
        }
        if (newName.find('/') != std::string::npos || newName.find('\0') != std::string::npos) {
            problem("the new name holds \"/\" or a NUL byte");
            continue;
        }
        std::string why;
        const std::string source = csvSource(csvFolder, path, why);
        if (source.empty()) {
            problem(why);
            continue;
        }
        struct stat st {};
        ::lstat(source.c_str(), &st);
        const auto [byPath, newPath] = rowOfSource.emplace(source, i + 1);
        const auto [byItem, newItem] = rowOfItem.emplace(std::pair{st.st_dev, st.st_ino}, i + 1);
        if (!newPath || !newItem) {
            problem("names the same item as row " +
                    std::to_string(!newPath ? byPath->second : byItem->second));
            continue;
        }
        sources.push_back(source);
        newNames.push_back(newName);
    }
    if (!problems.empty()) {
        for (const auto& line : problems) {
            std::cerr << "quorvane: " << Utf8::escapeControls(line) << '\n';
        }
        std::cerr << "quorvane: nothing was renamed\n";
        return 2;
    }
    model.addFiles(std::vector<std::filesystem::path>(sources.begin(), sources.end()));
    // Every source is a different item, so the list holds them in the order given.
    std::vector<std::pair<Uuid, std::string>> changes;
    const auto& listed = model.files();
    for (std::size_t i = 0; i < listed.size() && i < newNames.size(); ++i) {
        if (newNames[i] != listed[i].url.filename().native()) {
            changes.emplace_back(listed[i].id, newNames[i]);
        }
    }
    model.renameTo(changes);
    return printRename(model, format);
}

}  // namespace

namespace CommandLine {

bool isSubcommand(const char* argument) {
    if (argument == nullptr) {
        return false;
    }
    for (const char* name : kSubcommands) {
        if (std::strcmp(argument, name) == 0) {
            return true;
        }
    }
    return std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0 ||
           std::strcmp(argument, "--version") == 0;
}

namespace {

int runCommand(int argc, char** argv) {
    CLI::App app{"Quorvane renames many files and folders at once by an ordered list of rules.",
                 "quorvane"};
    app.set_version_flag("--version", std::string("quorvane ") + QUORVANE_VERSION);
    app.footer(
        "Without a subcommand, 'quorvane [PATH...]' opens the window with the paths in its "
        "list; while a Quorvane window is open in the session, the paths are added to that "
        "window instead. 'quorvane SUBCOMMAND --help' lists the options of a subcommand; "
        "the manual page quorvane(1) describes them all.");
    app.require_subcommand(1);
    Options options;

    auto* preview = app.add_subcommand("preview", "show the new names without renaming");
    addRuleOptions(preview, options);
    addListOptions(preview, options);
    preview->add_option("--format", options.format, "output format")
        ->check(CLI::IsMember({"table", "json", "csv"}));

    auto* rename = app.add_subcommand("rename", "rename the listed items on disk");
    addRuleOptions(rename, options);
    addListOptions(rename, options, false);
    rename->add_option("--format", options.format, "output format")
        ->check(CLI::IsMember({"table", "json"}));
    rename
        ->add_option("--from-csv", options.fromCsv,
                     "rename by the rows of a CSV file with the header \"path,new name\"")
        ->type_name("FILE");

    auto* edit = app.add_subcommand("edit", "edit the new names in a text editor, then rename");
    addRuleOptions(edit, options);
    addListOptions(edit, options);
    edit->add_flag("--yes", options.yes, "rename without asking");

    auto* parse = app.add_subcommand("parse", "show the rules a phrase suggests");
    parse->add_option("--format", options.format, "output format")
        ->check(CLI::IsMember({"table", "json"}));
    parse->add_option("phrase", options.phrase, "the phrase")->type_name("PHRASE")->required();

    auto* presets = app.add_subcommand("presets", "list the saved presets");
    presets->add_option("--format", options.format, "output format")
        ->check(CLI::IsMember({"table", "json"}));

    auto* history = app.add_subcommand("history", "list the recent rename batches, newest first");
    history->add_option("--format", options.format, "output format")
        ->check(CLI::IsMember({"table", "json"}));

    std::string batchId;
    auto* undo = app.add_subcommand("undo", "undo the newest rename batch, or the one named");
    undo->add_option("--format", options.format, "output format")
        ->check(CLI::IsMember({"table", "json"}));
    undo->add_option("id", batchId, "the batch, as history lists it")->type_name("ID");

    auto* redo = app.add_subcommand("redo", "redo the batch undone last, or the one named");
    redo->add_option("--format", options.format, "output format")
        ->check(CLI::IsMember({"table", "json"}));
    redo->add_option("id", batchId, "the batch, as history lists it")->type_name("ID");

    std::string finishId;
    std::string rollBackId;
    auto* recover = app.add_subcommand(
        "recover", "list batches a crash interrupted, or finish or roll one back");
    recover->add_option("--format", options.format, "output format")
        ->check(CLI::IsMember({"table", "json"}));
    auto* finishOption = recover->add_option("--finish", finishId, "complete the interrupted batch")
                             ->type_name("ID");
    recover->add_option("--roll-back", rollBackId, "put every item of it back")
        ->type_name("ID")
        ->excludes(finishOption);

    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& success) {
        return app.exit(success);
    } catch (const CLI::ParseError& error) {
        std::cerr << "quorvane: " << Utf8::escapeControls(error.what())
                  << "\nRun 'quorvane --help' for usage.\n";
        return 2;
    }

    try {
        if (parse->parsed()) {
            return printParse(options.phrase, options.format);
        }
        if (presets->parsed()) {
            return printPresets(options.format);
        }
        if (history->parsed()) {
            return printHistory(options.format);
        }
        if (undo->parsed() || redo->parsed()) {
            return runUndoRedo(undo->parsed(), batchId, options.format);
        }
        if (recover->parsed()) {
            return runRecover(finishId, rollBackId, options.format);
        }
        ImmediateScheduler scheduler;
        AppViewModel model(scheduler, testFileSystem());
        model.setInteractive(false);
        if (rename->parsed()) {
            // A rename shows no preview: the rules run once, for the batch.
            model.setPreviewsEnabled(false);
        }
        if (rename->parsed() && !options.fromCsv.empty()) {
            if (!options.paths.empty() || !collectRules(*rename, options).empty() ||
                options.recursive || !options.filter.empty() || options.onlyFiles ||
                options.onlyFolders) {
                throw UsageError{
                    "--from-csv takes the items and their names from the file: "
                    "give no paths, rules or list options with it"};
            }
            return runFromCsv(model, options.fromCsv, options.format);
        }
        if (rename->parsed() && options.paths.empty()) {
            throw UsageError{"rename needs the paths to rename, or --from-csv FILE"};
        }
        const CLI::App& command = preview->parsed() ? *preview : (edit->parsed() ? *edit : *rename);
        prepare(model, command, options);
        if (preview->parsed()) {
            return printPreview(model, options.format);
        }
        if (edit->parsed()) {
            return runEdit(model, options.yes);
        }
        if (const std::size_t hidden = model.hiddenSelectedCount(); hidden != 0) {
            std::cerr << "quorvane: " << hidden << (hidden == 1 ? " item" : " items")
                      << " left out by --filter, --only-files or --only-folders will not be "
                         "renamed\n";
        }
        model.performRename();
        return printRename(model, options.format);
    } catch (const UsageError& error) {
        std::cerr << "quorvane: " << Utf8::escapeControls(error.message) << '\n';
        return 2;
    }
}

}  // namespace

int run(int argc, char** argv) {
    // Whatever escapes (memory, a failure of the library) ends the run with one line, never
    // with an abort.
    try {
        return runCommand(argc, argv);
    } catch (const std::exception& error) {
        std::cerr << "quorvane: " << Utf8::escapeControls(error.what()) << '\n';
    } catch (...) {
        std::cerr << "quorvane: an unexpected error ended the run\n";
    }
    return 2;
}

}  // namespace CommandLine
