// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

#include <string>
#include <vector>

#include "Support/TempDir.h"
#include "ViewModels/AppViewModel.h"
#include "ViewModels/ImmediateScheduler.h"
#include "Views/CenterPanel/FileTableModel.h"

Q_DECLARE_METATYPE(std::vector<std::string>)

namespace {

std::vector<std::filesystem::path> makeFiles(const TempDir& dir,
                                             const std::vector<std::string>& names) {
    std::vector<std::filesystem::path> paths;
    for (const auto& name : names) {
        paths.push_back(name.back() == '/' ? dir.folder(name.substr(0, name.size() - 1))
                                           : dir.file(name, "x"));
    }
    return paths;
}

QStringList shownNames(const FileTableModel& table) {
    QStringList names;
    for (int row = 0; row < table.rowCount(); ++row) {
        names << table.data(table.index(row, FileTableModel::NameColumn)).toString();
    }
    return names;
}

}  // namespace

class FileTableModelTest : public QObject {
    Q_OBJECT

  private slots:
    void passesTheModelTesterThroughEveryChange_data();
    void passesTheModelTesterThroughEveryChange();
    void rowsFollowFilterAndOrder_data();
    void rowsFollowFilterAndOrder();
    void checkBoxSetsTheCheckMarkWithoutReset();
    void manyAnnouncementsGiveOneRefresh();
    void aNewListResetsTheModel();
    void foldersShowNoSize();
};

void FileTableModelTest::passesTheModelTesterThroughEveryChange_data() {
    QTest::addColumn<std::vector<std::string>>("names");
    QTest::newRow("ascii") << std::vector<std::string>{"b.txt", "a.txt", "C.md"};
    QTest::newRow("nfc and nfd") << std::vector<std::string>{"Caf\xc3\xa9.txt", "Cafe\xcc\x81.txt"};
    QTest::newRow("emoji and combining marks") << std::vector<std::string>{
        "\xf0\x9f\x8e\x89 party.png", "n\xcc\x83o.txt", "\xe2\x80\x8b.txt"};
    QTest::newRow("folders and hidden") << std::vector<std::string>{"photos/", ".env", "z.txt"};
}

void FileTableModelTest::passesTheModelTesterThroughEveryChange() {
    QFETCH(std::vector<std::string>, names);
    TempDir dir;
    ImmediateScheduler scheduler;
    AppViewModel model(scheduler);
    FileTableModel table(model);
    QAbstractItemModelTester tester(&table, QAbstractItemModelTester::FailureReportingMode::QtTest);

    model.addFiles(makeFiles(dir, names));
    QTRY_COMPARE(table.rowCount(), static_cast<int>(names.size()));
    for (int row = 0; row < table.rowCount(); ++row) {
        for (int column = 0; column < FileTableModel::ColumnCount; ++column) {
            table.data(table.index(row, column), Qt::DisplayRole);
            table.data(table.index(row, column), Qt::ToolTipRole);
        }
    }
    model.invertSelection();
    QTest::qWait(0);
    model.setSortOrder(AppViewModel::SortOrder::size);
    model.setFilterText(names.front().substr(0, 1));
    QTRY_VERIFY(table.rowCount() >= 1);
    model.setFilterText("");
    model.removeFiles({model.files().front()});
    QTRY_COMPARE(table.rowCount(), static_cast<int>(names.size()) - 1);
    model.clearFiles();
    QTRY_COMPARE(table.rowCount(), 0);
}

void FileTableModelTest::rowsFollowFilterAndOrder_data() {
    QTest::addColumn<std::vector<std::string>>("names");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("sorted by name") << std::vector<std::string>{"b.txt", "a.txt", "c.txt"}
                                    << QString() << QStringList{"a.txt", "b.txt", "c.txt"};
    QTest::newRow("filter ignores case")
        << std::vector<std::string>{"Holiday_PHOTO.jpg", "notes.txt", "photo.png"}
        << QStringLiteral("photo") << QStringList{"Holiday_PHOTO.jpg", "photo.png"};
    QTest::newRow("filter with accents")
        << std::vector<std::string>{"R\xc3\xa9sum\xc3\xa9.pdf", "Resume.pdf"}
        << QStringLiteral("Résumé") << QStringList{QStringLiteral("Résumé.pdf")};
    QTest::newRow("emoji filter") << std::vector<std::string>{"\xf0\x9f\x8e\x89 a.png", "b.png"}
                                  << QStringLiteral("🎉") << QStringList{QStringLiteral("🎉 a.png")};
}

