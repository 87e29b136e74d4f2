#include <QApplication>
#include <QMainWindow>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <vector>

#include "App/QuorvaneApp.h"
#include "Cli/CommandLine.h"
#include "Models/Utf8.h"

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

// The locations named on the command line, byte for byte, made absolute.
std::vector<std::filesystem::path> locationsFrom(int argc, char** argv) {
    std::vector<std::filesystem::path> locations;
    for (int i = 1; i < argc; ++i) {
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
    QuorvaneApp quorvane;
    quorvane.open(locationsFrom(argc, argv));
    quorvane.show();

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
    const int code = QApplication::exec();
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
