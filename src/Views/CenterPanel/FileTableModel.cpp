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

const FileTableModel::Row& FileTableModel::describe(int row) const {
    Row& texts = rows_[static_cast<std::size_t>(row)];
    if (!texts.described) {
        texts.described = true;
        const FileItem& item = (*items_)[static_cast<std::size_t>(row)];
        // Controls in a name are shown, not obeyed, so that no name can pass for another.
        texts.name = QString::fromStdString(Utf8::escapeControls(item.url.filename().native()));
        texts.folder = QString::fromStdString(Utf8::escapeControls(item.parentURL().native()));
        // What the size and date orders read is shown as it is; else the disk is asked.
        if (const FileStat* known = model_.knownStat(item.id)) {
            texts.size =
                QString::fromStdString(item.isDirectory ? FileItem::sizeString(std::nullopt)
                                                        : FileItem::sizeString(known->size));
            texts.modified = QString::fromStdString(FileItem::dateString(known->modified));
        } else {
            texts.size = QString::fromStdString(item.fileSizeString());
            texts.modified = QString::fromStdString(item.modifiedDateString());
        }
    }
    return texts;
}

QVariant FileTableModel::data(const QModelIndex& index, int role) const {
    if (!isRow(index)) {
        return {};
    }
    const FileItem& item = (*items_)[static_cast<std::size_t>(index.row())];
    const int column = index.column();
    if (column == CheckColumn) {
        const bool checked = checked_[static_cast<std::size_t>(index.row())] != 0;
        if (role == Qt::CheckStateRole) {
            return checked ? Qt::Checked : Qt::Unchecked;
        }
        if (role == Qt::ToolTipRole) {
            return checked ? tr("Will be renamed") : tr("Will be left as it is");
        }
        return {};
    }
    switch (role) {
        case Qt::DisplayRole: {
            const Row& row = describe(index.row());
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
        }
        case Qt::DecorationRole:
            if (column == NameColumn) {
                return item.isDirectory ? folderIcon_ : fileIcon_;
            }
            return {};
        case Qt::ToolTipRole:
            if (column == NameColumn || column == FolderColumn) {
                return FileLocations::toText(item.url);
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
    model_.setFileSelected((*items_)[static_cast<std::size_t>(index.row())].id, checked);
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
    if (row < 0 || static_cast<std::size_t>(row) >= items_->size()) {
        return nullptr;
    }
    return &(*items_)[static_cast<std::size_t>(row)];
}

int FileTableModel::rowOf(const Uuid& id) const {
    if (!rowsIndexed_) {
        rowsIndexed_ = true;
        rowById_.reserve(items_->size());
        for (std::size_t row = 0; row < items_->size(); ++row) {
            rowById_.emplace((*items_)[row].id, static_cast<int>(row));
        }
    }
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

std::vector<char> FileTableModel::currentChecks() const {
    const auto& files = model_.files();
    const auto& order = model_.shownOrder();
    std::vector<char> checks;
    checks.reserve(order.size());
    for (auto index : order) {
        checks.push_back(files[index].isSelected ? 1 : 0);
    }
    return checks;
}

void FileTableModel::refresh() {
    if (items_ && model_.listVersion() == listVersion_) {
        if (model_.checkVersion() == checkVersion_) {
            return;
        }
        // The same entries in the same rows: only check marks can differ.
        checkVersion_ = model_.checkVersion();
        auto checks = currentChecks();
        int first = -1;
        int last = -1;
        for (std::size_t row = 0; row < checks.size(); ++row) {
            if (checks[row] != checked_[row]) {
                first = first < 0 ? static_cast<int>(row) : first;
                last = static_cast<int>(row);
            }
        }
        checked_ = std::move(checks);
        if (first >= 0) {
            emit dataChanged(index(first, CheckColumn), index(last, CheckColumn),
                             {Qt::CheckStateRole, Qt::ToolTipRole});
        }
        return;
    }

    beginResetModel();
    listVersion_ = model_.listVersion();
    checkVersion_ = model_.checkVersion();
    items_ = model_.shownItems();
    checked_ = currentChecks();
    rows_.assign(items_->size(), Row{});
    rowById_.clear();
    rowsIndexed_ = false;
    endResetModel();
}
