// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

class AppViewModel;
class ChangeWatcher;
class PreviewTableModel;
class QLabel;
class QPushButton;
class QStackedWidget;
class QTableView;

// The preview panel: every entry of the live preview as its current name → its new name,
// conflicts and unusable names marked, the count of changes and of conflicts, and
// "Export CSV".
class PreviewPanelView final : public QWidget {
    Q_OBJECT

  public:
    explicit PreviewPanelView(AppViewModel& model, QWidget* parent = nullptr);

    PreviewTableModel* tableModel() const { return tableModel_; }
    QTableView* table() const { return table_; }
    QLabel* conflictLabel() const { return conflicts_; }
    QLabel* summaryLabel() const { return summary_; }
    // "Reading metadata… n of N" while the files are read for the rules; hidden otherwise.
    QLabel* readingLabel() const { return reading_; }
    QPushButton* exportButton() const { return export_; }

  private:
    void refresh();

    AppViewModel& model_;
    PreviewTableModel* tableModel_ = nullptr;
    QTableView* table_ = nullptr;
    QStackedWidget* stack_ = nullptr;
    QWidget* empty_ = nullptr;
    QLabel* conflictIcon_ = nullptr;
    QLabel* conflicts_ = nullptr;
    QLabel* summary_ = nullptr;
    QLabel* reading_ = nullptr;
    QPushButton* export_ = nullptr;
    ChangeWatcher* watcher_ = nullptr;
};
