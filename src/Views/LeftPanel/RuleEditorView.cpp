// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Views/LeftPanel/RuleEditorView.h"

#include <QAction>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "Models/EnumCases.h"
#include "Services/PresetManager.h"
#include "ViewModels/AppViewModel.h"
#include "Views/LeftPanel/RuleIcons.h"
#include "Views/LeftPanel/RuleListModel.h"
#include "Views/LeftPanel/RuleOptionsEditor.h"
#include "Views/Shared/Texts.h"

namespace {

QLabel* heading(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QToolButton* iconButton(const char* symbol, const QString& tip, const char* name, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(RuleIcons::forSymbol(symbol));
    button->setToolTip(tip);
    button->setAccessibleName(tip);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setAutoRaise(true);
    return button;
}

QFrame* separator(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

// A stack of pages that asks for the room of its largest page whichever page shows, so that
// nothing around it moves when the page changes. (Qt's own measures the page it shows.)
class SteadyStack final : public QStackedWidget {
  public:
    using QStackedWidget::QStackedWidget;
    bool hasHeightForWidth() const override { return false; }
    QSize sizeHint() const override { return largest(&QWidget::sizeHint); }
    QSize minimumSizeHint() const override { return largest(&QWidget::minimumSizeHint); }

  private:
    QSize largest(QSize (QWidget::*measure)() const) const {
        QSize size(0, 0);
        for (int i = 0; i < count(); ++i) {
            size = size.expandedTo((widget(i)->*measure)());
        }
        return size;
    }
};

bool sameSuggestions(const std::vector<ParsedRule>& a, const std::vector<ParsedRule>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const ParsedRule& x, const ParsedRule& y) {
                          return x.rule == y.rule && x.confidence == y.confidence &&
                                 x.description == y.description;
                      });
}

}  // namespace

