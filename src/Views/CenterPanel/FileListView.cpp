// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Views/CenterPanel/FileListView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelection>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "Models/EnumCases.h"
#include "ViewModels/AppViewModel.h"
#include "Views/CenterPanel/FileTableModel.h"
#include "Views/Shared/ChangeWatcher.h"
#include "Views/Shared/FileDialogs.h"
#include "Views/Shared/FileLocations.h"
#include "Views/Shared/FileManager.h"
#include "Views/Shared/Icons.h"
#include "Views/Shared/Texts.h"

namespace {

// The sort order a click on a column header picks; none for columns without one.
std::optional<AppViewModel::SortOrder> orderOfColumn(int column) {
    switch (column) {
        case FileTableModel::NameColumn:
            return AppViewModel::SortOrder::name;
        case FileTableModel::SizeColumn:
            return AppViewModel::SortOrder::size;
        case FileTableModel::ModifiedColumn:
            return AppViewModel::SortOrder::date;
        default:
            return std::nullopt;
    }
}

// Whether the order, unless reversed, puts the larger value first (newest, largest).
bool largestFirst(AppViewModel::SortOrder order) {
    switch (order) {
        case AppViewModel::SortOrder::name:
        case AppViewModel::SortOrder::type:
            return false;
        case AppViewModel::SortOrder::date:
        case AppViewModel::SortOrder::dateTaken:
        case AppViewModel::SortOrder::size:
            return true;
    }
    return false;
}

}  // namespace

FileListView::FileListView(AppViewModel& model, QWidget* parent) : QWidget(parent), model_(model) {
    setObjectName(QStringLiteral("fileList"));
    setAcceptDrops(true);

    tableModel_ = new FileTableModel(model_, this);
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("fileTable"));
    table_->setModel(tableModel_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setAlternatingRowColors(true);
    table_->setShowGrid(false);
    table_->setWordWrap(false);
    table_->setTextElideMode(Qt::ElideMiddle);
    table_->setContextMenuPolicy(Qt::CustomContextMenu);
    table_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    // Fixed row heights keep a long list cheap: no row is measured.
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 8);
    auto* header = table_->horizontalHeader();
    header->setHighlightSections(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setSectionResizeMode(FileTableModel::CheckColumn, QHeaderView::Fixed);
    header->resizeSection(FileTableModel::CheckColumn, 30);
    header->resizeSection(FileTableModel::NameColumn, 240);
    header->resizeSection(FileTableModel::FolderColumn, 200);
    header->resizeSection(FileTableModel::SizeColumn, 80);
    header->resizeSection(FileTableModel::ModifiedColumn, 150);
    header->setStretchLastSection(true);
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    table_->installEventFilter(this);

    stack_ = new QStackedWidget(this);
    stack_->addWidget(makeDropZone());
    stack_->addWidget(table_);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("fileStatus"));
    status_->setContentsMargins(8, 3, 8, 4);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(makeToolbar());
    layout->addWidget(stack_, 1);
    layout->addWidget(status_);

    connect(tableModel_, &QAbstractItemModel::modelReset, this, &FileListView::restoreHighlight);
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FileListView::highlightChanged);
    connect(header, &QHeaderView::sectionClicked, this, [this](int column) {
        if (auto order = orderOfColumn(column)) {
            // The column already sorted by turns round, as in every file manager.
            if (*order == model_.sortOrder()) {
                model_.setSortReversed(!model_.sortReversed());
            } else {
                model_.setSortOrder(*order);
            }
        }
    });
    connect(table_, &QTableView::customContextMenuRequested, this, [this](const QPoint& at) {
        const QModelIndex index = table_->indexAt(at);
        if (!index.isValid()) {
            return;
        }
        // A right click outside the highlight acts on the clicked row alone.
        if (!table_->selectionModel()->isRowSelected(index.row(), QModelIndex())) {
            table_->selectionModel()->select(
                index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        }
        QMenu* menu = makeContextMenu(this);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(table_->viewport()->mapToGlobal(at));
    });

    watcher_ = new ChangeWatcher(
        model_, [this] { refresh(); }, this);
    refresh();
}

