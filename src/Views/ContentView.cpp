// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Views/ContentView.h"

#include <QAction>
#include <QDateTime>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "Models/EnumCases.h"
#include "Services/PresetManager.h"
#include "ViewModels/AppViewModel.h"
#include "Views/CenterPanel/FileListView.h"
#include "Views/LeftPanel/RuleEditorView.h"
#include "Views/ProgressOverlayView.h"
#include "Views/RenameResultView.h"
#include "Views/RightPanel/PreviewPanelView.h"
#include "Views/Shared/ChangeWatcher.h"
#include "Views/Shared/FileDialogs.h"
#include "Views/Shared/Icons.h"
#include "Views/Shared/Texts.h"

namespace {

constexpr int kRulesMin = 260;
constexpr int kRulesIdeal = 300;
constexpr int kRulesMax = 380;
constexpr int kFilesMin = 340;
constexpr int kPreviewMin = 240;
constexpr int kPreviewIdeal = 280;
constexpr QSize kMinimumSize(960, 600);
// The first window's size when the screen has room for it.
constexpr QSize kFirstWindow(1280, 800);
// The narrowest the rename confirmation gets.
constexpr int kConfirmationWidth = 380;
// Room kept for the window manager's title bar when fitting the window to the screen.
constexpr int kTitleBarAllowance = 32;

// Where the window keeps what the user set up between runs (in the user's config folder).
QSettings settings() {
    return QSettings(QStringLiteral("Quorvane"), QStringLiteral("Quorvane"));
}

// A statistic badge: one label with the count in bold, then its noun.
QWidget* badge(QLabel*& count, const QString& name, QWidget* parent) {
    auto* box = new QFrame(parent);
    box->setObjectName(QStringLiteral("badge"));
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(10, 3, 10, 3);
    count = new QLabel(box);
    count->setObjectName(name);
    count->setTextFormat(Qt::RichText);
    layout->addWidget(count);
    return box;
}

// Shows `text` (a counted text such as "3 files") with its number `count` in bold.
void showCount(QLabel* label, const QString& text, std::size_t count) {
    const QString number = QString::number(count);
    QString html = text.toHtmlEscaped();
    const auto at = html.indexOf(number);
    if (at >= 0) {
        html.replace(at, number.size(), QStringLiteral("<b>%1</b>").arg(number));
    }
    label->setText(html);
    label->setAccessibleName(text);
}

}  // namespace

ContentView::ContentView(AppViewModel& model, PresetManager& presets, QWidget* parent)
    : QWidget(parent), model_(model), presets_(presets) {
    setObjectName(QStringLiteral("contentView"));
    setWindowTitle(QStringLiteral("Quorvane"));
    setMinimumSize(kMinimumSize);
    makeActions();

    auto* separator = new QFrame(this);
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);

    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setChildrenCollapsible(false);
    rules_ = new RuleEditorView(model_, presets_, splitter_);
    rules_->setMinimumWidth(kRulesMin);
    rules_->setMaximumWidth(kRulesMax);
    fileList_ = new FileListView(model_, splitter_);
    fileList_->setMinimumWidth(kFilesMin);
    preview_ = new PreviewPanelView(model_, splitter_);
    // No maximum: long new names need all the room the user gives them.
    preview_->setMinimumWidth(kPreviewMin);
    splitter_->addWidget(rules_);
    splitter_->addWidget(fileList_);
    splitter_->addWidget(preview_);
    // Extra width goes to the file list; the side panels keep their ideal width.
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    splitter_->setStretchFactor(2, 0);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(makeTopBar());
    layout->addWidget(separator);
    layout->addWidget(splitter_, 1);

    overlay_ = new ProgressOverlayView(model_, this);
    result_ = new RenameResultView(model_, this);

    setStyleSheet(QStringLiteral(
        "#badge { background: palette(alternate-base); border: 1px solid palette(midlight); "
        "border-radius: 10px; }"
        "#renameButton { background: #2563eb; color: white; border: 1px solid #1d4ed8; "
        "border-radius: 6px; padding: 5px 16px; font-weight: bold; }"
        "#renameButton:hover { background: #1d4ed8; }"
        "#renameButton:disabled { background: #93b4f5; border-color: #93b4f5; }"));

    watcher_ = new ChangeWatcher(
        model_, [this] { refresh(); }, this);
    refresh();
    // Undo and Redo reach back to batches of earlier runs; a batch a crash interrupted is
    // offered for finishing or rolling back once the history has been read.
    model_.loadHistory();
}

