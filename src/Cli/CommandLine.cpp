#include "CommandLine.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string_view>

#include "Services/RenameEngine.h"

namespace CommandLine {

bool isSubcommand(const char* argument) {
    const std::string_view a = argument ? argument : "";
    return a == "preview" || a == "rename" || a == "parse" || a == "presets" || a == "--help" ||
           a == "-h" || a == "--version";
}

int run(int /*argc*/, char** /*argv*/) {
    // A demo until the subcommands exist: the preview of a few names under two rules.
    namespace fs = std::filesystem;
    const fs::path demo = fs::temp_directory_path() / "quorvane-demo";
    fs::create_directories(demo);
    std::vector<FileItem> files;
    for (const char* name : {"Holiday Photo.JPG", "draft report.txt", "  notes.md", "café.png"}) {
        std::ofstream(demo / name).put('x');
        files.emplace_back(demo / name);
    }
    RenameRule replace(RuleType::replace);
    replace.findText = "draft";
    replace.replaceText = "final";
    RenameRule trim(RuleType::trim);
    for (const auto& e : RenameEngine::preview({replace, trim}, files)) {
        std::cout << e.original << "  \xE2\x86\x92  " << e.preview << '\n';
    }
    return 0;
}

}  // namespace CommandLine
