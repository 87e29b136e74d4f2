// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QTableView>
#include <QTest>
#include <QTextBlock>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>

#include <array>
#include <cstdlib>
#include <memory>

#include <filesystem>
#include <string>
#include <vector>

#include "App/QuorvaneApp.h"
#include "Models/RenameRule.h"
#include "Support/TempDir.h"
#include "Views/CenterPanel/FileListView.h"
#include "Views/CenterPanel/FileTableModel.h"
#include "Views/ContentView.h"
#include "Views/HistoryDialog.h"
#include "Views/LeftPanel/RuleEditorView.h"
#include "Views/LeftPanel/RuleListModel.h"
#include "Views/ProgressOverlayView.h"
#include "Views/RenameResultView.h"
#include "Views/RightPanel/PreviewPanelView.h"
#include "Views/Shared/FileLocations.h"
#include "Views/Shared/NameLinesEdit.h"

Q_DECLARE_METATYPE(std::vector<std::string>)

namespace {

RenameRule replacing(const std::string& find, const std::string& with) {
    RenameRule rule(RuleType::replace);
    rule.findText = find;
    rule.replaceText = with;
    return rule;
}

// The window on screen and active, so that its shortcuts work.
void showWindow(QuorvaneApp& app) {
    app.show();
    QVERIFY(QTest::qWaitForWindowActive(&app.window()));
}

QPushButton* buttonNamed(QMessageBox* box, const QString& text) {
    for (QAbstractButton* button : box->buttons()) {
        if (button->text() == text) {
            return qobject_cast<QPushButton*>(button);
        }
    }
    return nullptr;
}

QAction* menuItem(QMenuBar* bar, const QString& menu, const QString& item) {
    for (QAction* top : bar->actions()) {
        if (top->menu() == nullptr || top->text().remove(QLatin1Char('&')) != menu) {
            continue;
        }
        for (QAction* action : top->menu()->actions()) {
            if (action->text() == item) {
                return action;
            }
        }
    }
    return nullptr;
}

// The text a label shows, without the markup of a bold count.
QString labelText(const ContentView& view, const char* name) {
    auto* label = view.findChild<QLabel*>(QString::fromLatin1(name));
    if (label == nullptr) {
        return QStringLiteral("<missing %1>").arg(name);
    }
    return QTextDocumentFragment::fromHtml(label->text()).toPlainText();
}

}  // namespace

class ContentViewTest : public QObject {
    Q_OBJECT

  private slots:
    // Every test starts as a first run: no window settings from the one before.
    void init() {
        QSettings(QStringLiteral("Quorvane"), QStringLiteral("Quorvane")).clear();
        // Each test starts with an empty history of its own.
        state_ = std::make_unique<TempDir>();
        qputenv("XDG_STATE_HOME", QByteArray(state_->path().c_str()));
    }

    void windowHasItsTitleSizesAndPanels();
    void anEmptyListIsReadyToUse();
    void countedTextsTakeTheirPlural_data();
    void countedTextsTakeTheirPlural();
    void settingsOutliveTheWindow();
    void menusCarryTheirItemsAndShortcuts_data();
    void menusCarryTheirItemsAndShortcuts();
    void commandsAreEnabledByState();
    void topBarCountsFollowTheModel();
    void confirmationTexts_data();
    void confirmationTexts();
    void cancelLeavesTheFilesAlone();
    void renameThroughTheConfirmationThenUndo();
    void failuresAreReported();
    void droppedFilesAreAdded();
    void theKindFiltersSwitchEachOtherOff();
    void quitClosesTheWindow();
    void editNamesAsTextRenamesTheChangedLines();
    void historyOutlivesTheWindowAndAKilledBatchIsOffered();

  private:
    std::unique_ptr<TempDir> state_;
};