RuleEditorView::RuleEditorView(AppViewModel& model, PresetManager& presets, QWidget* parent)
    : QWidget(parent), model_(model), presets_(presets) {
    setObjectName(QStringLiteral("RuleEditorView"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(buildRuleSection(), 1);
    layout->addWidget(separator(this));
    layout->addWidget(buildPhraseSection());
    layout->addWidget(separator(this));
    layout->addWidget(buildPresetSection());

    modelSubscription_ = model_.subscribe([this] {
        refreshPhrase();
        updateRuleButtons();
    });
    presetSubscription_ = presets_.subscribe([this] { refreshPresets(); });
    refreshPhrase();
    refreshPresets();
    updateRuleButtons();
    if (const auto& readOnly = presets_.readOnly()) {
        QString text =
            tr("Saving presets is off: the presets file was written by a newer "
               "version of Quorvane, and saving it here would lose what this "
               "version cannot read.");
        if (const std::size_t left = presets_.unreadablePresets(); left > 0) {
            text += QLatin1Char(' ') + tr("%n of its presets could not be read and are not shown.",
                                          nullptr, Texts::count(left));
        }
        presetProblem_->setText(text);
        presetProblem_->setToolTip(QString::fromStdString(readOnly->detail));
        presetProblem_->show();
    } else if (presets_.loadProblem()) {
        QString text = tr("The presets file could not be read.");
        if (const auto& backup = presets_.backupFile()) {
            text += QLatin1Char(' ') +
                    tr("It was kept as %1.").arg(QString::fromStdString(backup->string()));
        }
        presetProblem_->setText(text);
        presetProblem_->setToolTip(QString::fromStdString(presets_.loadProblem()->detail));
        presetProblem_->show();
    } else if (const auto& problem = presets_.writeProblem()) {
        // The store could not write its file while starting (the first presets, say).
        presetProblem_->setText(
            tr("The presets file could not be written, so changes to "
               "presets will be lost when Quorvane closes."));
        presetProblem_->setToolTip(QString::fromStdString(problem->detail));
        presetProblem_->show();
    }
}

// Subscriptions go first so that no announcement reaches a half-destroyed panel.
RuleEditorView::~RuleEditorView() {
    modelSubscription_.reset();
    presetSubscription_.reset();
}

// ---- Rules ------------------------------------------------------------------------------

QWidget* RuleEditorView::buildRuleSection() {
    auto* section = new QWidget(this);
    auto* layout = new QVBoxLayout(section);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* top = new QHBoxLayout;
    top->addWidget(heading(tr("Rules"), section));
    top->addStretch();
    auto* addButton = new QPushButton(RuleIcons::forSymbol("plus"), tr("Add Rule"), section);
    addButton->setObjectName(QStringLiteral("addRuleButton"));
    addButton->setToolTip(tr("Add a rule at the end of the list"));
    auto* menu = new QMenu(addButton);
    menu->setObjectName(QStringLiteral("addRuleMenu"));
    const auto kinds = allCases<RuleType>();
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        auto* action = menu->addAction(RuleIcons::forRuleType(kinds[i]), Texts::stored(kinds[i]));
        connect(action, &QAction::triggered, this,
                [this, i] { addRuleOfKind(static_cast<int>(i)); });
    }
    addButton->setMenu(menu);
    top->addWidget(addButton);
    layout->addLayout(top);

    ruleModel_ = new RuleListModel(model_, this);
    ruleList_ = new QTreeView(section);
    ruleList_->setObjectName(QStringLiteral("ruleList"));
    ruleList_->setAccessibleName(tr("Rules"));
    ruleList_->setModel(ruleModel_);
    ruleList_->setHeaderHidden(true);
    ruleList_->header()->setStretchLastSection(false);
    ruleList_->header()->setSectionResizeMode(RuleListModel::MainColumn, QHeaderView::Stretch);
    ruleList_->header()->setSectionResizeMode(RuleListModel::DeleteColumn,
                                              QHeaderView::ResizeToContents);
    ruleList_->setIndentation(14);
    ruleList_->setUniformRowHeights(false);
    ruleList_->setSelectionMode(QAbstractItemView::SingleSelection);
    ruleList_->setSelectionBehavior(QAbstractItemView::SelectRows);
    ruleList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Opening goes through `activated` (Return, double click) alone, so it toggles once.
    ruleList_->setExpandsOnDoubleClick(false);
    ruleList_->setDragEnabled(true);
    ruleList_->setAcceptDrops(true);
    ruleList_->setDropIndicatorShown(true);
    ruleList_->setDragDropMode(QAbstractItemView::InternalMove);
    ruleList_->setDefaultDropAction(Qt::MoveAction);
    ruleList_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    ruleList_->setWordWrap(false);
    ruleList_->setTextElideMode(Qt::ElideRight);
    // Three rule rows (two lines each) at the least: in a short window the preset list gives
    // way first.
    ruleList_->setMinimumHeight(3 * (2 * ruleList_->fontMetrics().height() + 8));
    layout->addWidget(ruleList_, 1);

    emptyRulesLabel_ =
        new QLabel(tr("No rules yet. Add one, type a phrase below or load a preset."), section);
    emptyRulesLabel_->setWordWrap(true);
    emptyRulesLabel_->setEnabled(false);
    layout->addWidget(emptyRulesLabel_);

    moveUpButton_ = iconButton("arrow.up", tr("Move Rule Up (Ctrl+Up)"), "moveUpButton", section);
    moveDownButton_ =
        iconButton("arrow.down", tr("Move Rule Down (Ctrl+Down)"), "moveDownButton", section);
    deleteRuleButton_ = iconButton("trash", tr("Delete Rule (Del)"), "deleteRuleButton", section);
    // In the heading's row, which has room for them, so that the list keeps every line of a
    // short window. Made after the list, they follow it in the tab order.
    top->insertWidget(1, moveUpButton_);
    top->insertWidget(2, moveDownButton_);
    top->insertWidget(3, deleteRuleButton_);

    connect(moveUpButton_, &QToolButton::clicked, this, [this] { moveChosen(-1); });
    connect(moveDownButton_, &QToolButton::clicked, this, [this] { moveChosen(+1); });
    connect(deleteRuleButton_, &QToolButton::clicked, this, [this] { deleteChosen(); });

    // Keyboard reordering and deleting work while the list has the focus.
    const auto listShortcut = [this](QKeySequence keys, auto slot) {
        auto* shortcut = new QShortcut(keys, ruleList_);
        shortcut->setContext(Qt::WidgetShortcut);
        connect(shortcut, &QShortcut::activated, this, slot);
    };
    listShortcut(QKeySequence(Qt::CTRL | Qt::Key_Up), [this] { moveChosen(-1); });
    listShortcut(QKeySequence(Qt::CTRL | Qt::Key_Down), [this] { moveChosen(+1); });
    listShortcut(QKeySequence(Qt::Key_Delete), [this] { deleteChosen(); });

    connect(ruleList_, &QTreeView::expanded, this, [this](const QModelIndex& index) {
        if (const auto rule = ruleModel_->ruleAt(index)) {
            expanded_.insert(rule->id);
        }
        installEditor(index);
    });
    connect(ruleList_, &QTreeView::collapsed, this, [this](const QModelIndex& index) {
        if (const auto rule = ruleModel_->ruleAt(index)) {
            expanded_.erase(rule->id);
        }
    });
    // Return or a double click opens and closes a row's editor.
    connect(ruleList_, &QTreeView::activated, this, [this](const QModelIndex& index) {
        if (index.parent().isValid()) {
            return;
        }
        const QModelIndex first = index.siblingAtColumn(RuleListModel::MainColumn);
        ruleList_->setExpanded(first, !ruleList_->isExpanded(first));
    });
    connect(ruleList_, &QTreeView::clicked, this, [this](const QModelIndex& index) {
        if (index.column() == RuleListModel::DeleteColumn && !index.parent().isValid()) {
            model_.removeRule({static_cast<std::size_t>(index.row())});
        }
    });
    connect(ruleModel_, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                for (int row = topLeft.row(); row <= bottomRight.row(); ++row) {
                    const auto rule = ruleModel_->ruleAt(ruleModel_->index(row, 0));
                    if (!rule) {
                        continue;
                    }
                    if (auto* editor = editorFor(rule->id)) {
                        editor->showRule(*rule);
                    }
                }
            });
    connect(ruleModel_, &QAbstractItemModel::modelReset, this, [this] { restoreExpansion(); });
    connect(ruleList_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { updateRuleButtons(); });
    return section;
}

