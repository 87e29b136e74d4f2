// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "App/Tour.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTextBlock>
#include <QTimer>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <type_traits>
#include <utility>
#include <variant>

#include "App/QuorvaneApp.h"
#include "Models/EnumCases.h"
#include "Models/Preset.h"
#include "Models/RuleKeys.h"
#include "Services/RuleKinds.h"
#include "ViewModels/AppViewModel.h"
#include "Views/ContentView.h"
#include "Views/LeftPanel/RuleEditorView.h"
#include "Views/LeftPanel/RuleOptionsEditor.h"
#include "Views/RenameResultView.h"
#include "Views/Shared/ChangeWatcher.h"
#include "Views/Shared/NameLinesEdit.h"

namespace {

// Time for layouts, row heights and painting to settle before a picture.
constexpr int kSettleMs = 250;

// "First N Characters" -> "first-n-characters", for file names.
QString slug(std::string_view text) {
    QString out;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (std::isalnum(u) != 0) {
            out += QChar::fromLatin1(static_cast<char>(std::tolower(u)));
        } else if (!out.endsWith(QLatin1Char('-'))) {
            out += QLatin1Char('-');
        }
    }
    while (out.endsWith(QLatin1Char('-'))) {
        out.chop(1);
    }
    return out;
}

// The combo box of an editor whose choice decides what the rule does, with its number of
// choices; none for kinds without one.
std::pair<const char*, int> modeField(RuleType type) {
    const std::string_view mode = RuleKinds::info(type).modeKey;
    const RuleKey* key = mode.empty() ? nullptr : RuleKeys::find(mode);
    if (key == nullptr) {
        return {nullptr, 1};
    }
    const int choices = std::visit(
        [](auto member) {
            using Value = std::remove_cvref_t<decltype(std::declval<RenameRule&>().*member)>;
            if constexpr (std::is_enum_v<Value>) {
                return static_cast<int>(allCases<Value>().size());
            } else {
                return 1;
            }
        },
        key->field);
    // The key names are literals of the key table, so the pointer stays valid.
    return {key->name.data(), choices};
}

}  // namespace

Tour::Tour(QuorvaneApp& app, QString outDir)
    : QObject(nullptr), app_(app), outDir_(std::move(outDir)) {
    QDir().mkpath(outDir_);
    plan();
}

void Tour::start() {
    QTimer::singleShot(kSettleMs * 2, this, [this] { next(); });
}

void Tour::next() {
    if (nextStep_ >= steps_.size()) {
        QApplication::quit();
        return;
    }
    steps_[nextStep_++]();
    QTimer::singleShot(kSettleMs, this, [this] { next(); });
}

void Tour::save(const QString& name, const QPixmap& picture) {
    const QString file = QDir(outDir_).filePath(
        QStringLiteral("%1-%2.png").arg(++picture_, 2, 10, QLatin1Char('0')).arg(name));
    if (!picture.save(file)) {
        std::fprintf(stderr, "quorvane: could not save %s\n", file.toLocal8Bit().constData());
        status_ = 1;
    }
}

void Tour::saveWidget(const QString& name, QWidget* widget) {
    save(name, (widget != nullptr ? widget : &app_.window())->grab());
}

void Tour::saveScreen(const QString& name) {
    QWidget& window = app_.window();
    const QRect area = window.frameGeometry();
    QScreen* screen = window.screen();
    save(name, screen->grabWindow(0, area.x(), area.y(), area.width(), area.height()));
}

