// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Views/Shared/Icons.h"

#include <QFile>
#include <QHash>

// The resources live in a static library, whose initialiser the linker may drop unless it is
// referenced; the macro declares a global function, so this stays outside any namespace.
static void loadResources() {
    static const bool loaded = [] {
        Q_INIT_RESOURCE(Icons);
        return true;
    }();
    (void)loaded;
}

namespace {

// Symbol name → the freedesktop theme's standard icon name. Symbols missing here only ever
// use the bundled SVG.
const QHash<QString, QString>& themeNames() {
    static const QHash<QString, QString> names{
        {QStringLiteral("plus.circle"), QStringLiteral("list-add")},
        {QStringLiteral("arrow.uturn.backward"), QStringLiteral("edit-undo")},
        {QStringLiteral("arrow.uturn.forward"), QStringLiteral("edit-redo")},
        {QStringLiteral("list.bullet.rectangle"), QStringLiteral("view-list-details")},
        {QStringLiteral("doc"), QStringLiteral("text-x-generic")},
        {QStringLiteral("folder"), QStringLiteral("folder")},
        {QStringLiteral("magnifyingglass"), QStringLiteral("edit-find")},
        {QStringLiteral("square.and.arrow.up"), QStringLiteral("document-save-as")},
        {QStringLiteral("trash"), QStringLiteral("list-remove")},
        {QStringLiteral("folder.badge.magnifyingglass"), QStringLiteral("system-file-manager")},
        {QStringLiteral("ellipsis.circle"), QStringLiteral("open-menu")},
        {QStringLiteral("arrow.up"), QStringLiteral("view-sort-ascending")},
        {QStringLiteral("arrow.down"), QStringLiteral("view-sort-descending")},
    };
    return names;
}

}  // namespace

namespace Icons {

QString resourcePath(const QString& symbol) {
    return QStringLiteral(":/icons/%1.svg").arg(symbol);
}

QIcon bundled(const QString& symbol) {
    loadResources();
    const QString path = resourcePath(symbol);
    return QFile::exists(path) ? QIcon(path) : QIcon();
}

QIcon icon(const QString& symbol) {
    const QIcon fallback = bundled(symbol);
    const auto found = themeNames().find(symbol);
    if (found == themeNames().end()) {
        return fallback;
    }
    return QIcon::fromTheme(found.value(), fallback);
}

}  // namespace Icons
