// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAbstractItemModel>

#include <optional>
#include <vector>

#include "Models/RenameRule.h"
#include "Models/Subscription.h"

class AppViewModel;

// The rule list as a two-level item model for a tree view. Each top-level row is one rule
// of the view model, in order (column 0: check box for isEnabled, icon, name and summary;
// column 1: the delete control). Each rule row has exactly one child row, the slot into which
// the view puts the rule's editor. Edits and drops go through the view model; the model
// follows the view model's announcements: a changed value updates its row, an appended rule
// inserts a row, and any other change of the list (removal, reorder, a preset replacing it)
// resets the model.
class RuleListModel final : public QAbstractItemModel {
    Q_OBJECT

  public:
    enum Role {
        RuleIdRole = Qt::UserRole + 1,  // the rule's id as text
        NameRole,                       // the kind's display name
        SummaryRole,                    // the one-line summary of the options
        EditorSlotRole,                 // true on the child row that holds an editor
    };
    enum Column { MainColumn = 0, DeleteColumn = 1, ColumnCount = 2 };

    explicit RuleListModel(AppViewModel& model, QObject* parent = nullptr);

    // The position of the rule with `id` in the list, or none.
    std::optional<int> rowOf(const Uuid& id) const;
    // The rule of a rule row or of its editor slot; none for other indexes.
    std::optional<RenameRule> ruleAt(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // Only the check state of a rule row is settable: it switches the rule on or off.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Drag and drop moves rule rows among themselves (moveRule in the view model).
    Qt::DropActions supportedDropActions() const override;
    Qt::DropActions supportedDragActions() const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;
    // Moves top-level rows; child rows do not move on their own.
    bool moveRows(const QModelIndex& sourceParent, int sourceRow, int count,
                  const QModelIndex& destinationParent, int destinationChild) override;

  private:
    // Internal id of an index: 0 for rule rows, row + 1 of the parent for editor slots.
    static constexpr quintptr kTopLevel = 0;

    void sync();
    // The position a drop lands at in terms of the list before the move.
    std::optional<int> dropDestination(int row, const QModelIndex& parent) const;

    AppViewModel& model_;
    std::vector<RenameRule> shown_;
    Subscription subscription_;
};
