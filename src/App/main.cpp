// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>
#include <QMainWindow>
#include <QTimer>
#include <QUrl>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <memory>
#include <vector>

#include "App/QuorvaneApp.h"
#include "App/SingleInstance.h"
#include "App/Tour.h"
#include "Cli/CommandLine.h"
#include "Models/Utf8.h"
#include "Views/Shared/FileLocations.h"

namespace {

// Whether a window can be opened at all; without a display Qt would abort with a message
// about platform plugins that does not say what to do instead.
bool haveDisplay() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform != nullptr && *platform != '\0') {
        return true;
    }
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

// The locations named on the command line, byte for byte, made absolute. A file:// URL (as
// file managers hand items over, percent-encoded so that no name needs quoting) stands for its
// local path; one of another machine is reported and left out.
std::vector<std::filesystem::path> locationsFrom(int argc, char** argv) {
    std::vector<std::filesystem::path> locations;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "file://", 7) == 0) {
            const QUrl url = QUrl::fromEncoded(QByteArray(argv[i]));
            const bool here = url.isValid() &&
                              (url.host().isEmpty() || url.host() == QStringLiteral("localhost"));
            if (auto local = here ? FileLocations::fromUrl(url) : std::nullopt) {
                locations.push_back(std::move(*local));
            } else {
                // Encoded, so that no control character of the argument reaches the terminal.
                const QByteArray shown = url.isValid() ? url.toEncoded() : "an invalid file:// URL";
                std::fprintf(stderr, "quorvane: %s is not a file on this machine; left out\n",
                             shown.constData());
            }
            continue;
        }
        std::filesystem::path path(argv[i]);
        std::error_code ignored;
        auto absolute = std::filesystem::absolute(path, ignored);
        locations.push_back(absolute.empty() ? path : absolute);
    }
    return locations;
}

int start(int argc, char** argv) {
    if (argc > 1 && CommandLine::isSubcommand(argv[1])) {
        return CommandLine::run(argc, argv);
    }
    if (!haveDisplay()) {
        std::fputs(
            "quorvane: no display to open the window on; use a subcommand such as "
            "'quorvane preview' (see 'quorvane --help'), or run the window under "
            "xvfb-run.\n",
            stderr);
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvane"));
    QApplication::setApplicationVersion(QStringLiteral(QUORVANE_VERSION));
    // QApplication has taken its own options out of argv; what is left are locations.
    const auto locations = locationsFrom(argc, argv);
    SingleInstance instance;
    if (instance.handOver(locations)) {
        return 0;
    }
    QuorvaneApp quorvane;
    quorvane.open(locations);
    quorvane.show();
    instance.setReceiver([&quorvane](std::vector<std::filesystem::path> more) {
        quorvane.open(more);
        QMainWindow& window = quorvane.window();
        if (window.isMinimized()) {
            window.showNormal();
        }
        window.raise();
        window.activateWindow();
    });

    // QUORVANE_SCREENSHOT=FILE saves a picture of the window once it has settled, then quits
    // (scripts/screenshot.sh); it is not an option of the command line.
    const char* screenshot = std::getenv("QUORVANE_SCREENSHOT");
    int status = 0;
    if (screenshot != nullptr && *screenshot != '\0') {
        const QString target = QString::fromLocal8Bit(screenshot);
        QTimer::singleShot(1500, &app, [&quorvane, &status, target] {
            if (!quorvane.window().grab().save(target)) {
                std::fprintf(stderr, "quorvane: could not save the screenshot to %s\n",
                             target.toLocal8Bit().constData());
                status = 1;
            }
            QApplication::quit();
        });
    }
    // QUORVANE_TOUR=FOLDER walks through the window's screens, saving a picture of each, then
    // quits (scripts/tour.sh).
    std::unique_ptr<Tour> tour;
    const char* tourFolder = std::getenv("QUORVANE_TOUR");
    if (tourFolder != nullptr && *tourFolder != '\0') {
        tour = std::make_unique<Tour>(quorvane, QString::fromLocal8Bit(tourFolder));
        tour->start();
    }
    const int code = QApplication::exec();
    if (tour && tour->status() != 0) {
        return tour->status();
    }
    return status != 0 ? status : code;
}

}  // namespace

int main(int argc, char** argv) {
    // Whatever escapes ends the program with one line and status 2, never with an abort.
    try {
        return start(argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "quorvane: %s\n", Utf8::escapeControls(error.what()).c_str());
    } catch (...) {
        std::fputs("quorvane: an unexpected error ended the program\n", stderr);
    }
    return 2;
}
