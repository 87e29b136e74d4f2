// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "BenchSupport.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <stdexcept>

namespace BenchSupport {

std::vector<std::string> names(std::size_t count) {
    static const std::array<const char*, 8> words{"holiday", "draft", "Report", "scan",
                                                  "café",    "final", "notes",  "  spaced  "};
    static const std::array<const char*, 5> extensions{"JPG", "txt", "pdf", "mp3", "md"};
    std::vector<std::string> out;
    out.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        // Appended piecewise: GCC 12 warns falsely on long chains of operator+.
        std::string name = "IMG ";
        name.append(std::to_string(i)).append(" ").append(words[i % words.size()]);
        name.append(" ").append(words[(i / 7) % words.size()]).append(".");
        name.append(extensions[i % extensions.size()]);
        out.push_back(std::move(name));
    }
    return out;
}

std::vector<FileItem> items(std::size_t count) {
    std::vector<FileItem> out;
    out.reserve(count);
    for (const auto& name : names(count)) {
        out.emplace_back(std::filesystem::path("/nonexistent") / name, false);
    }
    return out;
}

std::vector<RenameRule> literalReplace() {
    RenameRule replace(RuleType::replace);
    replace.findText = "draft";
    replace.replaceText = "final";
    return {replace};
}

std::vector<RenameRule> chain() {
    RenameRule replace(RuleType::replace);
    replace.findText = "DRAFT";
    replace.replaceText = "final";
    RenameRule regex(RuleType::regex);
    regex.findText = "IMG (\\d+)";
    regex.replaceText = "Photo $1";
    RenameRule titleCase(RuleType::caseConversion);
    titleCase.caseType = CaseConversionType::titleCase;
    RenameRule numbering(RuleType::numbering);
    numbering.numberingPosition = NumberingPosition::suffix;
    RenameRule cleanup(RuleType::cleanup);
    cleanup.removeDuplicateSpaces = true;
    cleanup.trimWhitespace = true;
    return {replace, regex, titleCase, numbering, cleanup};
}

std::vector<RenameRule> everyKind() {
    auto rules = chain();
    RenameRule insert(RuleType::insert);
    insert.insertText = "x-";
    RenameRule remove(RuleType::remove);
    remove.removeTarget = RemoveTarget::firstN;
    remove.removeCount = 2;
    RenameRule trim(RuleType::trim);
    RenameRule date(RuleType::dateStamp);
    RenameRule extension(RuleType::extensionChange);
    extension.newExtension = "jpeg";
    rules.insert(rules.end(), {insert, remove, trim, date, extension});
    return rules;
}

ScratchFolder::ScratchFolder() {
    std::filesystem::path base = std::filesystem::exists("/dev/shm")
                                     ? std::filesystem::path("/dev/shm")
                                     : std::filesystem::temp_directory_path();
    std::string pattern = (base / "quorvane-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a scratch folder");
    }
    path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void ScratchFolder::fill(const std::vector<std::string>& fileNames) const {
    for (const auto& name : fileNames) {
        const int fd = ::open((path_ / name).c_str(), O_CREAT | O_WRONLY | O_EXCL, 0644);
        if (fd >= 0) {
            ::close(fd);
        }
    }
}

}  // namespace BenchSupport