QWidget* FileListView::makeToolbar() {
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("fileToolbar"));
    auto* rows = new QVBoxLayout(bar);
    rows->setContentsMargins(8, 8, 8, 6);
    rows->setSpacing(6);

    auto* top = new QHBoxLayout;
    top->setSpacing(6);
    filter_ = new QLineEdit(bar);
    filter_->setObjectName(QStringLiteral("filterField"));
    filter_->setPlaceholderText(tr("Filter by name"));
    filter_->setClearButtonEnabled(true);
    filter_->addAction(Icons::icon(QStringLiteral("magnifyingglass")), QLineEdit::LeadingPosition);
    // Typing is not held up by a preview of every keystroke over a long list.
    filterDelay_ = new QTimer(this);
    filterDelay_->setSingleShot(true);
    filterDelay_->setInterval(150);
    connect(filter_, &QLineEdit::textChanged, filterDelay_, qOverload<>(&QTimer::start));
    connect(filterDelay_, &QTimer::timeout, this,
            [this] { model_.setFilterText(filter_->text().toStdString()); });

    sort_ = new QComboBox(bar);
    sort_->setObjectName(QStringLiteral("sortPicker"));
    sort_->setToolTip(tr("Sort by"));
    for (auto order : allCases<AppViewModel::SortOrder>()) {
        sort_->addItem(Texts::stored(order), static_cast<int>(order));
    }
    connect(sort_, &QComboBox::activated, this, [this](int position) {
        model_.setSortOrder(
            static_cast<AppViewModel::SortOrder>(sort_->itemData(position).toInt()));
    });

    sortDirection_ = new QToolButton(bar);
    sortDirection_->setObjectName(QStringLiteral("sortDirection"));
    sortDirection_->setCheckable(true);
    sortDirection_->setAccessibleName(tr("Sort direction"));
    connect(sortDirection_, &QToolButton::clicked, this,
            [this](bool reversed) { model_.setSortReversed(reversed); });

    auto* options = new QToolButton(bar);
    options->setObjectName(QStringLiteral("optionsButton"));
    options->setIcon(Icons::icon(QStringLiteral("ellipsis.circle")));
    options->setToolTip(tr("Selection and list commands"));
    options->setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(options);
    menu->addAction(tr("Select All"), this, [this] { model_.selectAll(); });
    menu->addAction(tr("Deselect All"), this, [this] { model_.deselectAll(); });
    menu->addAction(tr("Invert Selection"), this, [this] { model_.invertSelection(); });
    menu->addSeparator();
    menu->addAction(tr("Clear List"), this, [this] { model_.clearFiles(); });
    options->setMenu(menu);

    top->addWidget(filter_, 1);
    top->addWidget(sort_);
    top->addWidget(sortDirection_);
    top->addWidget(options);

    auto* toggles = new QHBoxLayout;
    toggles->setSpacing(14);
    includeSubfolders_ = new QCheckBox(tr("Include Subfolders"), bar);
    includeSubfolders_->setToolTip(tr("Add the contents of folders rather than the folders"));
    onlyFiles_ = new QCheckBox(tr("Only Files"), bar);
    onlyFolders_ = new QCheckBox(tr("Only Folders"), bar);
    connect(includeSubfolders_, &QCheckBox::clicked, this,
            [this](bool on) { model_.setIncludeSubfolders(on); });
    // The two kind filters exclude each other: turning one on turns the other off.
    connect(onlyFiles_, &QCheckBox::clicked, this, [this](bool on) {
        if (on && model_.showOnlyFolders()) {
            model_.setShowOnlyFolders(false);
        }
        model_.setShowOnlyFiles(on);
    });
    connect(onlyFolders_, &QCheckBox::clicked, this, [this](bool on) {
        if (on && model_.showOnlyFiles()) {
            model_.setShowOnlyFiles(false);
        }
        model_.setShowOnlyFolders(on);
    });
    toggles->addWidget(includeSubfolders_);
    toggles->addWidget(onlyFiles_);
    toggles->addWidget(onlyFolders_);
    toggles->addStretch();

    rows->addLayout(top);
    rows->addLayout(toggles);
    return bar;
}

QString FileListView::sortDirectionText() const {
    const bool reversed = model_.sortReversed();
    switch (model_.sortOrder()) {
        case AppViewModel::SortOrder::name:
        case AppViewModel::SortOrder::type:
            return reversed ? tr("Descending (Z to A)") : tr("Ascending (A to Z)");
        case AppViewModel::SortOrder::date:
        case AppViewModel::SortOrder::dateTaken:
            return reversed ? tr("Oldest first") : tr("Newest first");
        case AppViewModel::SortOrder::size:
            return reversed ? tr("Smallest first") : tr("Largest first");
    }
    return {};
}

