// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/instance/SingleInstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcInstance, "tervalo.instance", QtWarningMsg)

namespace {

// How long a second start waits for the running game's answer before telling the player.
constexpr int AnswerMs = 2000;
// A connection that has not made its request by then is closed; only a few are open at once,
// so connections that never speak cannot use up the game's descriptors.
constexpr int IdleMs = 2000;
constexpr int MaxConnections = 4;
constexpr qsizetype MaxRequest = 256;
// Names tried for the lock when something that is not a file of ours sits at the first. Every
// start walks them in the same order, so all agree on one.
constexpr int LockNames = 4;

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

// A folder of this user's that no one else can enter: opened without following a symlink and
// checked on the descriptor, so what was checked is what is used. -1 when it is not one.
int openIfPrivate(const QByteArray& path) {
    const int fd = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() &&
        (st.st_mode & 07777) == 0700) {
        return fd;
    }
    ::close(fd);
    return -1;
}

// Whether the other end of a local socket runs as this user.
bool peerIsThisUser(qintptr fd) {
    ucred cred{};
    socklen_t size = sizeof cred;
    return ::getsockopt(static_cast<int>(fd), SOL_SOCKET, SO_PEERCRED, &cred, &size) == 0 &&
           cred.uid == ::getuid();
}

} // namespace

SingleInstance::SingleInstance(const QString& settingsPath, QObject* parent)
    : QObject(parent), settingsPath_(settingsPath) {}

SingleInstance::~SingleInstance() {
    delete server_; // removes the socket while the lock still guards it
    server_ = nullptr;
    // The lock file stays: removing it would let a start that opened it just before take a
    // lock no later start sees.
    if (lockFd_ >= 0) {
        ::close(lockFd_);
    }
    if (folderFd_ >= 0) {
        ::close(folderFd_);
    }
}

bool SingleInstance::openPrivateFolder() {
    // The runtime folder the session gives, when it is what it should be; else one of our own
    // in the temporary folder, made and checked here. A name that someone else took is passed
    // over: the next one in the same order is used by every start of this user.
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (runtime.startsWith('/')) {
        folderFd_ = openIfPrivate(runtime);
    }
    QByteArray temporary = qgetenv("TMPDIR");
    if (!temporary.startsWith('/')) {
        temporary = "/tmp";
    }
    const QByteArray own = temporary + "/tervalo-" + QByteArray::number(::getuid());
    for (int i = 0; folderFd_ < 0 && i < LockNames; ++i) {
        const QByteArray path = i == 0 ? own : own + '-' + QByteArray::number(i);
        ::mkdir(path.constData(), 0700);
        folderFd_ = openIfPrivate(path);
    }
    if (folderFd_ < 0) {
        return false;
    }
    // Through the descriptor: the path always fits a socket's address and cannot be swapped.
    folderPath_ = QStringLiteral("/proc/self/fd/%1/").arg(folderFd_);
    return true;
}

SingleInstance::Lock SingleInstance::lock() {
    const QByteArray base = QFile::encodeName(base_);
    for (int i = 0; i < LockNames; ++i) {
        const QByteArray name =
            base + (i == 0 ? QByteArray() : '.' + QByteArray::number(i)) + ".lock";
        // Whatever is at the name is never read: only a regular file is opened, for writing,
        // without following a symlink, without waiting on a FIFO.
        struct stat st {};
        if (::fstatat(folderFd_, name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
            !S_ISREG(st.st_mode)) {
            continue;
        }
        const int fd =
            ::openat(folderFd_, name.constData(),
                     O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0600);
        if (fd < 0) {
            continue;
        }
        if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            ::close(fd);
            continue;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            lockFd_ = fd;
            return Lock::Taken;
        }
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK) {
            return Lock::HeldElsewhere;
        }
        qWarning() << "Tervalo: cannot lock" << name << ":" << ::strerror(error);
        return Lock::Failed;
    }
    qWarning() << "Tervalo: no usable lock file named" << base << "in" << folderPath_;
    return Lock::Failed;
}

