// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Services/PresetManager.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <utility>

#include <nlohmann/json.hpp>

#include "Services/JsonDocument.h"
#include "Services/RuleKinds.h"

namespace {

namespace fs = std::filesystem;

Error systemError(const std::string& what, const fs::path& path, int code) {
    return Error{Error::Code::fileSystem, what + " " + path.string() + ": " + std::strerror(code),
                 code};
}

// Closes a descriptor when the scope ends, whatever way it ends.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now and reports the errno of close, or 0.
    int close() {
        const int fd = std::exchange(fd_, -1);
        return fd >= 0 && ::close(fd) != 0 ? errno : 0;
    }

  private:
    int fd_;
};

// The presets file is read no further than this; a larger one is taken as unreadable.
constexpr std::size_t maxFileBytes = 64 * 1024 * 1024;

struct FileContent {
    std::optional<std::string> bytes;
    int error = 0;
    bool tooLarge = false;
};

FileContent readWholeFile(const fs::path& path) {
    // Without O_NONBLOCK a FIFO in the file's place would hang the start.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!fd.valid()) {
        return {std::nullopt, errno};
    }
    struct stat status {};
    if (::fstat(fd.get(), &status) != 0) {
        return {std::nullopt, errno};
    }
    if (!S_ISREG(status.st_mode)) {
        return {std::nullopt, S_ISDIR(status.st_mode) ? EISDIR : EINVAL};
    }
    if (static_cast<std::uintmax_t>(status.st_size) > maxFileBytes) {
        return {std::nullopt, EFBIG, true};
    }
    std::string bytes;
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return {std::nullopt, errno};
        }
        if (n == 0) {
            return {std::move(bytes), 0};
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
}

// Writes all of `bytes`; the errno of the failure, or 0.
int writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

// Makes a rename or a new entry in `folder` durable. File systems that cannot sync a folder
// say EINVAL; there is nothing more to do on those.
int syncFolder(const fs::path& folder) {
    FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.valid()) {
        return errno;
    }
    if (::fsync(fd.get()) != 0 && errno != EINVAL) {
        return errno;
    }
    return 0;
}

// "YYYYMMDD-HHMMSS" of the current local time, for names of kept files.
std::string timestampNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

std::optional<std::string> environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
}

bool usableBase(const std::optional<std::string>& value) {
    return value && !value->empty() && fs::path(*value).is_absolute();
}

// Removes the temporary files of writes that never finished (the program was killed between
// creating one and renaming it). Only old ones: a young one may be another instance's write.
void removeStaleTemporaries(const fs::path& file) {
    const std::string prefix = "." + file.filename().string() + ".";
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(1);
    std::error_code error;
    for (fs::directory_iterator it(file.parent_path(), error);
         !error && it != fs::directory_iterator(); it.increment(error)) {
        const std::string name = it->path().filename().string();
        std::error_code timeError;
        if (name.starts_with(prefix) && name.ends_with(".tmp") && it->is_regular_file(timeError) &&
            it->last_write_time(timeError) < old && !timeError) {
            ::unlink(it->path().c_str());
        }
    }
}

// The formatVersion of a preset element: absent means 1; otherwise a whole number from 1.
Result<int> elementFormat(const nlohmann::json& element) {
    const auto it = element.find("formatVersion");
    if (it == element.end()) {
        return 1;
    }
    if (!it->is_number_integer()) {
        return Error{Error::Code::wrongType, "key \"formatVersion\" must be an integer"};
    }
    if (it->is_number_unsigned() ? it->get<std::uint64_t>() > INT32_MAX
                                 : it->get<std::int64_t>() < 1) {
        return Error{Error::Code::invalidValue,
                     "key \"formatVersion\" must be a whole number from 1"};
    }
    return static_cast<int>(it->get<std::int64_t>());
}

nlohmann::json presetsArray(const std::vector<Preset>& presets) {
    nlohmann::json array = nlohmann::json::array();
    for (const auto& preset : presets) {
        nlohmann::json object = preset.toJson();
        object["formatVersion"] = PresetManager::formatOf(preset);
        array.push_back(std::move(object));
    }
    return array;
}

}  // namespace

PresetManager::PresetManager() : PresetManager(defaultStorageFile()) {}

PresetManager::PresetManager(std::optional<std::filesystem::path> storageFile)
    : storageURL_(std::move(storageFile)) {
    if (storageURL_) {
        // A folder that cannot be made shows up as a failed write later.
        std::error_code ignored;
        fs::create_directories(storageURL_->parent_path(), ignored);
        removeStaleTemporaries(*storageURL_);
    }
    load();
    if (presets_.empty()) {
        loadBuiltIn();
    }
}

