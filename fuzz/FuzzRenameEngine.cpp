// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Random rule lists over random names, including invalid UTF-8 and combining marks: no
// crash, one preview entry per item, and every new name valid UTF-8.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

#include "Models/EnumCases.h"
#include "Models/FileItem.h"
#include "Models/RenameRule.h"
#include "Models/RuleKeys.h"
#include "Models/Utf8.h"
#include "Services/RenameEngine.h"

namespace {

// Reads the fuzzer's bytes as a stream of small decisions and texts.
class Input {
  public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool empty() const { return position_ >= size_; }
    std::uint8_t byte() { return empty() ? 0 : data_[position_++]; }
    std::int64_t number() {
        // Mostly small values, sometimes extremes, so that both ends of every range are hit.
        const auto b = byte();
        if (b == 0xFF) {
            return INT64_MAX;
        }
        if (b == 0xFE) {
            return INT64_MIN;
        }
        return static_cast<std::int64_t>(b % 40) - 8;
    }
    // Raw bytes, as a file name may hold.
    std::string bytes() {
        const std::size_t length = byte() % 12;
        std::string out;
        for (std::size_t i = 0; i < length && !empty(); ++i) {
            out += static_cast<char>(byte());
        }
        return out;
    }
    // Valid UTF-8, as every rule text is (they come from JSON or from the window).
    std::string text() { return Utf8::toValid(bytes()); }
    template <typename E>
    E pick() {
        const auto cases = allCases<E>();
        return cases[byte() % cases.size()];
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

// Every option of the key table gets a value of its type, so a new key is fuzzed too.
RenameRule makeRule(Input& in) {
    RenameRule rule(in.pick<RuleType>());
    for (const auto& key : RuleKeys::all()) {
        std::visit(
            [&](auto member) {
                auto& field = rule.*member;
                using Value = std::remove_cvref_t<decltype(field)>;
                if constexpr (std::is_same_v<Value, std::string>) {
                    field = in.text();
                } else if constexpr (std::is_same_v<Value, bool>) {
                    field = in.byte() % 2 == 0;
                } else if constexpr (std::is_same_v<Value, std::int64_t>) {
                    field = in.number();
                } else if constexpr (std::is_enum_v<Value> && !std::is_same_v<Value, RuleType>) {
                    field = in.pick<Value>();
                }
            },
            key.field);
    }
    return rule;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    std::vector<RenameRule> rules;
    const std::size_t ruleCount = in.byte() % 6;
    for (std::size_t i = 0; i < ruleCount; ++i) {
        rules.push_back(makeRule(in));
    }
    std::vector<FileItem> files;
    while (!in.empty() && files.size() < 8) {
        std::string name = in.bytes();
        if (name.empty() || name.find('/') != std::string::npos ||
            name.find('\0') != std::string::npos) {
            name = "x" + std::to_string(files.size());
        }
        // Items that do not exist on disk: the preview reads nothing but the names.
        files.emplace_back(std::filesystem::path("/nonexistent") / name, in.byte() % 2 == 0);
    }
    const auto entries =
        RenameEngine::preview(rules, files, RenameEngine::Clock::time_point(std::chrono::hours(1)));
    if (entries.size() != files.size()) {
        std::abort();
    }
    for (const auto& entry : entries) {
        if (!Utf8::isValid(entry.preview)) {
            std::abort();
        }
    }
    return 0;
}