void ContentView::showHistory() {
    if (historyDialog_ != nullptr) {
        historyDialog_->raise();
        historyDialog_->activateWindow();
        return;
    }
    historyDialog_ = new HistoryDialog(model_, this);
    historyDialog_->setAttribute(Qt::WA_DeleteOnClose);
    historyDialog_->open();
}

void ContentView::offerRecovery() {
    if (recovery_ != nullptr || model_.isRenaming() || !model_.historyLoaded()) {
        return;
    }
    for (const auto& batch : model_.history().batches) {
        if (batch.state != HistoryBatch::State::interrupted || !offered_.insert(batch.id).second) {
            continue;
        }
        auto* box = new QMessageBox(this);
        box->setObjectName(QStringLiteral("recoveryQuestion"));
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setIcon(QMessageBox::Warning);
        box->setWindowTitle(tr("Interrupted Rename"));
        const QDateTime time = QDateTime::fromMSecsSinceEpoch(batch.time / 1000).toLocalTime();
        box->setText(tr("A rename of %n item(s) was interrupted on %1.", nullptr,
                        Texts::count(static_cast<std::int64_t>(batch.count)))
                         .arg(QLocale().toString(time, QLocale::ShortFormat)));
        box->setInformativeText(
            tr("Finish it to give every item its new name, or roll it back to give every item "
               "its old name. Items changed by someone else since are left alone. Nothing "
               "moves until you choose."));
        QPushButton* finish = box->addButton(tr("Finish It"), QMessageBox::AcceptRole);
        QPushButton* rollBack = box->addButton(tr("Roll It Back"), QMessageBox::DestructiveRole);
        box->addButton(tr("Decide Later"), QMessageBox::RejectRole);
        box->setDefaultButton(finish);
        connect(box, &QMessageBox::finished, this, [this, box, finish, rollBack, id = batch.id] {
            if (box->clickedButton() == finish || box->clickedButton() == rollBack) {
                model_.recoverBatch(id, box->clickedButton() == finish);
            }
        });
        recovery_ = box;
        box->open();
        return;
    }
}

