// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Views/Shared/ChangeWatcher.h"

#include <QMetaObject>

#include "ViewModels/AppViewModel.h"

ChangeWatcher::ChangeWatcher(AppViewModel& model, std::function<void()> refresh, QObject* parent)
    : QObject(parent), refresh_(std::move(refresh)) {
    subscription_ = model.subscribe([this] { schedule(); });
}

void ChangeWatcher::schedule() {
    if (pending_) {
        return;
    }
    pending_ = true;
    QMetaObject::invokeMethod(
        this, [this] { flush(); }, Qt::QueuedConnection);
}

void ChangeWatcher::flush() {
    if (!pending_) {
        return;
    }
    pending_ = false;
    refresh_();
}
