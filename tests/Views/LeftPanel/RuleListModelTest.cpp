// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Views/LeftPanel/RuleListModel.h"

#include <QAbstractItemModelTester>
#include <QMimeData>
#include <QSignalSpy>
#include <QtTest>

#include <memory>
#include <string>
#include <vector>

#include "Support/TempDir.h"
#include "ViewModels/AppViewModel.h"
#include "ViewModels/ImmediateScheduler.h"

namespace {

RenameRule replaceRule(const std::string& find, const std::string& with) {
    RenameRule rule(RuleType::replace);
    rule.findText = find;
    rule.replaceText = with;
    return rule;
}

}  // namespace

class RuleListModelTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<TempDir> dir_;
    ImmediateScheduler scheduler_;
    std::unique_ptr<AppViewModel> model_;
    std::unique_ptr<RuleListModel> list_;
    std::unique_ptr<QAbstractItemModelTester> tester_;

    // The findText of each rule, in list order (the rules below are told apart by it).
    QStringList order() const {
        QStringList out;
        for (const auto& rule : model_->rules()) {
            out << QString::fromStdString(rule.findText);
        }
        return out;
    }
    QStringList shownOrder() const {
        QStringList out;
        for (int row = 0; row < list_->rowCount(); ++row) {
            out << QString::fromStdString(list_->ruleAt(list_->index(row, 0))->findText);
        }
        return out;
    }

  private slots:
    void init() {
        dir_ = std::make_unique<TempDir>();
        model_ = std::make_unique<AppViewModel>(scheduler_);
        model_->addFiles({dir_->file("draft.txt")});
        list_ = std::make_unique<RuleListModel>(*model_);
        tester_ = std::make_unique<QAbstractItemModelTester>(
            list_.get(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        for (const char* name : {"A", "B", "C"}) {
            model_->addRule(replaceRule(name, "x"));
        }
    }
    void cleanup() {
        tester_.reset();
        list_.reset();
        model_.reset();
        dir_.reset();
    }

    void everyRuleHasOneEditorSlot() {
        QCOMPARE(list_->rowCount(), 3);
        const QModelIndex rule = list_->index(1, 0);
        QCOMPARE(list_->rowCount(rule), 1);
        const QModelIndex slot = list_->index(0, 0, rule);
        QVERIFY(slot.data(RuleListModel::EditorSlotRole).toBool());
        QCOMPARE(slot.parent(), rule);
        QCOMPARE(list_->ruleAt(slot)->findText, std::string("B"));
        QCOMPARE(list_->rowCount(list_->index(1, RuleListModel::DeleteColumn)), 0);
    }

    void rowShowsNameSummaryAndSwitch() {
        model_->addRule(replaceRule("draft", "final"));
        const QModelIndex row = list_->index(3, 0);
        QCOMPARE(row.data(RuleListModel::NameRole).toString(), QStringLiteral("Replace Text"));
        QCOMPARE(row.data(RuleListModel::SummaryRole).toString(),
                 QStringLiteral("Replace \u201cdraft\u201d \u2192 \u201cfinal\u201d"));
        QCOMPARE(row.data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
        QVERIFY(!row.data(Qt::DecorationRole).value<QIcon>().isNull());
        QVERIFY(list_->flags(row).testFlag(Qt::ItemIsUserCheckable));
        QVERIFY(list_->flags(row).testFlag(Qt::ItemIsDragEnabled));
        QVERIFY(!list_->flags(row).testFlag(Qt::ItemIsDropEnabled));
    }

    void appendingInsertsRowsWithoutReset() {
        QSignalSpy resets(list_.get(), &QAbstractItemModel::modelReset);
        QSignalSpy inserts(list_.get(), &QAbstractItemModel::rowsInserted);
        model_->addRule(replaceRule("D", "x"));
        QCOMPARE(resets.count(), 0);
        QCOMPARE(inserts.count(), 1);
        QCOMPARE(shownOrder(), order());
    }

    void editingUpdatesTheRowInPlace() {
        QSignalSpy resets(list_.get(), &QAbstractItemModel::modelReset);
        QSignalSpy changes(list_.get(), &QAbstractItemModel::dataChanged);
        RenameRule rule = model_->rules()[1];
        rule.replaceText = std::string(1, 'y');  // gcc 12 misreads a literal here (-Wrestrict)
        model_->updateRule(rule);
        QCOMPARE(resets.count(), 0);
        QVERIFY(changes.count() >= 1);
        QCOMPARE(changes.first().at(0).toModelIndex().row(), 1);
        QVERIFY(list_->index(1, 0).data(RuleListModel::SummaryRole).toString().contains("y"));
    }

    void wholeListChangesReset() {
        QSignalSpy resets(list_.get(), &QAbstractItemModel::modelReset);
        model_->removeRule({0});
        QCOMPARE(resets.count(), 1);
        model_->loadPreset(Preset("P", {replaceRule("Z", "z")}));
        QCOMPARE(resets.count(), 2);
        QCOMPARE(shownOrder(), QStringList{"Z"});
        model_->moveRule({0}, 1);  // a move that changes nothing resets nothing
        QCOMPARE(resets.count(), 2);
    }

    void checkStateSwitchesTheRule() {
        model_->removeRule({0, 1, 2});
        model_->addRule(replaceRule("draft", "final"));
        QCOMPARE(model_->previews().front().preview, std::string("final.txt"));
        QVERIFY(list_->setData(list_->index(0, 0), Qt::Unchecked, Qt::CheckStateRole));
        QVERIFY(!model_->rules()[0].isEnabled);
        QCOMPARE(model_->previews().front().preview, std::string("draft.txt"));
        QCOMPARE(list_->index(0, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
        QVERIFY(!list_->setData(list_->index(0, 0), QStringLiteral("x"), Qt::EditRole));
    }

    void dropMovesRules_data() {
        QTest::addColumn<int>("source");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("ontoRow");  // -1: between rows
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("first to middle") << 0 << 2 << -1 << QStringList{"B", "A", "C"};
        QTest::newRow("first to end") << 0 << 3 << -1 << QStringList{"B", "C", "A"};
        QTest::newRow("first past the end") << 0 << -1 << -1 << QStringList{"B", "C", "A"};
        QTest::newRow("last to start") << 2 << 0 << -1 << QStringList{"C", "A", "B"};
        QTest::newRow("onto itself") << 1 << 1 << -1 << QStringList{"A", "B", "C"};
        QTest::newRow("onto the first rule") << 2 << -1 << 0 << QStringList{"C", "A", "B"};
        QTest::newRow("below the first rule's editor") << 2 << 1 << 0 << QStringList{"A", "C", "B"};
    }
    void dropMovesRules() {
        QFETCH(int, source);
        QFETCH(int, row);
        QFETCH(int, ontoRow);
        QFETCH(QStringList, expected);
        std::unique_ptr<QMimeData> data(list_->mimeData({list_->index(source, 0)}));
        QVERIFY(data);
        const QModelIndex parent = ontoRow < 0 ? QModelIndex() : list_->index(ontoRow, 0);
        QVERIFY(list_->canDropMimeData(data.get(), Qt::MoveAction, row, 0, parent));
        QVERIFY(list_->dropMimeData(data.get(), Qt::MoveAction, row, 0, parent));
        QCOMPARE(order(), expected);
        QCOMPARE(shownOrder(), expected);
    }

    void foreignDropsAreRefused() {
        QMimeData text;
        text.setText(QStringLiteral("A"));
        QVERIFY(!list_->canDropMimeData(&text, Qt::MoveAction, 0, 0, {}));
        QVERIFY(!list_->dropMimeData(&text, Qt::MoveAction, 0, 0, {}));
        QCOMPARE(order(), (QStringList{"A", "B", "C"}));
    }

    void moveRowsGoesThroughTheViewModel() {
        QVERIFY(list_->moveRows({}, 0, 2, {}, 3));
        QCOMPARE(order(), (QStringList{"C", "A", "B"}));
        QVERIFY(!list_->moveRows({}, 2, 2, {}, 0));
    }

    void summaries_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("summary");
        const auto row = [](RuleType kind, const char* text) {
            QTest::newRow(rawValue(kind).data()) << int(kind) << QString::fromUtf8(text);
        };
        row(RuleType::replace, "Replace \u201c\u201d \u2192 \u201c\u201d");
        row(RuleType::insert, "Insert \u201c\u201d at the beginning");
        row(RuleType::remove, "Remove \u201c\u201d");
        row(RuleType::caseConversion, "Title Case");
        row(RuleType::numbering, "Number as suffix: name_001, step 1");
        row(RuleType::cleanup, "Trim, collapse spaces");
        row(RuleType::trim, "Trim leading and trailing whitespace");
        row(RuleType::dateStamp, "Add date \u201cyyyy-MM-dd\u201d at the end");
        row(RuleType::extensionChange, "Remove the extension");
        row(RuleType::regex, "Pattern \u201c\u201d \u2192 \u201c\u201d");
    }
    void numberingSummaryPadsLikeTheRule_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("padding");
        QTest::addColumn<bool>("perFolder");
        QTest::addColumn<bool>("shared");
        QTest::addColumn<QString>("summary");
        QTest::newRow("padded") << 7 << 3 << false << false
                                << QStringLiteral("Number as suffix: name_007, step 1");
        QTest::newRow("wider than padding")
            << 12345 << 3 << false << false
            << QStringLiteral("Number as suffix: name_12345, step 1");
        QTest::newRow("negative, sign counts")
            << -5 << 3 << false << false << QStringLiteral("Number as suffix: name_-05, step 1");
        QTest::newRow("no padding")
            << -5 << 0 << false << false << QStringLiteral("Number as suffix: name_-5, step 1");
        QTest::newRow("per folder")
            << 1 << 2 << true << false
            << QStringLiteral("Number as suffix: name_01, step 1, per folder");
        QTest::newRow("both options")
            << 1 << 2 << true << true
            << QStringLiteral(
                   "Number as suffix: name_01, step 1, per folder, shared by companions");
    }
    void numberingSummaryPadsLikeTheRule() {
        QFETCH(int, start);
        QFETCH(int, padding);
        QFETCH(bool, perFolder);
        QFETCH(bool, shared);
        QFETCH(QString, summary);
        RenameRule rule(RuleType::numbering);
        rule.numberingStart = start;
        rule.numberingPadding = padding;
        rule.numberingResetPerFolder = perFolder;
        rule.numberingShareBaseName = shared;
        model_->addRule(rule);
        QCOMPARE(list_->index(3, 0).data(RuleListModel::SummaryRole).toString(), summary);
    }

    void summaries() {
        QFETCH(int, kind);
        QFETCH(QString, summary);
        model_->addRule(RenameRule(static_cast<RuleType>(kind)));
        QCOMPARE(list_->index(3, 0).data(RuleListModel::SummaryRole).toString(), summary);
    }
};

QTEST_MAIN(RuleListModelTest)
#include "RuleListModelTest.moc"
