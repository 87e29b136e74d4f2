// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Views/Shared/FileManager.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QStringList>

#include "Views/Shared/FileLocations.h"

namespace FileManager {

bool showItems(const std::vector<std::filesystem::path>& items) {
    if (items.empty()) {
        return false;
    }
    QStringList uris;
    for (const auto& item : items) {
        uris.push_back(QString::fromLatin1(FileLocations::toUrl(item).toEncoded()));
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.FileManager1"),
            QStringLiteral("/org/freedesktop/FileManager1"),
            QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
        call << uris << QString();
        // A short wait: the bus starts the file manager on demand, and an answer tells
        // whether one exists.
        const QDBusMessage reply = bus.call(call, QDBus::Block, 2000);
        if (reply.type() == QDBusMessage::ReplyMessage) {
            return true;
        }
    }
    return QDesktopServices::openUrl(FileLocations::toUrl(items.front().parent_path()));
}

}  // namespace FileManager
