// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>

#include <filesystem>
#include <functional>
#include <vector>

// One window per session. The first window owns the name io.github.quorvane.Quorvane on the
// session bus; a later start hands its locations to that window over the bus and ends,
// instead of opening a second window. Without a session bus every start has its own window.
// Needs a QCoreApplication to exist first.
class SingleInstance final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "io.github.quorvane.Quorvane")

  public:
    // What a window does with the locations another start handed over.
    using Receiver = std::function<void(std::vector<std::filesystem::path>)>;

    static constexpr const char* kServiceName = "io.github.quorvane.Quorvane";
    static constexpr const char* kObjectPath = "/io/github/quorvane/Quorvane";

    explicit SingleInstance(QObject* parent = nullptr);
    ~SingleInstance() override;
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when a window already open in this session took `locations` (absolute paths); this
    // process then has nothing more to do. False when this process is to open its own window:
    // it then owns the name and serves later starts, or there is no bus, or the window that
    // owns the name did not answer.
    bool handOver(const std::vector<std::filesystem::path>& locations);
    // Whether this process owns the name and takes the locations of later starts.
    bool isServing() const { return serving_; }
    // Where handed-over locations go; locations that arrived before it was set go there now.
    void setReceiver(Receiver receiver);

  public slots:
    // The bus method: adds the paths (each one the bytes of an absolute path, so names that
    // are not UTF-8 arrive unchanged) to the window's list and raises the window. An empty
    // list only raises it. Relative and empty paths are left out.
    Q_SCRIPTABLE void AddPaths(const QList<QByteArray>& paths);

  private:
    bool serving_ = false;
    Receiver receiver_;
    std::vector<std::vector<std::filesystem::path>> pending_;
};