void ContentViewTest::windowHasItsTitleSizesAndPanels() {
    QuorvaneApp app;
    showWindow(app);
    ContentView& view = app.content();
    QCOMPARE(app.window().windowTitle(), QStringLiteral("Quorvane"));
    QCOMPARE(view.minimumSize(), QSize(960, 600));
    QCOMPARE(view.splitter()->count(), 3);
    QCOMPARE(view.splitter()->widget(0), static_cast<QWidget*>(view.ruleEditor()));
    QCOMPARE(view.splitter()->widget(1), static_cast<QWidget*>(view.fileList()));
    QCOMPARE(view.splitter()->widget(2), static_cast<QWidget*>(view.previewPanel()));
    QCOMPARE(view.ruleEditor()->minimumWidth(), 260);
    QCOMPARE(view.ruleEditor()->maximumWidth(), 380);
    QCOMPARE(view.fileList()->minimumWidth(), 340);
    QCOMPARE(view.previewPanel()->minimumWidth(), 240);
    // Long new names may have all the room the user gives them.
    QCOMPARE(view.previewPanel()->maximumWidth(), QWIDGETSIZE_MAX);
    const QList<int> sizes = view.splitter()->sizes();
    QCOMPARE(sizes[0], 300);
    QCOMPARE(sizes[2], 280);
    QVERIFY(view.fileList()->showsDropZone());
    QCOMPARE(labelText(view, "title"), QStringLiteral("Quorvane"));
    auto* logo = view.findChild<QLabel*>(QStringLiteral("logo"));
    QVERIFY(logo != nullptr && !logo->pixmap().isNull());
    auto* add = view.findChild<QToolButton*>(QStringLiteral("addFilesButton"));
    QCOMPARE(add->text(), QStringLiteral("Add Files..."));
    QCOMPARE(add->toolTip(), QStringLiteral("Add Files (Ctrl+O)"));
    QCOMPARE(add->menu()->actions(),
             (QList<QAction*>{view.addFilesAction(), view.addFolderAction()}));
    QCOMPARE(view.findChild<QToolButton*>(QStringLiteral("undoButton"))->toolTip(),
             QStringLiteral("Undo (Ctrl+Z)"));
    QCOMPARE(view.findChild<QToolButton*>(QStringLiteral("redoButton"))->toolTip(),
             QStringLiteral("Redo (Ctrl+Shift+Z)"));
    QCOMPARE(view.renameButton()->toolTip(), QStringLiteral("Rename Files (Ctrl+Return)"));
    QCOMPARE(view.renameButton()->text(), QStringLiteral("Rename"));
}

void ContentViewTest::anEmptyListIsReadyToUse() {
    QuorvaneApp app;
    showWindow(app);
    ContentView& view = app.content();
    view.flush();
    QVERIFY(view.fileList()->showsDropZone());
    QVERIFY(!view.progressOverlay()->isVisible());
    // A click where a user sees Add Rule reaches it (nothing lies over the panels) and opens
    // its menu.
    auto* add = view.ruleEditor()->findChild<QPushButton*>(QStringLiteral("addRuleButton"));
    QMenu* menu = add->menu();
    bool opened = false;
    QTimer::singleShot(0, menu, [menu, &opened] {
        opened = menu->isVisible();
        menu->close();
    });
    QTest::mouseClick(app.window().windowHandle(), Qt::LeftButton, {},
                      add->mapTo(&app.window(), add->rect().center()));
    QTRY_VERIFY(opened);
}

void ContentViewTest::countedTextsTakeTheirPlural_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("expected");
    const auto rows = [](const char* text, std::array<const char*, 3> expected) {
        for (int count = 0; count < 3; ++count) {
            QTest::addRow("%s %d", text, count)
                << QString::fromLatin1(text) << count << QString::fromUtf8(expected[count]);
        }
    };
    rows("files", {"0 files", "1 file", "2 files"});
    rows("rules", {"0 rules", "1 rule", "2 rules"});
    rows("conflicts", {"0 conflicts", "1 conflict", "2 conflicts"});
    rows("status line", {"0 files · 0 selected", "1 file · 1 selected", "2 files · 2 selected"});
    rows("confirmation", {"Rename 0 files?", "Rename 1 file?", "Rename 2 files?"});
    rows("warning", {"This action will rename the selected files on disk. It can be undone.",
                     "Warning: 1 conflict detected. Conflicting files will be skipped.",
                     "Warning: 2 conflicts detected. Conflicting files will be skipped."});
    rows("remove rule", {"Remove the first 0 characters", "Remove the first 1 character",
                         "Remove the first 2 characters"});
}

