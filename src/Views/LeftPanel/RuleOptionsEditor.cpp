// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Views/LeftPanel/RuleOptionsEditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>

#include <algorithm>
#include <limits>
#include <type_traits>
#include <utility>
#include <variant>

#include "Models/EnumCases.h"
#include "Models/RuleKeys.h"
#include "Services/NameTemplate.h"
#include "Services/PreparedRule.h"
#include "Services/RuleKinds.h"
#include "ViewModels/AppViewModel.h"
#include "Views/LeftPanel/PatternCheck.h"
#include "Views/Shared/ChangeWatcher.h"
#include "Views/Shared/ErrorText.h"
#include "Views/Shared/Texts.h"

namespace {

// The width a field needs to show its text, with its label beside it.
constexpr int kFieldWidth = 150;

// The outline of a pattern that does not compile; the field keeps its other looks.
const QString kInvalidStyle = QStringLiteral("QLineEdit { border: 2px solid #d70022; }");

// Spin boxes hold int; a value a preset brought in from outside that range is shown clamped
// but not written back unless the user edits it.
int shownValue(std::int64_t value, int minimum, int maximum) {
    return static_cast<int>(std::clamp<std::int64_t>(value, minimum, maximum));
}

// The range a spin box can show.
constexpr int kMinShown = std::numeric_limits<int>::min();
constexpr int kMaxShown = std::numeric_limits<int>::max();

}  // namespace

RuleOptionsEditor::RuleOptionsEditor(AppViewModel& model, const RenameRule& rule, QWidget* parent)
    : QWidget(parent), model_(model), id_(rule.id), type_(rule.type) {
    setObjectName(QStringLiteral("RuleOptionsEditor"));
    form_ = new QFormLayout(this);
    form_->setContentsMargins(6, 4, 4, 8);
    form_->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form_->setRowWrapPolicy(QFormLayout::DontWrapRows);
    buildFields(rule);
    showRule(rule);
}

QSize RuleOptionsEditor::sizeHint() const {
    // The list gives each row the height of its widget's size hint; a form whose labels went
    // above their fields, or whose notes wrap, needs the height for the width it has.
    QSize hint = QWidget::sizeHint();
    if (hasHeightForWidth() && width() > 0) {
        hint.setHeight(std::max(hint.height(), heightForWidth(width())));
    }
    return hint;
}

QSize RuleOptionsEditor::minimumSizeHint() const {
    QSize hint = QWidget::minimumSizeHint();
    hint.setHeight(sizeHint().height());
    return hint;
}

void RuleOptionsEditor::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Labels beside their fields where there is room for both, above them all where there is
    // not; never some of each, which would make the form hard to read.
    int labels = 0;
    for (int row = 0; row < form_->rowCount(); ++row) {
        if (QLayoutItem* label = form_->itemAt(row, QFormLayout::LabelRole)) {
            labels = std::max(labels, label->sizeHint().width());
        }
    }
    const QMargins margins = form_->contentsMargins();
    const int sideBySide =
        margins.left() + labels + form_->horizontalSpacing() + kFieldWidth + margins.right();
    // Going back to side by side takes a scroll bar's width more than leaving it: the change
    // of height can make the list's scroll bar come or go, which changes the width again.
    const int slack = style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 4;
    const bool wrapped = form_->rowWrapPolicy() == QFormLayout::WrapAllRows;
    const auto policy = width() >= sideBySide + (wrapped ? slack : 0) ? QFormLayout::DontWrapRows
                                                                      : QFormLayout::WrapAllRows;
    if (form_->rowWrapPolicy() != policy) {
        form_->setRowWrapPolicy(policy);
    }
    // Asked once per height, so that a list that cannot give it does not go round in circles.
    if (const int wanted = sizeHint().height(); wanted != height() && wanted != askedHeight_) {
        askedHeight_ = wanted;
        emit sizeHintChanged();
    }
}

