// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/instance/SingleInstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QStandardPaths>
#include <QThread>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcInstance, "tervalo.instance", QtWarningMsg)

namespace {

// How long a second start keeps trying to reach the first, which may sit between taking the
// lock and listening, or start slowly under a debugger or the sanitizers.
constexpr int ReachMs = 10000;

const QByteArray ShowRequest = "show";

// The same file reached by another path (a symlink, "..") must give the same name.
QString canonicalSettingsPath(const QString& path) {
    const QFileInfo info(path);
    const QString file = info.canonicalFilePath();
    if (!file.isEmpty()) {
        return file;
    }
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return (folder.isEmpty() ? info.absolutePath() : folder) + QLatin1Char('/') + info.fileName();
}

} // namespace

SingleInstance::SingleInstance(const QString& settingsPath, QObject* parent)
    : QObject(parent), settingsPath_(settingsPath) {
    if (settingsPath_.isEmpty()) {
        return;
    }
    const QString canonical = canonicalSettingsPath(settingsPath_);
    besidePath_ = settingsPath_ + QStringLiteral(".lock");
    // The user id is part of the name: two users' games on one shared file never share a socket.
    const QByteArray key = canonical.toUtf8() + '\0' + QByteArray::number(::getuid());
    const QString hash = QString::fromLatin1(
        QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(24));
    const QString base = QStringLiteral("tervalo-") + hash;
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty()) {
        runtimePath_ = runtime + QLatin1Char('/') + base + QStringLiteral(".lock");
    }
    // A socket path must fit sun_path (108 bytes); a bare name lands in the temporary folder.
    const QString socket = runtime + QLatin1Char('/') + base;
    serverName_ = !runtime.isEmpty() && QFile::encodeName(socket).size() < 100 ? socket : base;
}

SingleInstance::~SingleInstance() = default;

SingleInstance::Lock SingleInstance::tryLock(const QString& path) {
    auto lock = std::make_unique<QLockFile>(path);
    // Held for the whole run: never stale by age, only when its process is gone.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        lock_ = std::move(lock);
        return Lock::Taken;
    }
    // Only this error means another live game; any other (no right to write there, a full
    // disk) says nothing about one.
    return lock->error() == QLockFile::LockFailedError ? Lock::HeldElsewhere : Lock::Failed;
}

bool SingleInstance::lockAnywhere(bool& heldElsewhere) {
    heldElsewhere = false;
    // The per-user folder is made at the first write; the lock wants it now.
    const QString folder = QFileInfo(settingsPath_).absolutePath();
    if (!QFileInfo::exists(folder)) {
        QDir().mkpath(folder);
    }
    // Beside the file first; for a writable file in a folder that cannot be written, in the
    // runtime folder.
    for (const QString& path : {besidePath_, runtimePath_}) {
        if (path.isEmpty()) {
            continue;
        }
        switch (tryLock(path)) {
        case Lock::Taken:
            return true;
        case Lock::HeldElsewhere:
            heldElsewhere = true;
            return false;
        case Lock::Failed:
            break;
        }
    }
    return false;
}

bool SingleInstance::acquire() {
    if (settingsPath_.isEmpty()) {
        return true;
    }
    const QDeadlineTimer deadline(ReachMs);
    for (;;) {
        bool heldElsewhere = false;
        if (lockAnywhere(heldElsewhere)) {
            listen();
            return true;
        }
        if (!heldElsewhere) {
            qWarning() << "Tervalo: no lock can be made for" << settingsPath_
                       << "; another window on the same file would not be noticed";
            return true;
        }
        if (askToShow()) {
            return false;
        }
        // The holder may have just ended (its lock is then stale), or not be listening yet.
        if (deadline.hasExpired()) {
            qWarning() << "Tervalo: a game already runs on" << settingsPath_
                       << "but does not answer; this one ends";
            return false;
        }
        QThread::msleep(50);
    }
}

void SingleInstance::listen() {
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::onConnection);
    if (server_->listen(serverName_)) {
        return;
    }
    // A socket file left by a killed game (Qt usually replaces it by itself): removed only now
    // that the lock is ours, so a live game's socket is never taken away.
    if (server_->serverError() == QAbstractSocket::AddressInUseError) {
        QLocalServer::removeServer(serverName_);
        if (server_->listen(serverName_)) {
            return;
        }
    }
    qWarning() << "Tervalo: cannot listen for later starts on" << serverName_ << ":"
               << server_->errorString();
}

bool SingleInstance::askToShow() {
    QLocalSocket socket;
    socket.connectToServer(serverName_);
    if (!socket.waitForConnected(500)) {
        return false;
    }
    // The activation token of this start, so the compositor lets the other window come forward.
    QByteArray token = qgetenv("XDG_ACTIVATION_TOKEN");
    if (token.isEmpty()) {
        token = qgetenv("DESKTOP_STARTUP_ID");
    }
    token.replace('\n', "");
    socket.write(ShowRequest + ' ' + token + '\n');
    if (!socket.waitForBytesWritten(2000)) {
        return false;
    }
    // The answer says the request was read; a game that went in between gets no answer.
    return socket.waitForReadyRead(3000) && socket.readAll().startsWith("ok");
}

void SingleInstance::onConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // Read as it arrives: a client that never sends a full line blocks nothing.
        connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > 256) {
                    socket->abort();
                }
                return;
            }
            const QByteArray line = socket->readLine(257).trimmed();
            if (!line.startsWith(ShowRequest)) {
                socket->abort();
                return;
            }
            const QByteArray token = line.mid(ShowRequest.size()).trimmed();
            if (!token.isEmpty()) {
                qputenv("XDG_ACTIVATION_TOKEN", token);
            }
            qCInfo(lcInstance) << "shown at the request of a later start";
            emit showRequested();
            socket->write("ok\n");
            socket->flush();
        });
    }
}