// Each counted text as the window shows it, with no, one and two of what it counts.
void ContentViewTest::countedTextsTakeTheirPlural() {
    QFETCH(QString, text);
    QFETCH(int, count);
    QFETCH(QString, expected);
    TempDir dir;
    QuorvaneApp app;
    ContentView& view = app.content();
    std::vector<std::filesystem::path> files;
    if (text == QLatin1String("conflicts") || text == QLatin1String("warning")) {
        // Names that the rule below makes equal: each after the first conflicts.
        for (const char* name : {"x-.txt", "x--.txt", "x---.txt"}) {
            if (files.size() <= static_cast<std::size_t>(count)) {
                files.push_back(dir.file(name));
            }
        }
    } else {
        for (int i = 0; i < count; ++i) {
            files.push_back(dir.file("file " + std::to_string(i) + ".txt"));
        }
    }
    if (!files.empty()) {
        app.open(files);
    }
    if (text == QLatin1String("conflicts") || text == QLatin1String("warning")) {
        app.model().addRule(replacing("-", ""));
    }
    if (text == QLatin1String("rules")) {
        for (int i = 0; i < count; ++i) {
            app.model().addRule(RenameRule(RuleType::trim));
        }
    }
    if (text == QLatin1String("remove rule")) {
        RenameRule remove(RuleType::remove);
        remove.removeTarget = RemoveTarget::firstN;
        remove.removeCount = count;
        app.model().addRule(remove);
    }
    // The counts follow the preview, which is computed in the background.
    QTRY_VERIFY(!app.model().isPreviewPending());
    view.flush();
    QString shown;
    if (text == QLatin1String("files")) {
        shown = labelText(view, "filesCount");
    } else if (text == QLatin1String("rules")) {
        shown = labelText(view, "ruleCount");
    } else if (text == QLatin1String("conflicts")) {
        shown = labelText(view, "conflictsCount");
        QTRY_COMPARE(view.previewPanel()->conflictLabel()->text(), expected);
    } else if (text == QLatin1String("status line")) {
        QTRY_COMPARE(view.fileList()->statusLine()->text(), expected);
        shown = view.fileList()->statusLine()->text();
    } else if (text == QLatin1String("confirmation")) {
        shown = view.confirmationTitle();
    } else if (text == QLatin1String("warning")) {
        shown = view.confirmationMessage();
    } else if (text == QLatin1String("remove rule")) {
        auto* list = view.ruleEditor()->findChild<QTreeView*>(QStringLiteral("ruleList"));
        QTRY_COMPARE(list->model()->rowCount(), 1);
        shown = list->model()->index(0, 0).data(RuleListModel::SummaryRole).toString();
    }
    QCOMPARE(shown, expected);
}

void ContentViewTest::settingsOutliveTheWindow() {
    QList<int> panels;
    {
        QuorvaneApp app;
        showWindow(app);
        FileListView* list = app.content().fileList();
        list->includeSubfoldersToggle()->click();
        list->onlyFoldersToggle()->click();
        list->sortPicker()->setCurrentIndex(list->sortPicker()->findText(QStringLiteral("Size")));
        emit list->sortPicker()->activated(list->sortPicker()->currentIndex());
        QCOMPARE(app.model().sortOrder(), AppViewModel::SortOrder::size);
        // The direction beside the picker turns the order round and says which way it runs.
        QToolButton* direction = list->sortDirectionButton();
        QTRY_COMPARE(direction->toolTip().section(QLatin1Char('\n'), 0, 0),
                     QStringLiteral("Largest first"));
        direction->click();
        QVERIFY(app.model().sortReversed());
        QTRY_COMPARE(direction->accessibleDescription(), QStringLiteral("Smallest first"));
        app.window().resize(1100, 700);
        app.content().splitter()->setSizes({320, 400, 360});
        QTRY_COMPARE(app.content().splitter()->sizes()[2], 360);
        panels = app.content().splitter()->sizes();
        app.window().close();
    }
    QuorvaneApp again;
    QVERIFY(again.model().includeSubfolders());
    QVERIFY(again.model().showOnlyFolders());
    QVERIFY(!again.model().showOnlyFiles());
    QCOMPARE(again.model().sortOrder(), AppViewModel::SortOrder::size);
    QVERIFY(again.model().sortReversed());
    showWindow(again);
    QCOMPARE(again.window().size(), QSize(1100, 700));
    QCOMPARE(again.content().splitter()->sizes(), panels);
    QTRY_VERIFY(again.content().fileList()->onlyFoldersToggle()->isChecked());
}

void ContentViewTest::menusCarryTheirItemsAndShortcuts_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QKeySequence>("keys");
    QTest::newRow("add files") << "File"
                               << "Add Files..." << QKeySequence(QStringLiteral("Ctrl+O"));
    QTest::newRow("add folder") << "File"
                                << "Add Folder..." << QKeySequence(QStringLiteral("Ctrl+Shift+O"));
    QTest::newRow("clear") << "File"
                           << "Clear List" << QKeySequence(QStringLiteral("Ctrl+Shift+K"));
    QTest::newRow("quit") << "File"
                          << "Quit" << QKeySequence(QStringLiteral("Ctrl+Q"));
    QTest::newRow("undo") << "Edit"
                          << "Undo Rename" << QKeySequence(QStringLiteral("Ctrl+Z"));
    QTest::newRow("redo") << "Edit"
                          << "Redo Rename" << QKeySequence(QStringLiteral("Ctrl+Shift+Z"));
    QTest::newRow("select all") << "Edit"
                                << "Select All" << QKeySequence(QStringLiteral("Ctrl+A"));
    QTest::newRow("deselect all") << "Edit"
                                  << "Deselect All" << QKeySequence(QStringLiteral("Ctrl+Shift+A"));
    QTest::newRow("history") << "Edit"
                             << "History\u2026" << QKeySequence(QStringLiteral("Ctrl+H"));
    QTest::newRow("invert") << "Edit"
                            << "Invert Selection" << QKeySequence(QStringLiteral("Ctrl+Shift+I"));
    QTest::newRow("rename") << "Rename"
                            << "Rename Selected..." << QKeySequence(QStringLiteral("Ctrl+Return"));
    QTest::newRow("export") << "Rename"
                            << "Export Preview as CSV" << QKeySequence();
    QTest::newRow("edit names") << "Rename"
                                << "Edit Names as Text\u2026"
                                << QKeySequence(QStringLiteral("Ctrl+E"));
}