void RuleEditorView::addRuleOfKind(int kindIndex) {
    const auto kinds = allCases<RuleType>();
    if (kindIndex < 0 || kindIndex >= static_cast<int>(kinds.size())) {
        return;
    }
    RenameRule rule(kinds[static_cast<std::size_t>(kindIndex)]);
    const Uuid id = rule.id;
    model_.addRule(std::move(rule));
    // A new rule is there to be set up: open it and put the cursor in its first field.
    setExpanded(id, true);
    selectRule(id);
    if (auto* editor = editorFor(id)) {
        editor->focusFirstField();
    }
}

std::set<std::size_t> RuleEditorView::chosenRows() const {
    std::set<std::size_t> rows;
    for (const auto& index : ruleList_->selectionModel()->selectedRows()) {
        if (!index.parent().isValid()) {
            rows.insert(static_cast<std::size_t>(index.row()));
        }
    }
    if (rows.empty()) {
        QModelIndex current = ruleList_->currentIndex();
        if (current.parent().isValid()) {
            current = current.parent();
        }
        if (current.isValid()) {
            rows.insert(static_cast<std::size_t>(current.row()));
        }
    }
    return rows;
}

void RuleEditorView::moveChosen(int delta) {
    const auto rows = chosenRows();
    if (rows.size() != 1) {
        return;
    }
    const std::size_t row = *rows.begin();
    const std::size_t count = model_.rules().size();
    if ((delta < 0 && row == 0) || (delta > 0 && row + 1 >= count)) {
        return;
    }
    const Uuid id = model_.rules()[row].id;
    // The destination counts positions before the move: one down means in front of the rule
    // two below.
    model_.moveRule({row}, delta < 0 ? row - 1 : row + 2);
    selectRule(id);
}

void RuleEditorView::deleteChosen() {
    const auto rows = chosenRows();
    if (rows.empty()) {
        return;
    }
    const std::size_t next = *rows.begin();
    model_.removeRule(rows);
    // Keep a row chosen so that repeated Delete presses go on down the list.
    const auto& rules = model_.rules();
    if (!rules.empty()) {
        selectRule(rules[std::min(next, rules.size() - 1)].id);
    }
}

