// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "App/QtScheduler.h"
#include "Services/PresetManager.h"
#include "ViewModels/AppViewModel.h"

class ContentView;
class QAction;
class QMainWindow;

// The application set-up: one view model and one preset store for the program's life, and
// the one window whose content is ContentView, with its menus (and Quit). Needs a
// QApplication to exist first.
class QuorvaneApp final {
  public:
    // The presets live in `presetsFile` (the per-user data folder by default).
    explicit QuorvaneApp(
        std::optional<std::filesystem::path> presetsFile = PresetManager::defaultStorageFile());
    ~QuorvaneApp();
    QuorvaneApp(const QuorvaneApp&) = delete;
    QuorvaneApp& operator=(const QuorvaneApp&) = delete;

    // Adds the given locations to the file list (as a drop would).
    void open(const std::vector<std::filesystem::path>& locations);
    // Shows the window.
    void show();

    AppViewModel& model() { return model_; }
    PresetManager& presets() { return presets_; }
    QMainWindow& window() { return *window_; }
    ContentView& content() { return *content_; }
    QAction* quitAction() const { return quit_; }

  private:
    QtScheduler scheduler_;
    AppViewModel model_;
    PresetManager presets_;
    // Declared last so that the window and its views go before the objects they observe.
    std::unique_ptr<QMainWindow> window_;
    ContentView* content_ = nullptr;
    QAction* quit_ = nullptr;
};
