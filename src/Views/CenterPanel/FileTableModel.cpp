// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Views/CenterPanel/FileTableModel.h"

#include <algorithm>

#include "Models/Utf8.h"
#include "Views/Shared/ChangeWatcher.h"
#include "Views/Shared/FileLocations.h"
#include "Views/Shared/Icons.h"

FileTableModel::FileTableModel(AppViewModel& model, QObject* parent)
    : QAbstractTableModel(parent),
      model_(model),
      fileIcon_(Icons::icon(QStringLiteral("doc"))),
      folderIcon_(Icons::icon(QStringLiteral("folder"))) {
    watcher_ = new ChangeWatcher(
        model_, [this] { refresh(); }, this);
    refresh();
}

int FileTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

bool FileTableModel::isRow(const QModelIndex& index) const {
    // Views ask about invalid indexes as a matter of course; checkIndex() would warn.
    return index.isValid() && index.model() == this && !index.parent().isValid() &&
           index.row() < rowCount() && index.column() < ColumnCount;
}

int FileTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

void FileTableModel::describe(const Row& row) const {
    if (row.described) {
        return;
    }
    row.described = true;
    // Controls in a name are shown, not obeyed, so that no name can pass for another.
    row.name = QString::fromStdString(Utf8::escapeControls(row.item.url.filename().native()));
    row.folder = QString::fromStdString(Utf8::escapeControls(row.item.parentURL().native()));
    row.size = QString::fromStdString(row.item.fileSizeString());
    row.modified = QString::fromStdString(row.item.modifiedDateString());
}

QVariant FileTableModel::data(const QModelIndex& index, int role) const {
    if (!isRow(index)) {
        return {};
    }
    const Row& row = rows_[static_cast<std::size_t>(index.row())];
    const int column = index.column();
    if (column == CheckColumn) {
        if (role == Qt::CheckStateRole) {
            return row.item.isSelected ? Qt::Checked : Qt::Unchecked;
        }
        if (role == Qt::ToolTipRole) {
            return row.item.isSelected ? tr("Will be renamed") : tr("Will be left as it is");
        }
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
            describe(row);
            switch (column) {
                case NameColumn:
                    return row.name;
                case FolderColumn:
                    return row.folder;
                case SizeColumn:
                    return row.size;
                case ModifiedColumn:
                    return row.modified;
                default:
                    return {};
            }
        case Qt::DecorationRole:
            if (column == NameColumn) {
                return row.item.isDirectory ? folderIcon_ : fileIcon_;
            }
            return {};
        case Qt::ToolTipRole:
            if (column == NameColumn || column == FolderColumn) {
                return FileLocations::toText(row.item.url);
            }
            return {};
        case Qt::TextAlignmentRole:
            if (column == SizeColumn) {
                return QVariant(Qt::AlignRight | Qt::AlignVCenter);
            }
            return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        default:
            return {};
    }
}

bool FileTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!isRow(index) || index.column() != CheckColumn || role != Qt::CheckStateRole) {
        return false;
    }
    const bool checked = value.value<Qt::CheckState>() == Qt::Checked;
    model_.setFileSelected(rows_[static_cast<std::size_t>(index.row())].item.id, checked);
    // Show the click at once rather than on the next turn of the event loop.
    watcher_->flush();
    return true;
}

Qt::ItemFlags FileTableModel::flags(const QModelIndex& index) const {
    if (!isRow(index)) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (index.column() == CheckColumn) {
        flags |= Qt::ItemIsUserCheckable;
    }
    return flags;
}

QVariant FileTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    if (role == Qt::DisplayRole) {
        switch (section) {
            case NameColumn:
                return tr("Name");
            case FolderColumn:
                return tr("Folder");
            case SizeColumn:
                return tr("Size");
            case ModifiedColumn:
                return tr("Date Modified");
            default:
                return QString();
        }
    }
    if (role == Qt::ToolTipRole && section == CheckColumn) {
        return tr("Checked entries are renamed");
    }
    return {};
}

const FileItem* FileTableModel::itemAt(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) {
        return nullptr;
    }
    return &rows_[static_cast<std::size_t>(row)].item;
}

int FileTableModel::rowOf(const Uuid& id) const {
    const auto found = rowById_.find(id);
    return found == rowById_.end() ? -1 : found->second;
}

std::vector<FileItem> FileTableModel::itemsAt(const std::vector<int>& rows) const {
    std::vector<int> sorted = rows;
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    std::vector<FileItem> items;
    items.reserve(sorted.size());
    for (int row : sorted) {
        if (const FileItem* item = itemAt(row)) {
            items.push_back(*item);
        }
    }
    return items;
}

bool FileTableModel::sameSource() const {
    if (model_.sortOrder() != sortOrder_ || model_.sortReversed() != sortReversed_ ||
        model_.filterText() != filterText_ || model_.showOnlyFiles() != showOnlyFiles_ ||
        model_.showOnlyFolders() != showOnlyFolders_) {
        return false;
    }
    const auto& files = model_.files();
    if (files.size() != source_.size()) {
        return false;
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        const FileItem& now = files[i];
        const FileItem& then = source_[i];
        if (now.id != then.id || now.isDirectory != then.isDirectory || now.url != then.url) {
            return false;
        }
    }
    return true;
}

void FileTableModel::refresh() {
    if (sameSource()) {
        // The same entries in the same rows: only check marks can differ.
        const auto& files = model_.files();
        int first = -1;
        int last = -1;
        for (std::size_t i = 0; i < files.size(); ++i) {
            if (files[i].isSelected == source_[i].isSelected) {
                continue;
            }
            source_[i].isSelected = files[i].isSelected;
            const int row = rowOf(files[i].id);
            if (row < 0) {
                continue;
            }
            rows_[static_cast<std::size_t>(row)].item.isSelected = files[i].isSelected;
            first = first < 0 ? row : std::min(first, row);
            last = std::max(last, row);
        }
        if (first >= 0) {
            emit dataChanged(index(first, CheckColumn), index(last, CheckColumn),
                             {Qt::CheckStateRole, Qt::ToolTipRole});
        }
        return;
    }

    beginResetModel();
    source_ = model_.files();
    sortOrder_ = model_.sortOrder();
    sortReversed_ = model_.sortReversed();
    filterText_ = model_.filterText();
    showOnlyFiles_ = model_.showOnlyFiles();
    showOnlyFolders_ = model_.showOnlyFolders();
    auto shown = model_.filteredFiles();
    rows_.clear();
    rows_.reserve(shown.size());
    rowById_.clear();
    rowById_.reserve(shown.size());
    for (auto& item : shown) {
        rowById_.emplace(item.id, static_cast<int>(rows_.size()));
        rows_.emplace_back(std::move(item));
    }
    endResetModel();
}
