// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAbstractTableModel>
#include <QIcon>

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "Models/FileItem.h"
#include "ViewModels/AppViewModel.h"

class ChangeWatcher;

// The file table's rows: the view model's shared copy of the shown entries (shownItems),
// taken after a change announcement that came with a new list version (never per row or per
// paint). A new list, filter or order resets the model; a change of check marks alone
// updates the check column in place, for the rows whose mark changed. The size and date of a
// row are what the view model read for its size and date orders, else read from the disk
// when the row is first shown; either way kept with the snapshot.
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

    // The entry shown in `row` (as of the snapshot, its check mark too: the check column
    // shows the current one); null outside the rows.
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
    // The texts of a row, filled on first display, so that a long list costs no disk reads
    // until shown.
    struct Row {
        bool described = false;
        QString name;
        QString folder;
        QString size;
        QString modified;
    };

    const Row& describe(int row) const;
    // The check mark of each shown entry now, by row.
    std::vector<char> currentChecks() const;

    AppViewModel& model_;
    std::shared_ptr<const std::vector<FileItem>> items_;
    mutable std::vector<Row> rows_;
    std::vector<char> checked_;
    // Made on the first rowOf after a reset.
    mutable std::unordered_map<Uuid, int> rowById_;
    mutable bool rowsIndexed_ = false;
    // The list and check versions of the view model that the rows show.
    std::uint64_t listVersion_ = 0;
    std::uint64_t checkVersion_ = 0;

    QIcon fileIcon_;
    QIcon folderIcon_;
    ChangeWatcher* watcher_ = nullptr;
};
