// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Any bytes through the readers of rules and presets: no crash, no hang, and whatever decodes
// encodes and decodes again to an equal value.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "Models/RenameRule.h"
#include "Services/JsonDocument.h"
#include "Services/PresetManager.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    if (auto presets = PresetManager::decodePresets(bytes)) {
        auto again = PresetManager::decodePresets(PresetManager::encodePresets(*presets));
        if (!again || *again != *presets) {
            std::abort();
        }
    }

    auto document = JsonDocument::parse(bytes);
    if (document && document->is_array()) {
        for (const auto& element : *document) {
            if (auto rule = RenameRule::fromJson(element)) {
                auto again = RenameRule::fromJson(rule->toJson());
                if (!again || *again != *rule) {
                    std::abort();
                }
            }
        }
    }
    return 0;
}