void RuleOptionsEditor::edit(const std::function<void(RenameRule&)>& change) {
    const auto& rules = model_.rules();
    const auto found =
        std::find_if(rules.begin(), rules.end(), [&](const RenameRule& r) { return r.id == id_; });
    if (found == rules.end()) {
        return;
    }
    RenameRule updated = *found;
    change(updated);
    if (updated == *found) {
        return;
    }
    model_.updateRule(updated);
    updateVisibility(updated);
    checkPattern(updated);
}

QLineEdit* RuleOptionsEditor::addText(const QString& label, std::string RenameRule::*field,
                                      const char* name, const QString& placeholder) {
    auto* line = new QLineEdit(this);
    line->setObjectName(QString::fromLatin1(name));
    line->setPlaceholderText(placeholder);
    line->setAccessibleName(label);
    line->setClearButtonEnabled(true);
    // textEdited, not textChanged: only what the user types is written back.
    connect(line, &QLineEdit::textEdited, this, [this, field](const QString& text) {
        edit([&](RenameRule& rule) { rule.*field = text.toStdString(); });
    });
    refreshers_.push_back([line, field](const RenameRule& rule) {
        const QString value = QString::fromStdString(rule.*field);
        if (line->text() != value) {
            line->setText(value);
        }
    });
    form_->addRow(label, line);
    return line;
}

QSpinBox* RuleOptionsEditor::addNumber(const QString& label, std::int64_t RenameRule::*field,
                                       const char* name, int minimum, int maximum) {
    auto* spin = new QSpinBox(this);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setRange(minimum, maximum);
    spin->setAccessibleName(label);
    connect(spin, &QSpinBox::valueChanged, this,
            [this, field](int value) { edit([&](RenameRule& rule) { rule.*field = value; }); });
    refreshers_.push_back([spin, field, minimum, maximum](const RenameRule& rule) {
        const QSignalBlocker quiet(spin);
        spin->setValue(shownValue(rule.*field, minimum, maximum));
    });
    form_->addRow(label, spin);
    return spin;
}

QCheckBox* RuleOptionsEditor::addSwitch(const QString& label, bool RenameRule::*field,
                                        const char* name) {
    auto* box = new QCheckBox(label, this);
    box->setObjectName(QString::fromLatin1(name));
    connect(box, &QCheckBox::toggled, this,
            [this, field](bool on) { edit([&](RenameRule& rule) { rule.*field = on; }); });
    refreshers_.push_back([box, field](const RenameRule& rule) {
        const QSignalBlocker quiet(box);
        box->setChecked(rule.*field);
    });
    form_->addRow(box);
    return box;
}

template <typename E>
QComboBox* RuleOptionsEditor::addChoice(const QString& label, E RenameRule::*field,
                                        const char* name) {
    auto* combo = new QComboBox(this);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setAccessibleName(label);
    // The raw values, in declaration order, are the entries; the index is the case.
    for (const E value : allCases<E>()) {
        combo->addItem(Texts::stored(value));
    }
    connect(combo, &QComboBox::currentIndexChanged, this, [this, field](int index) {
        if (index < 0) {
            return;
        }
        edit([&](RenameRule& rule) {
            rule.*field = allCases<E>()[static_cast<std::size_t>(index)];
        });
    });
    refreshers_.push_back([combo, field](const RenameRule& rule) {
        const QSignalBlocker quiet(combo);
        const auto cases = allCases<E>();
        const auto at = std::find(cases.begin(), cases.end(), rule.*field);
        combo->setCurrentIndex(static_cast<int>(at - cases.begin()));
    });
    form_->addRow(label, combo);
    return combo;
}

