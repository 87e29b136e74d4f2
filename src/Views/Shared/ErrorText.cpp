// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Views/Shared/ErrorText.h"

#include "Services/NameTemplate.h"
#include "Views/Shared/Texts.h"

QString ErrorText::sentence(const Error& error) {
    const QString detail = QString::fromStdString(error.detail);
    // No default: a new code must be given its sentence here.
    switch (error.code) {
        case Error::Code::invalidJson:
        case Error::Code::missingKey:
        case Error::Code::wrongType:
        case Error::Code::invalidValue:
            return tr("The file could not be read: %1").arg(detail);
        case Error::Code::invalidName:
            return tr("This cannot be a file name: %1").arg(detail);
        case Error::Code::nameNotUtf8:
            return tr("The item's own name is not valid UTF-8 text, so it is left as it is.");
        case Error::Code::fileSystem:
            return tr("The system refused: %1").arg(detail);
        case Error::Code::cancelled:
            return tr("Not attempted: the batch ended before this item.");
        case Error::Code::badPattern:
            return tr("A rule cannot run: %1").arg(detail);
        case Error::Code::timedOut:
            return tr("A pattern took too long on this name, so the name is left as it is.");
        case Error::Code::itemMissing:
            return tr("Nothing exists at this location any more.");
        case Error::Code::conflict:
            return tr("Another item gets the same name in this folder.");
        case Error::Code::nameTaken:
            return tr("An item with this name already exists in this folder.");
        case Error::Code::caseOnly:
            return tr("Differs from another name in its folder only in letter case.");
        case Error::Code::newerFormat:
            return tr("Written by a newer version of Quorvane.");
        case Error::Code::missingValue:
            // The detail is the token's own sentence, which the window has in its words.
            for (const auto& token : NameTemplate::tokens()) {
                if (error.detail == token.missing) {
                    return Texts::marked("TemplateToken", token.missing);
                }
            }
            if (error.detail == NameTemplate::emptyName()) {
                return Texts::marked("TemplateToken", NameTemplate::emptyName());
            }
            return detail;
        case Error::Code::driveCharacter:
            return tr("This drive does not accept \u201c%1\u201d in names.")
                .arg(QString::fromStdString(error.subject));
        case Error::Code::driveControl:
            return tr("This drive does not accept control characters in names.");
        case Error::Code::driveTrailingDot:
            return tr("This drive does not accept names that end in a dot.");
        case Error::Code::driveTrailingSpace:
            return tr("This drive does not accept names that end in a space.");
        case Error::Code::driveReservedName:
            return tr("This drive keeps the name \u201c%1\u201d for a device.")
                .arg(QString::fromStdString(error.subject));
    }
    return detail;
}
