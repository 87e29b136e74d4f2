// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "App/Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

#include <array>
#include <memory>

namespace Translations {
namespace {

// The translators in use, English forms first; later ones are asked first.
std::array<std::unique_ptr<QTranslator>, 3>& installed() {
    static std::array<std::unique_ptr<QTranslator>, 3> translators;
    return translators;
}

void replace(std::unique_ptr<QTranslator>& slot, std::unique_ptr<QTranslator> next) {
    if (slot) {
        QCoreApplication::removeTranslator(slot.get());
    }
    slot = std::move(next);
    if (slot) {
        QCoreApplication::installTranslator(slot.get());
    }
}

std::unique_ptr<QTranslator> loaded(const QLocale& locale, const QString& name,
                                    const QString& from) {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(locale, name, QStringLiteral("_"), from)) {
        return nullptr;
    }
    return translator;
}

}  // namespace

QString folder() {
    const QString installed =
        QDir(QCoreApplication::applicationDirPath())
            .absoluteFilePath(QStringLiteral("../share/quorvane/translations"));
    if (QFileInfo(installed).isDir()) {
        return QDir::cleanPath(installed);
    }
    return QStringLiteral(QUORVANE_BUILD_TRANSLATIONS);
}

bool install(const QLocale& locale, const QString& from) {
    auto& in = installed();
    replace(in[0], loaded(QLocale(QLocale::English), QStringLiteral("quorvane"), from));
    const bool english = locale.language() == QLocale::English || locale.language() == QLocale::C;
    replace(in[1], english ? nullptr : loaded(locale, QStringLiteral("quorvane"), from));
    replace(in[2], english ? nullptr
                           : loaded(locale, QStringLiteral("qtbase"),
                                    QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
    return english || in[1] != nullptr;
}

}  // namespace Translations