void Tour::plan() {
    AppViewModel& model = app_.model();
    ContentView& content = app_.content();

    steps_.push_back([] {});
    steps_.push_back([this] { saveWidget(QStringLiteral("empty-window")); });
    planEditors();
    // Numbering that starts again in each folder and gives companion files one number.
    steps_.push_back([&model, &content] {
        model.loadPreset(Preset("", {}));
        content.splitter()->setSizes({380, 10000, 0});
        auto* add = content.ruleEditor()->findChild<QPushButton*>(QStringLiteral("addRuleButton"));
        const auto kinds = allCases<RuleType>();
        const auto at = std::find(kinds.begin(), kinds.end(), RuleType::numbering) - kinds.begin();
        add->menu()->actions().at(static_cast<int>(at))->trigger();
        auto* editor = content.ruleEditor()->editorFor(model.rules().back().id);
        for (const char* key : {"numberingResetPerFolder", "numberingShareBaseName"}) {
            editor->findChild<QCheckBox*>(QString::fromLatin1(key))->click();
        }
    });
    steps_.push_back([this, &content] {
        saveWidget(QStringLiteral("editor-sequential-numbering-per-folder-shared"),
                   content.ruleEditor());
    });

    // Suggestions for a phrase, and a phrase that gives none.
    const auto phrase = [this, &content](const QString& text) {
        auto* field = content.ruleEditor()->findChild<QLineEdit*>(QStringLiteral("phraseField"));
        app_.model().setNaturalLanguageInput(text.toStdString());
        field->setText(text);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(field, &enter);
    };
    steps_.push_back([&model] { model.loadPreset(Preset("", {})); });
    steps_.push_back([phrase] { phrase(QStringLiteral("title case")); });
    steps_.push_back([this, &content] {
        saveWidget(QStringLiteral("phrase-suggestions"), content.ruleEditor());
    });
    steps_.push_back([phrase] { phrase(QStringLiteral("make names ascii")); });
    steps_.push_back(
        [this, &content] { saveWidget(QStringLiteral("phrase-ascii"), content.ruleEditor()); });
    steps_.push_back([phrase] { phrase(QStringLiteral("make it nicer")); });
    steps_.push_back(
        [this, &content] { saveWidget(QStringLiteral("phrase-no-rule"), content.ruleEditor()); });

    // Sample files: long names, two that differ only in case, one that goes missing.
    const std::filesystem::path root = samples_.path().toStdString();
    std::vector<std::filesystem::path> files;
    for (const char* name : {"au2024_thesis_chapter_1_final_version_revised_2026-12-09.txt",
                             "au2024_thesis_chapter_2_final_version_revised_2026-12-09.txt",
                             "draft report.txt", "draft notes.txt", "Holiday Photo.JPG",
                             "holiday photo.jpg", "IMG_0001.jpg", "IMG_0002.jpg", "Scans 2026"}) {
        const auto path = root / name;
        if (std::string_view(name).find('.') == std::string_view::npos) {
            std::filesystem::create_directory(path);
        } else {
            std::ofstream(path) << name;
        }
        files.push_back(path);
    }
    steps_.push_back([&model, &content, files] {
        model.setNlSuggestions({});
        model.setNaturalLanguageInput("");
        model.addFiles(files);
        RenameRule replace(RuleType::replace);
        replace.findText = "draft";
        replace.replaceText = "final";
        model.addRule(replace);
        RenameRule off(RuleType::caseConversion);
        off.isEnabled = false;
        model.addRule(off);
        // One unchecked entry, drawn dimmed.
        model.setFileSelected(model.files()[7].id, false);
        content.splitter()->setSizes({300, 400, 600});
    });
    steps_.push_back([this] { saveWidget(QStringLiteral("conflict")); });
    steps_.push_back([&model] {
        RenameRule slash(RuleType::replace);
        slash.findText = "chapter_1";
        slash.replaceText = "chapter/1";
        model.addRule(slash);
    });
    steps_.push_back([this] { saveWidget(QStringLiteral("problem")); });
    steps_.push_back([root, &content] {
        // Gone from the disk after it was listed, so that its move fails.
        std::filesystem::remove(root / "draft notes.txt");
        content.confirmRename();
    });
    steps_.push_back([this] { saveScreen(QStringLiteral("confirmation")); });
    steps_.push_back([this, &content] {
        QMessageBox* box = content.renameConfirmation();
        if (box == nullptr) {
            return;
        }
        for (QAbstractButton* button : box->buttons()) {
            if (box->buttonRole(button) == QMessageBox::AcceptRole) {
                button->click();
            }
        }
        // The batch runs in the background and reports back through the event loop, which
        // has not turned yet: the overlay is drawn now, while it is up.
        for (auto* watcher : app_.window().findChildren<ChangeWatcher*>()) {
            watcher->flush();
        }
        saveWidget(QStringLiteral("progress-overlay"));
    });
    steps_.push_back([] {});
    steps_.push_back([this] { saveScreen(QStringLiteral("result")); });
    steps_.push_back([&content] { content.resultView()->accept(); });
    steps_.push_back([this] { saveWidget(QStringLiteral("after-rename")); });
    steps_.push_back([this, &content] {
        const QString target = samples_.filePath(QStringLiteral("rename_preview.csv"));
        // The save dialog is modal: it is answered from within its own event loop.
        QTimer::singleShot(kSettleMs, this, [target] {
            for (QWidget* top : QApplication::topLevelWidgets()) {
                auto* dialog = qobject_cast<QFileDialog*>(top);
                if (dialog != nullptr && dialog->isVisible()) {
                    dialog->selectFile(target);
                    static_cast<QDialog*>(dialog)->accept();
                }
            }
        });
        content.exportAction()->trigger();
    });
    steps_.push_back([this] { saveWidget(QStringLiteral("csv-exported")); });
    steps_.push_back([&content] { content.editNamesAction()->trigger(); });
    steps_.push_back([&content] {
        NameLinesEdit* editor = content.editNamesDialog()->editor();
        QTextCursor cursor(editor->document()->findBlockByNumber(1));
        cursor.movePosition(QTextCursor::EndOfBlock);
        cursor.insertText(QStringLiteral(" (edited)"));
        QTextCursor bad(editor->document()->findBlockByNumber(2));
        bad.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        bad.insertText(QStringLiteral(".."));
    });
    steps_.push_back(
        [this, &content] { saveWidget(QStringLiteral("edit-names"), content.editNamesDialog()); });
    steps_.push_back([&content] {
        QTextCursor cursor(content.editNamesDialog()->editor()->document());
        cursor.insertText(QStringLiteral("one more\n"));
    });
    steps_.push_back([this, &content] {
        saveWidget(QStringLiteral("edit-names-line-added"), content.editNamesDialog());
    });
    steps_.push_back([&content] { content.editNamesDialog()->reject(); });
}