std::optional<std::filesystem::path> PresetManager::defaultStorageFile() {
    return storageFileFor(environment("XDG_DATA_HOME"), environment("HOME"));
}

std::optional<std::filesystem::path> PresetManager::storageFileFor(
    const std::optional<std::string>& xdgDataHome, const std::optional<std::string>& home) {
    fs::path base;
    if (usableBase(xdgDataHome)) {
        base = *xdgDataHome;
    } else if (usableBase(home)) {
        base = fs::path(*home) / ".local" / "share";
    } else {
        return std::nullopt;
    }
    return base / "Quorvane" / "Presets" / "presets.json";
}

std::vector<Preset> PresetManager::builtInPresets() {
    RenameRule cleanSpaces(RuleType::cleanup);
    cleanSpaces.trimWhitespace = true;
    cleanSpaces.removeDuplicateSpaces = true;
    cleanSpaces.replaceSpacesWithUnderscores = false;
    cleanSpaces.removeSpecialChars = false;

    RenameRule titleCase(RuleType::caseConversion);
    titleCase.caseType = CaseConversionType::titleCase;

    RenameRule dateSuffix(RuleType::dateStamp);
    dateSuffix.dateFormat = "yyyy-MM-dd";
    dateSuffix.datePosition = InsertPosition::end;

    RenameRule numbering(RuleType::numbering);
    numbering.numberingStart = 1;
    numbering.numberingPadding = 3;
    numbering.numberingPosition = NumberingPosition::suffix;

    RenameRule lowercase(RuleType::caseConversion);
    lowercase.caseType = CaseConversionType::lowercase;
    RenameRule underscores(RuleType::cleanup);
    underscores.replaceSpacesWithUnderscores = true;

    const auto now = Preset::Clock::now();
    return {
        Preset(Uuid::random(), "Clean Spaces", {cleanSpaces}, now, "sparkles"),
        Preset(Uuid::random(), "Title Case", {titleCase}, now, "textformat"),
        Preset(Uuid::random(), "Add Date Suffix", {dateSuffix}, now, "calendar"),
        Preset(Uuid::random(), "Sequential Numbering", {numbering}, now, "number"),
        Preset(Uuid::random(), "Lowercase + Underscores", {lowercase, underscores}, now,
               "textformat.abc"),
    };
}

Result<PresetFileContent> PresetManager::decodePresetFile(const std::string& bytes) {
    auto document = JsonDocument::parse(bytes);
    if (!document) {
        return document.error();
    }
    if (!document->is_array()) {
        return Error{Error::Code::invalidJson, "the presets file must hold a JSON array"};
    }
    const int newest = RuleKinds::newestFormat();
    PresetFileContent content;
    content.presets.reserve(document->size());
    for (std::size_t index = 0; index < document->size(); ++index) {
        const auto& element = (*document)[index];
        auto format = element.is_object() ? elementFormat(element) : Result<int>(1);
        auto preset = format ? Preset::fromJson(element) : Result<Preset>(format.error());
        if (format && *format > newest) {
            // Written by a newer version: what reads is kept, what does not is left out.
            content.format = std::max(content.format, *format);
            if (preset) {
                content.presets.push_back(std::move(*preset));
            } else {
                ++content.unreadable;
            }
            continue;
        }
        if (!preset) {
            Error error = preset.error();
            error.detail = "preset " + std::to_string(index + 1) + ": " + error.detail;
            return error;
        }
        content.format = std::max(content.format, *format);
        content.presets.push_back(std::move(*preset));
    }
    return content;
}

Result<std::vector<Preset>> PresetManager::decodePresets(const std::string& bytes) {
    auto content = decodePresetFile(bytes);
    if (!content) {
        return content.error();
    }
    return std::move(content->presets);
}

