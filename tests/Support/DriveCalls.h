// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <utility>

#include "Services/PosixCalls.h"

// A folder of this disk as a drive of another kind reports itself: its statfs type and, for
// FUSE, its type in the mount table. Everything else is the real disk.
class DriveCalls : public PosixCalls {
  public:
    DriveCalls(long type, std::string mounted) : type_(type), mounted_(std::move(mounted)) {}
    int fileSystemType(const char*, long& type) override {
        type = type_;
        return 0;
    }
    int mountType(const char*, std::string& type) override {
        type = mounted_;
        return 0;
    }

  private:
    long type_;
    std::string mounted_;
};
