#include "Views/LeftPanel/RuleOptionsEditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>

#include <algorithm>
#include <limits>

#include "Models/EnumCases.h"
#include "ViewModels/AppViewModel.h"
#include "Views/LeftPanel/PatternCheck.h"

namespace {

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The width a field needs to show its text, with its label beside it.
constexpr int kFieldWidth = 150;

// The outline of a pattern that does not compile; the field keeps its other looks.
const QString kInvalidStyle = QStringLiteral("QLineEdit { border: 2px solid #d70022; }");

// Spin boxes hold int; a value a preset brought in from outside that range is shown clamped
// but not written back unless the user edits it.
int shownValue(std::int64_t value, int minimum, int maximum) {
    return static_cast<int>(std::clamp<std::int64_t>(value, minimum, maximum));
}

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
        combo->addItem(qs(rawValue(value)));
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
    constexpr int kMaxIndex = 9999;
    constexpr int kMaxNumber = 999'999'999;
    switch (rule.type) {
        case RuleType::replace:
            patternField_ =
                addText(tr("Find"), &RenameRule::findText, "findText", tr("Text to find"));
            addText(tr("Replace with"), &RenameRule::replaceText, "replaceText",
                    tr("Empty: delete the text"));
            addSwitch(tr("Match case"), &RenameRule::isCaseSensitive, "isCaseSensitive");
            addSwitch(tr("Use regular expression"), &RenameRule::useRegex, "useRegex");
            break;
        case RuleType::insert: {
            addText(tr("Text"), &RenameRule::insertText, "insertText", tr("Text to insert"));
            addChoice(tr("Position"), &RenameRule::insertPosition, "insertPosition");
            auto* index =
                addNumber(tr("Index"), &RenameRule::insertIndex, "insertIndex", 0, kMaxIndex);
            auto* anchor = addText(tr("Anchor text"), &RenameRule::insertAnchorText,
                                   "insertAnchorText", tr("Text to insert next to"));
            visibility_.push_back([this, index, anchor](const RenameRule& r) {
                form_->setRowVisible(index, r.insertPosition == InsertPosition::atIndex);
                form_->setRowVisible(anchor, r.insertPosition == InsertPosition::beforeText ||
                                                 r.insertPosition == InsertPosition::afterText);
            });
            break;
        }
        case RuleType::remove: {
            addChoice(tr("Remove"), &RenameRule::removeTarget, "removeTarget");
            auto* text =
                addText(tr("Text"), &RenameRule::removeText, "removeText", tr("Text to remove"));
            auto* count =
                addNumber(tr("Count"), &RenameRule::removeCount, "removeCount", 0, kMaxIndex);
            auto* from = addNumber(tr("From"), &RenameRule::removeFromIndex, "removeFromIndex", 0,
                                   kMaxIndex);
            auto* to =
                addNumber(tr("To"), &RenameRule::removeToIndex, "removeToIndex", 0, kMaxIndex);
            auto* start = addText(tr("Start"), &RenameRule::removeBetweenStart,
                                  "removeBetweenStart", tr("Opening text, e.g. ("));
            auto* end = addText(tr("End"), &RenameRule::removeBetweenEnd, "removeBetweenEnd",
                                tr("Closing text, e.g. )"));
            visibility_.push_back([=, this](const RenameRule& r) {
                const auto t = r.removeTarget;
                form_->setRowVisible(text, t == RemoveTarget::text);
                form_->setRowVisible(count, t == RemoveTarget::firstN || t == RemoveTarget::lastN);
                form_->setRowVisible(from, t == RemoveTarget::fromTo);
                form_->setRowVisible(to, t == RemoveTarget::fromTo);
                form_->setRowVisible(start, t == RemoveTarget::betweenText);
                form_->setRowVisible(end, t == RemoveTarget::betweenText);
            });
            break;
        }
        case RuleType::caseConversion:
            addChoice(tr("Case"), &RenameRule::caseType, "caseType");
            break;
        case RuleType::numbering:
            addNumber(tr("Start at"), &RenameRule::numberingStart, "numberingStart", -kMaxNumber,
                      kMaxNumber);
            addNumber(tr("Step"), &RenameRule::numberingStep, "numberingStep", -kMaxNumber,
                      kMaxNumber);
            addNumber(tr("Digits"), &RenameRule::numberingPadding, "numberingPadding", 0, 20);
            addChoice(tr("Position"), &RenameRule::numberingPosition, "numberingPosition");
            addText(tr("Separator"), &RenameRule::numberingSeparator, "numberingSeparator");
            break;
        case RuleType::cleanup:
            addSwitch(tr("Trim whitespace"), &RenameRule::trimWhitespace, "trimWhitespace");
            addSwitch(tr("Collapse repeated spaces"), &RenameRule::removeDuplicateSpaces,
                      "removeDuplicateSpaces");
            addSwitch(tr("Spaces to underscores"), &RenameRule::replaceSpacesWithUnderscores,
                      "replaceSpacesWithUnderscores");
            addSwitch(tr("Remove special characters"), &RenameRule::removeSpecialChars,
                      "removeSpecialChars");
            break;
        case RuleType::trim: {
            auto* note = new QLabel(
                tr("Removes spaces and tabs at both ends of the name. No options."), this);
            note->setWordWrap(true);
            form_->addRow(note);
            break;
        }
        case RuleType::dateStamp: {
            auto* format = addText(tr("Format"), &RenameRule::dateFormat, "dateFormat",
                                   QStringLiteral("yyyy-MM-dd"));
            format->setToolTip(
                tr("Date pattern: yyyy year, MM month, dd day, HH hour, "
                   "mm minute, ss second"));
            addChoice(tr("Position"), &RenameRule::datePosition, "datePosition");
            break;
        }
        case RuleType::extensionChange: {
            auto* extension = addText(tr("New extension"), &RenameRule::newExtension,
                                      "newExtension", tr("e.g. jpg"));
            // Said once, below the field, where it stays while the user types.
            auto* hint = new QLabel(tr("Leave blank to remove the extension."), this);
            hint->setObjectName(QStringLiteral("extensionHint"));
            hint->setWordWrap(true);
            hint->setEnabled(false);
            hint->setBuddy(extension);
            form_->addRow(hint);
            break;
        }
        case RuleType::regex:
            patternField_ = addText(tr("Pattern"), &RenameRule::findText, "findText",
                                    tr("Regular expression, e.g. (\\d+)"));
            addText(tr("Replacement"), &RenameRule::replaceText, "replaceText",
                    tr("$1 is the first group"));
            break;
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
    const bool isPattern = rule.type == RuleType::regex || rule.useRegex;
    const auto problem = isPattern ? patternProblem(rule.findText) : std::nullopt;
    const bool invalid = problem.has_value();
    if (patternField_->property("invalidPattern").toBool() == invalid &&
        patternField_->toolTip() == problem.value_or(QString())) {
        return;
    }
    patternField_->setProperty("invalidPattern", invalid);
    patternField_->setStyleSheet(invalid ? kInvalidStyle : QString());
    patternField_->setToolTip(problem.value_or(QString()));
    patternField_->setAccessibleDescription(
        invalid ? tr("The pattern does not compile: %1").arg(*problem) : QString());
}
