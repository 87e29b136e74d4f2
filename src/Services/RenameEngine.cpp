#include "Services/RenameEngine.h"

#include <unicode/locid.h>

#include <unordered_set>

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
                                  const std::vector<FileItem>& files, Clock::time_point now) {
    const RuleProgram program(rules, now);
    auto scratch = program.makeScratch();
    std::vector<PreviewEntry> entries;
    entries.reserve(files.size());
    std::unordered_set<std::string> seen;
    seen.reserve(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        const FileItem& item = files[i];
        PreviewEntry entry;
        entry.original = item.originalName();
        entry.preview = program.finalName(item, static_cast<std::int64_t>(i), scratch);
        entry.hasConflict = !seen.insert(conflictKey(entry.preview)).second;
        if (!item.hasValidName()) {
            entry.problem = NameCheck::nameNotUtf8().detail;
        } else if (auto invalid = NameCheck::checkNewName(entry.preview)) {
            entry.problem = invalid->detail;
        }
        entries.push_back(std::move(entry));
    }
    return entries;
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