void ContentViewTest::menusCarryTheirItemsAndShortcuts() {
    QFETCH(QString, menu);
    QFETCH(QString, item);
    QFETCH(QKeySequence, keys);
    QuorvaneApp app;
    QAction* action = menuItem(app.window().menuBar(), menu, item.remove(QLatin1Char('&')));
    if (action == nullptr) {
        // "&Quit" carries its mnemonic.
        action = menuItem(app.window().menuBar(), menu, QStringLiteral("&") + item);
    }
    QVERIFY2(action != nullptr, qPrintable(menu + QStringLiteral(" › ") + item));
    QCOMPARE(action->shortcut(), keys);
}

void ContentViewTest::commandsAreEnabledByState() {
    TempDir dir;
    QuorvaneApp app;
    showWindow(app);
    ContentView& view = app.content();
    view.flush();
    QVERIFY(view.addFilesAction()->isEnabled());
    QVERIFY(view.addFolderAction()->isEnabled());
    QVERIFY(view.clearListAction()->isEnabled());
    QVERIFY(view.selectAllAction()->isEnabled());
    QVERIFY(view.deselectAllAction()->isEnabled());
    QVERIFY(view.invertSelectionAction()->isEnabled());
    QVERIFY(!view.undoAction()->isEnabled());
    QVERIFY(!view.redoAction()->isEnabled());
    QVERIFY(!view.renameAction()->isEnabled());
    QVERIFY(!view.exportAction()->isEnabled());
    QVERIFY(!view.renameButton()->isEnabled());

    app.open({dir.file("one.txt"), dir.file("two.txt")});
    QTRY_VERIFY(view.renameAction()->isEnabled());
    QTRY_VERIFY(view.exportAction()->isEnabled());
    QVERIFY(view.renameButton()->isEnabled());

    // The shortcuts reach the commands.
    QTest::keyClick(&app.window(), Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    QTRY_COMPARE(app.model().selectedCount(), 0u);
    QTRY_VERIFY(!view.renameAction()->isEnabled());
    QTest::keyClick(&app.window(), Qt::Key_I, Qt::ControlModifier | Qt::ShiftModifier);
    QTRY_COMPARE(app.model().selectedCount(), 2u);
    QTRY_VERIFY(view.renameAction()->isEnabled());
    // Ctrl+A on the list sets the check marks rather than highlighting rows.
    app.model().deselectAll();
    QTRY_VERIFY(!view.renameAction()->isEnabled());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTRY_COMPARE(app.model().selectedCount(), 2u);

    QTest::keyClick(&app.window(), Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
    QTRY_VERIFY(app.model().files().empty());
    QTRY_VERIFY(!view.exportAction()->isEnabled());
    QVERIFY(!view.renameAction()->isEnabled());
    QVERIFY(view.fileList()->showsDropZone());
}

void ContentViewTest::topBarCountsFollowTheModel() {
    TempDir dir;
    QuorvaneApp app;
    ContentView& view = app.content();
    view.flush();
    QCOMPARE(labelText(view, "ruleCount"), QStringLiteral("0 rules"));
    // Matched without letter case: both become a.txt.
    app.open({dir.file("b.txt"), dir.file("B.txt"), dir.file("c.txt")});
    app.model().addRule(replacing("b", "a"));
    QTRY_COMPARE(labelText(view, "ruleCount"), QStringLiteral("1 rule"));
    QCOMPARE(labelText(view, "filesCount"), QStringLiteral("3 files"));
    QCOMPARE(labelText(view, "selectedCount"), QStringLiteral("3 selected"));
    QTRY_COMPARE(labelText(view, "conflictsCount"), QStringLiteral("1 conflict"));
    QVERIFY(view.findChild<QWidget*>(QStringLiteral("problemBadge"))->isHidden());
    // A name that cannot be used is counted too.
    app.model().addRule(replacing("c", "/"));
    QTRY_COMPARE(labelText(view, "problemsCount"), QStringLiteral("1 unusable name"));
    QVERIFY(!view.findChild<QWidget*>(QStringLiteral("problemBadge"))->isHidden());
    app.model().removeRule({1});
    app.model().addRule(RenameRule(RuleType::trim));
    QTRY_COMPARE(labelText(view, "ruleCount"), QStringLiteral("2 rules"));
    QTRY_COMPARE(view.fileList()->findChild<QLabel*>(QStringLiteral("fileStatus"))->text(),
                 QStringLiteral("3 files · 3 selected"));
}

void ContentViewTest::confirmationTexts_data() {
    QTest::addColumn<std::vector<std::string>>("names");
    QTest::addColumn<int>("unchecked");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");
    const QString safe =
        QStringLiteral("This action will rename the selected files on disk. It can be undone.");
    QTest::newRow("1 selected, no conflict") << std::vector<std::string>{"a.txt"} << 0 << ""
                                             << "Rename 1 file?" << safe;
    QTest::newRow("3 selected, no conflict")
        << std::vector<std::string>{"a.txt", "b.txt", "c.txt"} << 0 << ""
        << "Rename 3 files?" << safe;
    // The rule drops every "-": "x-1.txt" and "x1-.txt" both become "x1.txt".
    QTest::newRow("2 selected, 1 conflict")
        << std::vector<std::string>{"a.txt", "x-1.txt", "x1-.txt"} << 1 << ""
        << "Rename 2 files?"
        << "Warning: 1 conflict detected. Conflicting files will be skipped.";
    QTest::newRow("3 selected, 2 conflicts")
        << std::vector<std::string>{"x-.txt", "-x.txt", "x--.txt"} << 0 << ""
        << "Rename 3 files?"
        << "Warning: 2 conflicts detected. Conflicting files will be skipped.";
    QTest::newRow("2 hidden by the filter")
        << std::vector<std::string>{"IMG-1.jpg", "a.txt", "b.txt"} << 0 << "IMG"
        << "Rename 1 file?" << safe + "\n2 checked items hidden by the filter will not be renamed.";
    QTest::newRow("1 hidden by the filter")
        << std::vector<std::string>{"IMG-1.jpg", "a.txt"} << 0 << "IMG"
        << "Rename 1 file?" << safe + "\n1 checked item hidden by the filter will not be renamed.";
}

void ContentViewTest::confirmationTexts() {
    QFETCH(std::vector<std::string>, names);
    QFETCH(int, unchecked);
    QFETCH(QString, filter);
    QFETCH(QString, title);
    QFETCH(QString, message);
    TempDir dir;
    QuorvaneApp app;
    showWindow(app);
    std::vector<std::filesystem::path> paths;
    for (const auto& name : names) {
        paths.push_back(dir.file(name));
    }
    app.open(paths);
    for (int i = 0; i < unchecked; ++i) {
        app.model().setFileSelected(app.model().files()[static_cast<std::size_t>(i)].id, false);
    }
    app.model().addRule(replacing("-", ""));
    app.model().setFilterText(filter.toStdString());
    ContentView& view = app.content();
    QTRY_VERIFY(view.renameAction()->isEnabled());

    QTest::keyClick(&app.window(), Qt::Key_Return, Qt::ControlModifier);
    QTRY_VERIFY(view.renameConfirmation() != nullptr);
    QMessageBox* box = view.renameConfirmation();
    QCOMPARE(box->text(), title);
    QCOMPARE(box->informativeText(), message);
    QVERIFY(buttonNamed(box, QStringLiteral("Cancel")) != nullptr);
    QVERIFY(buttonNamed(box, QStringLiteral("Rename")) != nullptr);
    buttonNamed(box, QStringLiteral("Cancel"))->click();
}

void ContentViewTest::cancelLeavesTheFilesAlone() {
    TempDir dir;
    QuorvaneApp app;
    showWindow(app);
    app.open({dir.file("IMG_1.jpg")});
    app.model().addRule(replacing("IMG", "Photo"));
    ContentView& view = app.content();
    QTRY_VERIFY(view.renameButton()->isEnabled());
    view.renameButton()->click();
    QTRY_VERIFY(view.renameConfirmation() != nullptr);
    buttonNamed(view.renameConfirmation(), QStringLiteral("Cancel"))->click();
    QTRY_VERIFY(view.renameConfirmation() == nullptr);
    QTest::qWait(50);
    QVERIFY(dir.exists("IMG_1.jpg"));
    QVERIFY(!app.model().canUndo());
}

void ContentViewTest::renameThroughTheConfirmationThenUndo() {
    TempDir dir;
    QuorvaneApp app;
    showWindow(app);
    app.open({dir.file("IMG_1 caf\xc3\xa9.jpg", "one"),
              dir.file("IMG_2 \xf0\x9f\x8e\x89.jpg", "two"), dir.file("notes.txt", "keep")});
    app.model().addRule(replacing("IMG", "Photo"));
    ContentView& view = app.content();
    QTRY_VERIFY(view.renameAction()->isEnabled());

    view.renameAction()->trigger();
    QTRY_VERIFY(view.renameConfirmation() != nullptr);
    QCOMPARE(view.renameConfirmation()->text(), QStringLiteral("Rename 3 files?"));
    buttonNamed(view.renameConfirmation(), QStringLiteral("Rename"))->click();

    RenameResultView* result = view.resultView();
    QTRY_VERIFY(result->isVisible());
    QVERIFY(!view.progressOverlay()->isVisible());
    QCOMPARE(result->titleLabel()->text(), QStringLiteral("Rename Complete"));
    QCOMPARE(result->renamedCountLabel()->text(), QStringLiteral("2"));
    QCOMPARE(result->failedCountLabel()->text(), QStringLiteral("0"));
    QVERIFY(!result->errorList()->isVisible());
    QVERIFY(dir.exists("Photo_1 caf\xc3\xa9.jpg"));
    QVERIFY(dir.exists("Photo_2 \xf0\x9f\x8e\x89.jpg"));
    QVERIFY(!dir.exists("IMG_1 caf\xc3\xa9.jpg"));
    QCOMPARE(dir.read("Photo_1 caf\xc3\xa9.jpg"), std::string("one"));
    QVERIFY(dir.exists("notes.txt"));

    result->doneButton()->click();
    QTRY_VERIFY(!result->isVisible());
    QVERIFY(!app.model().showRenameResult());
    QTRY_VERIFY(view.undoAction()->isEnabled());
    QVERIFY(!view.redoAction()->isEnabled());

    // A window manager gives the activation back once the report has gone; the offscreen
    // platform has none, so the test does it.
    app.window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&app.window()));
    QTest::keyClick(&app.window(), Qt::Key_Z, Qt::ControlModifier);
    QTRY_VERIFY(dir.exists("IMG_1 caf\xc3\xa9.jpg"));
    QTRY_VERIFY(view.redoAction()->isEnabled());
    QVERIFY(dir.exists("IMG_2 \xf0\x9f\x8e\x89.jpg"));
    QVERIFY(!dir.exists("Photo_1 caf\xc3\xa9.jpg"));
    QVERIFY(!view.undoAction()->isEnabled());
    // An undo that worked needs no report.
    QVERIFY(!result->isVisible());

    view.redoAction()->trigger();
    QTRY_VERIFY(dir.exists("Photo_1 caf\xc3\xa9.jpg"));
    QTRY_VERIFY(view.undoAction()->isEnabled());
}