SingleInstance::Start SingleInstance::acquire() {
    if (settingsPath_.isEmpty()) {
        return Start::Run;
    }
    // The per-user folder is made at the first write; its real path is wanted now.
    const QString folder = QFileInfo(settingsPath_).absolutePath();
    if (!QFileInfo::exists(folder)) {
        QDir().mkpath(folder);
    }
    // Each user's games are guarded apart, as each user's start hears only its own user.
    const QByteArray key = QFile::encodeName(canonicalSettingsPath(settingsPath_)) + '\0' +
                           QByteArray::number(::getuid());
    base_ = QStringLiteral("tervalo-") +
            QString::fromLatin1(
                QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(24));
    if (!openPrivateFolder()) {
        qWarning() << "Tervalo: no private folder for the one-window lock of" << settingsPath_
                   << "; another window on the same file would not be noticed";
        return Start::Run;
    }
    const QDeadlineTimer deadline(AnswerMs);
    for (;;) {
        switch (lock()) {
        case Lock::Taken:
            listen();
            return Start::Run;
        case Lock::Failed:
            qWarning() << "Tervalo: another window on" << settingsPath_ << "would not be noticed";
            return Start::Run;
        case Lock::HeldElsewhere:
            break;
        }
        if (deadline.hasExpired()) {
            qWarning() << "Tervalo: a game already runs on" << settingsPath_
                       << "but does not answer";
            return Start::OtherSilent;
        }
        if (askToShow(deadline)) {
            return Start::OtherShown;
        }
        // The holder may have just ended (the lock is then free), or not be listening yet.
        QThread::msleep(50);
    }
}

int SingleInstance::tellOtherSilent() {
    const QString text = QStringLiteral("Tervalo est déjà ouvert mais ne répond pas.");
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Tervalo"), text, QMessageBox::Ok);
    qWarning().noquote() << "Tervalo: told the player:" << text;
    box.exec();
    return 1;
}

void SingleInstance::listen() {
    const QString name = folderPath_ + base_;
    server_ = new QLocalServer(this);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::onConnection);
    if (server_->listen(name)) {
        return;
    }
    // Whatever a killed game (or anything else) left at the name: removed only now that the
    // lock is ours, so a live game's socket is never taken away.
    if (server_->serverError() == QAbstractSocket::AddressInUseError) {
        const QByteArray file = QFile::encodeName(base_);
        if (::unlinkat(folderFd_, file.constData(), 0) != 0 && errno == EISDIR) {
            QDir(name).removeRecursively();
        }
        if (server_->listen(name)) {
            return;
        }
    }
    qWarning() << "Tervalo: cannot listen for later starts on" << name << ":"
               << server_->errorString();
}

bool SingleInstance::askToShow(const QDeadlineTimer& deadline) {
    QLocalSocket socket;
    socket.connectToServer(folderPath_ + base_);
    if (!socket.waitForConnected(static_cast<int>(deadline.remainingTime())) ||
        !peerIsThisUser(socket.socketDescriptor())) {
        return false;
    }
    // The activation token of this start, so the compositor lets the other window come forward.
    QByteArray token = qgetenv("XDG_ACTIVATION_TOKEN");
    if (token.isEmpty()) {
        token = qgetenv("DESKTOP_STARTUP_ID");
    }
    token.replace('\n', "");
    socket.write(ShowRequest + ' ' + token.left(MaxRequest - ShowRequest.size() - 2) + '\n');
    // The answer says the request was read; a game that went in between gets no answer.
    QByteArray answer;
    while (!answer.contains('\n') && socket.state() == QLocalSocket::ConnectedState &&
           !deadline.hasExpired()) {
        socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()));
        answer += socket.readAll();
    }
    return answer.startsWith("ok\n");
}

void SingleInstance::onConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // Only this user's starts are heard, and only a few at a time.
        if (openConnections_ >= MaxConnections || !peerIsThisUser(socket->socketDescriptor())) {
            qCInfo(lcInstance) << "refused a connection";
            socket->abort();
            socket->deleteLater();
            continue;
        }
        ++openConnections_;
        connect(socket, &QObject::destroyed, this, [this] { --openConnections_; });
        QTimer::singleShot(IdleMs, socket, [socket] {
            socket->abort();
            socket->deleteLater();
        });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { onRequest(socket); });
    }
}

void SingleInstance::onRequest(QLocalSocket* socket) {
    // Read as it arrives: anything but the start of a request closes the connection at once.
    const QByteArray head = socket->peek(MaxRequest + 1);
    const qsizetype known = std::min(head.size(), ShowRequest.size());
    const bool request = head.left(known) == ShowRequest.left(known) &&
                         (head.size() == known || head.at(known) == ' ' || head.at(known) == '\n');
    const bool complete = head.contains('\n');
    if (!request || (!complete && head.size() > MaxRequest)) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    if (!complete) {
        return;
    }
    const QByteArray line = socket->readLine(MaxRequest + 1).trimmed();
    const QByteArray token = line.mid(ShowRequest.size()).trimmed();
    if (!token.isEmpty()) {
        qputenv("XDG_ACTIVATION_TOKEN", token);
    }
    qCInfo(lcInstance) << "shown at the request of a later start";
    emit showRequested();
    socket->write("ok\n");
    socket->disconnectFromServer();
}
