// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/Faults.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
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

SmallFilesystem::SmallFilesystem(int kilobytes, int inodes) {
    mounted_ =
        ::geteuid() == 0 && dir_.isValid() &&
        runCommand(QStringLiteral("mount"),
                   {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                    QStringLiteral("size=%1k").arg(kilobytes) +
                        (inodes > 0 ? QStringLiteral(",nr_inodes=%1").arg(inodes) : QString()),
                    QStringLiteral("tmpfs"), dir_.path()});
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

namespace {
// A command's standard output, or a null array when it failed.
QByteArray commandOutput(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput();
}
} // namespace

// A 40 MiB tmpfs holds a 32 MiB image, every block of it allocated; the ext4 made there then
// has the blocks its groups call free punched out of the image, and the tmpfs is filled.
FullBackingStore::FullBackingStore(const std::function<void(const QString&)>& populate) {
    if (::geteuid() != 0) {
        why_ = QStringLiteral("needs root");
        return;
    }
    // A user's PATH may lack the system folders.
    QHash<QString, QString> tools;
    for (const char* name : {"mount", "umount", "mkfs.ext4", "dumpe2fs", "fallocate", "dd"}) {
        const QString tool = QString::fromLatin1(name);
        QString& path = tools[tool];
        path = QStandardPaths::findExecutable(tool);
        if (path.isEmpty())
            path = QStandardPaths::findExecutable(tool, {"/usr/sbin", "/sbin"});
        if (path.isEmpty()) {
            why_ = QStringLiteral("needs ") + tool;
            return;
        }
    }
    const QString store = dir_.filePath(QStringLiteral("store"));
    const QString image = store + QStringLiteral("/image");
    const QString ext4 = folder();
    const auto mountImage = [&] {
        ext4Mounted_ = runCommand(QStringLiteral("mount"),
                                  {QStringLiteral("-o"), QStringLiteral("loop"), image, ext4});
        return ext4Mounted_;
    };
    if (!QDir().mkpath(store) || !QDir().mkpath(ext4) ||
        !(storeMounted_ =
              runCommand(QStringLiteral("mount"),
                         {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                          QStringLiteral("size=40m"), QStringLiteral("tmpfs"), store})) ||
        !runCommand(QStringLiteral("fallocate"),
                    {QStringLiteral("-l"), QStringLiteral("32M"), image}) ||
        // Blocks of a page's size, so that each free range frees whole pages of the store.
        !runCommand(tools[QStringLiteral("mkfs.ext4")],
                    {QStringLiteral("-q"), QStringLiteral("-F"), QStringLiteral("-b"),
                     QStringLiteral("4096"), QStringLiteral("-E"),
                     QStringLiteral("nodiscard,lazy_itable_init=0,lazy_journal_init=0"), image}) ||
        // mkfs leaves holes where it zeroed: those blocks are allocated again.
        !runCommand(QStringLiteral("fallocate"),
                    {QStringLiteral("-l"), QStringLiteral("32M"), image}) ||
        !mountImage()) {
        why_ = QStringLiteral("needs a tmpfs and a loop device");
        return;
    }
    if (populate)
        populate(ext4);
    ext4Mounted_ = !runCommand(QStringLiteral("umount"), {ext4});
    const QByteArray dump = commandOutput(tools[QStringLiteral("dumpe2fs")], {image});
    const QRegularExpression blockSize(QStringLiteral("^Block size: *(\\d+)$"),
                                       QRegularExpression::MultilineOption);
    const qint64 size = blockSize.match(QString::fromLatin1(dump)).captured(1).toLongLong();
    int punched = 0;
    const QRegularExpression freeBlocks(QStringLiteral("^ +Free blocks: *(.*)$"),
                                        QRegularExpression::MultilineOption);
    for (const auto& line : freeBlocks.globalMatch(QString::fromLatin1(dump))) {
        for (const QString& range : line.captured(1).split(u',', Qt::SkipEmptyParts)) {
            const QStringList ends = range.trimmed().split(u'-');
            const qint64 first = ends.front().toLongLong();
            const qint64 last = ends.back().toLongLong();
            punched += runCommand(QStringLiteral("fallocate"),
                                  {QStringLiteral("-p"), QStringLiteral("-o"),
                                   QString::number(first * size), QStringLiteral("-l"),
                                   QString::number((last - first + 1) * size), image});
        }
    }
    if (ext4Mounted_ || size <= 0 || punched == 0 || !mountImage()) {
        why_ = QStringLiteral("could not punch the image's free blocks and mount it again");
        return;
    }
    // dd fails when the store is full, which is the point.
    runCommand(QStringLiteral("dd"),
               {QStringLiteral("if=/dev/zero"), QStringLiteral("of=%1/fill").arg(store),
                QStringLiteral("bs=1M"), QStringLiteral("status=none")});
}

FullBackingStore::~FullBackingStore() {
    if (ext4Mounted_)
        runCommand(QStringLiteral("umount"), {folder()});
    if (storeMounted_)
        runCommand(QStringLiteral("umount"), {dir_.filePath(QStringLiteral("store"))});
}

bool dropCaches() {
    ::sync();
    QFile control(QStringLiteral("/proc/sys/vm/drop_caches"));
    return control.open(QIODevice::WriteOnly) && control.write("3\n") == 2 && control.flush();
}
