// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

#include <vector>

#include "Models/FileItem.h"

class AppViewModel;
class ChangeWatcher;
class FileTableModel;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QStackedWidget;
class QTableView;
class QTimer;
class QToolButton;

// The file list panel: a toolbar (the name filter, the sort order and its direction,
// "Include Subfolders", "Only Files", "Only Folders" and a menu of check-mark commands), the
// table of the listed
// entries with their check marks, a drop zone with "Add Files..." and "Add Folder..." while
// the list is empty, and a status line.
// Files and folders dropped anywhere on the panel are added to the list.
class FileListView final : public QWidget {
    Q_OBJECT

  public:
    explicit FileListView(AppViewModel& model, QWidget* parent = nullptr);

    FileTableModel* tableModel() const { return tableModel_; }
    QTableView* table() const { return table_; }
    QLineEdit* filterField() const { return filter_; }
    QComboBox* sortPicker() const { return sort_; }
    // Beside the sort picker: checked when the order is reversed.
    QToolButton* sortDirectionButton() const { return sortDirection_; }
    QCheckBox* includeSubfoldersToggle() const { return includeSubfolders_; }
    QCheckBox* onlyFilesToggle() const { return onlyFiles_; }
    QCheckBox* onlyFoldersToggle() const { return onlyFolders_; }
    QLabel* statusLine() const { return status_; }
    // The drop zone is shown instead of the table while the list is empty.
    bool showsDropZone() const;

    // The highlighted entries, in table order.
    std::vector<FileItem> highlightedItems() const;
    // Builds the table's context menu for the highlighted entries (the caller owns it).
    QMenu* makeContextMenu(QWidget* parent);

  protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* makeToolbar();
    QWidget* makeDropZone();
    void refresh();
    // The current direction in words ("Ascending (A to Z)", "Newest first", ...).
    QString sortDirectionText() const;
    // Puts the view model's row highlight back on the table after its rows were replaced.
    void restoreHighlight();
    void highlightChanged();
    void setDropTarget(bool active);
    void toggleHighlightedChecks();

    AppViewModel& model_;
    FileTableModel* tableModel_ = nullptr;
    QTableView* table_ = nullptr;
    QStackedWidget* stack_ = nullptr;
    QWidget* dropZone_ = nullptr;
    QLineEdit* filter_ = nullptr;
    QTimer* filterDelay_ = nullptr;
    QComboBox* sort_ = nullptr;
    QToolButton* sortDirection_ = nullptr;
    QCheckBox* includeSubfolders_ = nullptr;
    QCheckBox* onlyFiles_ = nullptr;
    QCheckBox* onlyFolders_ = nullptr;
    QLabel* status_ = nullptr;
    ChangeWatcher* watcher_ = nullptr;
    // Set while the table's highlight is being put back, so that it is not written again.
    bool restoring_ = false;
};
