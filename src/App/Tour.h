// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <vector>

class QPixmap;
class QuorvaneApp;
class QWidget;

// A scripted walk through the window that saves a picture of every screen a user meets: the
// empty window, the editor of every rule kind in every mode, suggestions, a conflict, a name
// that cannot be used, the rename confirmation, the progress overlay and the result report.
// It works on sample files of its own in a temporary folder and quits the application when
// done. For scripts/tour.sh; not an option of the command line.
class Tour final : public QObject {
    Q_OBJECT

  public:
    // Pictures go into `outDir` (created when missing) as numbered PNG files.
    Tour(QuorvaneApp& app, QString outDir);

    // Starts the walk on the event loop.
    void start();
    // 0 once every picture was saved, 1 when one could not be.
    int status() const { return status_; }

  private:
    void plan();
    void planEditors();
    void next();
    // Saves what `widget` draws (children, overlays included); null: the whole window.
    void saveWidget(const QString& name, QWidget* widget = nullptr);
    // Saves the screen's picture of the window's area, with the dialogs open over it.
    void saveScreen(const QString& name);
    void save(const QString& name, const QPixmap& picture);

    QuorvaneApp& app_;
    QString outDir_;
    QTemporaryDir samples_;
    std::vector<std::function<void()>> steps_;
    std::size_t nextStep_ = 0;
    int picture_ = 0;
    int status_ = 0;
};
