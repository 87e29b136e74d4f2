// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Services/RenameJournal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <utility>

#include "Services/NameTable.h"
#include "Services/RenamePlanner.h"

namespace fs = std::filesystem;

namespace {

// Progress is handed to the system in pieces of this size, never synced on its own.
constexpr std::size_t kProgressPiece = 256 * 1024;

JournalStep::Item itemAt(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) {
        return {};
    }
    return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

void syncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

Error writeError(const std::string& file, int code) {
    return Error{Error::Code::fileSystem,
                 "The history journal " + file + " cannot be written: " + std::strerror(code) + ".",
                 code};
}

const char* kindWord(JournalBatch::Kind kind) {
    switch (kind) {
        case JournalBatch::Kind::undo:
            return "undo";
        case JournalBatch::Kind::redo:
            return "redo";
        case JournalBatch::Kind::rename:
            break;
    }
    return "rename";
}

// The id sorts by time: UTC date and time to the microsecond, then the process.
std::pair<std::string, std::int64_t> newId() {
    const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(
                            std::chrono::system_clock::now().time_since_epoch())
                            .count();
    const auto seconds = static_cast<std::time_t>(micros / 1000000);
    std::tm utc{};
    ::gmtime_r(&seconds, &utc);
    char text[80];
    std::snprintf(text, sizeof text, "%04d%02d%02d-%02d%02d%02d-%06lld-%d", utc.tm_year + 1900,
                  utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec,
                  static_cast<long long>(micros % 1000000), static_cast<int>(::getpid()));
    return {text, micros};
}

void appendItem(std::string& out, const char* key, const JournalStep::Item& item) {
    char text[96];
    std::snprintf(text, sizeof text, ",\"%s\":[%llu,%llu]", key,
                  static_cast<unsigned long long>(item.device),
                  static_cast<unsigned long long>(item.inode));
    out += text;
}

void appendStep(std::string& out, const JournalStep& step) {
    out += step.kind == JournalStep::Kind::exchange ? "{\"k\":\"x\",\"f\":\""
                                                    : "{\"k\":\"m\",\"f\":\"";
    out += RenameJournal::encode(step.from);
    // Most steps stay in their folder: then only the new name is written.
    const auto folder = RenamePlanner::folderOf(step.from);
    if (RenamePlanner::folderOf(step.to) == folder && !folder.empty() && folder != "/") {
        out += "\",\"n\":\"";
        out += RenameJournal::encode(RenamePlanner::nameOf(step.to));
    } else {
        out += "\",\"t\":\"";
        out += RenameJournal::encode(step.to);
    }
    out += '"';
    appendItem(out, "a", step.item);
    if (step.kind == JournalStep::Kind::exchange) {
        appendItem(out, "b", step.other);
    }
    if (step.temporary) {
        out += ",\"tmp\":1";
    }
    if (step.variant != JournalStep::Variant::none) {
        out +=
            step.variant == JournalStep::Variant::exchanges ? ",\"v\":1,\"c\":" : ",\"v\":2,\"c\":";
        out += std::to_string(step.cycle);
    }
    out += "}\n";
}

// The item at each location before the batch, by the folder listings the plan was made from:
// one lstat per folder checks that its listing's inodes are the real ones (where they are
// not, or the folder was not read, each location is asked of the disk).
class Identities {
  public:
    explicit Identities(const RenamePlanner::Folders& folders) : folders_(folders) {}

    JournalStep::Item operator()(const std::string& path) {
        const std::string_view folder = RenamePlanner::folderOf(path);
        auto known = indexes_.find(folder);
        if (known == indexes_.end()) {
            known = indexes_.emplace(std::string(folder), index(std::string(folder), path)).first;
        }
        if (!known->second.trusted) {
            return itemAt(path);
        }
        const std::uint64_t* inode = known->second.inodes.find(RenamePlanner::nameOf(path));
        if (inode == nullptr) {
            return {};
        }
        return {known->second.device, *inode};
    }

  private:
    struct Index {
        bool trusted = false;
        std::uint64_t device = 0;
        NameTable<std::uint64_t> inodes;
    };

    Index index(const std::string& folder, const std::string& sample) const {
        Index out;
        const auto facts = folders_.find(folder);
        if (facts == folders_.end() || facts->second.inodes.size() != facts->second.names.size()) {
            return out;
        }
        const FolderFacts& listed = facts->second;
        out.device = listed.device;
        out.inodes.reserve(listed.names.size());
        for (std::size_t i = 0; i < listed.names.size(); ++i) {
            out.inodes.tryEmplace(listed.names[i], listed.inodes[i]);
        }
        const std::uint64_t* found = out.inodes.find(RenamePlanner::nameOf(sample));
        const JournalStep::Item real = itemAt(sample);
        out.trusted =
            found != nullptr && real.known() && real == JournalStep::Item{out.device, *found};
        return out;
    }