void ContentViewTest::failuresAreReported() {
    TempDir dir;
    QuorvaneApp app;
    showWindow(app);
    app.open({dir.file("draft a.txt"), dir.file("draft b.txt")});
    app.model().addRule(replacing("draft", "final"));
    // Gone from the disk after it was listed: its move fails.
    std::filesystem::remove(dir.path() / "draft b.txt");
    ContentView& view = app.content();
    // Asked at once, the question waits for the preview of the new rule.
    view.confirmRename();
    QTRY_VERIFY(view.renameConfirmation() != nullptr);
    buttonNamed(view.renameConfirmation(), QStringLiteral("Rename"))->click();

    RenameResultView* result = view.resultView();
    QTRY_VERIFY(result->isVisible());
    QCOMPARE(result->titleLabel()->text(), QStringLiteral("Rename Completed with Errors"));
    QCOMPARE(result->renamedCountLabel()->text(), QStringLiteral("1"));
    QCOMPARE(result->failedCountLabel()->text(), QStringLiteral("1"));
    QCOMPARE(result->successCount(), 1u);
    QCOMPARE(result->failCount(), 1u);
    QVERIFY(result->errorList()->isVisible());
    QCOMPARE(result->errorList()->count(), 1);
    QVERIFY2(result->errorList()->item(0)->text().startsWith(QStringLiteral("draft b.txt: ")),
             qPrintable(result->errorList()->item(0)->text()));
    QVERIFY(dir.exists("final a.txt"));

    // Escape closes the report as Done does.
    QTest::keyClick(result, Qt::Key_Escape);
    QTRY_VERIFY(!app.model().showRenameResult());
}

