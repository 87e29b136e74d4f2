// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include "Models/RenameRule.h"

// The one-line description of a rule's options shown under its name in the rule list, for
// example: Replace “draft” → “final”. Reads only the fields the rule's kind uses.
QString ruleSummary(const RenameRule& rule);
