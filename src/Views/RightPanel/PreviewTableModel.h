// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAbstractTableModel>
#include <QIcon>

#include <memory>

#include "Models/PreviewEntry.h"
#include "ViewModels/AppViewModel.h"

class ChangeWatcher;

// The preview table's rows: the view model's last preview, shared with it, with the check
// marks it was computed for; taken after a change announcement when a new preview has
// arrived (a preview still being computed leaves the rows as they are). A preview of the
// same length updates the rows in place (the view keeps its scroll position while rules are
// edited); one of another length resets the model. Conflicts and names that cannot be used are
// marked by colour and icon, with the reason as tooltip; unchecked entries are drawn faint.
class PreviewTableModel final : public QAbstractTableModel {
    Q_OBJECT

  public:
    enum Column : int { OriginalColumn, ArrowColumn, NewNameColumn, ColumnCount };
    // What a row's new name means for the rename.
    enum class Status { unchanged, changed, conflict, problem };

    PreviewTableModel(AppViewModel& model, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The status of `row` (unchanged outside the rows).
    Status statusAt(int row) const;
    // The rows that a rename would change: checked, with a new name that can be used.
    std::size_t changedCount() const { return changed_; }
    // Whether the entry of `row` is checked (false outside the rows).
    bool isChecked(int row) const;

    // Re-reads the view model now instead of on the next turn of the event loop.
    void refresh();

  private:
    // Whether `index` is a cell of this model's rows.
    bool isRow(const QModelIndex& index) const;
    static Status statusOf(const PreviewEntry& entry);
    // The tooltip of a row: both names in full, then what they mean for the rename.
    QString explanation(const PreviewEntry& entry, bool checked) const;

    AppViewModel& model_;
    std::shared_ptr<const AppViewModel::Preview> preview_;
    std::size_t changed_ = 0;
    QIcon conflictIcon_;
    QIcon problemIcon_;
    ChangeWatcher* watcher_ = nullptr;
};
