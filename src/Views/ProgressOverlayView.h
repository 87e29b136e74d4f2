// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

class AppViewModel;
class ChangeWatcher;
class QLabel;
class QProgressBar;
class QPushButton;

// Covers the window while a rename (or an undo or redo) runs: "Renaming files...", a bar with
// k of n moves from the batch's progress reports, and Cancel, which stops the batch after its
// current move. Shows what the view model says and keeps nothing itself.
class ProgressOverlayView final : public QWidget {
    Q_OBJECT

  public:
    // Lies over `parent` and follows its size.
    ProgressOverlayView(AppViewModel& model, QWidget* parent);

    QProgressBar* progressBar() const { return bar_; }
    QPushButton* cancelButton() const { return cancel_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void refresh();

    AppViewModel& model_;
    QLabel* text_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QPushButton* cancel_ = nullptr;
    ChangeWatcher* watcher_ = nullptr;
};
