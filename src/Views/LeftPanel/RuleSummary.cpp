#include "Views/LeftPanel/RuleSummary.h"

#include <QObject>
#include <QStringList>

#include <algorithm>
#include <limits>
#include <string_view>

#include "Models/EnumCases.h"

namespace {

QString text(const std::string& value) {
    return QString::fromStdString(value);
}

QString quoted(const std::string& value) {
    return QStringLiteral("\u201c%1\u201d").arg(text(value));
}

QString raw(std::string_view value) {
    return QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size()));
}

QString number(std::int64_t value) {
    return QString::number(value);
}

// A count for a counted text; the options hold 64 bits, tr() takes an int.
int count(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, 0, std::numeric_limits<int>::max()));
}

// Where an insert or date rule puts its text, as words.
QString where(InsertPosition position, const RenameRule& rule) {
    switch (position) {
        case InsertPosition::beginning:
            return QObject::tr("at the beginning");
        case InsertPosition::end:
            return QObject::tr("at the end");
        case InsertPosition::atIndex:
            return QObject::tr("at position %1").arg(number(rule.insertIndex));
        case InsertPosition::beforeText:
            return QObject::tr("before %1").arg(quoted(rule.insertAnchorText));
        case InsertPosition::afterText:
            return QObject::tr("after %1").arg(quoted(rule.insertAnchorText));
    }
    return {};
}

QString removeSummary(const RenameRule& rule) {
    switch (rule.removeTarget) {
        case RemoveTarget::text:
            return QObject::tr("Remove %1").arg(quoted(rule.removeText));
        case RemoveTarget::firstN:
            return QObject::tr("Remove the first %n character(s)", nullptr,
                               count(rule.removeCount));
        case RemoveTarget::lastN:
            return QObject::tr("Remove the last %n character(s)", nullptr, count(rule.removeCount));
        case RemoveTarget::fromTo:
            return QObject::tr("Remove characters %1 to %2")
                .arg(number(rule.removeFromIndex), number(rule.removeToIndex));
        case RemoveTarget::betweenText:
            return QObject::tr("Remove between %1 and %2")
                .arg(quoted(rule.removeBetweenStart), quoted(rule.removeBetweenEnd));
    }
    return {};
}

// The first number as the rule writes it: zero-filled to the padding, the sign counting in
// the width (-5 with padding 3 is "-05").
QString numberingSample(const RenameRule& rule) {
    const auto padding = static_cast<int>(std::clamp<std::int64_t>(rule.numberingPadding, 0, 32));
    const bool negative = rule.numberingStart < 0;
    QString digits = QString::number(rule.numberingStart);
    if (negative) {
        digits.remove(0, 1);
    }
    const int width = negative ? padding - 1 : padding;
    if (digits.size() < width) {
        digits.prepend(QString(width - digits.size(), QLatin1Char('0')));
    }
    return negative ? QLatin1Char('-') + digits : digits;
}

QString numberingSummary(const RenameRule& rule) {
    const QString sample = numberingSample(rule);
    const QString separator = text(rule.numberingSeparator);
    switch (rule.numberingPosition) {
        case NumberingPosition::prefix:
            return QObject::tr("Number as prefix: %1%2name, step %3")
                .arg(sample, separator, number(rule.numberingStep));
        case NumberingPosition::suffix:
            return QObject::tr("Number as suffix: name%1%2, step %3")
                .arg(separator, sample, number(rule.numberingStep));
        case NumberingPosition::replace:
            return QObject::tr("Replace name with %1, step %2")
                .arg(sample, number(rule.numberingStep));
    }
    return {};
}

QString cleanupSummary(const RenameRule& rule) {
    QStringList parts;
    if (rule.trimWhitespace) {
        parts << QObject::tr("trim");
    }
    if (rule.removeDuplicateSpaces) {
        parts << QObject::tr("collapse spaces");
    }
    if (rule.replaceSpacesWithUnderscores) {
        parts << QObject::tr("spaces to _");
    }
    if (rule.removeSpecialChars) {
        parts << QObject::tr("drop special characters");
    }
    if (parts.isEmpty()) {
        return QObject::tr("Nothing selected");
    }
    QString line = parts.join(QStringLiteral(", "));
    line[0] = line[0].toUpper();
    return line;
}

}  // namespace

QString ruleSummary(const RenameRule& rule) {
    switch (rule.type) {
        case RuleType::replace: {
            QString line = QObject::tr("Replace %1 \u2192 %2")
                               .arg(quoted(rule.findText), quoted(rule.replaceText));
            if (rule.useRegex) {
                line += QObject::tr(" (pattern)");
            }
            if (rule.isCaseSensitive) {
                line += QObject::tr(" (match case)");
            }
            return line;
        }
        case RuleType::insert:
            return QObject::tr("Insert %1 %2")
                .arg(quoted(rule.insertText), where(rule.insertPosition, rule));
        case RuleType::remove:
            return removeSummary(rule);
        case RuleType::caseConversion:
            return raw(rawValue(rule.caseType));
        case RuleType::numbering:
            return numberingSummary(rule);
        case RuleType::cleanup:
            return cleanupSummary(rule);
        case RuleType::trim:
            return QObject::tr("Trim leading and trailing whitespace");
        case RuleType::dateStamp: {
            // The date rule has no anchor text of its own; only beginning and end apply.
            const QString place = rule.datePosition == InsertPosition::beginning
                                      ? QObject::tr("at the beginning")
                                      : QObject::tr("at the end");
            return QObject::tr("Add date %1 %2").arg(quoted(rule.dateFormat), place);
        }
        case RuleType::extensionChange:
            if (rule.newExtension.empty()) {
                return QObject::tr("Remove the extension");
            }
            return QObject::tr("Change extension to %1").arg(quoted(rule.newExtension));
        case RuleType::regex:
            return QObject::tr("Pattern %1 \u2192 %2")
                .arg(quoted(rule.findText), quoted(rule.replaceText));
    }
    return {};
}
