#include "Services/PresetManager.h"

// Placeholder store in memory until the presets file lands.
PresetManager::PresetManager() : PresetManager(std::nullopt) {}

PresetManager::PresetManager(std::optional<std::filesystem::path> storageFile)
    : storageURL_(std::move(storageFile)), presets_(builtInPresets()) {}

std::optional<std::filesystem::path> PresetManager::defaultStorageFile() {
    return std::nullopt;
}

std::vector<Preset> PresetManager::builtInPresets() {
    return {};
}

Result<std::vector<Preset>> PresetManager::decodePresets(const std::string&) {
    return Error{Error::Code::invalidJson, "not yet readable"};
}

std::string PresetManager::encodePresets(const std::vector<Preset>&) {
    return "[]";
}

std::optional<Error> PresetManager::save(const Preset& preset) {
    presets_.push_back(preset);
    observers_.notify();
    return write();
}

std::optional<Error> PresetManager::deletePreset(const Uuid& id) {
    std::erase_if(presets_, [&](const Preset& p) { return p.id == id; });
    observers_.notify();
    return write();
}

std::optional<Error> PresetManager::write() {
    return std::nullopt;
}
