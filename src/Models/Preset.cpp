#include "Models/Preset.h"

#include <nlohmann/json.hpp>

Preset::Preset(std::string presetName, std::vector<RenameRule> presetRules)
    : Preset(Uuid::random(), std::move(presetName), std::move(presetRules), Clock::now()) {}

Preset::Preset(Uuid presetId, std::string presetName, std::vector<RenameRule> presetRules,
               Clock::time_point madeAt, std::string presetIcon)
    : id(presetId),
      name(std::move(presetName)),
      rules(std::move(presetRules)),
      createdAt(madeAt),
      icon(std::move(presetIcon)) {}

// Placeholder encoding until the presets file lands.
nlohmann::json Preset::toJson() const {
    return nlohmann::json::object();
}

Result<Preset> Preset::fromJson(const nlohmann::json&) {
    return Error{Error::Code::invalidJson, "not yet readable"};
}
