// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLocale>
#include <QString>

// The window's translations: quorvane_en for the English singular and plural forms, then
// the one for the locale's language (quorvane_de, ...), and Qt's own for its dialogs.
namespace Translations {

// The folder of the .qm files: share/quorvane/translations beside the installed program,
// else the build folder's.
QString folder();
// Installs the translations for `locale` from `from` into the application, replacing any
// installed before (once per call; needs a QCoreApplication). A language without a file of
// its own is shown in English. Returns whether the locale's own translation was found (true
// for English).
bool install(const QLocale& locale = QLocale::system(), const QString& from = folder());

}  // namespace Translations