void FileTableModelTest::rowsFollowFilterAndOrder() {
    QFETCH(std::vector<std::string>, names);
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    TempDir dir;
    ImmediateScheduler scheduler;
    AppViewModel model(scheduler);
    FileTableModel table(model);
    model.addFiles(makeFiles(dir, names));
    model.setFilterText(filter.toStdString());
    table.refresh();
    QCOMPARE(shownNames(table), expected);
}

void FileTableModelTest::checkBoxSetsTheCheckMarkWithoutReset() {
    TempDir dir;
    ImmediateScheduler scheduler;
    AppViewModel model(scheduler);
    FileTableModel table(model);
    model.addFiles(makeFiles(dir, {"a.txt", "b.txt"}));
    table.refresh();
    QSignalSpy resets(&table, &QAbstractItemModel::modelReset);
    QSignalSpy changes(&table, &QAbstractItemModel::dataChanged);

    const QModelIndex check = table.index(1, FileTableModel::CheckColumn);
    QVERIFY(table.flags(check) & Qt::ItemIsUserCheckable);
    QVERIFY(table.setData(check, Qt::Unchecked, Qt::CheckStateRole));

    QCOMPARE(table.data(check, Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Unchecked);
    QCOMPARE(model.selectedCount(), 1u);
    QVERIFY(!model.files()[1].isSelected);  // b.txt was added second and sorts second
    QCOMPARE(resets.count(), 0);
    QCOMPARE(changes.count(), 1);
}

void FileTableModelTest::manyAnnouncementsGiveOneRefresh() {
    TempDir dir;
    ImmediateScheduler scheduler;
    AppViewModel model(scheduler);
    FileTableModel table(model);
    std::vector<std::string> names;
    for (int i = 0; i < 50; ++i) {
        names.push_back("file" + std::to_string(i) + ".txt");
    }
    model.addFiles(makeFiles(dir, names));
    table.refresh();
    QSignalSpy changes(&table, &QAbstractItemModel::dataChanged);
    QSignalSpy resets(&table, &QAbstractItemModel::modelReset);

    // Fifty element writes, each announced; the table re-reads once.
    model.deselectAll();
    model.invertSelection();
    model.deselectAll();
    QTRY_COMPARE(changes.count(), 1);
    QTest::qWait(20);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(resets.count(), 0);
    for (int row = 0; row < table.rowCount(); ++row) {
        QCOMPARE(table.data(table.index(row, 0), Qt::CheckStateRole).value<Qt::CheckState>(),
                 Qt::Unchecked);
    }
}

void FileTableModelTest::aNewListResetsTheModel() {
    TempDir dir;
    ImmediateScheduler scheduler;
    AppViewModel model(scheduler);
    FileTableModel table(model);
    QSignalSpy resets(&table, &QAbstractItemModel::modelReset);
    model.addFiles(makeFiles(dir, {"a.txt"}));
    model.addFiles(makeFiles(dir, {"b.txt"}));
    QTRY_COMPARE(resets.count(), 1);
    QCOMPARE(shownNames(table), (QStringList{"a.txt", "b.txt"}));
    QVERIFY(table.rowOf(model.files()[1].id) == 1);
    QCOMPARE(table.itemAt(0)->id, model.files()[0].id);
    QVERIFY(table.itemAt(2) == nullptr);
}

void FileTableModelTest::foldersShowNoSize() {
    TempDir dir;
    ImmediateScheduler scheduler;
    AppViewModel model(scheduler);
    FileTableModel table(model);
    model.addFiles(makeFiles(dir, {"album/", "song.mp3"}));
    table.refresh();
    QCOMPARE(table.data(table.index(0, FileTableModel::NameColumn)).toString(),
             QStringLiteral("album"));
    QCOMPARE(table.data(table.index(0, FileTableModel::SizeColumn)).toString(),
             QStringLiteral("—"));
    QVERIFY(table.data(table.index(1, FileTableModel::SizeColumn)).toString() !=
            QStringLiteral("—"));
    QCOMPARE(table.data(table.index(1, FileTableModel::FolderColumn)).toString(),
             QString::fromStdString(dir.path().native()));
}

QTEST_MAIN(FileTableModelTest)
#include "FileTableModelTest.moc"
