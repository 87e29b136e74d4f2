// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Views/ProgressOverlayView.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "ViewModels/AppViewModel.h"
#include "Views/Shared/ChangeWatcher.h"

ProgressOverlayView::ProgressOverlayView(AppViewModel& model, QWidget* parent)
    : QWidget(parent), model_(model) {
    setObjectName(QStringLiteral("progressOverlay"));
    setAttribute(Qt::WA_NoMousePropagation);

    auto* card = new QFrame(this);
    card->setObjectName(QStringLiteral("progressCard"));
    card->setFixedWidth(320);
    card->setStyleSheet(
        QStringLiteral("#progressCard { background: palette(window); border-radius: 12px; "
                       "border: 1px solid palette(mid); }"));
    auto* cardLayout = new QVBoxLayout(card);
    cardLayout->setContentsMargins(24, 20, 24, 20);
    cardLayout->setSpacing(12);
    text_ = new QLabel(tr("Renaming files..."), card);
    text_->setAlignment(Qt::AlignCenter);
    bar_ = new QProgressBar(card);
    bar_->setTextVisible(true);
    cancel_ = new QPushButton(tr("Cancel"), card);
    cardLayout->addWidget(text_);
    cardLayout->addWidget(bar_);
    cardLayout->addWidget(cancel_, 0, Qt::AlignCenter);

    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(card, 0, Qt::AlignCenter);
    layout->addStretch();

    connect(cancel_, &QPushButton::clicked, this, [this] {
        model_.cancelRename();
        cancel_->setEnabled(false);
    });
    parent->installEventFilter(this);
    setGeometry(parent->rect());
    watcher_ = new ChangeWatcher(
        model_, [this] { refresh(); }, this);
    refresh();
}

bool ProgressOverlayView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent() && event->type() == QEvent::Resize) {
        setGeometry(parentWidget()->rect());
    }
    return QWidget::eventFilter(watched, event);
}

void ProgressOverlayView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0, 0, 0, 90));
}

void ProgressOverlayView::refresh() {
    const bool running = model_.isRenaming();
    // By what was asked of this widget, not by what shows: a child that was never hidden
    // would appear with its window, over an idle list.
    if (running == isHidden()) {
        if (running) {
            cancel_->setEnabled(true);
            raise();
            show();
            cancel_->setFocus();
        } else {
            hide();
        }
    }
    const auto [done, total] = model_.renameProgress();
    if (total == 0) {
        // No report yet: an indeterminate bar.
        bar_->setRange(0, 0);
        bar_->setFormat(QString());
    } else {
        // QProgressBar counts in int; a batch of more than 2^31 moves shows as a fraction.
        const int scale = total > 1'000'000'000 ? 1000 : 1;
        bar_->setRange(0, static_cast<int>(total / static_cast<std::size_t>(scale)));
        bar_->setValue(static_cast<int>(done / static_cast<std::size_t>(scale)));
        bar_->setFormat(tr("%1 of %2").arg(done).arg(total));
    }
}