void RuleOptionsEditor::buildFields(const RenameRule& rule) {
    using Kind = RuleKindInfo::Field::Kind;
    const auto field = [](const char* text) {
        return text != nullptr ? Texts::marked("RuleField", text) : QString();
    };
    for (const auto& fieldInfo : RuleKinds::info(rule.type).fields) {
        const QString label = field(fieldInfo.label);
        QWidget* widget = nullptr;
        if (fieldInfo.kind == Kind::note || fieldInfo.kind == Kind::hint) {
            auto* note = new QLabel(label, this);
            note->setObjectName(
                QString::fromUtf8(fieldInfo.key.data(), qsizetype(fieldInfo.key.size())));
            note->setWordWrap(true);
            if (fieldInfo.kind == Kind::hint) {
                note->setEnabled(false);
                if (form_->rowCount() > 0) {
                    note->setBuddy(
                        form_->itemAt(form_->rowCount() - 1, QFormLayout::FieldRole)->widget());
                }
            }
            form_->addRow(note);
            widget = note;
        } else if (fieldInfo.kind == Kind::example) {
            example_ = new QLabel(this);
            example_->setObjectName(
                QString::fromUtf8(fieldInfo.key.data(), qsizetype(fieldInfo.key.size())));
            example_->setWordWrap(true);
            example_->setTextFormat(Qt::PlainText);
            example_->setStyleSheet(QStringLiteral("color: palette(mid);"));
            form_->addRow(label, example_);
            widget = example_;
            // The example follows the list and what is read of it, not only the rule.
            exampleWatcher_ = new ChangeWatcher(
                model_, [this] { showExample(); }, this);
        } else if (const RuleKey* key = RuleKeys::find(fieldInfo.key)) {
            const std::string name(fieldInfo.key);
            widget = std::visit(
                [&](auto member) -> QWidget* {
                    using Value =
                        std::remove_cvref_t<decltype(std::declval<RenameRule&>().*member)>;
                    if constexpr (std::is_same_v<Value, std::string>) {
                        auto* line =
                            addText(label, member, name.c_str(), field(fieldInfo.placeholder));
                        if (fieldInfo.patternWhen != nullptr) {
                            patternField_ = line;
                            patternWhen_ = fieldInfo.patternWhen;
                        }
                        if (fieldInfo.offersTokens) {
                            addTokenMenu(line, member);
                        }
                        return line;
                    } else if constexpr (std::is_same_v<Value, std::int64_t>) {
                        return addNumber(label, member, name.c_str(),
                                         shownValue(fieldInfo.minimum, kMinShown, kMaxShown),
                                         shownValue(fieldInfo.maximum, kMinShown, kMaxShown));
                    } else if constexpr (std::is_same_v<Value, bool>) {
                        return addSwitch(label, member, name.c_str());
                    } else if constexpr (std::is_enum_v<Value>) {
                        return addChoice(label, member, name.c_str());
                    } else {
                        return nullptr;  // identity fields have no editor
                    }
                },
                key->field);
        }
        if (widget == nullptr) {
            continue;
        }
        if (fieldInfo.toolTip != nullptr) {
            widget->setToolTip(field(fieldInfo.toolTip));
        }
        if (fieldInfo.shownWhen != nullptr) {
            visibility_.push_back(
                [this, widget, shownWhen = fieldInfo.shownWhen](const RenameRule& r) {
                    form_->setRowVisible(widget, shownWhen(r));
                });
        }
    }
}

void RuleOptionsEditor::showRule(const RenameRule& rule) {
    if (rule.id != id_) {
        return;
    }
    for (const auto& refresh : refreshers_) {
        refresh(rule);
    }
    updateVisibility(rule);
    checkPattern(rule);
    showExample();
}

