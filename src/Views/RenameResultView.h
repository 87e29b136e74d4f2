#pragma once

#include <QDialog>

#include <cstddef>

class AppViewModel;
class QLabel;
class QListWidget;
class QPushButton;

// The report after a rename: "Rename Complete" or "Rename Completed with Errors", the counts
// "Renamed" and "Failed", and one line per failure. "Done" (or closing it) sets the view
// model's showRenameResult back to false.
class RenameResultView final : public QDialog {
    Q_OBJECT

  public:
    RenameResultView(AppViewModel& model, QWidget* parent);

    // Re-reads the last results and opens the sheet over the window; nothing when it is open.
    void present();

    // Results of the last batch that succeeded and that failed.
    std::size_t successCount() const;
    std::size_t failCount() const;

    QLabel* titleLabel() const { return title_; }
    QLabel* renamedCountLabel() const { return renamed_; }
    QLabel* failedCountLabel() const { return failed_; }
    QListWidget* errorList() const { return errors_; }
    QPushButton* doneButton() const { return done_; }

  private:
    void fill();

    AppViewModel& model_;
    QLabel* icon_ = nullptr;
    QLabel* title_ = nullptr;
    QLabel* renamed_ = nullptr;
    QLabel* failed_ = nullptr;
    QLabel* errorsHeading_ = nullptr;
    QListWidget* errors_ = nullptr;
    QPushButton* done_ = nullptr;
};
