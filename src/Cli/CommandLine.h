// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The command-line front end of the program.
namespace CommandLine {

// Whether `argument` (the first one after the program name) names a command-line
// subcommand, so that the program runs without a window.
bool isSubcommand(const char* argument);

// Runs the command line and returns the process exit status.
int run(int argc, char** argv);

}  // namespace CommandLine
