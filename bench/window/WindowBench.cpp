// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window with 100,000 entries listed, on the offscreen platform: what a keystroke in a
// rule field, a check mark, a sort and a filter change cost on the main thread, and how soon
// the new preview is shown. Every event the main thread handles is timed (the application's
// notify), so "longest stall" is the longest single event, and "main thread" the sum of all
// events from the change until the preview table shows its result.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "App/QuorvaneApp.h"
#include "BenchSupport.h"
#include "Views/CenterPanel/FileListView.h"
#include "Views/CenterPanel/FileTableModel.h"
#include "Views/ContentView.h"
#include "Views/LeftPanel/RuleEditorView.h"
#include "Views/LeftPanel/RuleOptionsEditor.h"
#include "Views/RightPanel/PreviewPanelView.h"
#include "Views/RightPanel/PreviewTableModel.h"

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Times every event the main thread dispatches (the outermost dispatch only).
class TimedApplication final : public QApplication {
  public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        if (depth_++ > 0) {
            const bool handled = QApplication::notify(receiver, event);
            --depth_;
            return handled;
        }
        const auto start = Clock::now();
        const bool handled = QApplication::notify(receiver, event);
        const double spent = millisecondsBetween(start, Clock::now());
        --depth_;
        account(spent, [&] {
            return std::string(receiver->metaObject()->className()) + "/" +
                   std::to_string(static_cast<int>(event->type()));
        });
        return handled;
    }

    // Counts `spent` milliseconds of main-thread work done outside any event; `what` names it.
    template <typename What>
    void account(double spent, What what) {
        busy += spent;
        if (spent > longest) {
            longest = spent;
            longestWhat = what();
        }
    }

    void resetTimes() {
        busy = 0;
        longest = 0;
    }

    double busy = 0;
    double longest = 0;
    // The receiver's class and the event type of the longest.
    std::string longestWhat;

  private:
    int depth_ = 0;
};

TimedApplication* application = nullptr;

constexpr std::size_t kFolders = 100;
constexpr std::size_t kFilesPerFolder = 999;  // with the folders: 100,000 entries

// The window, listing 100,000 entries under one replace rule, made once for all benchmarks.
struct World {
    BenchSupport::ScratchFolder files;
    BenchSupport::ScratchFolder state;
    std::unique_ptr<QuorvaneApp> app;
    QLineEdit* replaceField = nullptr;
    // Set when the preview table takes a new preview.
    bool previewShown = false;
    Clock::time_point shownAt;

    World() {
        // Settings, presets and journals of the run go to a scratch folder of their own.
        ::setenv("XDG_CONFIG_HOME", (state.path() / "config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (state.path() / "data").c_str(), 1);
        ::setenv("XDG_STATE_HOME", (state.path() / "state").c_str(), 1);
        const auto fileNames = BenchSupport::names(kFilesPerFolder);
        for (std::size_t i = 0; i < kFolders; ++i) {
            const auto sub = files.path() / ("folder " + std::to_string(i));
            std::filesystem::create_directory(sub);
            for (const auto& name : fileNames) {
                const int fd = ::open((sub / name).c_str(), O_CREAT | O_WRONLY, 0644);
                if (fd >= 0) {
                    ::close(fd);
                }
            }
        }
        app = std::make_unique<QuorvaneApp>(state.path() / "presets.json");
        app->window().resize(1400, 900);
        app->show();
        app->model().setIncludeSubfolders(true);
        app->open({files.path()});
        app->model().addRule(BenchSupport::literalReplace().front());
        auto* table = app->content().previewPanel()->tableModel();
        const auto shown = [this] {
            previewShown = true;
            shownAt = Clock::now();
        };
        QObject::connect(table, &QAbstractItemModel::dataChanged, shown);
        QObject::connect(table, &QAbstractItemModel::modelReset, shown);
        settle();
        const auto& rules = app->model().rules();
        app->content().ruleEditor()->setExpanded(rules.front().id, true);
        auto* editor = app->content().ruleEditor()->editorFor(rules.front().id);
        replaceField = editor != nullptr ? editor->findChild<QLineEdit*>("replaceText") : nullptr;
        if (replaceField == nullptr) {
            std::abort();
        }
    }

    // Runs the event loop for `milliseconds`.
    static void spin(int milliseconds) {
        QEventLoop loop;
        QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
        loop.exec();
    }

    // Runs the event loop until the preview table shows the preview of the last change.
    void settle() {
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (previewShown && !app->model().isPreviewPending()) {
                loop.quit();
            }
        });
        poll.start(1);
        loop.exec();
        // The repaint that follows counts too.
        spin(5);
    }

    // Marks the start of a change: what follows counts against it.
    void begin() {
        previewShown = false;
        application->resetTimes();
    }

