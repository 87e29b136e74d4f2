// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

#include <optional>
#include <set>
#include <vector>

#include "Models/Error.h"
#include "Models/ParsedRule.h"
#include "Models/Subscription.h"
#include "Models/Uuid.h"

class AppViewModel;
class PresetManager;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;
class QToolButton;
class QTreeView;
class RuleListModel;
class RuleOptionsEditor;

// The rule panel: adds, edits, switches off, reorders and removes rules; turns a typed phrase
// into suggested rules; saves, loads and deletes presets. Every action is one call of the view
// model or the preset store; the panel redraws from their change announcements.
//
// Named children (for keyboard users' tools and for tests): "addRuleButton" with its menu of
// the ten kinds, "ruleList" (rule rows, each with a child row holding its RuleOptionsEditor),
// "moveUpButton", "moveDownButton", "deleteRuleButton", "phraseField", "parseButton",
// "phraseHint", "noRuleLabel", "suggestionList", "applyAllButton",
// "dismissSuggestionsButton" (one of the hint, the note or the suggestions shows), "presetList",
// "loadPresetButton", "deletePresetButton", "savePresetButton", "presetProblem".
class RuleEditorView final : public QWidget {
    Q_OBJECT

  public:
    RuleEditorView(AppViewModel& model, PresetManager& presets, QWidget* parent = nullptr);
    ~RuleEditorView() override;

    // The editor of the rule with `id` when its row is expanded, else null.
    RuleOptionsEditor* editorFor(const Uuid& id) const;
    // Expands the row of the rule with `id` (creating its editor) or collapses it.
    void setExpanded(const Uuid& id, bool expanded);

  private:
    QWidget* buildRuleSection();
    QWidget* buildPhraseSection();
    QWidget* buildPresetSection();

    void addRuleOfKind(int kindIndex);
    // Positions of the selected rule rows, or the current row when nothing is selected.
    std::set<std::size_t> chosenRows() const;
    void moveChosen(int delta);
    void deleteChosen();
    void selectRule(const Uuid& id);
    void installEditor(const QModelIndex& ruleIndex);
    void restoreExpansion();
    void updateRuleButtons();

    void refreshPhrase();
    // Parses the phrase and notes when it gave no rule.
    void parsePhrase();
    void refreshPresets();
    std::optional<std::size_t> chosenPreset() const;
    void loadChosenPreset();
    void askToDeletePreset();
    void askToSavePreset();
    void reportPresetWrite(const std::optional<Error>& problem, const QString& action);

    AppViewModel& model_;
    PresetManager& presets_;
    RuleListModel* ruleModel_ = nullptr;
    QTreeView* ruleList_ = nullptr;
    QToolButton* moveUpButton_ = nullptr;
    QToolButton* moveDownButton_ = nullptr;
    QToolButton* deleteRuleButton_ = nullptr;
    QLabel* emptyRulesLabel_ = nullptr;
    QLineEdit* phraseField_ = nullptr;
    QStackedWidget* phraseResult_ = nullptr;
    QLabel* phraseHint_ = nullptr;
    QLabel* noRuleLabel_ = nullptr;
    QWidget* suggestionBox_ = nullptr;
    QListWidget* suggestionList_ = nullptr;
    QListWidget* presetList_ = nullptr;
    QPushButton* loadPresetButton_ = nullptr;
    QPushButton* deletePresetButton_ = nullptr;
    QPushButton* savePresetButton_ = nullptr;
    QLabel* presetProblem_ = nullptr;

    // Rows the user opened, kept by rule id across resets of the list.
    std::set<Uuid> expanded_;
    std::vector<ParsedRule> shownSuggestions_;
    // The last phrase parsed gave no suggestion (until the phrase changes).
    bool noRuleFound_ = false;
    std::vector<Uuid> shownPresetIds_;
    std::vector<QString> shownPresetNames_;
    Subscription modelSubscription_;
    Subscription presetSubscription_;
};