void ContentViewTest::droppedFilesAreAdded() {
    TempDir dir;
    QuorvaneApp app;
    showWindow(app);
    const auto folder = dir.folder("Ordner \xc3\xbc");
    const auto file = dir.file("Cafe\xcc\x81.txt");
    // A name that is not UTF-8 arrives byte for byte.
    const auto odd = dir.file("odd \xff.txt");
    QMimeData data;
    data.setUrls({FileLocations::toUrl(folder), FileLocations::toUrl(file),
                  FileLocations::toUrl(odd), QUrl(QStringLiteral("https://example.org/x"))});

    FileListView* list = app.content().fileList();
    const QPoint middle = list->rect().center();
    QDragEnterEvent enter(middle, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(middle), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list, &drop);
    QVERIFY(drop.isAccepted());

    // The list grows once the locations are looked at, off the main thread.
    QTRY_VERIFY(!app.model().isAddingFiles());
    const auto& files = app.model().files();
    QCOMPARE(files.size(), 3u);
    QCOMPARE(files[0].url, folder);
    QVERIFY(files[0].isDirectory);
    QCOMPARE(files[1].url, file);
    QCOMPARE(files[2].url, odd);
    QTRY_VERIFY(!list->showsDropZone());
    QTRY_COMPARE(list->tableModel()->rowCount(), 3);

    QMimeData web;
    web.setUrls({QUrl(QStringLiteral("https://example.org/x"))});
    QDragEnterEvent refused(middle, Qt::CopyAction, &web, Qt::LeftButton, Qt::NoModifier);
    refused.ignore();
    QApplication::sendEvent(list, &refused);
    QVERIFY(!refused.isAccepted());
}