void Tour::planEditors() {
    AppViewModel& model = app_.model();
    ContentView& content = app_.content();
    steps_.push_back([&content] {
        // The narrowest the rule panel gets.
        const int rules = content.ruleEditor()->minimumWidth();
        content.splitter()->setSizes({rules, 10000, 0});
    });
    const auto kinds = allCases<RuleType>();
    for (std::size_t kind = 0; kind < kinds.size(); ++kind) {
        const auto mode = modeField(kinds[kind]);
        const char* field = mode.first;
        const int modes = mode.second;
        for (int choice = 0; choice < modes; ++choice) {
            steps_.push_back([&model, &content, kind, field, choice] {
                model.loadPreset(Preset("", {}));
                auto* add =
                    content.ruleEditor()->findChild<QPushButton*>(QStringLiteral("addRuleButton"));
                add->menu()->actions().at(static_cast<int>(kind))->trigger();
                if (field == nullptr) {
                    return;
                }
                auto* editor = content.ruleEditor()->editorFor(model.rules().back().id);
                editor->findChild<QComboBox*>(QString::fromLatin1(field))->setCurrentIndex(choice);
            });
            steps_.push_back([this, &model, &content, kind, field] {
                QString name =
                    QStringLiteral("editor-") + slug(rawValue(allCases<RuleType>()[kind]));
                if (field != nullptr) {
                    auto* editor = content.ruleEditor()->editorFor(model.rules().back().id);
                    const auto* combo = editor->findChild<QComboBox*>(QString::fromLatin1(field));
                    name += QLatin1Char('-') + slug(combo->currentText().toStdString());
                }
                saveWidget(name, content.ruleEditor());
            });
        }
    }
}
