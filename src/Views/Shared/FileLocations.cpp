// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Views/Shared/FileLocations.h"

#include <QFile>
#include <QMimeData>

namespace FileLocations {

std::optional<std::filesystem::path> fromUrl(const QUrl& url) {
    if (!url.isLocalFile()) {
        return std::nullopt;
    }
    // toLocalFile() would decode the bytes as UTF-8 and lose those that are not.
    const QByteArray bytes =
        QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    if (bytes.isEmpty()) {
        return std::nullopt;
    }
    return std::filesystem::path(bytes.toStdString());
}

std::vector<std::filesystem::path> fromMimeData(const QMimeData* data) {
    std::vector<std::filesystem::path> paths;
    if (data == nullptr || !data->hasUrls()) {
        return paths;
    }
    for (const QUrl& url : data->urls()) {
        if (auto path = fromUrl(url)) {
            paths.push_back(std::move(*path));
        }
    }
    return paths;
}

bool hasLocalFiles(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls()) {
        return false;
    }
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            return true;
        }
    }
    return false;
}

std::filesystem::path fromText(const QString& text) {
    std::filesystem::path path(QFile::encodeName(text).toStdString());
    std::error_code ignored;
    auto absolute = std::filesystem::absolute(path, ignored);
    return absolute.empty() ? path : absolute;
}

std::vector<std::filesystem::path> fromTexts(const QStringList& texts) {
    std::vector<std::filesystem::path> paths;
    paths.reserve(static_cast<std::size_t>(texts.size()));
    for (const QString& text : texts) {
        paths.push_back(fromText(text));
    }
    return paths;
}

QString toText(const std::filesystem::path& path) {
    return QString::fromStdString(path.native());
}

QUrl toUrl(const std::filesystem::path& path) {
    const QByteArray bytes(path.native().data(), static_cast<qsizetype>(path.native().size()));
    return QUrl::fromEncoded("file://" + bytes.toPercentEncoding("/"), QUrl::StrictMode);
}

}  // namespace FileLocations
