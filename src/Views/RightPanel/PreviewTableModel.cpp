// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Views/RightPanel/PreviewTableModel.h"

#include <QBrush>
#include <QColor>
#include <QFont>

#include "Models/Utf8.h"
#include "ViewModels/AppViewModel.h"
#include "Views/Shared/ChangeWatcher.h"
#include "Views/Shared/ErrorText.h"
#include "Views/Shared/Icons.h"

PreviewTableModel::PreviewTableModel(AppViewModel& model, QObject* parent)
    : QAbstractTableModel(parent),
      model_(model),
      preview_(model.sharedPreview()),
      conflictIcon_(Icons::bundled(QStringLiteral("exclamationmark.triangle.fill"))),
      problemIcon_(Icons::bundled(QStringLiteral("xmark.circle.fill"))) {
    watcher_ = new ChangeWatcher(
        model_, [this] { refresh(); }, this);
    refresh();
}

int PreviewTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(preview_->entries.size());
}

bool PreviewTableModel::isRow(const QModelIndex& index) const {
    // Views ask about invalid indexes as a matter of course; checkIndex() would warn.
    return index.isValid() && index.model() == this && !index.parent().isValid() &&
           index.row() < rowCount() && index.column() < ColumnCount;
}

int PreviewTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

PreviewTableModel::Status PreviewTableModel::statusOf(const PreviewEntry& entry) {
    // A name that cannot be used at all outranks a clash with another row.
    if (entry.problem) {
        return Status::problem;
    }
    if (entry.hasConflict) {
        return Status::conflict;
    }
    return entry.preview == entry.original ? Status::unchanged : Status::changed;
}

PreviewTableModel::Status PreviewTableModel::statusAt(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= preview_->entries.size()) {
        return Status::unchanged;
    }
    return statusOf(preview_->entries[static_cast<std::size_t>(row)]);
}

bool PreviewTableModel::isChecked(int row) const {
    return row >= 0 && static_cast<std::size_t>(row) < preview_->items->size() &&
           (*preview_->items)[static_cast<std::size_t>(row)].isSelected;
}

QString PreviewTableModel::explanation(const PreviewEntry& entry, bool checked) const {
    // The names in full first: the cells cut long ones short.
    QString text = QString::fromStdString(entry.original) + QStringLiteral(" → ") +
                   QString::fromStdString(entry.preview);
    switch (statusOf(entry)) {
        case Status::problem:
            text += QLatin1Char('\n') + ErrorText::sentence(*entry.problem);
            break;
        case Status::conflict:
            text += QLatin1Char('\n') +
                    tr("An item above gets the same name; this one will be skipped.");
            break;
        case Status::unchanged:
            text += QLatin1Char('\n') + tr("The name stays as it is.");
            break;
        case Status::changed:
            break;
    }
    if (entry.warning) {
        text += QLatin1Char('\n') + ErrorText::sentence(*entry.warning);
    }
    if (!checked) {
        text += QLatin1Char('\n') + tr("Not checked: it will not be renamed.");
    }
    return text;
}

QVariant PreviewTableModel::data(const QModelIndex& index, int role) const {
    if (!isRow(index)) {
        return {};
    }
    const PreviewEntry& entry = preview_->entries[static_cast<std::size_t>(index.row())];
    const Status status = statusOf(entry);
    const bool checked = isChecked(index.row());
    const int column = index.column();
    switch (role) {
        case Qt::DisplayRole:
            // Controls in a name are shown, not obeyed, so that no name can pass for another.
            if (column == OriginalColumn) {
                return QString::fromStdString(Utf8::escapeControls(entry.original));
            }
            if (column == ArrowColumn) {
                return QStringLiteral("→");
            }
            if (column == NewNameColumn) {
                return QString::fromStdString(Utf8::escapeControls(entry.preview));
            }
            return {};
        case Qt::DecorationRole:
            if (column == NewNameColumn && status == Status::conflict) {
                return conflictIcon_;
            }
            if (column == NewNameColumn && status == Status::problem) {
                return problemIcon_;
            }
            return {};
        case Qt::ForegroundRole:
            // An entry left unchecked is not renamed: it is drawn faint, whatever its state.
            if (!checked) {
                return QBrush(QColor(0xae, 0xb3, 0xbb));
            }
            if (status == Status::conflict) {
                return QBrush(QColor(0xb4, 0x53, 0x09));
            }
            if (status == Status::problem) {
                return QBrush(QColor(0xb9, 0x1c, 0x1c));
            }
            if (status == Status::unchanged || column != NewNameColumn) {
                return QBrush(QColor(0x6b, 0x72, 0x80));
            }
            return {};
        case Qt::BackgroundRole:
            if (status == Status::conflict) {
                return QBrush(QColor(0xfe, 0xf3, 0xc7));
            }
            if (status == Status::problem) {
                return QBrush(QColor(0xfe, 0xe2, 0xe2));
            }
            return {};
        case Qt::FontRole:
            if (!checked) {
                QFont font;
                font.setItalic(true);
                return font;
            }
            if (column == NewNameColumn && status == Status::changed) {
                QFont font;
                font.setWeight(QFont::DemiBold);
                return font;
            }
            return {};
        case Qt::ToolTipRole:
            return explanation(entry, checked);
        case Qt::TextAlignmentRole:
            if (column == ArrowColumn) {
                return QVariant(Qt::AlignCenter);
            }
            return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        default:
            return {};
    }
}

Qt::ItemFlags PreviewTableModel::flags(const QModelIndex& index) const {
    if (!isRow(index)) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

QVariant PreviewTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    switch (section) {
        case OriginalColumn:
            return tr("Original");
        case ArrowColumn:
            return QString();
        case NewNameColumn:
            return tr("New Name");
        default:
            return {};
    }
}

void PreviewTableModel::refresh() {
    auto preview = model_.sharedPreview();
    if (preview == preview_) {
        return;
    }
    // Counted with the preview, off the main thread.
    const std::size_t changed = preview->renames;
    if (preview->entries.size() == preview_->entries.size()) {
        preview_ = std::move(preview);
        changed_ = changed;
        if (rowCount() > 0) {
            emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
        }
        return;
    }
    beginResetModel();
    preview_ = std::move(preview);
    changed_ = changed;
    endResetModel();
}