void RuleEditorView::selectRule(const Uuid& id) {
    const auto row = ruleModel_->rowOf(id);
    if (!row) {
        return;
    }
    const QModelIndex index = ruleModel_->index(*row, RuleListModel::MainColumn);
    ruleList_->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    ruleList_->scrollTo(index);
}

RuleOptionsEditor* RuleEditorView::editorFor(const Uuid& id) const {
    const auto row = ruleModel_->rowOf(id);
    if (!row) {
        return nullptr;
    }
    const QModelIndex slot = ruleModel_->index(0, 0, ruleModel_->index(*row, 0));
    return qobject_cast<RuleOptionsEditor*>(ruleList_->indexWidget(slot));
}

void RuleEditorView::setExpanded(const Uuid& id, bool expanded) {
    const auto row = ruleModel_->rowOf(id);
    if (!row) {
        return;
    }
    const QModelIndex index = ruleModel_->index(*row, 0);
    if (expanded) {
        // The editor is put in before the row opens so that the row gets its height at once.
        installEditor(index);
        expanded_.insert(id);
    } else {
        expanded_.erase(id);
    }
    ruleList_->setExpanded(index, expanded);
}

void RuleEditorView::installEditor(const QModelIndex& ruleIndex) {
    const auto rule = ruleModel_->ruleAt(ruleIndex);
    if (!rule || ruleIndex.parent().isValid()) {
        return;
    }
    const QModelIndex first = ruleIndex.siblingAtColumn(RuleListModel::MainColumn);
    const QModelIndex slot = ruleModel_->index(0, 0, first);
    if (ruleList_->indexWidget(slot) != nullptr) {
        return;
    }
    ruleList_->setFirstColumnSpanned(0, first, true);
    auto* editor = new RuleOptionsEditor(model_, *rule);
    // Queued: the new layout resizes the editor, whose resize may ask again.
    connect(
        editor, &RuleOptionsEditor::sizeHintChanged, ruleList_,
        [this] { ruleList_->doItemsLayout(); }, Qt::QueuedConnection);
    ruleList_->setIndexWidget(slot, editor);
    // Editors are made long after the rest of the panel; without this Tab would reach them
    // only after the preset buttons. The fields go one by one: the editor itself takes no
    // focus, and Qt does not reorder a widget that does not.
    QWidget* previous = ruleList_;
    for (int row = first.row() - 1; row >= 0 && previous == ruleList_; --row) {
        const QModelIndex above = ruleModel_->index(0, 0, ruleModel_->index(row, 0));
        if (auto* open = qobject_cast<RuleOptionsEditor*>(ruleList_->indexWidget(above))) {
            if (const auto fields = open->focusableFields(); !fields.isEmpty()) {
                previous = fields.back();
            }
        }
    }
    for (QWidget* field : editor->focusableFields()) {
        QWidget::setTabOrder(previous, field);
        previous = field;
    }
}

void RuleEditorView::restoreExpansion() {
    // The view dropped its editors with the reset; open again what the user had open.
    std::set<Uuid> still;
    for (const auto& id : expanded_) {
        if (ruleModel_->rowOf(id)) {
            still.insert(id);
        }
    }
    expanded_ = still;
    for (const auto& id : still) {
        setExpanded(id, true);
    }
}

void RuleEditorView::updateRuleButtons() {
    const auto rows = chosenRows();
    const std::size_t count = model_.rules().size();
    const bool one = rows.size() == 1;
    moveUpButton_->setEnabled(one && *rows.begin() > 0);
    moveDownButton_->setEnabled(one && *rows.begin() + 1 < count);
    deleteRuleButton_->setEnabled(!rows.empty());
    emptyRulesLabel_->setVisible(count == 0);
    if (savePresetButton_ != nullptr) {
        savePresetButton_->setEnabled(count > 0 && !presets_.readOnly());
    }
}

// ---- Phrases ----------------------------------------------------------------------------

