// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QAbstractItemModelTester>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <string>
#include <vector>

#include <linux/magic.h>

#include "Models/RenameRule.h"
#include "Services/PosixFileSystem.h"
#include "Support/DriveCalls.h"
#include "Support/TempDir.h"
#include "ViewModels/AppViewModel.h"
#include "ViewModels/ImmediateScheduler.h"
#include "Views/RightPanel/PreviewTableModel.h"
#include "Views/Shared/ErrorText.h"
#include "Views/Shared/FileDialogs.h"

Q_DECLARE_METATYPE(std::vector<std::string>)
Q_DECLARE_METATYPE(PreviewTableModel::Status)

namespace {

using Status = PreviewTableModel::Status;

RenameRule replacing(const std::string& find, const std::string& with) {
    RenameRule rule(RuleType::replace);
    rule.findText = find;
    rule.replaceText = with;
    return rule;
}

}  // namespace

class PreviewTableModelTest : public QObject {
    Q_OBJECT

  private slots:
    void marksEveryRow_data();
    void marksEveryRow();
    void aFatFolderFlagsWhatItRefuses();
    void ruleEditsUpdateRowsInPlace();
    void aPreviewOfAnotherLengthResets();
    void writesTheFileWhole_data();
    void writesTheFileWhole();
    void aFailedWriteSaysWhy();
};

void PreviewTableModelTest::marksEveryRow_data() {
    QTest::addColumn<std::vector<std::string>>("names");
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("with");
    QTest::addColumn<QStringList>("newNames");
    QTest::addColumn<QList<Status>>("statuses");

    QTest::newRow("changed and unchanged")
        << std::vector<std::string>{"IMG_1.jpg", "notes.txt"} << "IMG"
        << "Photo" << QStringList{"Photo_1.jpg", "notes.txt"}
        << QList<Status>{Status::changed, Status::unchanged};
    QTest::newRow("letter-case twin is no conflict where case counts")
        << std::vector<std::string>{"a.txt", "b.txt"} << "b"
        << "A" << QStringList{"a.txt", "A.txt"}
        << QList<Status>{Status::unchanged, Status::changed};
    QTest::newRow("conflict") << std::vector<std::string>{"b1.txt", "B1.txt"} << "b"
                              << "a" << QStringList{"a1.txt", "a1.txt"}
                              << QList<Status>{Status::changed, Status::conflict};
    QTest::newRow("slash cannot be in a name")
        << std::vector<std::string>{"a-b.txt"} << "-"
        << "/" << QStringList{"a/b.txt"} << QList<Status>{Status::problem};
    QTest::newRow("unicode names")
        << std::vector<std::string>{"Caf\xc3\xa9.txt", "\xf0\x9f\x8e\x89 party.png"}
        << "\xf0\x9f\x8e\x89"
        << "\xe2\x9c\xa8" << QStringList{QStringLiteral("✨ party.png"), QStringLiteral("Café.txt")}
        << QList<Status>{Status::changed, Status::unchanged};
}

void PreviewTableModelTest::marksEveryRow() {
    QFETCH(std::vector<std::string>, names);
    QFETCH(QString, find);
    QFETCH(QString, with);
    QFETCH(QStringList, newNames);
    QFETCH(QList<Status>, statuses);
    TempDir dir;
    ImmediateScheduler scheduler;
    AppViewModel model(scheduler);
    PreviewTableModel table(model);
    QAbstractItemModelTester tester(&table, QAbstractItemModelTester::FailureReportingMode::QtTest);
    std::vector<std::filesystem::path> paths;
    for (const auto& name : names) {
        paths.push_back(dir.file(name, "x"));
    }
    model.addFiles(paths);
    model.addRule(replacing(find.toStdString(), with.toStdString()));
    QTRY_COMPARE(table.rowCount(), static_cast<int>(names.size()));

    for (int row = 0; row < table.rowCount(); ++row) {
        QCOMPARE(table.data(table.index(row, PreviewTableModel::NewNameColumn)).toString(),
                 newNames[row]);
        QCOMPARE(table.statusAt(row), statuses[row]);
        const QVariant icon =
            table.data(table.index(row, PreviewTableModel::NewNameColumn), Qt::DecorationRole);
        const bool flagged = statuses[row] == Status::conflict || statuses[row] == Status::problem;
        QCOMPARE(icon.isValid(), flagged);
        const QString tip =
            table.data(table.index(row, PreviewTableModel::OriginalColumn), Qt::ToolTipRole)
                .toString();
        QVERIFY(!tip.isEmpty());
        if (statuses[row] == Status::problem) {
            QVERIFY2(tip.contains(ErrorText::sentence(*model.previews()[row].problem)),
                     qPrintable(tip));
        }
    }
    const auto changed = std::count(statuses.begin(), statuses.end(), Status::changed);
    QCOMPARE(table.changedCount(), static_cast<std::size_t>(changed));
}