std::string PresetManager::encodePresets(const std::vector<Preset>& presets) {
    return presetsArray(presets).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

int PresetManager::formatOf(const Preset& preset) {
    int format = 1;
    for (const auto& rule : preset.rules) {
        format = std::max(format, RuleKinds::formatOf(rule));
    }
    return format;
}

std::optional<Error> PresetManager::save(const Preset& preset) {
    if (readOnly_) {
        return readOnly_;
    }
    const auto same = std::find_if(presets_.begin(), presets_.end(),
                                   [&](const Preset& p) { return p.id == preset.id; });
    if (same != presets_.end()) {
        *same = preset;
    } else {
        presets_.push_back(preset);
    }
    auto problem = write();
    observers_.notify();
    return problem;
}

std::optional<Error> PresetManager::deletePreset(const Uuid& id) {
    if (readOnly_) {
        return readOnly_;
    }
    std::erase_if(presets_, [&](const Preset& p) { return p.id == id; });
    auto problem = write();
    observers_.notify();
    return problem;
}

void PresetManager::load() {
    if (!storageURL_) {
        return;
    }
    const FileContent content = readWholeFile(*storageURL_);
    if (!content.bytes) {
        // No file yet (or no folder): nothing to keep.
        if (content.error == ENOENT || content.error == ENOTDIR) {
            return;
        }
        loadProblem_ = content.tooLarge ? Error{Error::Code::invalidJson,
                                                storageURL_->string() + " is larger than " +
                                                    std::to_string(maxFileBytes) + " bytes"}
                                        : systemError("cannot read", *storageURL_, content.error);
        mustNotReplaceFile_ = !keepUnreadableFile(std::nullopt);
        return;
    }
    auto decoded = decodePresetFile(*content.bytes);
    if (!decoded) {
        loadProblem_ = decoded.error();
        mustNotReplaceFile_ = !keepUnreadableFile(content.bytes);
        return;
    }
    if (decoded->format > RuleKinds::newestFormat()) {
        readOnly_ = Error{Error::Code::newerFormat,
                          storageURL_->string() + " holds presets of format " +
                              std::to_string(decoded->format) + "; this version reads format " +
                              std::to_string(RuleKinds::newestFormat()) + " and older"};
        unreadablePresets_ = decoded->unreadable;
    }
    presets_ = std::move(decoded->presets);
}

void PresetManager::loadBuiltIn() {
    presets_ = builtInPresets();
    write();
    observers_.notify();
}

bool PresetManager::keepUnreadableFile(const std::optional<std::string>& bytes) {
    const fs::path& file = *storageURL_;
    const std::string base = file.string() + ".unreadable-" + timestampNow();
    for (int attempt = 1; attempt <= 1000; ++attempt) {
        const fs::path candidate = attempt == 1 ? base : base + "-" + std::to_string(attempt);
        // A hard link keeps the very bytes, needs no read access and, like O_EXCL below,
        // never replaces an existing entry.
        if (::link(file.c_str(), candidate.c_str()) == 0) {
            syncFolder(file.parent_path());
            backupFile_ = candidate;
            return true;
        }
        if (errno == EEXIST) {
            continue;
        }
        // Some file systems have no hard links: copy the bytes, when they could be read.
        if (!bytes) {
            return false;
        }
        FileDescriptor fd(::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (!fd.valid()) {
            if (errno == EEXIST) {
                continue;
            }
            return false;
        }
        if (writeAll(fd.get(), *bytes) != 0 || ::fsync(fd.get()) != 0 || fd.close() != 0) {
            ::unlink(candidate.c_str());
            return false;
        }
        syncFolder(file.parent_path());
        backupFile_ = candidate;
        return true;
    }
    return false;
}

std::optional<Error> PresetManager::write() {
    if (!storageURL_) {
        writeProblem_.reset();
        return std::nullopt;
    }
    if (readOnly_) {
        writeProblem_ = readOnly_;
        return writeProblem_;
    }
    if (mustNotReplaceFile_) {
        writeProblem_ = Error{Error::Code::fileSystem,
                              "the unreadable file " + storageURL_->string() +
                                  " could not be kept aside, so it is not replaced",
                              loadProblem_ ? loadProblem_->systemError : 0};
        return writeProblem_;
    }
    std::string bytes;
    try {
        bytes = presetsArray(presets_).dump();
    } catch (const nlohmann::json::exception&) {
        writeProblem_ = Error{Error::Code::invalidValue, "a preset holds text that is not UTF-8"};
        return writeProblem_;
    }
    writeProblem_ = writeFile(bytes);
    return writeProblem_;
}

std::optional<Error> PresetManager::writeFile(const std::string& bytes) const {
    const fs::path& file = *storageURL_;
    const fs::path folder = file.parent_path();
    fs::path temporary;
    int fdNumber = -1;
    for (int attempt = 0; attempt < 10 && fdNumber < 0; ++attempt) {
        temporary =
            folder / ("." + file.filename().string() + "." + Uuid::random().toString() + ".tmp");
        fdNumber = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fdNumber < 0 && errno != EEXIST) {
            break;
        }
    }
    if (fdNumber < 0) {
        return systemError("cannot create a temporary file in", folder, errno);
    }
    FileDescriptor fd(fdNumber);
    int code = writeAll(fd.get(), bytes);
    if (code == 0 && ::fsync(fd.get()) != 0) {
        code = errno;
    }
    if (code == 0) {
        code = fd.close();
    }
    if (code == 0 && ::rename(temporary.c_str(), file.c_str()) != 0) {
        code = errno;
    }
    if (code != 0) {
        ::unlink(temporary.c_str());
        return systemError("cannot write", file, code);
    }
    if (const int syncCode = syncFolder(folder); syncCode != 0) {
        return systemError("cannot flush the folder of", file, syncCode);
    }
    return std::nullopt;
}