QWidget* RuleEditorView::buildPhraseSection() {
    auto* section = new QWidget(this);
    auto* layout = new QVBoxLayout(section);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(heading(tr("Describe a Rule"), section));

    auto* row = new QHBoxLayout;
    phraseField_ = new QLineEdit(section);
    phraseField_->setObjectName(QStringLiteral("phraseField"));
    phraseField_->setPlaceholderText(tr("e.g. title case"));
    phraseField_->setAccessibleName(tr("Rule phrase"));
    phraseField_->setClearButtonEnabled(true);
    auto* parseButton = new QPushButton(tr("Parse"), section);
    parseButton->setObjectName(QStringLiteral("parseButton"));
    row->addWidget(phraseField_, 1);
    row->addWidget(parseButton);
    layout->addLayout(row);

    connect(phraseField_, &QLineEdit::textEdited, this, [this](const QString& text) {
        // A new phrase has not been tried yet.
        noRuleFound_ = false;
        model_.setNaturalLanguageInput(text.toStdString());
        refreshPhrase();
    });
    connect(phraseField_, &QLineEdit::returnPressed, this, [this] { parsePhrase(); });
    connect(parseButton, &QPushButton::clicked, this, [this] { parsePhrase(); });

    // One place of one height for the hint, the "nothing recognised" note and the
    // suggestions, so that nothing around it moves when one replaces another.
    phraseResult_ = new SteadyStack(section);
    phraseResult_->setObjectName(QStringLiteral("phraseResult"));
    const auto note = [this](const QString& text, const char* name) {
        auto* label = new QLabel(text, phraseResult_);
        label->setObjectName(QString::fromLatin1(name));
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setContentsMargins(2, 2, 2, 2);
        phraseResult_->addWidget(label);
        return label;
    };
    phraseHint_ = note(tr("Type what should happen to the names and press Return, e.g. "
                          "\u201creplace draft with final\u201d or \u201ctitle case\u201d."),
                       "phraseHint");
    phraseHint_->setEnabled(false);
    noRuleLabel_ = note(tr("No rule recognised. Try a phrase such as "
                           "\u201creplace draft with final\u201d or \u201ctitle case\u201d."),
                        "noRuleLabel");

    suggestionBox_ = new QWidget(phraseResult_);
    auto* boxLayout = new QVBoxLayout(suggestionBox_);
    boxLayout->setContentsMargins(0, 0, 0, 0);
    suggestionList_ = new QListWidget(suggestionBox_);
    suggestionList_->setObjectName(QStringLiteral("suggestionList"));
    suggestionList_->setAccessibleName(tr("Suggested rules"));
    boxLayout->addWidget(suggestionList_, 1);
    auto* actions = new QHBoxLayout;
    auto* applyAll = new QPushButton(tr("Apply All"), suggestionBox_);
    applyAll->setObjectName(QStringLiteral("applyAllButton"));
    auto* dismiss =
        iconButton("xmark", tr("Dismiss Suggestions"), "dismissSuggestionsButton", suggestionBox_);
    actions->addWidget(applyAll);
    actions->addStretch();
    actions->addWidget(dismiss);
    boxLayout->addLayout(actions);
    phraseResult_->addWidget(suggestionBox_);
    // Room for three suggestions with their buttons, less in a short window.
    const int line = suggestionList_->fontMetrics().height() + 6;
    const int frame = 2 * suggestionList_->frameWidth();
    const int buttons = boxLayout->spacing() + applyAll->sizeHint().height();
    suggestionList_->setMinimumHeight(line + frame);
    phraseResult_->setMaximumHeight(3 * line + frame + buttons);
    layout->addWidget(phraseResult_);

    connect(applyAll, &QPushButton::clicked, this, [this] { model_.applyNLSuggestions(); });
    // Dismissing drops the suggestions only; the phrase stays for another try.
    connect(dismiss, &QToolButton::clicked, this, [this] { model_.setNlSuggestions({}); });
    return section;
}

