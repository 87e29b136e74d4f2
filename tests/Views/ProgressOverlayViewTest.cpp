// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "Models/RenameRule.h"
#include "Support/TempDir.h"
#include "ViewModels/AppViewModel.h"
#include "ViewModels/Scheduler.h"
#include "Views/ProgressOverlayView.h"

namespace {

// Holds the background step and each hand-back until the test runs them, so that the states
// in between (a batch part done) can be looked at.
class SteppingScheduler final : public Scheduler {
  public:
    void runInBackground(std::function<void()> work) override {
        background_.push_back(std::move(work));
    }
    void postToMain(std::function<void()> work) override { main_.push_back(std::move(work)); }

    void runBackground() {
        while (!background_.empty()) {
            auto work = std::move(background_.front());
            background_.pop_front();
            work();
        }
    }
    // Runs up to `count` hand-backs; returns how many ran.
    std::size_t runMain(std::size_t count) {
        std::size_t ran = 0;
        while (ran < count && !main_.empty()) {
            auto work = std::move(main_.front());
            main_.pop_front();
            work();
            ++ran;
        }
        return ran;
    }
    std::size_t pendingMain() const { return main_.size(); }

  private:
    std::deque<std::function<void()>> background_;
    std::deque<std::function<void()>> main_;
};

}  // namespace

class ProgressOverlayViewTest : public QObject {
    Q_OBJECT

  private slots:
    void showsTheBatchAsItGoes();
    void cancelStopsTheBatch();
};

void ProgressOverlayViewTest::showsTheBatchAsItGoes() {
    TempDir dir;
    SteppingScheduler scheduler;
    AppViewModel model(scheduler);
    QWidget window;
    window.resize(800, 600);
    ProgressOverlayView overlay(model, &window);
    window.show();
    std::vector<std::filesystem::path> files;
    for (int i = 0; i < 10; ++i) {
        files.push_back(dir.file("draft " + std::to_string(i) + ".txt"));
    }
    model.addFiles(files);
    RenameRule rule(RuleType::replace);
    rule.findText = "draft";
    rule.replaceText = "final";
    model.addRule(rule);
    // The preview first, so that the rename starts at once.
    while (model.isPreviewPending()) {
        scheduler.runBackground();
        scheduler.runMain(100);
    }
    QTRY_VERIFY(!overlay.isVisible());

    model.performRename();
    QTRY_VERIFY(overlay.isVisible());
    QCOMPARE(overlay.geometry(), window.rect());
    // Before the first report the bar cannot know the total.
    QCOMPARE(overlay.progressBar()->maximum(), 0);

    scheduler.runBackground();
    // Ten moves give ten reports, then the completion.
    QCOMPARE(scheduler.pendingMain(), 11u);
    scheduler.runMain(4);
    QTRY_COMPARE(overlay.progressBar()->value(), 4);
    QCOMPARE(overlay.progressBar()->maximum(), 10);
    QCOMPARE(overlay.progressBar()->text(), QStringLiteral("4 of 10"));
    QVERIFY(overlay.isVisible());

    scheduler.runMain(100);
    QTRY_VERIFY(!overlay.isVisible());
    QVERIFY(dir.exists("final 9.txt"));
}

void ProgressOverlayViewTest::cancelStopsTheBatch() {
    TempDir dir;
    SteppingScheduler scheduler;
    AppViewModel model(scheduler);
    QWidget window;
    ProgressOverlayView overlay(model, &window);
    window.show();
    model.addFiles({dir.file("a.txt"), dir.file("b.txt")});
    RenameRule rule(RuleType::replace);
    rule.findText = ".txt";
    rule.replaceText = ".md";
    model.addRule(rule);
    while (model.isPreviewPending()) {
        scheduler.runBackground();
        scheduler.runMain(100);
    }
    model.performRename();
    QTRY_VERIFY(overlay.isVisible());

    overlay.cancelButton()->click();
    QVERIFY(!overlay.cancelButton()->isEnabled());
    scheduler.runBackground();
    scheduler.runMain(100);
    QTRY_VERIFY(!overlay.isVisible());
    QVERIFY(dir.exists("a.txt"));
    QVERIFY(dir.exists("b.txt"));
    QVERIFY(model.lastRenameResults().empty());
    QVERIFY(model.showRenameResult());

    // The next batch starts with a Cancel button that works again.
    while (model.isPreviewPending()) {
        scheduler.runBackground();
        scheduler.runMain(100);
    }
    model.performRename();
    QTRY_VERIFY(overlay.isVisible());
    QVERIFY(overlay.cancelButton()->isEnabled());
    scheduler.runBackground();
    scheduler.runMain(100);
    QTRY_VERIFY(!overlay.isVisible());
}

QTEST_MAIN(ProgressOverlayViewTest)
#include "ProgressOverlayViewTest.moc"
