// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Views/LeftPanel/RuleSummary.h"

#include <QCoreApplication>
#include <QList>

#include "Services/RuleKinds.h"
#include "Views/Shared/Texts.h"

namespace {

QString shown(const RuleKindInfo::Summary::Argument& argument) {
    const QString text = QString::fromStdString(argument.text);
    switch (argument.kind) {
        case RuleKindInfo::Summary::Argument::Kind::plain:
            return text;
        case RuleKindInfo::Summary::Argument::Kind::quoted:
            // Quotation marks differ between languages.
            return QCoreApplication::translate("RuleSummary", "\u201c%1\u201d").arg(text);
        case RuleKindInfo::Summary::Argument::Kind::stored:
            return Texts::stored(argument.text);
    }
    return text;
}

// Fills all markers in one pass, so that a %1 inside a filled-in value is never read as a
// marker.
QString filled(const QString& text, const std::vector<RuleKindInfo::Summary::Argument>& arguments) {
    QList<QString> values;
    for (const auto& argument : arguments) {
        values.append(shown(argument));
    }
    switch (values.size()) {
        case 0:
            return text;
        case 1:
            return text.arg(values[0]);
        case 2:
            return text.arg(values[0], values[1]);
        case 3:
            return text.arg(values[0], values[1], values[2]);
        default:
            return text.arg(values[0], values[1], values[2], values[3]);
    }
}

}  // namespace

QString ruleSummary(const RenameRule& rule) {
    const auto summarise = RuleKinds::info(rule.type).summary;
    if (summarise == nullptr) {
        return {};
    }
    const RuleKindInfo::Summary summary = summarise(rule);
    const QString separator =
        *summary.separator != '\0' ? Texts::marked("RuleSummary", summary.separator) : QString();
    QString line;
    bool first = true;
    for (const auto& part : summary.parts) {
        const QString text =
            filled(part.count ? Texts::marked("RuleSummary", part.text, Texts::count(*part.count))
                              : Texts::marked("RuleSummary", part.text),
                   part.arguments);
        if (!first) {
            line += separator;
        }
        line += text;
        first = false;
    }
    if (summary.capitalise && !line.isEmpty()) {
        line[0] = line[0].toUpper();
    }
    return line;
}