void RuleEditorView::refreshPhrase() {
    const QString input = QString::fromStdString(model_.naturalLanguageInput());
    if (phraseField_->text() != input) {
        phraseField_->setText(input);
    }
    const auto& suggestions = model_.nlSuggestions();
    if (!suggestions.empty() || input.isEmpty()) {
        noRuleFound_ = false;
    }
    if (!sameSuggestions(suggestions, shownSuggestions_)) {
        shownSuggestions_ = suggestions;
        suggestionList_->clear();
        for (const auto& suggestion : suggestions) {
            const long percent = std::lround(suggestion.confidence * 100.0);
            auto* item =
                new QListWidgetItem(RuleIcons::forRuleType(suggestion.rule.type),
                                    tr("%1 \u2014 %2%")
                                        .arg(QString::fromStdString(suggestion.description))
                                        .arg(percent));
            item->setToolTip(Texts::stored(suggestion.rule.type));
            suggestionList_->addItem(item);
        }
    }
    QWidget* page = noRuleFound_ ? static_cast<QWidget*>(noRuleLabel_) : phraseHint_;
    if (!suggestions.empty()) {
        page = suggestionBox_;
    }
    phraseResult_->setCurrentWidget(page);
}

void RuleEditorView::parsePhrase() {
    model_.parseNaturalLanguage();
    // An empty field parses to nothing new; anything else that gives no rule is said so.
    noRuleFound_ = !model_.naturalLanguageInput().empty() && model_.nlSuggestions().empty();
    refreshPhrase();
}

// ---- Presets ----------------------------------------------------------------------------

QWidget* RuleEditorView::buildPresetSection() {
    auto* section = new QWidget(this);
    auto* layout = new QVBoxLayout(section);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* top = new QHBoxLayout;
    top->addWidget(heading(tr("Presets"), section));
    top->addStretch();
    layout->addLayout(top);

    presetList_ = new QListWidget(section);
    presetList_->setObjectName(QStringLiteral("presetList"));
    presetList_->setAccessibleName(tr("Presets"));
    presetList_->setMaximumHeight(140);
    // Gives way first when the window is short.
    presetList_->setMinimumHeight(2 * (presetList_->fontMetrics().height() + 8));
    layout->addWidget(presetList_, 1);

    auto* buttons = new QHBoxLayout;
    loadPresetButton_ = new QPushButton(tr("Load"), section);
    loadPresetButton_->setObjectName(QStringLiteral("loadPresetButton"));
    loadPresetButton_->setToolTip(tr("Replace the rules with the preset's rules"));
    deletePresetButton_ = new QPushButton(tr("Delete"), section);
    deletePresetButton_->setObjectName(QStringLiteral("deletePresetButton"));
    savePresetButton_ = new QPushButton(tr("Save as Preset..."), section);
    savePresetButton_->setObjectName(QStringLiteral("savePresetButton"));
    savePresetButton_->setToolTip(tr("Save the current rules as a new preset"));
    // Beside the heading, as Add Rule is: the row below keeps the room for the other two.
    top->addWidget(savePresetButton_);
    buttons->addWidget(loadPresetButton_);
    buttons->addWidget(deletePresetButton_);
    buttons->addStretch();
    layout->addLayout(buttons);

    presetProblem_ = new QLabel(section);
    presetProblem_->setObjectName(QStringLiteral("presetProblem"));
    presetProblem_->setWordWrap(true);
    presetProblem_->setStyleSheet(QStringLiteral("color: #d70022;"));
    presetProblem_->hide();
    layout->addWidget(presetProblem_);

    connect(loadPresetButton_, &QPushButton::clicked, this, [this] { loadChosenPreset(); });
    connect(presetList_, &QListWidget::itemActivated, this, [this] { loadChosenPreset(); });
    connect(deletePresetButton_, &QPushButton::clicked, this, [this] { askToDeletePreset(); });
    connect(savePresetButton_, &QPushButton::clicked, this, [this] { askToSavePreset(); });
    // A click makes the row current before it selects it; the buttons follow the selection.
    connect(presetList_, &QListWidget::itemSelectionChanged, this, [this] {
        const bool chosen = chosenPreset().has_value();
        loadPresetButton_->setEnabled(chosen);
        deletePresetButton_->setEnabled(chosen && !presets_.readOnly());
    });
    return section;
}

