// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "App/QuorvaneApp.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include "App/Translations.h"
#include "Views/ContentView.h"
#include "Views/Shared/Icons.h"

QuorvaneApp::QuorvaneApp(std::optional<std::filesystem::path> presetsFile)
    : model_(scheduler_), presets_(std::move(presetsFile)), window_(new QMainWindow) {
    Translations::install();
    window_->setWindowTitle(QStringLiteral("Quorvane"));
    window_->setWindowIcon(Icons::bundled(QStringLiteral("LogoDark")));
    content_ = new ContentView(model_, presets_, window_.get());
    window_->setCentralWidget(content_);
    QMenu* file = content_->installMenus(window_->menuBar());
    file->addSeparator();
    quit_ = file->addAction(QObject::tr("&Quit"));
    quit_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    QObject::connect(quit_, &QAction::triggered, window_.get(), &QMainWindow::close);
    // Made now, so that the first message in it does not shift the panels.
    window_->statusBar();
    content_->restoreSettings();
}

QuorvaneApp::~QuorvaneApp() = default;

void QuorvaneApp::open(const std::vector<std::filesystem::path>& locations) {
    if (!locations.empty()) {
        model_.addFiles(locations);
    }
}

void QuorvaneApp::show() {
    window_->show();
}