void RuleOptionsEditor::addTokenMenu(QLineEdit* line, std::string RenameRule::*field) {
    auto* button = new QToolButton(this);
    button->setObjectName(QStringLiteral("templateTokens"));
    button->setText(tr("Insert Token"));
    button->setToolTip(tr("Insert a value of the file at the cursor"));
    button->setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(button);
    menu->setObjectName(QStringLiteral("templateTokenMenu"));
    unsigned lastPart = 0;
    for (const auto& token : NameTemplate::tokens()) {
        // A line between the name's tokens, the file's, the photo's and the music's.
        if (token.part != lastPart && token.part > FileMetadata::file) {
            menu->addSeparator();
        }
        lastPart = token.part;
        const QString inserted =
            QString::fromUtf8(token.inserted.data(), qsizetype(token.inserted.size()));
        QAction* action = menu->addAction(Texts::marked("TemplateToken", token.label) +
                                          QStringLiteral("\t") + inserted);
        action->setData(inserted);
        connect(action, &QAction::triggered, this, [this, line, field, inserted] {
            line->insert(inserted);
            line->setFocus(Qt::OtherFocusReason);
            const std::string text = line->text().toStdString();
            edit([&](RenameRule& rule) { rule.*field = text; });
        });
    }
    button->setMenu(menu);
    form_->addRow(QString(), button);
}

void RuleOptionsEditor::showExample() {
    if (example_ == nullptr) {
        return;
    }
    const auto& rules = model_.rules();
    const auto found =
        std::find_if(rules.begin(), rules.end(), [&](const RenameRule& r) { return r.id == id_; });
    QString text;
    if (found == rules.end()) {
        text = QString();
    } else if (model_.isReadingMetadata()) {
        text = tr("Reading metadata\u2026");
    } else if (const auto entry = model_.ruleExample(*found)) {
        text = QString::fromStdString(entry->original) + QStringLiteral(" \u2192 ") +
               (entry->problem ? ErrorText::sentence(*entry->problem)
                               : QString::fromStdString(entry->preview));
    } else {
        text = tr("Add files to see an example.");
    }
    if (example_->text() != text) {
        example_->setText(text);
    }
}

QList<QWidget*> RuleOptionsEditor::focusableFields() const {
    QList<QWidget*> fields;
    for (int i = 0; i < form_->count(); ++i) {
        QWidget* field = form_->itemAt(i)->widget();
        if (field != nullptr && (field->focusPolicy() & Qt::TabFocus) != 0) {
            fields.append(field);
        }
    }
    return fields;
}

void RuleOptionsEditor::focusFirstField() {
    for (QWidget* field : focusableFields()) {
        if (!field->isHidden()) {
            field->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

void RuleOptionsEditor::updateVisibility(const RenameRule& rule) {
    if (visibility_.empty()) {
        return;
    }
    const QSize before = sizeHint();
    for (const auto& apply : visibility_) {
        apply(rule);
    }
    if (sizeHint() != before) {
        emit sizeHintChanged();
    }
}

void RuleOptionsEditor::checkPattern(const RenameRule& rule) {
    if (patternField_ == nullptr) {
        return;
    }
    const bool isPattern = patternWhen_ != nullptr && patternWhen_(rule);
    std::optional<QString> problem;
    if (isPattern && rule.type == RuleType::nameTemplate) {
        // The core reads templates; what it refuses is said in its words, with the place.
        RenameRule enabled = rule;
        enabled.isEnabled = true;
        if (const auto invalid = PreparedRule::check(enabled)) {
            problem = QString::fromStdString(invalid->detail);
        }
    } else if (isPattern) {
        problem = patternProblem(rule.findText);
    }
    const bool invalid = problem.has_value();
    if (patternField_->property("invalidPattern").toBool() == invalid &&
        patternField_->toolTip() == problem.value_or(QString())) {
        return;
    }
    patternField_->setProperty("invalidPattern", invalid);
    patternField_->setStyleSheet(invalid ? kInvalidStyle : QString());
    patternField_->setToolTip(problem.value_or(QString()));
    patternField_->setAccessibleDescription(
        !invalid ? QString()
        : rule.type == RuleType::nameTemplate
            ? tr("The template cannot be used: %1").arg(*problem)
            : tr("The pattern does not compile: %1").arg(*problem));
}
