// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include <cstdlib>

#include "App/QuorvaneApp.h"
#include "Support/TempDir.h"
#include "ViewModels/AppViewModel.h"
#include "Views/LeftPanel/RuleEditorView.h"
#include "Views/LeftPanel/RuleListModel.h"
#include "Views/LeftPanel/RuleOptionsEditor.h"

// The window in German, as a user whose system speaks German sees it: the locale comes from
// the environment, as at a real start.
class TranslationsTest : public QObject {
    Q_OBJECT

  private slots:
    void theWindowSpeaksTheSystemsLanguage();
};

void TranslationsTest::theWindowSpeaksTheSystemsLanguage() {
    TempDir dir;
    QuorvaneApp app(dir.path() / "presets.json");
    RenameRule replace(RuleType::replace);
    replace.findText = "draft";
    replace.replaceText = "final";
    app.model().addRule(replace);
    RenameRule first(RuleType::remove);
    first.removeTarget = RemoveTarget::firstN;
    first.removeCount = 3;
    app.model().addRule(first);
    app.open({dir.file("a.txt")});

    auto* panel = app.window().findChild<RuleEditorView*>();
    QVERIFY(panel != nullptr);
    // Added through the add-rule menu, as a user does; its editor opens.
    auto* add = panel->findChild<QPushButton*>(QStringLiteral("addRuleButton"));
    QVERIFY(add != nullptr && add->menu() != nullptr);
    add->menu()->actions().at(static_cast<int>(RuleType::insert))->trigger();
    auto* insert = panel->editorFor(app.model().rules().back().id);
    QVERIFY(insert != nullptr);
    auto* list = panel->findChild<QAbstractItemView*>(QStringLiteral("ruleList"));
    const auto summary = [&](int row) {
        return list->model()->index(row, 0).data(RuleListModel::SummaryRole).toString();
    };
    const auto button = [&](const char* name) {
        auto* found = app.window().findChild<QAbstractButton*>(QString::fromLatin1(name));
        return found != nullptr ? found->text() : QStringLiteral("(none)");
    };
    auto* position = insert->findChild<QComboBox*>(QStringLiteral("insertPosition"));
    QVERIFY(position != nullptr);

    auto* ruleCount = app.window().findChild<QLabel*>(QStringLiteral("ruleCount"));
    QVERIFY(ruleCount != nullptr);
    QTRY_COMPARE(ruleCount->text(), QStringLiteral("3 Regeln"));
    // Texts of the window, of the core's rule descriptions, stored values, and plural forms.
    const std::vector<std::pair<QString, QString>> shown = {
        {app.window().menuBar()->actions().value(0)->text(), QStringLiteral("&Datei")},
        {button("savePresetButton"), QStringLiteral("Als Vorlage speichern …")},
        {button("addRuleButton"), QStringLiteral("Neue Regel")},
        {insert->findChild<QLineEdit*>(QStringLiteral("insertText"))->accessibleName(),
         QStringLiteral("Text")},
        {insert->findChild<QLineEdit*>(QStringLiteral("insertText"))->placeholderText(),
         QStringLiteral("Einzufügender Text")},
        {position->itemText(0), QStringLiteral("Anfang")},
        {position->itemText(3), QStringLiteral("Vor Text")},
        {list->model()->index(0, 0).data(RuleListModel::NameRole).toString(),
         QStringLiteral("Text ersetzen")},
        {summary(0), QStringLiteral("\u201edraft\u201c durch \u201efinal\u201c ersetzen")},
        {summary(1), QStringLiteral("Die ersten 3 Zeichen entfernen")},
    };
    for (const auto& [actual, expected] : shown) {
        QCOMPARE(actual, expected);
    }
}

int main(int argc, char** argv) {
    // Before Qt reads the locale, as the desktop session would have set it.
    ::setenv("LC_ALL", "de_DE.UTF-8", 1);
    ::setenv("LANG", "de_DE.UTF-8", 1);
    QApplication application(argc, argv);
    TranslationsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "TranslationsTest.moc"