    const RenamePlanner::Folders& folders_;
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>{}(text);
        }
    };
    std::unordered_map<std::string, Index, Hash, std::equal_to<>> indexes_;
};

}  // namespace

RenameJournal::RenameJournal(fs::path folder, JournalBatch::Kind kind, std::string of)
    : folder_(std::move(folder)), kind_(kind), of_(std::move(of)) {}

RenameJournal::~RenameJournal() {
    flush();
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

std::string RenameJournal::encode(std::string_view bytes) {
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size());
    for (unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7F && c != '%' && c != '"' && c != '\\') {
            out.push_back(static_cast<char>(c));
        } else {
            out.push_back('%');
            out.push_back(hex[c >> 4]);
            out.push_back(hex[c & 15]);
        }
    }
    return out;
}

std::optional<std::string> RenameJournal::decode(std::string_view text) {
    const auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9') {
            return c - '0';
        }
        if (c >= 'A' && c <= 'F') {
            return c - 'A' + 10;
        }
        return -1;
    };
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out.push_back(text[i]);
            continue;
        }
        if (i + 2 >= text.size()) {
            return std::nullopt;
        }
        const int high = digit(text[i + 1]);
        const int low = digit(text[i + 2]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        out.push_back(static_cast<char>(high * 16 + low));
        i += 2;
    }
    return out;
}

std::optional<Error> RenameJournal::open(std::string_view body) {
    std::error_code made;
    fs::create_directories(folder_, made);
    for (int attempt = 0; attempt < 100; ++attempt) {
        auto [id, micros] = newId();
        if (attempt > 0) {
            id += '-';
            id += std::to_string(attempt);
        }
        const std::string file = (folder_ / (id + ".journal")).native();
        const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && errno == EEXIST) {
            continue;
        }
        if (fd < 0) {
            return writeError(file, errno);
        }
        char time[32];
        const auto seconds = static_cast<std::time_t>(micros / 1000000);
        std::tm utc{};
        ::gmtime_r(&seconds, &utc);
        std::strftime(time, sizeof time, "%Y-%m-%dT%H:%M:%SZ", &utc);
        std::string header = "{\"quorvane-journal\":1,\"id\":\"" + id + "\",\"time\":\"" + time +
                             "\",\"micros\":" + std::to_string(micros) + ",\"kind\":\"" +
                             kindWord(kind_) + "\",\"of\":\"" + encode(of_) + "\"";
        header += body;
        if (!writeAll(fd, header) || ::fsync(fd) != 0) {
            const int code = errno;
            ::close(fd);
            ::unlink(file.c_str());
            return writeError(file, code);
        }
        syncFolder(folder_);
        fd_ = fd;
        id_ = std::move(id);
        file_ = file;
        return std::nullopt;
    }
    return writeError((folder_ / "…").native(), EEXIST);
}