// The folder's drive is read once when the items come in; the preview then flags the names
// it would refuse, in the window's own words.
void PreviewTableModelTest::aFatFolderFlagsWhatItRefuses() {
    TempDir dir;
    DriveCalls calls(MSDOS_SUPER_MAGIC, "vfat");
    PosixFileSystem disk(calls);
    ImmediateScheduler scheduler;
    AppViewModel model(scheduler, &disk);
    PreviewTableModel table(model);
    model.addFiles({dir.file("AC-DC.mp3"), dir.file("Ok-Go.mp3")});
    model.addRule(replacing("AC-", "AC:"));
    QTRY_COMPARE(table.rowCount(), 2);
    QCOMPARE(table.statusAt(0), Status::problem);
    QCOMPARE(table.statusAt(1), Status::unchanged);
    const QString tip =
        table.data(table.index(0, PreviewTableModel::OriginalColumn), Qt::ToolTipRole).toString();
    QVERIFY2(tip.contains(QStringLiteral("This drive does not accept \u201c:\u201d in names.")),
             qPrintable(tip));
}

void PreviewTableModelTest::ruleEditsUpdateRowsInPlace() {
    TempDir dir;
    ImmediateScheduler scheduler;
    AppViewModel model(scheduler);
    PreviewTableModel table(model);
    QAbstractItemModelTester tester(&table, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.addFiles({dir.file("draft one.txt"), dir.file("draft two.txt")});
    RenameRule rule = replacing("draft", "final");
    model.addRule(rule);
    table.refresh();
    QSignalSpy resets(&table, &QAbstractItemModel::modelReset);
    QSignalSpy changes(&table, &QAbstractItemModel::dataChanged);

    // Typing into a rule: one recomputation per keystroke, no reset of the table.
    for (const char* text : {"f", "fi", "fin", "fina", "final!"}) {
        rule.replaceText = text;
        model.updateRule(rule);
    }
    QTRY_COMPARE(changes.count(), 1);
    QCOMPARE(resets.count(), 0);
    QCOMPARE(table.data(table.index(0, PreviewTableModel::NewNameColumn)).toString(),
             QStringLiteral("final! one.txt"));
}

void PreviewTableModelTest::aPreviewOfAnotherLengthResets() {
    TempDir dir;
    ImmediateScheduler scheduler;
    AppViewModel model(scheduler);
    PreviewTableModel table(model);
    QAbstractItemModelTester tester(&table, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy resets(&table, &QAbstractItemModel::modelReset);
    model.addFiles({dir.file("a.txt")});
    QTRY_COMPARE(table.rowCount(), 1);
    model.clearFiles();
    QTRY_COMPARE(table.rowCount(), 0);
    QCOMPARE(resets.count(), 2);
}

void PreviewTableModelTest::writesTheFileWhole_data() {
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("header only") << "rename_preview.csv"
                                 << QByteArray("Original Name,New Name,Has Conflict\n");
    QTest::newRow("unicode name and rows")
        << QStringLiteral("vorschau é 🎉.csv")
        << QByteArray(
               "Original Name,New Name,Has "
               "Conflict\n\"Cafe\xcc\x81.txt\",\"Caf\xc3\xa9.txt\",false\n");
}

void PreviewTableModelTest::writesTheFileWhole() {
    QFETCH(QString, fileName);
    QFETCH(QByteArray, text);
    TempDir dir;
    const QString target =
        QString::fromStdString(dir.path().native()) + QLatin1Char('/') + fileName;
    // An older file in the way is replaced as a whole.
    {
        QFile old(target);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(4096, 'z'));
    }
    QCOMPARE(FileDialogs::writeAtomically(target, text.toStdString()), QString());
    QFile written(target);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), text);
}

void PreviewTableModelTest::aFailedWriteSaysWhy() {
    TempDir dir;
    const QString target =
        QString::fromStdString((dir.path() / "missing folder" / "rename_preview.csv").native());
    const QString why =
        FileDialogs::writeAtomically(target, "Original Name,New Name,Has Conflict\n");
    QVERIFY(!why.isEmpty());
    QVERIFY(!QFile::exists(target));
}

QTEST_MAIN(PreviewTableModelTest)
#include "PreviewTableModelTest.moc"
