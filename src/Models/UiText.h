// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Marks a text that the window shows, so that the translation tools collect it under
// `context`; it expands to the English text itself, which the core keeps untranslated. The
// window translates it where it shows it (QCoreApplication::translate with the same context).
#define UI_TEXT(context, text) text
// The same for a text with a count (%n) that has singular and plural forms.
#define UI_TEXT_N(context, text) text