void ContentView::makeActions() {
    const auto make = [this](const QString& text, const QKeySequence& keys) {
        auto* action = new QAction(text, this);
        action->setShortcut(keys);
        // The commands work wherever the focus is in the window, menus shown or not.
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
        return action;
    };
    addFiles_ = make(tr("Add Files..."), QKeySequence(Qt::CTRL | Qt::Key_O));
    addFolder_ = make(tr("Add Folder..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    clearList_ = make(tr("Clear List"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K));
    undo_ = make(tr("Undo Rename"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    redo_ = make(tr("Redo Rename"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    selectAll_ = make(tr("Select All"), QKeySequence(Qt::CTRL | Qt::Key_A));
    deselectAll_ = make(tr("Deselect All"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A));
    invertSelection_ = make(tr("Invert Selection"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_I));
    rename_ = make(tr("Rename Selected..."), QKeySequence(Qt::CTRL | Qt::Key_Return));
    // The keypad's Enter is the same key to the user.
    rename_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});
    export_ = make(tr("Export Preview as CSV"), QKeySequence());
    editNames_ = make(tr("Edit Names as Text\u2026"), QKeySequence(Qt::CTRL | Qt::Key_E));
    history_ = make(tr("History\u2026"), QKeySequence(Qt::CTRL | Qt::Key_H));

    addFiles_->setIcon(Icons::icon(QStringLiteral("plus.circle")));
    addFolder_->setIcon(Icons::icon(QStringLiteral("folder")));
    undo_->setIcon(Icons::icon(QStringLiteral("arrow.uturn.backward")));
    redo_->setIcon(Icons::icon(QStringLiteral("arrow.uturn.forward")));
    export_->setIcon(Icons::icon(QStringLiteral("square.and.arrow.up")));

    connect(addFiles_, &QAction::triggered, this,
            [this] { FileDialogs::selectFiles(model_, this); });
    connect(addFolder_, &QAction::triggered, this,
            [this] { FileDialogs::selectFolder(model_, this); });
    connect(clearList_, &QAction::triggered, this, [this] { model_.clearFiles(); });
    connect(undo_, &QAction::triggered, this, [this] { model_.undoRename(); });
    connect(redo_, &QAction::triggered, this, [this] { model_.redoRename(); });
    connect(selectAll_, &QAction::triggered, this, [this] { model_.selectAll(); });
    connect(deselectAll_, &QAction::triggered, this, [this] { model_.deselectAll(); });
    connect(invertSelection_, &QAction::triggered, this, [this] { model_.invertSelection(); });
    connect(rename_, &QAction::triggered, this, [this] { confirmRename(); });
    connect(export_, &QAction::triggered, this,
            [this] { FileDialogs::exportPreview(model_, this); });
    connect(editNames_, &QAction::triggered, this, [this] { editNames(); });
    connect(history_, &QAction::triggered, this, [this] { showHistory(); });
}

QWidget* ContentView::makeTopBar() {
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("topBar"));
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(14, 8, 14, 8);
    layout->setSpacing(8);

    auto* logo = new QLabel(bar);
    logo->setObjectName(QStringLiteral("logo"));
    logo->setPixmap(Icons::bundled(QStringLiteral("LogoDark")).pixmap(28, 28));
    auto* title = new QLabel(QStringLiteral("Quorvane"), bar);
    title->setObjectName(QStringLiteral("title"));
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    titleFont.setBold(true);
    title->setFont(titleFont);
    layout->addWidget(logo);
    layout->addWidget(title);
    layout->addSpacing(12);

    // "Add Files..." at a click, "Add Folder..." from its arrow.
    auto* addButton = new QToolButton(bar);
    addButton->setObjectName(QStringLiteral("addFilesButton"));
    addButton->setText(addFiles_->text());
    addButton->setIcon(addFiles_->icon());
    addButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    addButton->setToolTip(tr("Add Files (Ctrl+O)"));
    addButton->setPopupMode(QToolButton::MenuButtonPopup);
    auto* addMenu = new QMenu(addButton);
    addMenu->addAction(addFiles_);
    addMenu->addAction(addFolder_);
    addButton->setMenu(addMenu);
    connect(addButton, &QToolButton::clicked, addFiles_, &QAction::trigger);

    undoButton_ = new QToolButton(bar);
    undoButton_->setObjectName(QStringLiteral("undoButton"));
    undoButton_->setIcon(Icons::icon(QStringLiteral("arrow.uturn.backward")));
    undoButton_->setToolTip(tr("Undo (Ctrl+Z)"));
    connect(undoButton_, &QToolButton::clicked, this, [this] { model_.undoRename(); });

    redoButton_ = new QToolButton(bar);
    redoButton_->setObjectName(QStringLiteral("redoButton"));
    redoButton_->setIcon(Icons::icon(QStringLiteral("arrow.uturn.forward")));
    redoButton_->setToolTip(tr("Redo (Ctrl+Shift+Z)"));
    connect(redoButton_, &QToolButton::clicked, this, [this] { model_.redoRename(); });

    for (auto* button : {addButton, undoButton_, redoButton_}) {
        button->setAutoRaise(true);
        layout->addWidget(button);
    }
    layout->addSpacing(12);
    layout->addWidget(badge(filesCount_, QStringLiteral("filesCount"), bar));
    layout->addWidget(badge(selectedCount_, QStringLiteral("selectedCount"), bar));
    layout->addWidget(badge(conflictsCount_, QStringLiteral("conflictsCount"), bar));
    // Only while there are any: new names that cannot be used at all.
    problemsBadge_ = badge(problemsCount_, QStringLiteral("problemsCount"), bar);
    problemsBadge_->setObjectName(QStringLiteral("problemBadge"));
    problemsBadge_->setToolTip(
        tr("New names that cannot be used; these items will not be renamed"));
    layout->addWidget(problemsBadge_);
    layout->addSpacing(12);

    auto* ruleIcon = new QLabel(bar);
    ruleIcon->setPixmap(Icons::icon(QStringLiteral("list.bullet.rectangle")).pixmap(18, 18));
    ruleCount_ = new QLabel(bar);
    ruleCount_->setObjectName(QStringLiteral("ruleCount"));
    layout->addWidget(ruleIcon);
    layout->addWidget(ruleCount_);
    layout->addStretch(1);

    renameBusy_ = new QProgressBar(bar);
    renameBusy_->setRange(0, 0);
    renameBusy_->setTextVisible(false);
    renameBusy_->setFixedSize(40, 8);
    renameBusy_->hide();
    renameButton_ = new QPushButton(bar);
    renameButton_->setObjectName(QStringLiteral("renameButton"));
    renameButton_->setToolTip(tr("Rename Files (Ctrl+Return)"));
    renameButton_->setCursor(Qt::PointingHandCursor);
    connect(renameButton_, &QPushButton::clicked, this, [this] { confirmRename(); });
    layout->addWidget(renameBusy_);
    layout->addWidget(renameButton_);
    return bar;
}

QMenu* ContentView::installMenus(QMenuBar* bar) {
    QMenu* file = bar->addMenu(tr("&File"));
    file->addAction(addFiles_);
    file->addAction(addFolder_);
    file->addAction(clearList_);

    QMenu* edit = bar->addMenu(tr("&Edit"));
    edit->addAction(undo_);
    edit->addAction(redo_);
    edit->addAction(history_);
    edit->addSeparator();
    edit->addAction(selectAll_);
    edit->addAction(deselectAll_);
    edit->addAction(invertSelection_);

    QMenu* rename = bar->addMenu(tr("&Rename"));
    rename->addAction(rename_);
    rename->addAction(editNames_);
    rename->addSeparator();
    rename->addAction(export_);
    return file;
}

QString ContentView::confirmationTitle() const {
    const std::size_t batch = model_.selectedCount() - model_.hiddenSelectedCount();
    return tr("Rename %n file(s)?", nullptr, Texts::count(batch));
}

QString ContentView::confirmationMessage() const {
    const std::size_t conflicts = model_.conflictCount();
    QString message =
        conflicts > 0 ? tr("Warning: %n conflict(s) detected. Conflicting files will be skipped.",
                           nullptr, Texts::count(conflicts))
                      : tr("This action will rename the selected files on disk. It can be undone.");
    if (const std::size_t hidden = model_.hiddenSelectedCount(); hidden != 0) {
        message +=
            QLatin1Char('\n') + tr("%n checked item(s) hidden by the filter will not be renamed.",
                                   nullptr, Texts::count(hidden));
    }
    return message;
}

void ContentView::confirmRename() {
    if (model_.selectedCount() == 0 || model_.isRenaming() || model_.isReadingMetadata() ||
        model_.isAddingFiles() || confirmation_ != nullptr) {
        return;
    }
    if (model_.isPreviewPending()) {
        confirmWhenCurrent_ = true;
        return;
    }
    auto* box = new QMessageBox(this);
    box->setObjectName(QStringLiteral("renameConfirmation"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowTitle(confirmationTitle());
    box->setText(confirmationTitle());
    box->setInformativeText(confirmationMessage());
    box->setIcon(model_.conflictCount() > 0 ? QMessageBox::Warning : QMessageBox::Question);
    // Wide enough that the message reads as a sentence or two, not a column of words.
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout())) {
        grid->addItem(new QSpacerItem(kConfirmationWidth, 0, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    box->addButton(tr("Cancel"), QMessageBox::RejectRole);
    QPushButton* go = box->addButton(tr("Rename"), QMessageBox::AcceptRole);
    box->setDefaultButton(go);
    connect(box, &QMessageBox::finished, this, [this, box, go] {
        if (box->clickedButton() == go) {
            model_.performRename();
        }
    });
    confirmation_ = box;
    box->open();
}

void ContentView::editNames() {
    if (model_.previews().empty() || model_.isRenaming() || editNamesDialog_ != nullptr ||
        confirmation_ != nullptr) {
        return;
    }
    auto* dialog = new EditNamesDialog(model_, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        auto changes = dialog->changes();
        if (changes.empty() || model_.isRenaming()) {
            return;
        }
        auto* box = new QMessageBox(this);
        box->setObjectName(QStringLiteral("renameConfirmation"));
        box->setAttribute(Qt::WA_DeleteOnClose);
        const QString title = tr("Rename %n file(s)?", nullptr, Texts::count(changes.size()));
        box->setWindowTitle(title);
        box->setText(title);
        box->setInformativeText(
            tr("This action will rename the changed files on disk. It can be undone. A name "
               "that another item has or gets in the same folder is skipped and reported."));
        box->setIcon(QMessageBox::Question);
        box->addButton(tr("Cancel"), QMessageBox::RejectRole);
        QPushButton* go = box->addButton(tr("Rename"), QMessageBox::AcceptRole);
        box->setDefaultButton(go);
        connect(box, &QMessageBox::finished, this, [this, box, go, changes = std::move(changes)] {
            if (box->clickedButton() == go) {
                model_.renameTo(changes);
            }
        });
        confirmation_ = box;
        box->open();
    });
    editNamesDialog_ = dialog;
    dialog->open();
}

void ContentView::flush() {
    watcher_->flush();
}

void ContentView::restoreSettings() {
    QWidget* top = window();
    if (!watchingWindow_) {
        watchingWindow_ = true;
        top->installEventFilter(this);
    }
    // The window and its content must fit the screen's free area: at a large scale factor
    // the usual minimum can be taller than the whole screen.
    const QRect free = top->screen()->availableGeometry();
    int chrome = kTitleBarAllowance;
    if (auto* main = qobject_cast<QMainWindow*>(top)) {
        chrome += main->menuBar()->sizeHint().height();
        if (main->statusBar() != nullptr) {
            chrome += main->statusBar()->sizeHint().height();
        }
    }
    setMinimumSize(std::min(kMinimumSize.width(), free.width()),
                   std::min(kMinimumSize.height(), free.height() - chrome));

    QSettings store = settings();
    if (!top->restoreGeometry(store.value(QStringLiteral("window/geometry")).toByteArray())) {
        const QSize size =
            kFirstWindow.boundedTo(QSize(free.width(), free.height() - kTitleBarAllowance));
        top->resize(size);
        top->move(free.center() - QPoint(size.width() / 2, size.height() / 2));
    }
    if (splitter_->restoreState(store.value(QStringLiteral("window/panels")).toByteArray())) {
        sized_ = true;
    }
    if (const QVariant on = store.value(QStringLiteral("list/includeSubfolders")); on.isValid()) {
        model_.setIncludeSubfolders(on.toBool());
    }
    const bool onlyFiles = store.value(QStringLiteral("list/onlyFiles")).toBool();
    const bool onlyFolders = store.value(QStringLiteral("list/onlyFolders")).toBool();
    // The two exclude each other; a hand-edited file with both keeps neither.
    if (onlyFiles != onlyFolders) {
        model_.setShowOnlyFiles(onlyFiles);
        model_.setShowOnlyFolders(onlyFolders);
    }
    const std::string order =
        store.value(QStringLiteral("list/sortOrder")).toString().toStdString();
    for (const auto value : allCases<AppViewModel::SortOrder>()) {
        if (rawValue(value) == order) {
            model_.setSortOrder(value);
        }
    }
    model_.setSortReversed(store.value(QStringLiteral("list/sortReversed")).toBool());
}

void ContentView::saveSettings() const {
    QSettings store = settings();
    store.setValue(QStringLiteral("window/geometry"), window()->saveGeometry());
    store.setValue(QStringLiteral("window/panels"), splitter_->saveState());
    store.setValue(QStringLiteral("list/includeSubfolders"), model_.includeSubfolders());
    store.setValue(QStringLiteral("list/onlyFiles"), model_.showOnlyFiles());
    store.setValue(QStringLiteral("list/onlyFolders"), model_.showOnlyFolders());
    const auto order = rawValue(model_.sortOrder());
    store.setValue(QStringLiteral("list/sortOrder"),
                   QString::fromUtf8(order.data(), static_cast<qsizetype>(order.size())));
    store.setValue(QStringLiteral("list/sortReversed"), model_.sortReversed());
}

bool ContentView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window() && event->type() == QEvent::Close) {
        saveSettings();
    }
    return QWidget::eventFilter(watched, event);
}

void ContentView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!sized_) {
        sized_ = true;
        const int handles = splitter_->handleWidth() * 2;
        const int middle =
            std::max(kFilesMin, splitter_->width() - kRulesIdeal - kPreviewIdeal - handles);
        splitter_->setSizes({kRulesIdeal, middle, kPreviewIdeal});
        // Start on the list, not in the filter field, where Ctrl+Z and Ctrl+A would edit text
        // instead of reaching the window's commands.
        fileList_->table()->setFocus();
    }
}

void ContentView::refresh() {
    if (confirmWhenCurrent_ && !model_.isPreviewPending()) {
        confirmWhenCurrent_ = false;
        // Not from inside the announcement: the question opens a window.
        QTimer::singleShot(0, this, [this] { confirmRename(); });
    }
    const bool running = model_.isRenaming();
    if (model_.historyLoaded() && !running && recovery_ == nullptr) {
        // Not from inside the announcement: the question opens a window.
        QTimer::singleShot(0, this, [this] { offerRecovery(); });
    }
    const std::size_t selected = model_.selectedCount();
    undo_->setEnabled(model_.canUndo() && !running);
    redo_->setEnabled(model_.canRedo() && !running);
    // While files are read the preview is not yet what a rename would do, nor is the list
    // complete while entries are added.
    rename_->setEnabled(selected != 0 && !running && !model_.isReadingMetadata() &&
                        !model_.isAddingFiles());
    export_->setEnabled(!model_.previews().empty());
    editNames_->setEnabled(!model_.previews().empty() && !running);
    undoButton_->setEnabled(undo_->isEnabled());
    redoButton_->setEnabled(redo_->isEnabled());

    const std::size_t files = model_.files().size();
    const std::size_t conflicts = model_.conflictCount();
    std::size_t problems = 0;
    for (const auto& entry : model_.previews()) {
        problems += entry.problem ? 1 : 0;
    }
    showCount(filesCount_, tr("%n file(s)", nullptr, Texts::count(files)), files);
    showCount(selectedCount_, tr("%n selected", nullptr, Texts::count(selected)), selected);
    showCount(conflictsCount_, tr("%n conflict(s)", nullptr, Texts::count(conflicts)), conflicts);
    showCount(problemsCount_, tr("%n unusable name(s)", nullptr, Texts::count(problems)), problems);
    problemsBadge_->setVisible(problems > 0);
    ruleCount_->setText(tr("%n rule(s)", nullptr, Texts::count(model_.rules().size())));

    renameBusy_->setVisible(running);
    if (running) {
        renameButton_->setText(tr("Renaming..."));
        renameButton_->setIcon(QIcon());
    } else {
        renameButton_->setText(tr("Rename"));
        renameButton_->setIcon(Icons::bundled(QStringLiteral("play.fill")));
    }
    renameButton_->setEnabled(rename_->isEnabled());

    if (model_.showRenameResult()) {
        result_->present();
    } else if (result_->isVisible()) {
        result_->hide();
    }
}
