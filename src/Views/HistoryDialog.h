// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>

#include <string>

class AppViewModel;
class ChangeWatcher;
class QLabel;
class QPushButton;
class QSpinBox;
class QTreeWidget;

// Edit → History…: the rename batches of the history, newest first (time, folders, number
// of items, state), for undoing any of them whose state is done or redoing one that was
// undone; and how many batches are kept. Rows follow the view model's history as it is read
// again after each batch.
class HistoryDialog final : public QDialog {
    Q_OBJECT

  public:
    HistoryDialog(AppViewModel& model, QWidget* parent);

    QTreeWidget* list() const { return list_; }
    QPushButton* undoButton() const { return undo_; }
    QPushButton* redoButton() const { return redo_; }
    QSpinBox* keepBox() const { return keep_; }

    // The key of the number of batches kept in the window's settings, which the command line
    // reads too ("keep" in the "[history]" group).
    static QString keepKey();

  private:
    void fill();
    void review();
    std::string selectedId() const;

    AppViewModel& model_;
    ChangeWatcher* watcher_ = nullptr;
    QTreeWidget* list_ = nullptr;
    QLabel* unreadable_ = nullptr;
    QPushButton* undo_ = nullptr;
    QPushButton* redo_ = nullptr;
    QSpinBox* keep_ = nullptr;
};
