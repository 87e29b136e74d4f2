// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QIcon>
#include <QString>

// The window's icons by their symbol names ("plus.circle", "folder", ...): the matching icon
// of the desktop's freedesktop theme when it has one, else the SVG compiled into the program,
// so that every icon shows even with no icon theme installed.
namespace Icons {

// The icon for `symbol`; a null icon for a name that is not bundled.
QIcon icon(const QString& symbol);
// The bundled SVG alone, never the theme's (the logo, and icons whose colour carries meaning).
QIcon bundled(const QString& symbol);
// The resource path of the bundled SVG for `symbol` (":/icons/<symbol>.svg").
QString resourcePath(const QString& symbol);

}  // namespace Icons