QWidget* FileListView::makeDropZone() {
    dropZone_ = new QWidget(this);
    dropZone_->setObjectName(QStringLiteral("dropZone"));
    dropZone_->setProperty("dropTarget", false);
    dropZone_->setStyleSheet(QStringLiteral(
        "#dropZone { border: 2px dashed palette(mid); border-radius: 12px; margin: 12px; }"
        "#dropZone[dropTarget=\"true\"] { border-color: #3b82f6; background: #eaf1fe; }"));
    auto* layout = new QVBoxLayout(dropZone_);
    layout->addStretch();
    auto* icon = new QLabel(dropZone_);
    icon->setPixmap(Icons::bundled(QStringLiteral("arrow.down.doc")).pixmap(56, 56));
    icon->setAlignment(Qt::AlignCenter);
    auto* title = new QLabel(tr("Drop files and folders here"), dropZone_);
    title->setAlignment(Qt::AlignCenter);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.2);
    big.setBold(true);
    title->setFont(big);
    auto* hint = new QLabel(tr("or choose them:"), dropZone_);
    hint->setAlignment(Qt::AlignCenter);
    // The same two commands, by the same names, as the top bar and the File menu.
    auto* addFiles =
        new QPushButton(Icons::icon(QStringLiteral("plus.circle")), tr("Add Files..."), dropZone_);
    addFiles->setObjectName(QStringLiteral("dropZoneAddFiles"));
    connect(addFiles, &QPushButton::clicked, this,
            [this] { FileDialogs::selectFiles(model_, this); });
    auto* addFolder =
        new QPushButton(Icons::icon(QStringLiteral("folder")), tr("Add Folder..."), dropZone_);
    addFolder->setObjectName(QStringLiteral("dropZoneAddFolder"));
    connect(addFolder, &QPushButton::clicked, this,
            [this] { FileDialogs::selectFolder(model_, this); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(addFiles);
    buttons->addWidget(addFolder);
    buttons->addStretch();
    layout->addWidget(icon);
    layout->addWidget(title);
    layout->addWidget(hint);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->addStretch();
    return dropZone_;
}

bool FileListView::showsDropZone() const {
    return stack_->currentWidget() == dropZone_;
}

void FileListView::refresh() {
    const auto& files = model_.files();
    stack_->setCurrentWidget(files.empty() ? dropZone_ : static_cast<QWidget*>(table_));

    // The controls follow the view model (which others may change too).
    const QString filterText = QString::fromStdString(model_.filterText());
    if (!filterDelay_->isActive() && filter_->text() != filterText) {
        const QSignalBlocker block(filter_);
        filter_->setText(filterText);
    }
    {
        const QSignalBlocker block(sort_);
        sort_->setCurrentIndex(sort_->findData(static_cast<int>(model_.sortOrder())));
    }
    const bool reversed = model_.sortReversed();
    // Ascending means the smaller value first: A to Z, oldest first, smallest first.
    const bool ascending = reversed == largestFirst(model_.sortOrder());
    sortDirection_->setChecked(reversed);
    sortDirection_->setIcon(
        Icons::icon(ascending ? QStringLiteral("arrow.up") : QStringLiteral("arrow.down")));
    sortDirection_->setToolTip(sortDirectionText() + QLatin1Char('\n') +
                               tr("Click to reverse the order"));
    sortDirection_->setAccessibleDescription(sortDirectionText());
    includeSubfolders_->setChecked(model_.includeSubfolders());
    onlyFiles_->setChecked(model_.showOnlyFiles());
    onlyFolders_->setChecked(model_.showOnlyFolders());

    auto* header = table_->horizontalHeader();
    {
        const QSignalBlocker block(header);
        const Qt::SortOrder indicator = ascending ? Qt::AscendingOrder : Qt::DescendingOrder;
        switch (model_.sortOrder()) {
            case AppViewModel::SortOrder::name:
                header->setSortIndicator(FileTableModel::NameColumn, indicator);
                break;
            case AppViewModel::SortOrder::size:
                header->setSortIndicator(FileTableModel::SizeColumn, indicator);
                break;
            case AppViewModel::SortOrder::date:
                header->setSortIndicator(FileTableModel::ModifiedColumn, indicator);
                break;
            case AppViewModel::SortOrder::type:
            case AppViewModel::SortOrder::dateTaken:
                // No column shows the extension alone, nor the date a photo was taken.
                header->setSortIndicator(-1, Qt::AscendingOrder);
                break;
        }
    }

    const std::size_t total = files.size();
    const auto shown = static_cast<std::size_t>(tableModel_->rowCount());
    QString text = tr("%n file(s)", nullptr, Texts::count(total)) + QStringLiteral(" · ") +
                   tr("%n selected", nullptr, Texts::count(model_.selectedCount()));
    if (shown != total) {
        text += QStringLiteral(" · ") + tr("%n shown", nullptr, Texts::count(shown));
    }
    status_->setText(text);
}

void FileListView::restoreHighlight() {
    const auto& ids = model_.selectedFileIDs();
    QItemSelection selection;
    if (!ids.empty()) {
        // Contiguous runs of highlighted rows make one range each.
        int start = -1;
        const int rows = tableModel_->rowCount();
        for (int row = 0; row <= rows; ++row) {
            const FileItem* item = tableModel_->itemAt(row);
            const bool highlighted = item != nullptr && ids.count(item->id) != 0;
            if (highlighted && start < 0) {
                start = row;
            } else if (!highlighted && start >= 0) {
                selection.select(tableModel_->index(start, 0),
                                 tableModel_->index(row - 1, FileTableModel::ColumnCount - 1));
                start = -1;
            }
        }
    }
    restoring_ = true;
    table_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    restoring_ = false;
}

void FileListView::highlightChanged() {
    if (restoring_) {
        return;
    }
    std::set<Uuid> ids;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows()) {
        if (const FileItem* item = tableModel_->itemAt(index.row())) {
            ids.insert(item->id);
        }
    }
    model_.setSelectedFileIDs(std::move(ids));
}

