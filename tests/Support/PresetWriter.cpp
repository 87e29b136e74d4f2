// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A test-only program that saves presets into one presets file over and over, so that a test
// can kill it at any moment of a write. Usage: quorvane_preset_writer FILE RULES
//
// Each round g saves the preset "generation g" (always the same id, in this run and the next)
// holding RULES replace rules whose find texts all name g, and only then prints "g\n" on stdout. A
// file written in round g therefore holds the built-in presets and that one preset, every rule
// naming g.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "Services/PresetManager.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: quorvane_preset_writer FILE RULES\n");
        return 2;
    }
    PresetManager store{std::filesystem::path(argv[1])};
    const long count = std::strtol(argv[2], nullptr, 10);
    // A later run goes on replacing the preset of the run before it.
    Uuid id = Uuid::random();
    for (const auto& preset : store.presets()) {
        if (preset.name.rfind("generation ", 0) == 0) {
            id = preset.id;
        }
    }
    for (long generation = 1;; ++generation) {
        std::vector<RenameRule> rules;
        for (long k = 0; k < count; ++k) {
            RenameRule rule(RuleType::replace);
            rule.findText = "g" + std::to_string(generation) + " r" + std::to_string(k);
            rule.replaceText = std::to_string(generation);
            rules.push_back(std::move(rule));
        }
        Preset preset(id, "generation " + std::to_string(generation), std::move(rules),
                      Preset::Clock::now());
        if (auto error = store.save(preset)) {
            std::fprintf(stderr, "%s\n", error->detail.c_str());
            return 1;
        }
        // Unbuffered, so that what the test reads after the kill is every finished round.
        const std::string line = std::to_string(generation) + "\n";
        if (::write(STDOUT_FILENO, line.data(), line.size()) != static_cast<ssize_t>(line.size())) {
            return 1;
        }
    }
}
