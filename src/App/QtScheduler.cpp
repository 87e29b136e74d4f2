// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "App/QtScheduler.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThreadPool>

void QtScheduler::runInBackground(std::function<void()> work) {
    QThreadPool::globalInstance()->start(std::move(work));
}

void QtScheduler::postToMain(std::function<void()> work) {
    // Queued on the application object, which lives on the main thread.
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(work), Qt::QueuedConnection);
}
