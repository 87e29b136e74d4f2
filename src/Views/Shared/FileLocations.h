// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <filesystem>
#include <optional>
#include <vector>

class QMimeData;

// Conversions between the window's text and URLs and the byte-exact paths of the core.
namespace FileLocations {

// The local path of a file URL, byte for byte as the percent-encoding gives it (so names
// that are not UTF-8 survive a drop); none for a URL that is not a local file.
std::optional<std::filesystem::path> fromUrl(const QUrl& url);
// The local paths of the file URLs of a drag (text/uri-list), in their order.
std::vector<std::filesystem::path> fromMimeData(const QMimeData* data);
// Whether a drag carries at least one local file URL.
bool hasLocalFiles(const QMimeData* data);
// A path given as text by Qt (dialogs); made absolute.
std::filesystem::path fromText(const QString& text);
// Paths given as text by Qt, in their order.
std::vector<std::filesystem::path> fromTexts(const QStringList& texts);
// A path for display; bytes that are not UTF-8 show as U+FFFD.
QString toText(const std::filesystem::path& path);
// The file URL of a path, percent-encoding its bytes exactly.
QUrl toUrl(const std::filesystem::path& path);

}  // namespace FileLocations
