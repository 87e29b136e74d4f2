// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Views/HistoryDialog.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "Models/Utf8.h"
#include "Services/RenameHistory.h"
#include "ViewModels/AppViewModel.h"
#include "Views/Shared/ChangeWatcher.h"
#include "Views/Shared/Texts.h"

namespace {

QString stateText(HistoryBatch::State state) {
    switch (state) {
        case HistoryBatch::State::undone:
            return HistoryDialog::tr("Undone");
        case HistoryBatch::State::interrupted:
            return HistoryDialog::tr("Interrupted");
        case HistoryBatch::State::done:
            break;
    }
    return HistoryDialog::tr("Done");
}

// A folder as the window shows names: bytes that are not UTF-8 and controls escaped.
QString shown(const std::string& bytes) {
    const std::string text = Utf8::escapeControls(bytes);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QString HistoryDialog::keepKey() {
    return QStringLiteral("history/keep");
}

HistoryDialog::HistoryDialog(AppViewModel& model, QWidget* parent)
    : QDialog(parent), model_(model) {
    setObjectName(QStringLiteral("historyDialog"));
    setWindowTitle(tr("History"));
    resize(760, 420);

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("historyList"));
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setHeaderLabels({tr("Time"), tr("Folders"), tr("Items"), tr("State")});
    list_->header()->setStretchLastSection(false);
    list_->header()->setSectionResizeMode(1, QHeaderView::Stretch);

    unreadable_ = new QLabel(this);
    unreadable_->setWordWrap(true);
    unreadable_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    keep_ = new QSpinBox(this);
    keep_->setObjectName(QStringLiteral("historyKeep"));
    keep_->setRange(1, 100000);
    keep_->setValue(static_cast<int>(RenameHistory::keep()));
    auto* keepRow = new QHBoxLayout;
    auto* keepLabel = new QLabel(tr("Keep the newest batches:"), this);
    keepLabel->setBuddy(keep_);
    keepRow->addWidget(keepLabel);
    keepRow->addWidget(keep_);
    keepRow->addStretch();

    auto* buttons = new QDialogButtonBox(this);
    undo_ = buttons->addButton(tr("Undo Batch"), QDialogButtonBox::ActionRole);
    redo_ = buttons->addButton(tr("Redo Batch"), QDialogButtonBox::ActionRole);
    buttons->addButton(QDialogButtonBox::Close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(unreadable_);
    layout->addLayout(keepRow);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QTreeWidget::itemSelectionChanged, this, [this] { review(); });
    connect(undo_, &QPushButton::clicked, this, [this] { model_.undoBatch(selectedId()); });
    connect(redo_, &QPushButton::clicked, this, [this] { model_.redoBatch(selectedId()); });
    connect(keep_, &QSpinBox::valueChanged, this, [](int value) {
        QSettings store(QStringLiteral("Quorvane"), QStringLiteral("Quorvane"));
        store.setValue(keepKey(), value);
        store.sync();
    });

    watcher_ = new ChangeWatcher(
        model_, [this] { fill(); }, this);
    fill();
    model_.loadHistory();
}

std::string HistoryDialog::selectedId() const {
    const auto items = list_->selectedItems();
    return items.isEmpty() ? std::string()
                           : items.front()->data(0, Qt::UserRole).toString().toStdString();
}

void HistoryDialog::fill() {
    const std::string selected = selectedId();
    const auto& history = model_.history();
    list_->clear();
    for (const auto& batch : history.batches) {
        QStringList folders;
        for (const auto& folder : batch.folders) {
            folders << shown(folder);
        }
        const QDateTime time = QDateTime::fromMSecsSinceEpoch(batch.time / 1000).toLocalTime();
        auto* item = new QTreeWidgetItem(
            list_,
            {QLocale().toString(time, QLocale::ShortFormat), folders.join(QStringLiteral(", ")),
             QLocale().toString(static_cast<qulonglong>(batch.count)), stateText(batch.state)});
        item->setData(0, Qt::UserRole, QString::fromStdString(batch.id));
        item->setData(0, Qt::UserRole + 1, static_cast<int>(batch.state));
        item->setToolTip(1, folders.join(QLatin1Char('\n')));
        if (batch.id == selected) {
            item->setSelected(true);
        }
    }
    for (int column : {0, 2, 3}) {
        list_->resizeColumnToContents(column);
    }
    if (history.unreadable.empty()) {
        unreadable_->hide();
    } else {
        QStringList files;
        for (const auto& file : history.unreadable) {
            files << shown(file);
        }
        unreadable_->setText(tr("%n journal(s) cannot be read and were kept aside: %1", nullptr,
                                Texts::count(static_cast<std::int64_t>(files.size())))
                                 .arg(files.join(QStringLiteral(", "))));
        unreadable_->show();
    }
    review();
}

void HistoryDialog::review() {
    const auto items = list_->selectedItems();
    const int state = items.isEmpty() ? -1 : items.front()->data(0, Qt::UserRole + 1).toInt();
    const bool idle = !model_.isRenaming();
    undo_->setEnabled(idle && state == static_cast<int>(HistoryBatch::State::done));
    redo_->setEnabled(idle && state == static_cast<int>(HistoryBatch::State::undone));
}
