// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include <set>
#include <string>

#include "Views/EditNamesDialog.h"
#include "Views/HistoryDialog.h"

class AppViewModel;
class ChangeWatcher;
class FileListView;
class PresetManager;
class PreviewPanelView;
class ProgressOverlayView;
class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QProgressBar;
class QPushButton;
class QSplitter;
class QToolButton;
class RenameResultView;
class RuleEditorView;

// The window's content: the top bar (logo and title, Add Files, Undo, Redo, the counts of
// files, selected entries, conflicts and unusable names, the rule count, Rename), a separator,
// and the rule, file and preview panels side by side. Owns the window's commands, the rename
// confirmation, the result report and the progress overlay. Every control calls one operation of
// the view model; what is shown is re-read from it after its change announcements.
class ContentView final : public QWidget {
    Q_OBJECT

  public:
    ContentView(AppViewModel& model, PresetManager& presets, QWidget* parent = nullptr);

    // Puts the commands into File, Edit and Rename menus of `bar`; returns the File menu so
    // that the application can end it with Quit.
    QMenu* installMenus(QMenuBar* bar);

    // Asks whether to rename the checked entries; "Rename" starts the batch. Nothing when no
    // entry is checked or a batch runs. While a newer preview is computed, the question waits
    // for it, so that its counts are those of the names that will be given.
    void confirmRename();
    // The open confirmation, or null.
    QMessageBox* renameConfirmation() const { return confirmation_; }
    // Opens "Edit Names as Text" over the shown entries; after "Rename…" there, the usual
    // confirmation renames the changed ones. Nothing while a batch runs or the list is empty.
    void editNames();
    // The open "Edit Names as Text" dialog, or null.
    EditNamesDialog* editNamesDialog() const { return editNamesDialog_; }

    // Opens Edit → History… (or raises it when it is open).
    void showHistory();
    // The open History dialog, or null.
    HistoryDialog* historyDialog() const { return historyDialog_; }
    // The open question about a batch that a crash interrupted ("Finish It", "Roll It
    // Back"), or null. Asked once per such batch after the history was read at start;
    // nothing moves before it is answered.
    QMessageBox* recoveryQuestion() const { return recovery_; }

    // The title and message the confirmation shows for the current state.
    QString confirmationTitle() const;
    QString confirmationMessage() const;

    // The commands, for menus and tests.
    QAction* addFilesAction() const { return addFiles_; }
    QAction* addFolderAction() const { return addFolder_; }
    QAction* clearListAction() const { return clearList_; }
    QAction* undoAction() const { return undo_; }
    QAction* redoAction() const { return redo_; }
    QAction* selectAllAction() const { return selectAll_; }
    QAction* deselectAllAction() const { return deselectAll_; }
    QAction* invertSelectionAction() const { return invertSelection_; }
    QAction* renameAction() const { return rename_; }
    QAction* exportAction() const { return export_; }
    QAction* editNamesAction() const { return editNames_; }
    QAction* historyAction() const { return history_; }

    RuleEditorView* ruleEditor() const { return rules_; }
    FileListView* fileList() const { return fileList_; }
    PreviewPanelView* previewPanel() const { return preview_; }
    QSplitter* splitter() const { return splitter_; }
    RenameResultView* resultView() const { return result_; }
    ProgressOverlayView* progressOverlay() const { return overlay_; }
    QPushButton* renameButton() const { return renameButton_; }

    // Runs a pending refresh now, for callers that cannot wait for the event loop.
    void flush();

    // Puts back what the user had set up in the last run (the window's size and place, the
    // panel widths, the list's toggles and sort order) or, the first time, sizes the window to
    // fit the screen's free area; keeps the minimum size within it too. From then on these
    // are saved whenever the window closes. Call once, before the window is shown.
    void restoreSettings();
    // Saves them now.
    void saveSettings() const;

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* makeTopBar();
    void makeActions();
    void refresh();
    void offerRecovery();

    AppViewModel& model_;
    PresetManager& presets_;

    QAction* addFiles_ = nullptr;
    QAction* addFolder_ = nullptr;
    QAction* clearList_ = nullptr;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    QAction* selectAll_ = nullptr;
    QAction* deselectAll_ = nullptr;
    QAction* invertSelection_ = nullptr;
    QAction* rename_ = nullptr;
    QAction* export_ = nullptr;
    QAction* editNames_ = nullptr;
    QAction* history_ = nullptr;
    QPointer<HistoryDialog> historyDialog_;
    QPointer<QMessageBox> recovery_;
    // The interrupted batches already asked about.
    std::set<std::string> offered_;

    QToolButton* undoButton_ = nullptr;
    QToolButton* redoButton_ = nullptr;
    QLabel* filesCount_ = nullptr;
    QLabel* selectedCount_ = nullptr;
    QLabel* conflictsCount_ = nullptr;
    QWidget* problemsBadge_ = nullptr;
    QLabel* problemsCount_ = nullptr;
    QLabel* ruleCount_ = nullptr;
    QProgressBar* renameBusy_ = nullptr;
    QPushButton* renameButton_ = nullptr;

    QSplitter* splitter_ = nullptr;
    RuleEditorView* rules_ = nullptr;
    FileListView* fileList_ = nullptr;
    PreviewPanelView* preview_ = nullptr;
    ProgressOverlayView* overlay_ = nullptr;
    RenameResultView* result_ = nullptr;
    QPointer<QMessageBox> confirmation_;
    // Whether confirmRename waits for the pending preview.
    bool confirmWhenCurrent_ = false;
    QPointer<EditNamesDialog> editNamesDialog_;
    ChangeWatcher* watcher_ = nullptr;
    bool sized_ = false;
    bool watchingWindow_ = false;
};
