// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The whole command line in the process: random arguments and standard input, run inside a
// fresh temporary folder that holds a few files. No crash, no escaped exception, no hang,
// and the exit status is one of the documented ones.
//
// The input is the arguments, one a line, up to the first empty line; the rest is standard
// input, and also the file "input" in the folder. Arguments holding "/" and ".." are left
// out, so that nothing outside the folder can be named.
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "Cli/CommandLine.h"

namespace fs = std::filesystem;

namespace {

void write(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

// Standard streams swapped for string streams for the length of one run.
class Redirected {
  public:
    explicit Redirected(const std::string& input)
        : in_(input),
          cin_(std::cin.rdbuf(in_.rdbuf())),
          cout_(std::cout.rdbuf(out_.rdbuf())),
          cerr_(std::cerr.rdbuf(out_.rdbuf())) {}
    ~Redirected() {
        std::cin.rdbuf(cin_);
        std::cout.rdbuf(cout_);
        std::cerr.rdbuf(cerr_);
        std::cin.clear();
        std::cout.clear();
        std::cerr.clear();
    }
    Redirected(const Redirected&) = delete;
    Redirected& operator=(const Redirected&) = delete;

  private:
    std::istringstream in_;
    std::ostringstream out_;
    std::streambuf* cin_;
    std::streambuf* cout_;
    std::streambuf* cerr_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> arguments{"quorvane"};
    std::size_t at = 0;
    while (at < bytes.size() && arguments.size() < 24) {
        const std::size_t end = std::min(bytes.find('\n', at), bytes.size());
        std::string argument = bytes.substr(at, end - at);
        at = end + 1;
        if (argument.empty()) {
            break;
        }
        if (argument.find('/') == std::string::npos && argument != ".." &&
            argument.find('\0') == std::string::npos) {
            arguments.push_back(std::move(argument));
        }
    }
    const std::string input = at < bytes.size() ? bytes.substr(at) : std::string();

    std::string templ = (fs::temp_directory_path() / "quorvane-fuzz-XXXXXX").string();
    if (::mkdtemp(templ.data()) == nullptr) {
        std::abort();
    }
    const fs::path folder = templ;
    const fs::path before = fs::current_path();
    fs::create_directories(folder / "sub" / "deeper");
    write(folder / "a.txt", "a");
    write(folder / "IMG 001.JPG", "");
    write(folder / "sub" / "b-2.txt", "");
    write(folder / "sub" / "deeper" / "c", "");
    write(folder / "input", input);
    ::setenv("HOME", folder.c_str(), 1);
    ::setenv("XDG_DATA_HOME", (folder / "data").c_str(), 1);
    fs::current_path(folder);

    std::vector<char*> argv;
    for (auto& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    int status = 0;
    {
        const Redirected redirected(input);
        status = CommandLine::run(static_cast<int>(arguments.size()), argv.data());
    }

    fs::current_path(before);
    fs::remove_all(folder);
    if (status < 0 || status > 2) {
        std::abort();
    }
    return 0;
}