void ContentViewTest::theKindFiltersSwitchEachOtherOff() {
    TempDir dir;
    QuorvaneApp app;
    app.open({dir.folder("photos"), dir.file("a.txt")});
    FileListView* list = app.content().fileList();
    list->onlyFilesToggle()->click();
    QVERIFY(app.model().showOnlyFiles());
    QTRY_COMPARE(list->tableModel()->rowCount(), 1);
    list->onlyFoldersToggle()->click();
    QVERIFY(app.model().showOnlyFolders());
    QVERIFY(!app.model().showOnlyFiles());
    QTRY_VERIFY(!list->onlyFilesToggle()->isChecked());
    QTRY_COMPARE(list->tableModel()
                     ->data(list->tableModel()->index(0, FileTableModel::NameColumn))
                     .toString(),
                 QStringLiteral("photos"));
}

void ContentViewTest::quitClosesTheWindow() {
    QuorvaneApp app;
    showWindow(app);
    QTest::keyClick(&app.window(), Qt::Key_Q, Qt::ControlModifier);
    QTRY_VERIFY(!app.window().isVisible());
}

void ContentViewTest::editNamesAsTextRenamesTheChangedLines() {
    TempDir dir;
    QuorvaneApp app;
    showWindow(app);
    app.open({dir.file("a.txt", "a"), dir.file("b.txt", "b"), dir.file("c.txt", "c")});
    ContentView& view = app.content();
    QTRY_VERIFY(view.editNamesAction()->isEnabled());
    QTest::keyClick(&app.window(), Qt::Key_E, Qt::ControlModifier);
    QTRY_VERIFY(view.editNamesDialog() != nullptr);
    EditNamesDialog* dialog = view.editNamesDialog();
    NameLinesEdit* editor = dialog->editor();
    QCOMPARE(editor->lines(), (QStringList{"a.txt", "b.txt", "c.txt"}));
    QVERIFY(!dialog->renameButton()->isEnabled());

    const auto setLine = [editor](int line, const QString& text) {
        QTextCursor cursor(editor->document()->findBlockByNumber(line));
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        cursor.insertText(text);
    };
    setLine(1, QStringLiteral("tab\\there.txt"));
    setLine(2, QStringLiteral(".."));
    QVERIFY(dialog->statusLabel()->text().contains(QStringLiteral("2 lines changed.")));
    QVERIFY(dialog->statusLabel()->text().contains(QStringLiteral("Line 3:")));
    QVERIFY(!dialog->renameButton()->isEnabled());

    // A line break typed or pasted would shift every name below it onto another item.
    QTextCursor end(editor->document());
    end.movePosition(QTextCursor::End);
    end.insertText(QStringLiteral("\nextra"));
    QCOMPARE(editor->lines().size(), 3);
    QVERIFY(dialog->findChild<QLabel*>(QStringLiteral("lineCountMessage"))->isVisibleTo(dialog));

    setLine(2, QStringLiteral("c.txt"));
    QVERIFY(dialog->statusLabel()->text().startsWith(QStringLiteral("1 line changed.")));
    QVERIFY(dialog->renameButton()->isEnabled());
    dialog->renameButton()->click();
    QTRY_VERIFY(view.renameConfirmation() != nullptr);
    QCOMPARE(view.renameConfirmation()->text(), QStringLiteral("Rename 1 file?"));
    buttonNamed(view.renameConfirmation(), QStringLiteral("Rename"))->click();
    QTRY_VERIFY(dir.exists("tab\there.txt"));
    QCOMPARE(dir.read("tab\there.txt"), std::string("b"));
    QVERIFY(dir.exists("a.txt") && dir.exists("c.txt") && !dir.exists("b.txt"));
    QTRY_VERIFY(view.undoAction()->isEnabled());
}

