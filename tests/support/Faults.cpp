// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/Faults.h"

#include <QFile>
#include <QProcess>
#include <csignal>
#include <unistd.h>

FileSizeLimit::FileSizeLimit(rlim_t bytes) {
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit limit = previous_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previousHandler_);
}

bool runCommand(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(program, arguments);
    return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

SmallFilesystem::SmallFilesystem(int kilobytes) {
    mounted_ = ::geteuid() == 0 && dir_.isValid() &&
               runCommand(QStringLiteral("mount"),
                          {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                           QStringLiteral("size=%1k").arg(kilobytes), QStringLiteral("tmpfs"),
                           dir_.path()});
}

SmallFilesystem::~SmallFilesystem() {
    if (mounted_) {
        runCommand(QStringLiteral("umount"), {dir_.path()});
    }
}

void SmallFilesystem::fill() {
    QFile filler(dir_.filePath(QStringLiteral(".filler")));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        return;
    }
    const QByteArray block(4096, 'f');
    while (filler.write(block) == block.size()) {
    }
    // The last partial block too, to the very last byte.
    while (filler.write("f", 1) == 1) {
    }
}

void SmallFilesystem::free() {
    QFile::remove(dir_.filePath(QStringLiteral(".filler")));
}

ReadOnlyFolder::ReadOnlyFolder(const QString& fileName, const QByteArray& contents,
                               const std::function<void(const QString&)>& populate)
    : fileName_(fileName) {
    if (!dir_.isValid() || !backing_.isValid()) {
        return;
    }
    const bool root = ::geteuid() == 0;
    if (root) {
        mounted_ = runCommand(QStringLiteral("mount"),
                              {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                               QStringLiteral("size=64m,mode=0755"), QStringLiteral("tmpfs"),
                               dir_.path()});
        if (!mounted_) {
            return;
        }
    }
    if (populate) {
        populate(dir_.path());
    }
    // The file itself, writable; for root its data lives on the backing folder.
    const QString target = root ? backing_.filePath(fileName) : file();
    QFile f(target);
    if (!f.open(QIODevice::WriteOnly) || f.write(contents) != contents.size()) {
        return;
    }
    f.close();
    if (root) {
        QFile placeholder(file());
        if (!placeholder.open(QIODevice::WriteOnly)) {
            return;
        }
        placeholder.close();
        if (!runCommand(QStringLiteral("mount"),
                        {QStringLiteral("-o"), QStringLiteral("remount,ro"), dir_.path()})) {
            return;
        }
        bound_ = runCommand(QStringLiteral("mount"), {QStringLiteral("--bind"), target, file()});
        valid_ = bound_;
    } else {
        valid_ = QFile::setPermissions(dir_.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }
}

ReadOnlyFolder::~ReadOnlyFolder() {
    if (bound_) {
        runCommand(QStringLiteral("umount"), {file()});
    }
    if (mounted_) {
        runCommand(QStringLiteral("umount"), {dir_.path()});
    } else {
        QFile::setPermissions(dir_.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                               QFileDevice::ExeOwner);
    }
}

QString ReadOnlyFolder::file() const {
    return dir_.filePath(fileName_);
}
