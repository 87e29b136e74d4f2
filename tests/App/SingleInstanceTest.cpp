// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The one window per session, over a session bus of the test's own (dbus-run-session): later
// starts of the built program hand their locations to the window this test holds open. The
// program runs through posix_spawn with an argument vector, so that names reach it byte for
// byte.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <QDBusConnection>
#include <QTest>

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "App/QuorvaneApp.h"
#include "App/SingleInstance.h"
#include "Support/TempDir.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

struct Run {
    int code = -1;           // the exit status, -1 when killed or hung
    bool ownWindow = false;  // whether it opened a window of its own (its screenshot exists)
};

// Runs the program with `arguments` in the folder `cwd`, with `extra` variables set over this
// process's, keeping the event loop going so that this process can answer the program's call.
// A program that opens its own window saves a screenshot to `shot` and quits.
Run runProgram(const std::vector<std::string>& arguments, const fs::path& cwd, const fs::path& shot,
               const std::vector<std::string>& extra = {}) {
    std::vector<std::string> words{QUORVANE_PROGRAM};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    std::vector<std::string> variables = extra;
    variables.push_back("QUORVANE_SCREENSHOT=" + shot.string());
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const std::string text(*variable);
        const auto name = text.substr(0, text.find('=') + 1);
        bool replaced = false;
        for (const auto& mine : variables) {
            replaced = replaced || mine.starts_with(name);
        }
        if (!replaced) {
            variables.push_back(text);
        }
    }
    std::vector<char*> envp;
    for (auto& variable : variables) {
        envp.push_back(variable.data());
    }
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, cwd.c_str());
    pid_t pid = -1;
    const int started = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    Run run;
    if (started != 0) {
        return run;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            return run;
        }
        QTest::qWait(5);
    }
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.ownWindow = fs::exists(shot);
    return run;
}

std::set<std::string> listed(AppViewModel& model) {
    std::set<std::string> paths;
    for (const auto& item : model.files()) {
        paths.insert(item.url.native());
    }
    return paths;
}

}  // namespace

class SingleInstanceTest : public QObject {
    Q_OBJECT

  private slots:
    void withoutAnAnsweringWindowAStartHasItsOwn_data();
    void withoutAnAnsweringWindowAStartHasItsOwn();
    void laterStartsAddToTheOpenWindow_data();
    void laterStartsAddToTheOpenWindow();

  private:
    TempDir dir_;
    std::unique_ptr<QuorvaneApp> app_;
    std::unique_ptr<SingleInstance> instance_;
};

void SingleInstanceTest::withoutAnAnsweringWindowAStartHasItsOwn_data() {
    QTest::addColumn<bool>("squatted");
    QTest::addColumn<QString>("bus");
    // An unreachable bus address: as on a machine without a session bus.
    QTest::newRow("no session bus") << false << QStringLiteral("unix:path=/nonexistent/bus");
    // The name is held by a connection with no such object: the call fails at once.
    QTest::newRow("the name's owner does not answer") << true << QString();
}

void SingleInstanceTest::withoutAnAnsweringWindowAStartHasItsOwn() {
    QFETCH(bool, squatted);
    QFETCH(QString, bus);
    std::optional<QDBusConnection> squatter;
    if (squatted) {
        squatter =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("squatter"));
        QVERIFY(squatter->registerService(QString::fromLatin1(SingleInstance::kServiceName)));
    }
    TempDir run;
    std::vector<std::string> extra;
    if (!bus.isEmpty()) {
        extra.push_back("DBUS_SESSION_BUS_ADDRESS=" + bus.toStdString());
    }
    const Run result =
        runProgram({run.file("a.txt").string()}, run.path(), run.path() / "own.png", extra);
    if (squatter) {
        squatter->unregisterService(QString::fromLatin1(SingleInstance::kServiceName));
        squatter.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("squatter"));
    }
    QCOMPARE(result.code, 0);
    QVERIFY(result.ownWindow);
}

void SingleInstanceTest::laterStartsAddToTheOpenWindow_data() {
    QTest::addColumn<QList<QByteArray>>("arguments");
    // Paths relative to the test's folder, as the later start sees them from there.
    QTest::addColumn<QList<QByteArray>>("expected");
    const QByteArray root = QByteArray::fromStdString(dir_.path().string()) + '/';
    dir_.file("one.txt");
    dir_.file("two words.txt");
    dir_.file("Caf\xc3\xa9.txt");
    dir_.file("\xff\xfe latin1 \xe9.txt");
    dir_.folder("Fotos");
    QTest::newRow("two files, one given relative to the caller's folder")
        << QList<QByteArray>{root + "one.txt", "two words.txt"}
        << QList<QByteArray>{"one.txt", "two words.txt"};
    QTest::newRow("names that are not UTF-8 arrive unchanged")
        << QList<QByteArray>{"Caf\xc3\xa9.txt", "\xff\xfe latin1 \xe9.txt"}
        << QList<QByteArray>{"Caf\xc3\xa9.txt", "\xff\xfe latin1 \xe9.txt"};
    dir_.file("url one.txt");
    dir_.file("url \xff.txt");
    QTest::newRow("file URLs, percent-encoded as a file manager hands them over")
        << QList<QByteArray>{"file://" + root.toPercentEncoding("/") + "url%20one.txt",
                             "file://" + root.toPercentEncoding("/") + "url%20%FF.txt"}
        << QList<QByteArray>{"url one.txt", "url \xff.txt"};
    // The same path exists here, and is still not what the URL names.
    dir_.file("elsewhere.txt");
    QTest::newRow("a URL of another machine is left out")
        << QList<QByteArray>{"file://elsewhere" + root + "elsewhere.txt"} << QList<QByteArray>{};
    QTest::newRow("a folder is one item")
        << QList<QByteArray>{"Fotos"} << QList<QByteArray>{"Fotos"};
    QTest::newRow("no path only raises the window") << QList<QByteArray>{} << QList<QByteArray>{};
    // As a file manager's menu hands over 500 selected files in one call.
    QList<QByteArray> many;
    for (int i = 0; i < 500; ++i) {
        const std::string name = "many-" + std::to_string(i) + ".txt";
        dir_.file(name);
        many.append(QByteArray::fromStdString(name));
    }
    QTest::newRow("500 files") << many << many;
}

void SingleInstanceTest::laterStartsAddToTheOpenWindow() {
    QFETCH(QList<QByteArray>, arguments);
    QFETCH(QList<QByteArray>, expected);
    if (!instance_) {
        app_ = std::make_unique<QuorvaneApp>(dir_.path() / "presets.json");
        instance_ = std::make_unique<SingleInstance>();
        QVERIFY(!instance_->handOver({}));
        QVERIFY(instance_->isServing());
        instance_->setReceiver([this](std::vector<fs::path> more) { app_->open(more); });
        app_->show();
    }
    const auto before = listed(app_->model());
    std::vector<std::string> words;
    for (const auto& argument : arguments) {
        words.push_back(argument.toStdString());
    }
    TempDir run;
    const Run result = runProgram(words, dir_.path(), run.path() / "own.png");
    QCOMPARE(result.code, 0);
    QVERIFY(!result.ownWindow);

    auto wanted = before;
    for (const auto& name : expected) {
        wanted.insert((dir_.path() / name.toStdString()).native());
    }
    QTRY_COMPARE(listed(app_->model()).size(), wanted.size());
    QVERIFY(listed(app_->model()) == wanted);
}

QTEST_MAIN(SingleInstanceTest)
#include "SingleInstanceTest.moc"