    // Types one character into the replace field, as a key press would.
    void type(const QString& character) {
        replaceField->setFocus();
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, character);
        QApplication::sendEvent(replaceField, &press);
    }
};

// Made on first use, gone before the application object.
std::unique_ptr<World> made;

World& world() {
    if (!made) {
        made = std::make_unique<World>();
    }
    return *made;
}

// Five keystrokes 80 ms apart (a quick typist), then the wait for the preview.
void BM_KeystrokeInARuleField(benchmark::State& state) {
    World& w = world();
    double longest = 0;
    double latest = 0;
    double busy = 0;
    for (auto _ : state) {
        w.replaceField->clear();
        w.type(QStringLiteral("x"));
        w.settle();
        w.begin();
        Clock::time_point last;
        for (const char* key : {"a", "b", "c", "d", "e"}) {
            w.type(QString::fromLatin1(key));
            last = Clock::now();
            World::spin(80);
        }
        // Shown during the last 80 ms, or after.
        w.settle();
        const double after = millisecondsBetween(last, w.shownAt);
        if (application->longest > longest) {
            longest = application->longest;
            state.SetLabel("longest: " + application->longestWhat);
        }
        latest = std::max(latest, after);
        busy += application->busy;
        state.SetIterationTime(application->busy / 1000);
    }
    state.counters["longestStall_ms"] = longest;
    state.counters["shownAfterLastKey_ms"] = latest;
    state.counters["mainThreadPerKey_ms"] = busy / static_cast<double>(state.iterations()) / 5;
}

// One change, then the wait for its preview; `change` is called with the iteration number.
void measureChange(benchmark::State& state, const std::function<void(std::size_t)>& change) {
    World& w = world();
    double longest = 0;
    double busiest = 0;
    double latest = 0;
    std::string slowest;
    std::size_t round = 0;
    for (auto _ : state) {
        w.begin();
        const auto start = Clock::now();
        change(round++);
        // The change is a direct call, as a handler makes it, not an event: timed here.
        application->account(millisecondsBetween(start, Clock::now()),
                             [] { return std::string("the change itself"); });
        w.settle();
        if (application->longest > longest) {
            longest = application->longest;
            slowest = application->longestWhat;
        }
        busiest = std::max(busiest, application->busy);
        latest = std::max(latest, millisecondsBetween(start, w.shownAt));
        state.SetIterationTime(application->busy / 1000);
    }
    state.counters["longestStall_ms"] = longest;
    state.counters["mainThreadMax_ms"] = busiest;
    state.counters["previewShownAfter_ms"] = latest;
    state.SetLabel("longest: " + slowest);
}

void BM_CheckMark(benchmark::State& state) {
    FileTableModel* table = world().app->content().fileList()->tableModel();
    measureChange(state, [table](std::size_t round) {
        // As a click in the check column does it.
        const QModelIndex check =
            table->index(static_cast<int>(round % 1000) * 97, FileTableModel::CheckColumn);
        const bool checked =
            table->data(check, Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked;
        table->setData(check, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
    });
}

void BM_SortChange(benchmark::State& state) {
    const auto other = static_cast<AppViewModel::SortOrder>(state.range(0));
    AppViewModel& model = world().app->model();
    measureChange(state, [&model, other](std::size_t round) {
        if (other == AppViewModel::SortOrder::name) {
            model.setSortReversed(round % 2 == 0);
        } else {
            model.setSortOrder(round % 2 == 0 ? other : AppViewModel::SortOrder::name);
        }
    });
    model.setSortOrder(AppViewModel::SortOrder::name);
    model.setSortReversed(false);
    world().settle();
    (void)other;
}

void BM_FilterChange(benchmark::State& state) {
    AppViewModel& model = world().app->model();
    measureChange(state, [&model](std::size_t round) {
        // Every eighth name has the word: 12,500 of 100,000 shown, then all again.
        model.setFilterText(round % 2 == 0 ? "holiday" : "");
    });
    model.setFilterText("");
    world().settle();
}

}  // namespace

BENCHMARK(BM_KeystrokeInARuleField)
    ->Name("window100k/keystrokeInARuleField")
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckMark)
    ->Name("window100k/checkMark")
    ->Iterations(10)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortChange)
    ->Name("window100k/sortChange")
    ->Arg(static_cast<int>(AppViewModel::SortOrder::name))
    ->Arg(static_cast<int>(AppViewModel::SortOrder::type))
    ->Arg(static_cast<int>(AppViewModel::SortOrder::size))
    ->Arg(static_cast<int>(AppViewModel::SortOrder::date))
    ->Iterations(6)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterChange)
    ->Name("window100k/filterChange")
    ->Iterations(6)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    // No display is needed unless one is asked for.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    TimedApplication app(argc, argv);
    application = &app;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    made.reset();
    return 0;
}
