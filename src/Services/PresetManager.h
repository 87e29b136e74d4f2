// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Models/Error.h"
#include "Models/Observers.h"
#include "Models/Preset.h"
#include "Models/Result.h"
#include "Models/Subscription.h"
#include "Services/PresetFileContent.h"

// The saved presets: a list in display order kept in one JSON file, announced to observers
// on every change. A file that cannot be read is kept aside, never overwritten.
class PresetManager {
  public:
    // The store at defaultStorageFile(); in memory only when there is none.
    PresetManager();
    // The store at `storageFile`; in memory only when none is given.
    explicit PresetManager(std::optional<std::filesystem::path> storageFile);

    // $XDG_DATA_HOME/Quorvane/Presets/presets.json, with XDG_DATA_HOME falling back to
    // $HOME/.local/share when unset, empty or relative; none when HOME is unusable too.
    static std::optional<std::filesystem::path> defaultStorageFile();
    // The same rule on given values of XDG_DATA_HOME and HOME (none for an unset variable).
    static std::optional<std::filesystem::path> storageFileFor(
        const std::optional<std::string>& xdgDataHome, const std::optional<std::string>& home);
    // The five presets of a first start, in their order.
    static std::vector<Preset> builtInPresets();
    // The presets file format, both ways: one compact JSON array of preset objects, each with
    // its "formatVersion" (absent means 1). A preset of a format this program knows must
    // decode, or the file does not; one of a newer format is read as far as possible and left
    // out when it cannot be read. A text that is not valid UTF-8 is written with U+FFFD in its
    // place (write() refuses such a list instead).
    static Result<PresetFileContent> decodePresetFile(const std::string& bytes);
    // The presets of decodePresetFile.
    static Result<std::vector<Preset>> decodePresets(const std::string& bytes);
    static std::string encodePresets(const std::vector<Preset>& presets);
    // The format a preset is written in: the newest its rules need, at least 1.
    static int formatOf(const Preset& preset);

    const std::vector<Preset>& presets() const { return presets_; }
    Subscription subscribe(std::function<void()> callback) {
        return observers_.subscribe(std::move(callback));
    }

    // Replaces the preset with the same id in place, or appends it; then writes the file.
    // The list changes even when the write fails; the error is returned. While the file is
    // read-only (readOnly()) nothing changes and that error is returned.
    std::optional<Error> save(const Preset& preset);
    // Removes every preset with `id`; then writes the file. Nothing while read-only.
    std::optional<Error> deletePreset(const Uuid& id);

    // The presets file, or none for a store in memory.
    const std::optional<std::filesystem::path>& storageURL() const { return storageURL_; }
    // Why the file could not be read at construction (it is then kept at backupFile()).
    const std::optional<Error>& loadProblem() const { return loadProblem_; }
    const std::optional<std::filesystem::path>& backupFile() const { return backupFile_; }
    // Why the file is never written: it holds presets of a newer format (code newerFormat),
    // which a rewrite would lose. None when the file may be written.
    const std::optional<Error>& readOnly() const { return readOnly_; }
    // How many presets of that newer format could not be read at all.
    std::size_t unreadablePresets() const { return unreadablePresets_; }
    // Why the last write failed, or none.
    const std::optional<Error>& writeProblem() const { return writeProblem_; }

  private:
    // Reads the file into the list; a file that exists but does not decode is kept aside.
    void load();
    // Replaces the list by the built-ins and writes them.
    void loadBuiltIn();
    // Keeps the bytes of the unreadable file under a new name beside it; false when that
    // was impossible, in which case the file must not be replaced.
    bool keepUnreadableFile(const std::optional<std::string>& bytes);
    // Writes the whole list atomically and records the outcome in writeProblem_.
    std::optional<Error> write();
    // Replaces the file by `bytes` through a temporary file in its folder, flushed and then
    // renamed over it; on failure the error, and the old file is left as it was.
    std::optional<Error> writeFile(const std::string& bytes) const;

    std::optional<std::filesystem::path> storageURL_;
    std::vector<Preset> presets_;
    Observers observers_;
    std::optional<Error> loadProblem_;
    std::optional<std::filesystem::path> backupFile_;
    std::optional<Error> writeProblem_;
    std::optional<Error> readOnly_;
    std::size_t unreadablePresets_ = 0;
    // Set when an unreadable file could not be kept aside: it is then never written over.
    bool mustNotReplaceFile_ = false;
};