void RuleEditorView::refreshPresets() {
    const auto& presets = presets_.presets();
    std::vector<Uuid> ids;
    std::vector<QString> names;
    for (const auto& preset : presets) {
        ids.push_back(preset.id);
        names.push_back(QString::fromStdString(preset.name));
    }
    if (ids != shownPresetIds_ || names != shownPresetNames_) {
        const auto previous = chosenPreset();
        const std::optional<Uuid> keep =
            previous ? std::optional(shownPresetIds_[*previous]) : std::nullopt;
        shownPresetIds_ = ids;
        shownPresetNames_ = names;
        const QSignalBlocker quiet(presetList_);
        presetList_->clear();
        for (const auto& preset : presets) {
            auto* item = new QListWidgetItem(RuleIcons::forSymbol(preset.icon),
                                             QString::fromStdString(preset.name));
            item->setToolTip(tr("%n rule(s)", nullptr, static_cast<int>(preset.rules.size())));
            presetList_->addItem(item);
        }
        if (keep) {
            const auto at = std::find(ids.begin(), ids.end(), *keep);
            if (at != ids.end()) {
                presetList_->setCurrentRow(static_cast<int>(at - ids.begin()));
            }
        }
    }
    const bool chosen = chosenPreset().has_value();
    loadPresetButton_->setEnabled(chosen);
    deletePresetButton_->setEnabled(chosen && !presets_.readOnly());
}

std::optional<std::size_t> RuleEditorView::chosenPreset() const {
    const int row = presetList_->currentRow();
    if (row < 0 || row >= static_cast<int>(presets_.presets().size()) ||
        presetList_->currentItem() == nullptr || !presetList_->currentItem()->isSelected()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(row);
}

void RuleEditorView::loadChosenPreset() {
    if (const auto row = chosenPreset()) {
        model_.loadPreset(presets_.presets()[*row]);
    }
}

void RuleEditorView::askToDeletePreset() {
    const auto row = chosenPreset();
    if (!row) {
        return;
    }
    const Uuid id = presets_.presets()[*row].id;
    const QString name = QString::fromStdString(presets_.presets()[*row].name);
    auto* box = new QMessageBox(QMessageBox::Question, tr("Delete Preset"),
                                tr("Delete the preset \u201c%1\u201d?").arg(name),
                                QMessageBox::NoButton, this);
    box->setObjectName(QStringLiteral("deletePresetDialog"));
    box->setInformativeText(tr("This cannot be undone."));
    auto* confirm = box->addButton(tr("Delete"), QMessageBox::DestructiveRole);
    box->addButton(QMessageBox::Cancel);
    box->setDefaultButton(QMessageBox::Cancel);
    box->setWindowModality(Qt::WindowModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QMessageBox::buttonClicked, this, [this, id, confirm](QAbstractButton* b) {
        if (b == confirm) {
            reportPresetWrite(presets_.deletePreset(id), tr("deleted"));
        }
    });
    box->open();
}

void RuleEditorView::askToSavePreset() {
    if (model_.rules().empty()) {
        return;
    }
    auto* dialog = new QInputDialog(this);
    dialog->setObjectName(QStringLiteral("savePresetDialog"));
    dialog->setWindowTitle(tr("Save as Preset"));
    dialog->setLabelText(tr("Name of the new preset:"));
    dialog->setOkButtonText(tr("Save"));
    dialog->setInputMode(QInputDialog::TextInput);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QInputDialog::textValueSelected, this, [this](const QString& name) {
        // Names are kept as typed (spaces and all); only a blank name is refused.
        if (name.trimmed().isEmpty()) {
            return;
        }
        const Preset preset(name.toStdString(), model_.rules());
        reportPresetWrite(presets_.save(preset), tr("saved"));
    });
    dialog->open();
}

void RuleEditorView::reportPresetWrite(const std::optional<Error>& problem, const QString& action) {
    if (!problem) {
        presetProblem_->hide();
        presetProblem_->clear();
        return;
    }
    presetProblem_->setText(
        tr("The preset was %1 for now, but the presets file could not be written, so the "
           "change will be lost when Quorvane closes.")
            .arg(action));
    presetProblem_->setToolTip(QString::fromStdString(problem->detail));
    presetProblem_->show();
}