std::optional<Error> RenameJournal::planned(const RenamePlan& plan,
                                            const RenamePlanner::Folders& folders) {
    if (plan.steps.empty()) {
        return std::nullopt;
    }
    Identities identities(folders);
    // The journal must hold for any later process, whatever its working folder.
    std::string here;
    const auto absolute = [&](const std::string& path) {
        if (!path.empty() && path.front() == '/') {
            return path;
        }
        if (here.empty()) {
            std::error_code error;
            here = fs::current_path(error).native();
        }
        return path.empty() ? here : here + "/" + path;
    };
    std::vector<JournalStep> steps;
    steps.reserve(plan.steps.size());
    // Where an earlier part of a cycle puts an item, so that a later part moving from that
    // name (a temporary name, the middle of the cycle) names the item that will be there.
    std::unordered_map<std::string, JournalStep::Item> moved;
    const auto itemOf = [&](const std::string& path) {
        if (auto it = moved.find(path); it != moved.end()) {
            return it->second;
        }
        return identities(path);
    };
    const auto add = [&](const RenameStep& step, JournalStep::Variant variant,
                         std::uint64_t cycle) {
        JournalStep journaled;
        journaled.kind = step.kind == RenameStep::Kind::exchange ? JournalStep::Kind::exchange
                                                                 : JournalStep::Kind::move;
        journaled.temporary = step.temporary;
        journaled.variant = variant;
        journaled.cycle = cycle;
        journaled.from = absolute(step.from);
        journaled.to = absolute(step.to);
        journaled.item = itemOf(step.from);
        if (journaled.kind == JournalStep::Kind::exchange) {
            journaled.other = itemOf(step.to);
        }
        if (variant != JournalStep::Variant::none) {
            moved[step.to] = journaled.item;
            moved[step.from] = journaled.kind == JournalStep::Kind::exchange ? journaled.other
                                                                             : JournalStep::Item{};
        }
        if (variant != JournalStep::Variant::none) {
            indexOfPart_.emplace(&step, steps.size());
        }
        steps.push_back(std::move(journaled));
    };
    firstStep_ = plan.steps.data();
    indexOfStep_.clear();
    indexOfStep_.reserve(plan.steps.size());
    indexOfPart_.clear();
    for (const auto& step : plan.steps) {
        indexOfStep_.push_back(steps.size());
        if (step.kind != RenameStep::Kind::cycle) {
            add(step, JournalStep::Variant::none, 0);
            continue;
        }
        const std::uint64_t cycle = steps.size();
        for (const auto& part : step.exchanges) {
            add(part, JournalStep::Variant::exchanges, cycle);
        }
        moved.clear();
        for (const auto& part : step.throughTemporary) {
            add(part, JournalStep::Variant::throughTemporary, cycle);
        }
        moved.clear();
    }

    std::vector<std::string> folderList;
    std::uint64_t count = 0;
    std::string_view previous;
    for (const auto& entry : plan.entries) {
        if (entry.changes && !entry.skip) {
            ++count;
            // Neighbours share their folder.
            const std::string_view parent = RenamePlanner::folderOf(entry.source);
            if (count > 1 && parent == previous) {
                continue;
            }
            previous = parent;
            std::string folder = absolute(std::string(parent));
            if (std::find(folderList.begin(), folderList.end(), folder) == folderList.end()) {
                folderList.push_back(std::move(folder));
            }
        }
    }
    std::string body = ",\"count\":" + std::to_string(count) + ",\"folders\":[";
    for (std::size_t i = 0; i < folderList.size(); ++i) {
        body += i == 0 ? "\"" : ",\"";
        body += encode(folderList[i]);
        body += '"';
    }
    body += "]}\n";
    body.reserve(body.size() + steps.size() * 128);
    for (const auto& step : steps) {
        appendStep(body, step);
    }
    body += "{\"planned\":" + std::to_string(steps.size()) + "}\n";
    total_ = steps.size();
    return open(body);
}

std::optional<Error> RenameJournal::begin(std::uint64_t count,
                                          const std::vector<std::string>& folders) {
    std::string body = ",\"count\":" + std::to_string(count) + ",\"folders\":[";
    for (std::size_t i = 0; i < folders.size(); ++i) {
        body += i == 0 ? "\"" : ",\"";
        body += encode(folders[i]);
        body += '"';
    }
    body += "]}\n{\"planned\":0}\n";
    return open(body);
}

void RenameJournal::flush() {
    if (fd_ >= 0 && !buffer_.empty()) {
        writeAll(fd_, buffer_);
        buffer_.clear();
    }
}

std::optional<std::size_t> RenameJournal::indexOf(const RenameStep& step) const {
    // std::less orders any two addresses, also of different arrays.
    const std::less<const RenameStep*> before;
    if (!before(&step, firstStep_) && before(&step, firstStep_ + indexOfStep_.size())) {
        return indexOfStep_[static_cast<std::size_t>(&step - firstStep_)];
    }
    if (const auto found = indexOfPart_.find(&step); found != indexOfPart_.end()) {
        return found->second;
    }
    return std::nullopt;
}

void RenameJournal::stepRan(const RenameStep& step, bool succeeded) {
    if (fd_ < 0) {
        return;
    }
    const auto index = indexOf(step);
    if (!index) {
        return;
    }
    buffer_ += "{\"d\":";
    buffer_ += std::to_string(*index);
    buffer_ += succeeded ? "}\n" : ",\"failed\":1}\n";
    if (buffer_.size() >= kProgressPiece) {
        flush();
    }
}

std::optional<Error> RenameJournal::fallingBack(const RenameStep& cycle) {
    if (fd_ < 0) {
        return std::nullopt;
    }
    const auto index = indexOf(cycle);
    if (!index) {
        return std::nullopt;
    }
    buffer_ += "{\"fallback\":" + std::to_string(*index) + "}\n";
    flush();
    // Recovery must know which way the cycle went before the first name changes.
    if (::fsync(fd_) != 0) {
        return writeError(file_, errno);
    }
    return std::nullopt;
}

void RenameJournal::finished() {
    if (fd_ < 0) {
        return;
    }
    buffer_ += "{\"end\":\"done\"}\n";
    flush();
    ::fsync(fd_);
}

std::optional<Error> RenameJournal::markEnded(const std::string& file, JournalBatch::End end) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd < 0) {
        return writeError(file, errno);
    }
    // A line cut short by a kill is ended first, so that the closing record stands alone.
    const bool written =
        writeAll(fd, end == JournalBatch::End::reversed ? "\n{\"end\":\"reversed\"}\n"
                                                        : "\n{\"end\":\"done\"}\n");
    const int code = written && ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    if (code != 0) {
        return writeError(file, code);
    }
    return std::nullopt;
}
