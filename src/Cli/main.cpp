// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CommandLine.h"

int main(int argc, char** argv) {
    return CommandLine::run(argc, argv);
}
