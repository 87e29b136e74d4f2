// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>

#include <cstddef>

class AppViewModel;
class QLabel;
class QListWidget;
class QPushButton;

// The report after a rename: "Rename Complete", "Rename Completed with Errors" or
// "Cancelled", the counts "Renamed", "Failed", "Skipped" and "Not Attempted", and one line per
// entry that failed or was skipped. "Done" (or closing it) sets the view model's
// showRenameResult back to false.
class RenameResultView final : public QDialog {
    Q_OBJECT

  public:
    RenameResultView(AppViewModel& model, QWidget* parent);

    // Re-reads the last results and opens the sheet over the window; nothing when it is open.
    void present();

    // Results of the last batch that succeeded, that failed, that were skipped and that the
    // batch did not reach.
    std::size_t successCount() const;
    std::size_t failCount() const;
    std::size_t skippedCount() const;
    std::size_t notAttemptedCount() const;

    QLabel* titleLabel() const { return title_; }
    QLabel* renamedCountLabel() const { return renamed_; }
    QLabel* failedCountLabel() const { return failed_; }
    QLabel* skippedCountLabel() const { return skipped_; }
    QLabel* notAttemptedCountLabel() const { return notAttempted_; }
    QListWidget* errorList() const { return errors_; }
    QPushButton* doneButton() const { return done_; }

  private:
    void fill();
    std::size_t countOf(int status) const;

    AppViewModel& model_;
    QLabel* icon_ = nullptr;
    QLabel* title_ = nullptr;
    QLabel* renamed_ = nullptr;
    QLabel* failed_ = nullptr;
    QLabel* skipped_ = nullptr;
    QLabel* notAttempted_ = nullptr;
    QLabel* errorsHeading_ = nullptr;
    QListWidget* errors_ = nullptr;
    QPushButton* done_ = nullptr;
};
