// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>

class QDeadlineTimer;
class QLocalServer;
class QLocalSocket;

// One window per settings file and user. The first game on a file holds an flock(2) lock for
// its whole run, on a file in a folder only the user can reach, named from the settings file's
// real path (symlinks resolved); the kernel drops the lock when the game ends, however it ends.
// The game also listens on a local socket in that folder; a later start on the same file finds
// the lock taken, asks the running game to show itself and ends. Games on different files run
// side by side.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Start {
        Run,         // this process runs the game
        OtherShown,  // another game on the file runs and came to the front
        OtherSilent, // another game on the file runs but did not answer in time
    };

    // An empty path (statistics kept in memory only) guards nothing.
    explicit SingleInstance(const QString& settingsPath, QObject* parent = nullptr);
    ~SingleInstance() override;

    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    Start acquire();

    // Tells the player, in a small window, that the game on this file does not answer; returns
    // the start's exit status.
    static int tellOtherSilent();

signals:
    // Another start on this file asked the window to come to the front. The token lets a
    // Wayland compositor grant the activation; it is already in the environment when this fires.
    void showRequested();

private:
    enum class Lock { Taken, HeldElsewhere, Failed };
    bool openPrivateFolder();
    Lock lock();
    void listen();
    bool askToShow(const QDeadlineTimer& deadline);
    void onConnection();
    void onRequest(QLocalSocket* socket);

    QString settingsPath_;
    QString base_;       // the name of the lock and the socket, from the file's real path
    QString folderPath_; // the private folder, reached through its descriptor
    int folderFd_ = -1;
    int lockFd_ = -1;
    QLocalServer* server_ = nullptr;
    int openConnections_ = 0;
};
