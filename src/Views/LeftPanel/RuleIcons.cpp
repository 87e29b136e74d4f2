// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Views/LeftPanel/RuleIcons.h"

#include <QFont>
#include <QHash>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QString>

#include <array>

#include "Services/RuleKinds.h"

namespace RuleIcons {
namespace {

struct SymbolEntry {
    std::string_view symbol;
    const char* themeName;
    const char* badge;  // drawn when the theme lacks the icon
};

// Icons of the panel other than the rule kinds' (whose descriptions name theirs): standard
// freedesktop theme icon names where one fits.
constexpr std::array<SymbolEntry, 10> kSymbols{{
    {"textformat.abc", "format-text-lowercase", "ab"},
    {"wand.and.stars", "tools-wizard", "\u2605"},
    {"plus", "list-add", "+"},
    {"trash", "edit-delete", "\u2715"},
    {"arrow.up", "go-up", "\u2191"},
    {"arrow.down", "go-down", "\u2193"},
    {"xmark", "window-close", "\u2715"},
    {"square.and.arrow.down", "document-save", "\u2193"},
    {"tray.and.arrow.up", "document-open", "\u2191"},
    {"text.magnifyingglass", "system-search", "?"},
}};

QIcon drawnBadge(const QString& text) {
    QIcon icon;
    for (const int side : {16, 24, 32}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        const QPalette palette;
        painter.setPen(Qt::NoPen);
        painter.setBrush(palette.color(QPalette::Highlight));
        painter.drawRoundedRect(QRectF(0.5, 0.5, side - 1.0, side - 1.0), side / 5.0, side / 5.0);
        QFont font = painter.font();
        font.setPixelSize(text.size() > 2 ? side * 2 / 5 : side / 2);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(palette.color(QPalette::HighlightedText));
        painter.drawText(pixmap.rect(), Qt::AlignCenter, text);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace

QIcon forSymbol(std::string_view symbolName) {
    // Drawing badges costs a few pixmaps; every row of every list asks, so keep them.
    static QHash<QString, QIcon> cache;
    const QString key =
        QString::fromUtf8(symbolName.data(), static_cast<qsizetype>(symbolName.size()));
    if (const auto found = cache.constFind(key); found != cache.constEnd()) {
        return found.value();
    }
    QIcon icon;
    for (const auto* kind : RuleKinds::all()) {
        if (kind->systemImage == symbolName) {
            icon = QIcon::fromTheme(
                QString::fromUtf8(kind->themeIcon.data(), qsizetype(kind->themeIcon.size())),
                drawnBadge(QString::fromUtf8(kind->badge.data(), qsizetype(kind->badge.size()))));
            break;
        }
    }
    for (const auto& entry : kSymbols) {
        if (!icon.isNull()) {
            break;
        }
        if (entry.symbol == symbolName) {
            icon = QIcon::fromTheme(QString::fromLatin1(entry.themeName),
                                    drawnBadge(QString::fromUtf8(entry.badge)));
            break;
        }
    }
    if (icon.isNull()) {
        icon = drawnBadge(key.isEmpty() ? QStringLiteral("?") : key.left(1).toUpper());
    }
    cache.insert(key, icon);
    return icon;
}

QIcon forRuleType(RuleType type) {
    return forSymbol(RuleKinds::info(type).systemImage);
}

}  // namespace RuleIcons
