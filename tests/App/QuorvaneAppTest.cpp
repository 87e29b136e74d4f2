// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

#include <filesystem>

#include "App/QuorvaneApp.h"
#include "Support/TempDir.h"
#include "Views/ContentView.h"
#include "Views/Shared/FileLocations.h"

namespace {

// Runs the program with `arguments` in `environment`; its exit code, with stderr in `errors`.
int runProgram(const QStringList& arguments, const QProcessEnvironment& environment,
               QString& errors) {
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(QUORVANE_PROGRAM), arguments);
    if (!program.waitForFinished(60000)) {
        program.kill();
        return -1;
    }
    errors = QString::fromLocal8Bit(program.readAllStandardError());
    return program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
}

}  // namespace

class QuorvaneAppTest : public QObject {
    Q_OBJECT

  private slots:
    void oneModelForEveryPanel();
    void theProgramOpensWithTheItemsItIsGiven();
    void withoutADisplayItSaysWhatToDo();
};

void QuorvaneAppTest::oneModelForEveryPanel() {
    TempDir dir;
    QuorvaneApp app(dir.path() / "presets.json");
    app.open({dir.file("a.txt"), dir.file("b.txt")});
    // The preview panel and the file list see what the application's one model holds.
    QTRY_COMPARE(app.content().renameAction()->isEnabled(), true);
    QCOMPARE(app.model().files().size(), 2u);
    // The preset store is the one the application was given.
    QCOMPARE(app.presets().storageURL(), std::optional(dir.path() / "presets.json"));
}

void QuorvaneAppTest::theProgramOpensWithTheItemsItIsGiven() {
    TempDir dir;
    const auto shot = dir.path() / "window.png";
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The test's own offscreen set-up (its screen size) when it has one.
    if (!environment.value(QStringLiteral("QT_QPA_PLATFORM"))
             .startsWith(QLatin1String("offscreen"))) {
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    }
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), FileLocations::toText(dir.path()));
    environment.insert(QStringLiteral("QUORVANE_SCREENSHOT"), FileLocations::toText(shot));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), FileLocations::toText(dir.path()));
    QString errors;
    const int code = runProgram({FileLocations::toText(dir.file("Caf\xc3\xa9.txt")),
                                 FileLocations::toText(dir.folder("Fotos"))},
                                environment, errors);
    QVERIFY2(code == 0, qPrintable(errors));
    QImage image(FileLocations::toText(shot));
    QVERIFY(!image.isNull());
    QVERIFY(image.width() >= 960);
    QVERIFY(image.height() >= 600);
}

void QuorvaneAppTest::withoutADisplayItSaysWhatToDo() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    QString errors;
    const int code = runProgram({}, environment, errors);
    QCOMPARE(code, 2);
    QCOMPARE(errors.count(QLatin1Char('\n')), 1);
    QVERIFY2(errors.contains(QStringLiteral("xvfb-run")), qPrintable(errors));
    QVERIFY2(errors.contains(QStringLiteral("quorvane preview")), qPrintable(errors));
}

QTEST_MAIN(QuorvaneAppTest)
#include "QuorvaneAppTest.moc"
