#pragma once

#include <QWidget>

class AppViewModel;
class PresetManager;

// The rule panel: adds, edits, reorders and removes rules, parses phrases and handles presets.
class RuleEditorView final : public QWidget {
    Q_OBJECT

  public:
    RuleEditorView(AppViewModel& model, PresetManager& presets, QWidget* parent = nullptr);

  private:
    AppViewModel& model_;
    PresetManager& presets_;
};
