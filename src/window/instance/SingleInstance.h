// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;

// One window per settings file. The first game on a file holds a lock beside it (or, when that
// folder cannot hold one, in the user's runtime folder) for its whole run and listens on a local
// socket named from the file's path; a later start on the same file finds the lock taken, asks
// the running game to show itself and ends. A lock left by a killed game is stale and taken
// over. Games on different files run side by side.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // An empty path (statistics kept in memory only) guards nothing.
    explicit SingleInstance(const QString& settingsPath, QObject* parent = nullptr);
    ~SingleInstance() override;

    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this process is to run the game; false when another game on the same file runs
    // and has been asked to show itself (or could not be reached: it is then left alone).
    bool acquire();

signals:
    // Another start on this file asked the window to come to the front. The token lets a
    // Wayland compositor grant the activation; it is already in the environment when this fires.
    void showRequested();

private:
    enum class Lock { Taken, HeldElsewhere, Failed };
    Lock tryLock(const QString& path);
    bool lockAnywhere(bool& heldElsewhere);
    void listen();
    bool askToShow();
    void onConnection();

    QString settingsPath_;
    QString besidePath_;
    QString runtimePath_;
    QString serverName_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
};
