// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Views/RightPanel/PreviewPanelView.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "ViewModels/AppViewModel.h"
#include "Views/RightPanel/PreviewTableModel.h"
#include "Views/Shared/ChangeWatcher.h"
#include "Views/Shared/FileDialogs.h"
#include "Views/Shared/Icons.h"
#include "Views/Shared/Texts.h"

PreviewPanelView::PreviewPanelView(AppViewModel& model, QWidget* parent)
    : QWidget(parent), model_(model) {
    setObjectName(QStringLiteral("previewPanel"));

    auto* title = new QLabel(tr("Preview"), this);
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.1);
    title->setFont(bold);
    conflictIcon_ = new QLabel(this);
    conflictIcon_->setPixmap(
        Icons::bundled(QStringLiteral("exclamationmark.triangle.fill")).pixmap(16, 16));
    conflicts_ = new QLabel(this);
    conflicts_->setObjectName(QStringLiteral("previewConflicts"));
    auto* header = new QHBoxLayout;
    header->setContentsMargins(10, 10, 10, 6);
    header->addWidget(title);
    header->addStretch();
    header->addWidget(conflictIcon_);
    header->addWidget(conflicts_);

    reading_ = new QLabel(this);
    reading_->setObjectName(QStringLiteral("previewReading"));
    reading_->setContentsMargins(10, 0, 10, 4);
    reading_->setStyleSheet(QStringLiteral("color: palette(mid);"));
    reading_->hide();

    tableModel_ = new PreviewTableModel(model_, this);
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("previewTable"));
    table_->setModel(tableModel_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setShowGrid(false);
    table_->setWordWrap(false);
    table_->setTextElideMode(Qt::ElideMiddle);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 8);
    auto* columns = table_->horizontalHeader();
    columns->setHighlightSections(false);
    columns->setSectionResizeMode(PreviewTableModel::OriginalColumn, QHeaderView::Stretch);
    columns->setSectionResizeMode(PreviewTableModel::ArrowColumn, QHeaderView::Fixed);
    columns->resizeSection(PreviewTableModel::ArrowColumn, 22);
    columns->setSectionResizeMode(PreviewTableModel::NewNameColumn, QHeaderView::Stretch);

    empty_ = new QLabel(tr("Add files and rules to see the new names here."), this);
    static_cast<QLabel*>(empty_)->setAlignment(Qt::AlignCenter);
    static_cast<QLabel*>(empty_)->setWordWrap(true);
    empty_->setContentsMargins(16, 16, 16, 16);
    empty_->setStyleSheet(QStringLiteral("color: palette(mid);"));
    stack_ = new QStackedWidget(this);
    stack_->addWidget(empty_);
    stack_->addWidget(table_);

    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("previewSummary"));
    // Wraps rather than being cut off beside the button in a narrow panel.
    summary_->setWordWrap(true);
    export_ =
        new QPushButton(Icons::icon(QStringLiteral("square.and.arrow.up")), tr("Export CSV"), this);
    export_->setObjectName(QStringLiteral("exportButton"));
    export_->setToolTip(tr("Save the preview as a comma-separated file"));
    connect(export_, &QPushButton::clicked, this,
            [this] { FileDialogs::exportPreview(model_, this); });
    auto* footer = new QHBoxLayout;
    footer->setContentsMargins(10, 6, 10, 8);
    footer->addWidget(summary_, 1);
    footer->addWidget(export_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(header);
    layout->addWidget(reading_);
    layout->addWidget(stack_, 1);
    layout->addLayout(footer);

    watcher_ = new ChangeWatcher(
        model_, [this] { refresh(); }, this);
    refresh();
}

void PreviewPanelView::refresh() {
    // The table model may not have re-read yet in this turn; the panel's counts must match it.
    tableModel_->refresh();
    const auto& previews = model_.previews();
    stack_->setCurrentWidget(previews.empty() ? empty_ : static_cast<QWidget*>(table_));
    const std::size_t conflicts = model_.conflictCount();
    conflictIcon_->setVisible(conflicts > 0);
    conflicts_->setText(tr("%n conflict(s)", nullptr, Texts::count(conflicts)));
    conflicts_->setStyleSheet(conflicts > 0 ? QStringLiteral("color: #b45309; font-weight: bold;")
                                            : QStringLiteral("color: palette(mid);"));
    // Only what a rename would do counts: unchecked entries and unusable names do not.
    summary_->setText(previews.empty() ? QString()
                                       : tr("%n of %1 will be renamed", nullptr,
                                            Texts::count(tableModel_->changedCount()))
                                             .arg(previews.size()));
    export_->setEnabled(!previews.empty());
    const auto [done, total] = model_.metadataProgress();
    reading_->setVisible(model_.isReadingMetadata());
    reading_->setText(tr("Reading metadata\u2026 %1 of %2").arg(done).arg(total));
}
