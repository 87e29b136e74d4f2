// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "App/SingleInstance.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>

#include <string>

namespace {

const QString kInterface = QStringLiteral("io.github.quorvane.Quorvane");

// Long enough for a window busy starting up; a window that never answers costs this once,
// and then the locations get a window of their own.
constexpr int kCallTimeoutMs = 15000;

}  // namespace

SingleInstance::SingleInstance(QObject* parent) : QObject(parent) {
    qDBusRegisterMetaType<QList<QByteArray>>();
}

SingleInstance::~SingleInstance() {
    if (serving_) {
        QDBusConnection bus = QDBusConnection::sessionBus();
        bus.unregisterService(QString::fromLatin1(kServiceName));
        bus.unregisterObject(QString::fromLatin1(kObjectPath));
    }
}

bool SingleInstance::handOver(const std::vector<std::filesystem::path>& locations) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || bus.interface() == nullptr) {
        return false;
    }
    const QString service = QString::fromLatin1(kServiceName);
    const QString path = QString::fromLatin1(kObjectPath);
    // The object is there before the name, so that no start that finds the name finds no
    // object; calls wait in the queue until the event loop runs.
    if (bus.registerObject(path, this, QDBusConnection::ExportScriptableSlots)) {
        const auto reply =
            bus.interface()->registerService(service, QDBusConnectionInterface::DontQueueService,
                                             QDBusConnectionInterface::DontAllowReplacement);
        if (reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered) {
            serving_ = true;
            return false;
        }
        bus.unregisterObject(path);
    }

    QList<QByteArray> paths;
    paths.reserve(static_cast<qsizetype>(locations.size()));
    for (const auto& location : locations) {
        const std::string& bytes = location.native();
        paths.append(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(service, path, kInterface, QStringLiteral("AddPaths"));
    call << QVariant::fromValue(paths);
    const QDBusMessage answer = bus.call(call, QDBus::Block, kCallTimeoutMs);
    return answer.type() == QDBusMessage::ReplyMessage;
}

void SingleInstance::setReceiver(Receiver receiver) {
    receiver_ = std::move(receiver);
    auto waiting = std::move(pending_);
    pending_.clear();
    for (auto& locations : waiting) {
        receiver_(std::move(locations));
    }
}

void SingleInstance::AddPaths(const QList<QByteArray>& paths) {
    std::vector<std::filesystem::path> locations;
    locations.reserve(static_cast<std::size_t>(paths.size()));
    for (const QByteArray& bytes : paths) {
        // A relative path would be taken against this process's folder, not the caller's.
        if (bytes.startsWith('/')) {
            locations.emplace_back(std::string(bytes.constData(), bytes.size()));
        }
    }
    if (receiver_) {
        receiver_(std::move(locations));
    } else {
        pending_.push_back(std::move(locations));
    }
}