std::vector<FileItem> FileListView::highlightedItems() const {
    std::vector<int> rows;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    return tableModel_->itemsAt(rows);
}

QMenu* FileListView::makeContextMenu(QWidget* parent) {
    auto* menu = new QMenu(parent);
    const auto items = highlightedItems();
    QAction* remove = menu->addAction(Icons::icon(QStringLiteral("trash")), tr("Remove from List"),
                                      this, [this, items] { model_.removeFiles(items); });
    QAction* show = menu->addAction(Icons::icon(QStringLiteral("folder.badge.magnifyingglass")),
                                    tr("Show in File Manager"), this, [items] {
                                        std::vector<std::filesystem::path> paths;
                                        for (const auto& item : items) {
                                            paths.push_back(item.url);
                                        }
                                        FileManager::showItems(paths);
                                    });
    remove->setEnabled(!items.empty());
    show->setEnabled(!items.empty());
    return menu;
}

void FileListView::toggleHighlightedChecks() {
    const auto items = highlightedItems();
    if (items.empty()) {
        return;
    }
    // Like a check box group: all on, unless all are on already.
    bool allChecked = true;
    for (const auto& item : items) {
        allChecked = allChecked && item.isSelected;
    }
    for (const auto& item : items) {
        model_.setFileSelected(item.id, !allChecked);
    }
}

bool FileListView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier &&
            (key->key() == Qt::Key_Delete || key->key() == Qt::Key_Backspace)) {
            model_.removeFiles(highlightedItems());
            return true;
        }
        if (key->modifiers() == Qt::NoModifier && key->key() == Qt::Key_Space) {
            toggleHighlightedChecks();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FileListView::setDropTarget(bool active) {
    dropZone_->setProperty("dropTarget", active);
    dropZone_->style()->unpolish(dropZone_);
    dropZone_->style()->polish(dropZone_);
}

void FileListView::dragEnterEvent(QDragEnterEvent* event) {
    if (FileLocations::hasLocalFiles(event->mimeData())) {
        event->acceptProposedAction();
        setDropTarget(true);
    }
}

void FileListView::dragMoveEvent(QDragMoveEvent* event) {
    if (FileLocations::hasLocalFiles(event->mimeData())) {
        event->acceptProposedAction();
    }
}

void FileListView::dragLeaveEvent(QDragLeaveEvent* event) {
    setDropTarget(false);
    QWidget::dragLeaveEvent(event);
}

void FileListView::dropEvent(QDropEvent* event) {
    setDropTarget(false);
    auto paths = FileLocations::fromMimeData(event->mimeData());
    if (paths.empty()) {
        return;
    }
    event->acceptProposedAction();
    model_.addFilesInBackground(std::move(paths));
}
