// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Models/RenameRule.h"

class AppViewModel;
class ChangeWatcher;
class QCheckBox;
class QLabel;
class QComboBox;
class QFormLayout;
class QLineEdit;
class QSpinBox;

// The editor of one rule's options: a form with a field for every option the rule's kind
// reads. Each change of a field is written at once through the view model's updateRule, so
// the preview follows while the user types. Fields whose option does not apply in the chosen
// mode (the index of an insert at the beginning, say) are hidden. The fields are named after
// the rule fields they edit (objectName "findText", "removeCount", ...). A template's field
// offers its tokens from a menu ("templateTokens"), and "templateExample" shows what the rule
// makes of the first shown entry.
class RuleOptionsEditor final : public QWidget {
    Q_OBJECT

  public:
    // An editor for `rule`, which must be in the view model's list; edits find it by id.
    RuleOptionsEditor(AppViewModel& model, const RenameRule& rule, QWidget* parent = nullptr);

    const Uuid& ruleId() const { return id_; }
    // Shows the values of `rule` (the same rule, changed elsewhere) without writing back; a
    // text field that already holds the value is left alone so its cursor stays.
    void showRule(const RenameRule& rule);
    // Puts the keyboard focus into the first shown field (nothing for a kind without any).
    void focusFirstField();
    // The fields that take keyboard focus, in form order (hidden ones too).
    QList<QWidget*> focusableFields() const;

    // The height is the one the form needs at the editor's current width.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  signals:
    // Rows appeared or disappeared, or the width changed how they wrap: the editor's height
    // changed.
    void sizeHintChanged();

  private:
    // Applies `change` to the current value of the rule and hands it to updateRule.
    void edit(const std::function<void(RenameRule&)>& change);

    QLineEdit* addText(const QString& label, std::string RenameRule::*field, const char* name,
                       const QString& placeholder = {});
    QSpinBox* addNumber(const QString& label, std::int64_t RenameRule::*field, const char* name,
                        int minimum, int maximum);
    QCheckBox* addSwitch(const QString& label, bool RenameRule::*field, const char* name);
    template <typename E>
    QComboBox* addChoice(const QString& label, E RenameRule::*field, const char* name);

    void buildFields(const RenameRule& rule);
    void updateVisibility(const RenameRule& rule);
    // Marks the pattern field of the two pattern kinds when its text does not compile, and
    // the template field when its text cannot be read.
    void checkPattern(const RenameRule& rule);
    // A button beside nothing, below `line`, whose menu inserts a template token into it.
    void addTokenMenu(QLineEdit* line, std::string RenameRule::*field);
    // Shows what the rule makes of the first shown entry.
    void showExample();

    AppViewModel& model_;
    Uuid id_;
    RuleType type_;
    QFormLayout* form_ = nullptr;
    QLineEdit* patternField_ = nullptr;
    // When the pattern field holds a regular expression.
    bool (*patternWhen_)(const RenameRule&) = nullptr;
    std::vector<std::function<void(const RenameRule&)>> refreshers_;
    std::vector<std::function<void(const RenameRule&)>> visibility_;
    QLabel* example_ = nullptr;
    ChangeWatcher* exampleWatcher_ = nullptr;
    // The last height asked of the list through sizeHintChanged.
    int askedHeight_ = -1;
};
