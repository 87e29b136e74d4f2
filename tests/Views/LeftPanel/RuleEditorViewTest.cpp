// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Views/LeftPanel/RuleEditorView.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QComboBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "Models/EnumCases.h"
#include "Services/PresetManager.h"
#include "Support/TempDir.h"
#include "ViewModels/AppViewModel.h"
#include "ViewModels/ImmediateScheduler.h"
#include "Views/LeftPanel/RuleListModel.h"
#include "Views/LeftPanel/RuleOptionsEditor.h"

namespace {

// Types `text` into `field` as one key event, the way an input method delivers a composed
// string, so that combining marks and emoji sequences arrive whole. Replaces what was there.
void typeInto(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
    QApplication::sendEvent(field, &press);
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

class RuleEditorViewTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<TempDir> dir_;
    ImmediateScheduler scheduler_;
    std::unique_ptr<AppViewModel> model_;
    std::unique_ptr<PresetManager> presets_;
    std::unique_ptr<RuleEditorView> view_;
    std::unique_ptr<QAbstractItemModelTester> tester_;

    template <typename W>
    W* child(const char* name) const {
        auto* widget = view_->findChild<W*>(QString::fromLatin1(name));
        if (widget == nullptr) {
            qWarning("no child named %s", name);
        }
        return widget;
    }
    QTreeView* list() const { return child<QTreeView>("ruleList"); }
    std::vector<std::string> previewNames() const {
        std::vector<std::string> out;
        for (const auto& entry : model_->previews()) {
            out.push_back(entry.preview);
        }
        return out;
    }
    // What the engine makes of the current enabled rules: the preview must always equal it.
    std::vector<std::string> engineNames() const {
        std::vector<RenameRule> enabled;
        for (const auto& rule : model_->rules()) {
            if (rule.isEnabled) {
                enabled.push_back(rule);
            }
        }
        std::vector<std::string> out;
        for (const auto& entry : RenameEngine::preview(enabled, model_->filteredFiles())) {
            out.push_back(entry.preview);
        }
        return out;
    }
    // Adds a rule of `kind` through the add-rule menu, as a user would.
    RuleOptionsEditor* addThroughMenu(RuleType kind) {
        auto* menu = child<QPushButton>("addRuleButton")->menu();
        const auto actions = menu->actions();
        actions.at(static_cast<int>(kind))->trigger();
        return view_->editorFor(model_->rules().back().id);
    }
    void addRules(const std::vector<std::string>& finds) {
        for (const auto& find : finds) {
            RenameRule rule(RuleType::replace);
            rule.findText = find;
            model_->addRule(rule);
        }
    }
    std::vector<std::string> finds() const {
        std::vector<std::string> out;
        for (const auto& rule : model_->rules()) {
            out.push_back(rule.findText);
        }
        return out;
    }
    void choose(int row) {
        list()->setFocus();
        list()->setCurrentIndex(list()->model()->index(row, 0));
    }

  private slots:
    void init() {
        dir_ = std::make_unique<TempDir>();
        model_ = std::make_unique<AppViewModel>(scheduler_);
        model_->addFiles({dir_->file("draft report.txt"), dir_->file("photo 12.JPG")});
        presets_ = std::make_unique<PresetManager>(dir_->path() / "Presets" / "presets.json");
        view_ = std::make_unique<RuleEditorView>(*model_, *presets_);
        view_->resize(320, 800);
        view_->show();
        QVERIFY(QTest::qWaitForWindowExposed(view_.get()));
        tester_ = std::make_unique<QAbstractItemModelTester>(
            list()->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    }
    void cleanup() {
        tester_.reset();
        view_.reset();
        presets_.reset();
        model_.reset();
        dir_.reset();
    }

    void addMenuListsTheKindsInOrder() {
        const auto actions = child<QPushButton>("addRuleButton")->menu()->actions();
        const auto kinds = allCases<RuleType>();
        QCOMPARE(actions.size(), qsizetype(kinds.size()));
        for (std::size_t i = 0; i < kinds.size(); ++i) {
            QCOMPARE(actions[static_cast<int>(i)]->text(), QString::fromUtf8(rawValue(kinds[i])));
            QVERIFY(!actions[static_cast<int>(i)]->icon().isNull());
        }
    }

    // Each kind: add it, change one option through its editor, and the preview follows.
    void addAndEditEachKind_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");     // text typed, number, combo entry or "toggle"
        QTest::addColumn<QString>("expected");  // first preview name; empty: engine's only
        const auto row = [](RuleType kind, const char* field, const char* value,
                            const char* expected) {
            QTest::newRow(rawValue(kind).data())
                << int(kind) << QString::fromLatin1(field) << QString::fromUtf8(value)
                << QString::fromUtf8(expected);
        };
        row(RuleType::replace, "findText", "draft", "draft report.txt");
        row(RuleType::insert, "insertText", "New ", "New draft report.txt");
        row(RuleType::remove, "removeText", "draft ", "report.txt");
        row(RuleType::caseConversion, "caseType", "UPPERCASE", "DRAFT REPORT.txt");
        row(RuleType::numbering, "numberingStart", "7", "draft report_007.txt");
        row(RuleType::cleanup, "replaceSpacesWithUnderscores", "toggle", "draft_report.txt");
        row(RuleType::trim, "", "", "draft report.txt");
        row(RuleType::dateStamp, "datePosition", "Beginning", "");
        row(RuleType::extensionChange, "newExtension", "md", "draft report.md");
        row(RuleType::regex, "findText", "(\\w+) (\\w+)", "draft report.txt");
        row(RuleType::nameTemplate, "templateText", "{ext}-{name}", "txt-draft report.txt");
    }
    void addAndEditEachKind() {
        QFETCH(int, kind);
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, expected);
        auto* editor = addThroughMenu(static_cast<RuleType>(kind));
        QCOMPARE(model_->rules().size(), std::size_t(1));
        QCOMPARE(int(model_->rules()[0].type), kind);
        QVERIFY2(editor != nullptr, "a new rule opens its editor");
        QVERIFY(list()->isExpanded(list()->model()->index(0, 0)));
        const RenameRule before = model_->rules()[0];
        if (!field.isEmpty()) {
            auto* widget = editor->findChild<QWidget*>(field);
            QVERIFY(widget != nullptr);
            if (auto* line = qobject_cast<QLineEdit*>(widget)) {
                typeInto(line, value);
            } else if (auto* spin = qobject_cast<QSpinBox*>(widget)) {
                spin->setValue(value.toInt());
            } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
                combo->setCurrentIndex(combo->findText(value));
                QVERIFY(combo->currentIndex() >= 0);
            } else if (auto* box = qobject_cast<QCheckBox*>(widget)) {
                box->click();
            }
            QVERIFY2(!(model_->rules()[0] == before), "the edit reached the rule list");
        }
        // The regex and replace rows need a replacement too, set in a second field.
        if (kind == int(RuleType::replace) || kind == int(RuleType::regex)) {
            typeInto(editor->findChild<QLineEdit*>("replaceText"),
                     kind == int(RuleType::replace) ? "final" : "$2 $1");
        }
        QCOMPARE(previewNames(), engineNames());
        if (expected.isEmpty()) {
            return;
        }
        if (kind == int(RuleType::replace)) {
            expected = QStringLiteral("final report.txt");
        } else if (kind == int(RuleType::regex)) {
            expected = QStringLiteral("report draft.txt");
        }
        const std::string first = model_->previews().front().preview;
        QCOMPARE(QString::fromStdString(first), expected);
    }

    void combosListRawValuesInOrder() {
        auto* insert = addThroughMenu(RuleType::insert);
        auto* combo = insert->findChild<QComboBox*>("insertPosition");
        QCOMPARE(combo->count(), 5);
        QCOMPARE(combo->itemText(2), QStringLiteral("At Position"));
        auto* remove = addThroughMenu(RuleType::remove);
        combo = remove->findChild<QComboBox*>("removeTarget");
        QCOMPARE(combo->itemText(3), QStringLiteral("From Position to Position"));
        auto* casing = addThroughMenu(RuleType::caseConversion);
        combo = casing->findChild<QComboBox*>("caseType");
        QCOMPARE(combo->count(), 6);
        QCOMPARE(combo->currentText(), QStringLiteral("Title Case"));
        QCOMPARE(combo->itemText(4), QStringLiteral("snake_case"));
        auto* numbering = addThroughMenu(RuleType::numbering);
        combo = numbering->findChild<QComboBox*>("numberingPosition");
        QCOMPARE(combo->currentText(), QStringLiteral("Suffix"));
        QCOMPARE(numbering->findChild<QSpinBox*>("numberingPadding")->value(), 3);
        QCOMPARE(numbering->findChild<QLineEdit*>("numberingSeparator")->text(),
                 QStringLiteral("_"));
    }

    void modeHidesOptionsThatDoNotApply() {
        auto* editor = addThroughMenu(RuleType::remove);
        auto* count = editor->findChild<QSpinBox*>("removeCount");
        auto* text = editor->findChild<QLineEdit*>("removeText");
        QVERIFY(count->isHidden());
        QVERIFY(!text->isHidden());
        editor->findChild<QComboBox*>("removeTarget")->setCurrentIndex(1);
        QCOMPARE(model_->rules()[0].removeTarget, RemoveTarget::firstN);
        QVERIFY(!count->isHidden());
        QVERIFY(text->isHidden());
        count->setValue(6);
        QCOMPARE(model_->rules()[0].removeCount, std::int64_t(6));
    }

    // Each kind in each of its modes, in a panel as narrow as the window lets it get: every
    // field the mode reads is shown whole, at least as tall as it asks to be.
    void everyFieldFitsAtTheNarrowestPanel_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("mode");  // the combo box choosing the mode, if any
        QTest::addColumn<int>("choice");
        QTest::addColumn<QStringList>("fields");
        const auto row = [](const char* name, RuleType kind, const char* mode, int choice,
                            QStringList fields) {
            QTest::newRow(name) << int(kind) << QString::fromLatin1(mode) << choice << fields;
        };
        row("replace", RuleType::replace, "", 0,
            {"findText", "replaceText", "isCaseSensitive", "useRegex"});
        for (int at = 0; at < 5; ++at) {
            QStringList fields{"insertPosition", "insertText"};
            if (at == 2) {
                fields << "insertIndex";
            } else if (at > 2) {
                fields << "insertAnchorText";
            }
            QTest::addRow("insert %d", at)
                << int(RuleType::insert) << "insertPosition" << at << fields;
        }
        const QList<QStringList> removeFields{{"removeText"},
                                              {"removeCount"},
                                              {"removeCount"},
                                              {"removeFromIndex", "removeToIndex"},
                                              {"removeBetweenStart", "removeBetweenEnd"}};
        for (int target = 0; target < 5; ++target) {
            QTest::addRow("remove %d", target)
                << int(RuleType::remove) << "removeTarget" << target
                << (QStringList{"removeTarget"} + removeFields[target]);
        }
        row("case", RuleType::caseConversion, "", 0, {"caseType"});
        const QStringList numbering{"numberingStart", "numberingStep", "numberingPadding",
                                    "numberingPosition", "numberingSeparator"};
        for (int place = 0; place < 3; ++place) {
            QTest::addRow("numbering %d", place)
                << int(RuleType::numbering) << "numberingPosition" << place << numbering;
        }
        row("cleanup", RuleType::cleanup, "", 0,
            {"trimWhitespace", "removeDuplicateSpaces", "replaceSpacesWithUnderscores",
             "removeSpecialChars", "transliterateToASCII", "makeWindowsSafe"});
        row("trim", RuleType::trim, "", 0, {});
        row("date at the beginning", RuleType::dateStamp, "datePosition", 0,
            {"dateFormat", "datePosition"});
        row("date at the end", RuleType::dateStamp, "datePosition", 1,
            {"dateFormat", "datePosition"});
        row("extension", RuleType::extensionChange, "", 0, {"newExtension", "extensionHint"});
        row("regex", RuleType::regex, "", 0, {"findText", "replaceText"});
        row("template", RuleType::nameTemplate, "", 0,
            {"templateText", "templateTokens", "templateExample"});
    }
    void everyFieldFitsAtTheNarrowestPanel() {
        QFETCH(int, kind);
        QFETCH(QString, mode);
        QFETCH(int, choice);
        QFETCH(QStringList, fields);
        // The rule panel's minimum width in the window.
        view_->resize(260, 800);
        auto* editor = addThroughMenu(static_cast<RuleType>(kind));
        QVERIFY(editor != nullptr);
        if (!mode.isEmpty()) {
            editor->findChild<QComboBox*>(mode)->setCurrentIndex(choice);
        }
        QWidget* viewport = list()->viewport();
        // The list lays its rows out again on its next pass.
        const auto misfit = [&]() -> QString {
            for (const QString& name : fields) {
                auto* field = editor->findChild<QWidget*>(name);
                if (field == nullptr) {
                    return name + QStringLiteral(" is missing");
                }
                const QRect box(field->mapTo(viewport, QPoint(0, 0)), field->size());
                // Wrapped text asks for the height its width needs.
                const int wanted = field->hasHeightForWidth()
                                       ? field->heightForWidth(field->width())
                                       : field->sizeHint().height();
                if (!field->isVisible() || field->height() < wanted ||
                    !viewport->rect().contains(box)) {
                    return QStringLiteral("%1 at %2,%3 %4x%5 (asks %6 high) in %7x%8")
                        .arg(name)
                        .arg(box.x())
                        .arg(box.y())
                        .arg(box.width())
                        .arg(box.height())
                        .arg(wanted)
                        .arg(viewport->width())
                        .arg(viewport->height());
                }
            }
            return {};
        };
        QTRY_VERIFY2(misfit().isEmpty(), qPrintable(misfit()));
    }

    void extensionEditorShowsTheHint() {
        auto* editor = addThroughMenu(RuleType::extensionChange);
        auto* label = editor->findChild<QLabel*>("extensionHint");
        QVERIFY(label != nullptr);
        QCOMPARE(label->text(), QStringLiteral("Leave blank to remove the extension."));
        // Said once: the field's placeholder is an example, not the same words again.
        QCOMPARE(editor->findChild<QLineEdit*>("newExtension")->placeholderText(),
                 QStringLiteral("e.g. jpg"));
    }

    // The token menu inserts at the cursor, the example follows the first shown entry, and a
    // token the template does not know marks the field as an invalid pattern does.
    void templateEditorOffersTokensAndShowsAnExample() {
        auto* editor = addThroughMenu(RuleType::nameTemplate);
        auto* text = editor->findChild<QLineEdit*>("templateText");
        auto* example = editor->findChild<QLabel*>("templateExample");
        QVERIFY(text != nullptr && example != nullptr);
        QCOMPARE(text->text(), QStringLiteral("{name}"));
        QCOMPARE(example->text(), QStringLiteral("draft report.txt \u2192 draft report.txt"));
        text->setCursorPosition(0);
        const auto actions = editor->findChild<QMenu*>("templateTokenMenu")->actions();
        const auto ext = std::find_if(actions.begin(), actions.end(), [](QAction* a) {
            return a->data().toString() == QStringLiteral("{ext}");
        });
        QVERIFY(ext != actions.end());
        (*ext)->trigger();
        QCOMPARE(model_->rules()[0].templateText, std::string("{ext}{name}"));
        QTRY_COMPARE(example->text(),
                     QStringLiteral("draft report.txt \u2192 txtdraft report.txt"));
        QCOMPARE(model_->previews().front().preview, std::string("txtdraft report.txt"));

        typeInto(text, QStringLiteral("{nme}"));
        QVERIFY(text->property("invalidPattern").toBool());
        QVERIFY2(text->toolTip().contains(QStringLiteral("unknown token {nme}")),
                 qPrintable(text->toolTip()));
        QCOMPARE(previewNames(), (std::vector<std::string>{"draft report.txt", "photo 12.JPG"}));
    }

    void invalidPatternIsMarked_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("regular expression") << int(RuleType::regex);
        QTest::newRow("replace in pattern mode") << int(RuleType::replace);
    }
    void invalidPatternIsMarked() {
        QFETCH(int, kind);
        auto* editor = addThroughMenu(static_cast<RuleType>(kind));
        auto* pattern = editor->findChild<QLineEdit*>("findText");
        typeInto(pattern, QStringLiteral("(abc"));
        if (kind == int(RuleType::replace)) {
            QVERIFY2(!pattern->property("invalidPattern").toBool(), "literal text is no pattern");
            editor->findChild<QCheckBox*>("useRegex")->click();
        }
        QVERIFY(pattern->property("invalidPattern").toBool());
        QVERIFY2(pattern->toolTip().contains(QStringLiteral("U_REGEX")),
                 qPrintable(pattern->toolTip()));
        QVERIFY(!pattern->styleSheet().isEmpty());
        QCOMPARE(previewNames(), (std::vector<std::string>{"draft report.txt", "photo 12.JPG"}));
        typeInto(pattern, QStringLiteral("(abc)"));
        QVERIFY(!pattern->property("invalidPattern").toBool());
        QVERIFY(pattern->toolTip().isEmpty());
        QVERIFY(pattern->styleSheet().isEmpty());
    }

    void unicodeIsKeptExactly_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("NFC") << QStringLiteral("Caf\u00e9");
        QTest::newRow("NFD") << QStringLiteral("Cafe\u0301");
        QTest::newRow("emoji ZWJ sequence") << QStringLiteral("\U0001F469\u200D\U0001F4BB");
        QTest::newRow("flag and skin tone")
            << QStringLiteral("\U0001F1E9\U0001F1EA\U0001F44D\U0001F3FD");
        QTest::newRow("Hangul jamo") << QStringLiteral("\u1112\u1161\u11AB");
    }
    void unicodeIsKeptExactly() {
        QFETCH(QString, text);
        const std::string bytes = text.toStdString();
        auto* editor = addThroughMenu(RuleType::insert);
        typeInto(editor->findChild<QLineEdit*>("insertText"), text);
        QCOMPARE(model_->rules()[0].insertText, bytes);
        typeInto(child<QLineEdit>("phraseField"), text);
        QCOMPARE(model_->naturalLanguageInput(), bytes);
        // Shown again after a reset (a preset load rebuilds every row and editor).
        model_->loadPreset(Preset("p", model_->rules()));
        auto* again = view_->editorFor(model_->rules()[0].id);
        QVERIFY(again != nullptr);
        QCOMPARE(again->findChild<QLineEdit*>("insertText")->text(), text);
        QCOMPARE(model_->rules()[0].insertText, bytes);
    }

    void keyboardReorders() {
        addRules({"A", "B", "C"});
        choose(0);
        QTest::keyClick(list(), Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(finds(), (std::vector<std::string>{"B", "A", "C"}));
        QTest::keyClick(list(), Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(finds(), (std::vector<std::string>{"B", "C", "A"}));
        QTest::keyClick(list(), Qt::Key_Down, Qt::ControlModifier);  // already last
        QCOMPARE(finds(), (std::vector<std::string>{"B", "C", "A"}));
        QTest::keyClick(list(), Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(finds(), (std::vector<std::string>{"B", "A", "C"}));
        QCOMPARE(list()->currentIndex().row(), 1);
        child<QToolButton>("moveUpButton")->click();
        QCOMPARE(finds(), (std::vector<std::string>{"A", "B", "C"}));
        QVERIFY(!child<QToolButton>("moveUpButton")->isEnabled());
        QCOMPARE(previewNames(), engineNames());
        // Return opens and closes the chosen row's editor.
        const QModelIndex first = list()->model()->index(0, 0);
        QTest::keyClick(list(), Qt::Key_Return);
        QVERIFY(list()->isExpanded(first));
        QVERIFY(view_->editorFor(model_->rules()[0].id) != nullptr);
        QTest::keyClick(list(), Qt::Key_Return);
        QVERIFY(!list()->isExpanded(first));
        // Tab goes from the list into an open editor.
        view_->setExpanded(model_->rules()[0].id, true);
        auto* editor = view_->editorFor(model_->rules()[0].id);
        QTRY_VERIFY(editor->isVisible());  // the tree lays its rows out on the next pass
        list()->setFocus();
        QTest::keyClick(list(), Qt::Key_Tab);
        QVERIFY2(editor->isAncestorOf(QApplication::focusWidget()),
                 qPrintable(QApplication::focusWidget()->objectName()));
    }

    void dragReorderKeepsOpenEditors() {
        addRules({"A", "B", "C"});
        view_->setExpanded(model_->rules()[0].id, true);
        auto* model = list()->model();
        std::unique_ptr<QMimeData> data(model->mimeData({model->index(0, 0)}));
        QVERIFY(model->dropMimeData(data.get(), Qt::MoveAction, 3, 0, {}));
        QCOMPARE(finds(), (std::vector<std::string>{"B", "C", "A"}));
        QVERIFY(view_->editorFor(model_->rules()[2].id) != nullptr);
        QVERIFY(list()->isExpanded(model->index(2, 0)));
    }

    void deleteRemovesRules() {
        addRules({"A", "B", "C"});
        choose(1);
        child<QToolButton>("deleteRuleButton")->click();
        QCOMPARE(finds(), (std::vector<std::string>{"A", "C"}));
        QTest::keyClick(list(), Qt::Key_Delete);
        QCOMPARE(finds(), (std::vector<std::string>{"A"}));
        // The row's own delete control.
        const QRect cell =
            list()->visualRect(list()->model()->index(0, RuleListModel::DeleteColumn));
        QVERIFY(cell.isValid());
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, cell.center());
        QVERIFY(model_->rules().empty());
        QCOMPARE(previewNames(), (std::vector<std::string>{"draft report.txt", "photo 12.JPG"}));
    }

    void enableSwitchTurnsARuleOff() {
        RenameRule rule(RuleType::extensionChange);
        rule.newExtension = "md";
        model_->addRule(rule);
        QCOMPARE(previewNames().front(), std::string("draft report.md"));
        choose(0);
        QTest::keyClick(list(), Qt::Key_Space);
        QVERIFY(!model_->rules()[0].isEnabled);
        QCOMPARE(model_->rules().size(), std::size_t(1));
        QCOMPARE(previewNames().front(), std::string("draft report.txt"));
        QTest::keyClick(list(), Qt::Key_Space);
        QVERIFY(model_->rules()[0].isEnabled);
        QCOMPARE(previewNames().front(), std::string("draft report.md"));
    }

    void iconButtonsAreNamed() {
        for (const char* name :
             {"moveUpButton", "moveDownButton", "deleteRuleButton", "dismissSuggestionsButton"}) {
            auto* button = child<QToolButton>(name);
            QVERIFY2(button != nullptr, name);
            QVERIFY2(!button->toolTip().isEmpty(), name);
            QVERIFY2(!button->accessibleName().isEmpty(), name);
            QVERIFY2(button->focusPolicy() & Qt::TabFocus, name);
        }
        QVERIFY(list()->focusPolicy() & Qt::TabFocus);
        QVERIFY(child<QPushButton>("addRuleButton")->focusPolicy() & Qt::TabFocus);
    }

    void suggestionsShowAndDismiss() {
        ParsedRule suggestion{RenameRule(RuleType::caseConversion), 0.8, "Convert to Title Case"};
        model_->setNaturalLanguageInput("title case");
        model_->setNlSuggestions({suggestion});
        auto* list = child<QListWidget>("suggestionList");
        QVERIFY(list->isVisible());
        QCOMPARE(list->count(), 1);
        QVERIFY(list->item(0)->text().contains(QStringLiteral("Convert to Title Case")));
        QVERIFY(list->item(0)->text().contains(QStringLiteral("80%")));
        QVERIFY(!list->item(0)->icon().isNull());
        child<QToolButton>("dismissSuggestionsButton")->click();
        QVERIFY(model_->nlSuggestions().empty());
        QCOMPARE(model_->naturalLanguageInput(), std::string("title case"));
        QVERIFY(!list->isVisible());
        QVERIFY(model_->rules().empty());
    }

    void applyAllAppendsSuggestedRules() {
        addRules({"A"});
        ParsedRule first{RenameRule(RuleType::caseConversion), 0.8, "Title Case"};
        ParsedRule second{RenameRule(RuleType::trim), 0.7, "Trim"};
        model_->setNlSuggestions({first, second});
        child<QPushButton>("applyAllButton")->click();
        QCOMPARE(model_->rules().size(), std::size_t(3));
        QCOMPARE(model_->rules()[1], first.rule);
        QCOMPARE(model_->rules()[2], second.rule);
        QVERIFY(model_->nlSuggestions().empty());
        QCOMPARE(list()->model()->rowCount(), 3);
    }

    void parseTitleCaseAndApply() {
        auto* field = child<QLineEdit>("phraseField");
        QVERIFY(!field->placeholderText().isEmpty());
        QVERIFY(child<QLabel>("phraseHint")->isVisible());
        // A phrase that gives no rule says so, with phrases that do.
        typeInto(field, QStringLiteral("make it nicer"));
        QTest::keyClick(field, Qt::Key_Return);
        auto* none = child<QLabel>("noRuleLabel");
        QVERIFY(none->isVisible());
        QVERIFY2(none->text().startsWith(QStringLiteral("No rule recognised")),
                 qPrintable(none->text()));
        QVERIFY(none->text().contains(QStringLiteral("\u201creplace draft with final\u201d")));
        QVERIFY(none->text().contains(QStringLiteral("\u201ctitle case\u201d")));
        // Suggestions take the note's place; the field and the sections below stay put.
        QTest::qWait(50);
        const QPoint fieldAt = field->mapTo(view_.get(), QPoint(0, 0));
        auto* presets = child<QListWidget>("presetList");
        const QPoint presetsAt = presets->mapTo(view_.get(), QPoint(0, 0));
        typeInto(field, QStringLiteral("title case"));
        QVERIFY(!none->isVisible());
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(!model_->nlSuggestions().empty());
        QVERIFY(child<QListWidget>("suggestionList")->isVisible());
        QTest::qWait(50);  // layouts settle on the event loop
        QCOMPARE(field->mapTo(view_.get(), QPoint(0, 0)), fieldAt);
        QCOMPARE(presets->mapTo(view_.get(), QPoint(0, 0)), presetsAt);
        QCOMPARE(child<QListWidget>("suggestionList")->count(),
                 int(model_->nlSuggestions().size()));
        child<QPushButton>("applyAllButton")->click();
        QCOMPARE(model_->rules().size(), std::size_t(1));
        QCOMPARE(model_->rules()[0].type, RuleType::caseConversion);
        QCOMPARE(model_->rules()[0].caseType, CaseConversionType::titleCase);
        QVERIFY(field->text().isEmpty());
        QCOMPARE(previewNames(), engineNames());
    }

    void presetSaveLoadDelete() {
        addRules({"draft"});
        auto* save = child<QPushButton>("savePresetButton");
        QVERIFY(save->isEnabled());
        save->click();
        auto* dialog = view_->findChild<QInputDialog*>("savePresetDialog");
        QVERIFY(dialog != nullptr);
        const QString name = QStringLiteral("Mine \u2728 Cafe\u0301");
        dialog->setTextValue(name);
        dialog->accept();
        const auto count = presets_->presets().size();
        QVERIFY(count >= 1);
        const Preset saved = presets_->presets().back();
        QCOMPARE(saved.name, name.toStdString());
        QCOMPARE(saved.rules, model_->rules());
        auto* list = child<QListWidget>("presetList");
        QCOMPARE(list->count(), int(count));
        QCOMPARE(list->item(list->count() - 1)->text(), name);

        // A click on a preset makes Load and Delete usable; Load replaces the rules with the
        // preset's.
        model_->loadPreset(Preset("other", {RenameRule(RuleType::trim)}));
        list->clearSelection();
        QVERIFY(!child<QPushButton>("loadPresetButton")->isEnabled());
        QVERIFY(!child<QPushButton>("deletePresetButton")->isEnabled());
        const QRect last = list->visualItemRect(list->item(list->count() - 1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, last.center());
        QVERIFY(child<QPushButton>("loadPresetButton")->isEnabled());
        QVERIFY(child<QPushButton>("deletePresetButton")->isEnabled());
        child<QPushButton>("loadPresetButton")->click();
        QCOMPARE(model_->rules(), saved.rules);

        // Delete asks first; cancelling keeps the preset.
        child<QPushButton>("deletePresetButton")->click();
        auto* ask = view_->findChild<QMessageBox*>("deletePresetDialog");
        QVERIFY(ask != nullptr);
        QVERIFY(ask->text().contains(name));
        ask->button(QMessageBox::Cancel)->click();
        QCOMPARE(presets_->presets().size(), count);
        QTRY_VERIFY(view_->findChild<QMessageBox*>("deletePresetDialog") == nullptr);
        list->setCurrentRow(list->count() - 1);
        child<QPushButton>("deletePresetButton")->click();
        ask = view_->findChild<QMessageBox*>("deletePresetDialog");
        QVERIFY(ask != nullptr);
        for (auto* button : ask->buttons()) {
            if (ask->buttonRole(button) == QMessageBox::DestructiveRole) {
                button->click();
            }
        }
        QCOMPARE(presets_->presets().size(), count - 1);
        QCOMPARE(list->count(), int(count - 1));
        QVERIFY(child<QLabel>("presetProblem")->isHidden());

        // The file follows the list.
        const auto file = presets_->storageURL();
        QVERIFY(file && std::filesystem::exists(*file));
        const auto decoded = PresetManager::decodePresets(readFile(*file));
        QVERIFY(decoded.ok());
        QCOMPARE(decoded->size(), count - 1);
    }

    void blankPresetNameIsRefused() {
        addRules({"x"});
        const auto count = presets_->presets().size();
        child<QPushButton>("savePresetButton")->click();
        auto* dialog = view_->findChild<QInputDialog*>("savePresetDialog");
        dialog->setTextValue(QStringLiteral("   "));
        dialog->accept();
        QCOMPARE(presets_->presets().size(), count);
    }

    void failedPresetWriteIsReported() {
        // A regular file where the presets folder should be makes every write fail.
        dir_->file("blocker");
        tester_.reset();
        view_.reset();
        presets_ = std::make_unique<PresetManager>(dir_->path() / "blocker" / "presets.json");
        view_ = std::make_unique<RuleEditorView>(*model_, *presets_);
        view_->show();
        addRules({"x"});
        child<QPushButton>("savePresetButton")->click();
        auto* dialog = view_->findChild<QInputDialog*>("savePresetDialog");
        dialog->setTextValue(QStringLiteral("Doomed"));
        dialog->accept();
        QVERIFY(presets_->writeProblem().has_value());
        auto* problem = child<QLabel>("presetProblem");
        QVERIFY(!problem->isHidden());
        QVERIFY(!problem->text().isEmpty());
    }
};

QTEST_MAIN(RuleEditorViewTest)
#include "RuleEditorViewTest.moc"
