#include "Views/ContentView.h"

#include <QAction>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

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

namespace {

constexpr int kRulesMin = 260;
constexpr int kRulesIdeal = 300;
constexpr int kRulesMax = 380;
constexpr int kFilesMin = 340;
constexpr int kPreviewMin = 240;
constexpr int kPreviewIdeal = 280;
constexpr int kPreviewMax = 360;

// "1 file", "3 files": the noun takes an "s" unless the number is 1.
QString counted(std::size_t count, const QString& noun) {
    return QString::number(count) + QLatin1Char(' ') + noun +
           (count == 1 ? QString() : QStringLiteral("s"));
}

// A statistic badge: the count, then its label.
QWidget* badge(const QString& label, QLabel*& count, const QString& name, QWidget* parent) {
    auto* box = new QFrame(parent);
    box->setObjectName(QStringLiteral("badge"));
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(10, 3, 10, 3);
    layout->setSpacing(5);
    count = new QLabel(QStringLiteral("0"), box);
    count->setObjectName(name);
    QFont bold = count->font();
    bold.setBold(true);
    count->setFont(bold);
    layout->addWidget(count);
    layout->addWidget(new QLabel(label, box));
    return box;
}

}  // namespace

ContentView::ContentView(AppViewModel& model, PresetManager& presets, QWidget* parent)
    : QWidget(parent), model_(model), presets_(presets) {
    setObjectName(QStringLiteral("contentView"));
    setWindowTitle(QStringLiteral("Quorvane"));
    setMinimumSize(960, 600);
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
    preview_->setMinimumWidth(kPreviewMin);
    preview_->setMaximumWidth(kPreviewMax);
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
    import_ = make(tr("Import Files..."), QKeySequence(Qt::CTRL | Qt::Key_O));
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

    import_->setIcon(Icons::icon(QStringLiteral("plus.circle")));
    undo_->setIcon(Icons::icon(QStringLiteral("arrow.uturn.backward")));
    redo_->setIcon(Icons::icon(QStringLiteral("arrow.uturn.forward")));
    export_->setIcon(Icons::icon(QStringLiteral("square.and.arrow.up")));

    connect(import_, &QAction::triggered, this, [this] { FileDialogs::selectFiles(model_, this); });
    connect(clearList_, &QAction::triggered, this, [this] { model_.clearFiles(); });
    connect(undo_, &QAction::triggered, this, [this] { model_.undoRename(); });
    connect(redo_, &QAction::triggered, this, [this] { model_.redoRename(); });
    connect(selectAll_, &QAction::triggered, this, [this] { model_.selectAll(); });
    connect(deselectAll_, &QAction::triggered, this, [this] { model_.deselectAll(); });
    connect(invertSelection_, &QAction::triggered, this, [this] { model_.invertSelection(); });
    connect(rename_, &QAction::triggered, this, [this] { confirmRename(); });
    connect(export_, &QAction::triggered, this,
            [this] { FileDialogs::exportPreview(model_, this); });
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

    auto* importButton = new QToolButton(bar);
    importButton->setObjectName(QStringLiteral("importButton"));
    importButton->setText(tr("Import"));
    importButton->setIcon(Icons::icon(QStringLiteral("plus.circle")));
    importButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    importButton->setToolTip(tr("Import Files (Ctrl+O)"));
    connect(importButton, &QToolButton::clicked, import_, &QAction::trigger);

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

    for (auto* button : {importButton, undoButton_, redoButton_}) {
        button->setAutoRaise(true);
        layout->addWidget(button);
    }
    layout->addSpacing(12);
    layout->addWidget(badge(tr("files"), filesCount_, QStringLiteral("filesCount"), bar));
    layout->addWidget(badge(tr("selected"), selectedCount_, QStringLiteral("selectedCount"), bar));
    layout->addWidget(
        badge(tr("conflicts"), conflictsCount_, QStringLiteral("conflictsCount"), bar));
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
    file->addAction(import_);
    file->addAction(clearList_);

    QMenu* edit = bar->addMenu(tr("&Edit"));
    edit->addAction(undo_);
    edit->addAction(redo_);
    edit->addSeparator();
    edit->addAction(selectAll_);
    edit->addAction(deselectAll_);
    edit->addAction(invertSelection_);

    QMenu* rename = bar->addMenu(tr("&Rename"));
    rename->addAction(rename_);
    rename->addSeparator();
    rename->addAction(export_);
    return file;
}

QString ContentView::confirmationTitle() const {
    const std::size_t batch = model_.selectedCount() - model_.hiddenSelectedCount();
    return QStringLiteral("Rename ") + counted(batch, QStringLiteral("file")) + QStringLiteral("?");
}

QString ContentView::confirmationMessage() const {
    const std::size_t conflicts = model_.conflictCount();
    QString message;
    if (conflicts > 0) {
        message = QStringLiteral("Warning: ") + counted(conflicts, QStringLiteral("conflict")) +
                  QStringLiteral(" detected. Conflicting files will be skipped.");
    } else {
        message =
            QStringLiteral("This action will rename the selected files on disk. It can be undone.");
    }
    if (const std::size_t hidden = model_.hiddenSelectedCount(); hidden != 0) {
        // English has its two forms here; a translation brings its own plural forms.
        message += QLatin1Char('\n') +
                   (hidden == 1 ? tr("%n checked item hidden by the filter will not be renamed.",
                                     nullptr, 1)
                                : tr("%n checked items hidden by the filter will not be renamed.",
                                     nullptr, static_cast<int>(hidden)));
    }
    return message;
}

void ContentView::confirmRename() {
    if (model_.selectedCount() == 0 || model_.isRenaming() || confirmation_ != nullptr) {
        return;
    }
    auto* box = new QMessageBox(this);
    box->setObjectName(QStringLiteral("renameConfirmation"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowTitle(confirmationTitle());
    box->setText(confirmationTitle());
    box->setInformativeText(confirmationMessage());
    box->setIcon(model_.conflictCount() > 0 ? QMessageBox::Warning : QMessageBox::Question);
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

void ContentView::flush() {
    watcher_->flush();
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
    const bool running = model_.isRenaming();
    const std::size_t selected = model_.selectedCount();
    undo_->setEnabled(!model_.undoStack().empty() && !running);
    redo_->setEnabled(!model_.redoStack().empty() && !running);
    rename_->setEnabled(selected != 0 && !running);
    export_->setEnabled(!model_.previews().empty());
    undoButton_->setEnabled(undo_->isEnabled());
    redoButton_->setEnabled(redo_->isEnabled());

    filesCount_->setText(QString::number(model_.files().size()));
    selectedCount_->setText(QString::number(selected));
    conflictsCount_->setText(QString::number(model_.conflictCount()));
    ruleCount_->setText(counted(model_.rules().size(), QStringLiteral("rule")));

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
