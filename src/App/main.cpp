#include <QApplication>
#include <QLabel>

#include <cstdio>
#include <cstdlib>

#include "Cli/CommandLine.h"

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

}  // namespace

int main(int argc, char** argv) {
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
    QLabel placeholder(QStringLiteral("Quorvane"));
    placeholder.show();
    return QApplication::exec();
}