// Saves a picture of `widget` under $QUORVANE_TEST_PICTURES, when it is set, for looking at.
static void picture(QWidget* widget, const char* name) {
    const QByteArray folder = qgetenv("QUORVANE_TEST_PICTURES");
    if (!folder.isEmpty()) {
        widget->grab().save(QString::fromLocal8Bit(folder) + QLatin1Char('/') +
                            QLatin1String(name) + QStringLiteral(".png"));
    }
}

void ContentViewTest::historyOutlivesTheWindowAndAKilledBatchIsOffered() {
    TempDir dir;
    dir.file("a.txt", "a");
    for (const char* name : {"c1.txt", "c2.txt", "c3.txt", "c4.txt"}) {
        dir.file(name, name);
    }
    // Two earlier runs of the command line: one batch done, one killed after two moves.
    const std::string program = std::string("'") + QUORVANE_PROGRAM + "' rename --phrase ";
    const std::string folder = "'" + dir.path().string() + "'/";
    QCOMPARE(std::system((program + "'replace a with x' " + folder + "a.txt >/dev/null").c_str()),
             0);
    std::system(("QUORVANE_TEST_KILL_AT=2 " + program + "'replace c with d' " + folder +
                 "c*.txt >/dev/null 2>&1")
                    .c_str());
    QVERIFY(dir.exists("d1.txt") && dir.exists("c3.txt"));
    {
        QuorvaneApp app;
        showWindow(app);
        ContentView& view = app.content();
        QTRY_VERIFY(view.recoveryQuestion() != nullptr);
        QCOMPARE(
            view.recoveryQuestion()->text(),
            QStringLiteral("A rename of 4 items was interrupted on %1.")
                .arg(
                    view.recoveryQuestion()->text().section(QStringLiteral(" on "), 1).chopped(1)));
        picture(view.recoveryQuestion(), "recovery-question");
        QTest::qWait(50);
        QVERIFY(dir.exists("d1.txt") && dir.exists("c3.txt"));
        buttonNamed(view.recoveryQuestion(), QStringLiteral("Roll It Back"))->click();
        QTRY_VERIFY(dir.exists("c1.txt") && dir.exists("c2.txt") && !dir.exists("d1.txt"));
        QCOMPARE(dir.read("c1.txt"), std::string("c1.txt"));
        QTRY_VERIFY(!app.model().isRenaming());

        // Undo reaches the batch of the earlier run.
        QTRY_VERIFY(view.undoAction()->isEnabled());
        view.undoAction()->trigger();
        QTRY_VERIFY(dir.exists("a.txt"));
        QCOMPARE(dir.read("a.txt"), std::string("a"));
        QTRY_VERIFY(!app.model().isRenaming());

        view.showHistory();
        HistoryDialog* history = view.historyDialog();
        QVERIFY(history != nullptr);
        QTRY_COMPARE(history->list()->topLevelItemCount(), 2);
        QTRY_COMPARE(history->list()->topLevelItem(0)->text(3), QStringLiteral("Undone"));
        QCOMPARE(history->list()->topLevelItem(1)->text(2), QStringLiteral("1"));
        QCOMPARE(history->list()->topLevelItem(1)->text(1),
                 QString::fromStdString(dir.path().string()));
        history->list()->topLevelItem(1)->setSelected(true);
        QTRY_VERIFY(history->redoButton()->isEnabled());
        QVERIFY(!history->undoButton()->isEnabled());
        picture(history, "history");
        history->redoButton()->click();
        QTRY_VERIFY(dir.exists("x.txt"));
        QTRY_COMPARE(history->list()->topLevelItem(1)->text(3), QStringLiteral("Done"));
        history->close();
    }
}

QTEST_MAIN(ContentViewTest)
#include "ContentViewTest.moc"
