// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAbstractTableModel>
#include <QIcon>

#include <unordered_map>
#include <vector>

#include "Models/FileItem.h"
#include "ViewModels/AppViewModel.h"

class ChangeWatcher;

// The file table's rows: a snapshot of the view model's filteredFiles, taken once after a
// change announcement (never per row or per paint). A new list, filter or order resets the
// model; a change of check marks alone updates the check column in place. The size and date
// of a row are read from the disk when the row is first shown, then kept with the snapshot.
class FileTableModel final : public QAbstractTableModel {
    Q_OBJECT

  public:
    enum Column : int {
        CheckColumn,
        NameColumn,
        FolderColumn,
        SizeColumn,
        ModifiedColumn,
        ColumnCount
    };

    FileTableModel(AppViewModel& model, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // The check column sets the entry's check mark through the view model.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The entry shown in `row` (as of the snapshot); null outside the rows.
    const FileItem* itemAt(int row) const;
    // The row of the entry with `id`, or -1 when it is not shown.
    int rowOf(const Uuid& id) const;
    // The entries of the given rows, in row order, each once.
    std::vector<FileItem> itemsAt(const std::vector<int>& rows) const;

    // Re-reads the view model now instead of on the next turn of the event loop.
    void refresh();

  private:
    // Whether `index` is a cell of this model's rows.
    bool isRow(const QModelIndex& index) const;
    struct Row {
        explicit Row(FileItem entry) : item(std::move(entry)) {}

        FileItem item;
        // Filled on first display, so that a long list costs no disk reads until shown.
        mutable bool described = false;
        mutable QString name;
        mutable QString folder;
        mutable QString size;
        mutable QString modified;
    };

    void describe(const Row& row) const;
    // Whether `files` and the shown rows came from the same list, filter and order as now.
    bool sameSource() const;

    AppViewModel& model_;
    std::vector<Row> rows_;
    std::unordered_map<Uuid, int> rowById_;
    // What the rows were taken from.
    std::vector<FileItem> source_;
    AppViewModel::SortOrder sortOrder_ = AppViewModel::SortOrder::name;
    bool sortReversed_ = false;
    std::string filterText_;
    bool showOnlyFiles_ = false;
    bool showOnlyFolders_ = false;

    QIcon fileIcon_;
    QIcon folderIcon_;
    ChangeWatcher* watcher_ = nullptr;
};
