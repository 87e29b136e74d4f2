// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCoreApplication>
#include <QString>

#include "Models/Error.h"

// The sentence the window shows for an error of the core: chosen by its code and written
// here, in the user's language; the core's untranslated detail fills in what only it knows
// (a system message, which rule, which name).
class ErrorText {
    Q_DECLARE_TR_FUNCTIONS(ErrorText)

  public:
    static QString sentence(const Error& error);
};
