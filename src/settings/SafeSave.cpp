// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/SafeSave.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtDebug>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace profile {
namespace {

constexpr qint64 kMaxFileBytes = 1 << 20;
// What a save may read and rewrite: one takes about five times the file's size in memory.
constexpr qint64 kMaxWholeFileBytes = qint64(256) << 20;

enum class Loaded { Missing, Ok, TooLarge, Unreadable };

// Reads at most `limit` bytes, so that reading a huge file costs bounded time and memory;
// anything that is not a regular readable file (a directory, a device) is not a settings file.
Loaded load(const QString& path, QByteArray& bytes, qint64 limit) {
    const QFileInfo info(path);
    if (!info.exists())
        return Loaded::Missing;
    if (!info.isFile())
        return Loaded::Unreadable;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Loaded::Unreadable;
    bytes = file.read(limit + 1);
    if (file.error() != QFileDevice::NoError)
        return Loaded::Unreadable;
    if (bytes.size() > limit) {
        bytes.truncate(limit);
        return Loaded::TooLarge;
    }
    return Loaded::Ok;
}

} // namespace

ReadResult readFile(const QString& path, const QByteArray& section, const QByteArray& key,
                    int bufsize, const QByteArray& fallback) {
    QByteArray bytes;
    switch (load(path, bytes, kMaxFileBytes)) {
    case Loaded::Missing:
        return read(nullptr, section, key, bufsize, fallback);
    case Loaded::Unreadable:
        qWarning() << "Settings file" << path << "cannot be read; defaults used";
        return read(nullptr, section, key, bufsize, fallback);
    case Loaded::TooLarge:
        // A key beyond the first MiB costs a read of the whole file; without it the next save
        // would write over a value it never read.
        if (!lookup(bytes, section, key) && load(path, bytes, kMaxWholeFileBytes) != Loaded::Ok)
            qWarning() << "Settings file" << path << "is too large; only its first" << bytes.size()
                       << "bytes are read";
        break;
    case Loaded::Ok:
        break;
    }
    return read(&bytes, section, key, bufsize, fallback);
}

namespace {

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Writes all of `bytes` from the start of the file, retrying short writes; false with errno set
// on failure.
bool writeAllAt(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.constData() + done, size_t(bytes.size() - done), done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        done += n;
    }
    return true;
}

// The file rewritten where it lies, for when no temporary file can be made beside it. The room
// for the new contents is reserved before a byte is written, so a full disk fails while the old
// contents are still whole; a write that fails even so puts the old contents back. A crash in
// the middle of the write can still leave a mix: that is the price of writing in place.
bool writeInPlace(const QString& path, const QByteArray& old, const QByteArray& bytes,
                  QString& reason) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        reason = systemError(errno);
        return false;
    }
    bool ok = true;
    if (bytes.size() > old.size()) {
        const int error = ::posix_fallocate(fd, 0, bytes.size());
        // A filesystem that cannot reserve room is written without the reservation.
        if (error != 0 && error != EOPNOTSUPP && error != EINVAL) {
            reason = systemError(error);
            ok = false;
        }
    }
    if (ok && !writeAllAt(fd, bytes)) {
        reason = systemError(errno);
        ok = false;
        if (!writeAllAt(fd, old) || ::ftruncate(fd, old.size()) != 0)
            reason += QStringLiteral("; the old contents could not be put back whole");
    }
    if (ok && ::ftruncate(fd, bytes.size()) != 0) {
        reason = systemError(errno);
        ok = false;
    }
    if (::fdatasync(fd) != 0 && ok) {
        reason = systemError(errno);
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        reason = systemError(errno);
        ok = false;
    }
    return ok;
}

// The rename reaches the device only with its folder. A filesystem that cannot sync a folder
// (EINVAL) has nothing to sync there.
void syncFolder(const QString& path) {
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0 || (::fsync(fd) != 0 && errno != EINVAL))
        qWarning() << "Settings file" << path
                   << "saved, but its folder could not be synced:" << systemError(errno);
    if (fd >= 0)
        ::close(fd);
}

// QSaveFile's commit() renames even when the flush it makes first fails (the old file then
// becomes a truncated new one), so the data is flushed and checked here before any commit.
bool replace(const QString& path, const QByteArray& old, bool exists, const QByteArray& bytes) {
    QSaveFile file(path);
    QString reason;
    // The file engine's error text is often "Unknown error"; errno names the cause.
    const auto failure = [&file] {
        const int error = errno;
        return error != 0 ? systemError(error) : file.errorString();
    };
    errno = 0;
    bool inPlace = false;
    if (file.open(QIODevice::WriteOnly)) {
        errno = 0;
        // The data must be on the device before the new file takes the old one's place:
        // commit() syncs too but ignores the result, and storage that runs out only at the
        // sync (thin provisioning, a full host disk) would leave a file that reads as zeros.
        if (file.write(bytes) != bytes.size() || !file.flush() || ::fdatasync(file.handle()) != 0) {
            reason = failure();
            // Drops the temporary file; the old one is never touched.
            file.cancelWriting();
            file.commit();
        } else {
            errno = 0;
            if (file.commit()) {
                syncFolder(path);
                return true;
            }
            // Written and flushed, but the temporary file could not take the file's place (no
            // name for it beside the file, a file mounted on its own).
            reason = failure();
            inPlace = exists;
        }
    } else {
        reason = failure();
        inPlace = exists;
    }
    if (inPlace && QFileInfo(path).isWritable()) {
        static std::atomic_flag told = ATOMIC_FLAG_INIT;
        if (!told.test_and_set())
            // Once per run: every save of the run goes the same way.
            qWarning() << "Settings file" << path << "is saved in place, not atomically (" << reason
                       << "): a crash while saving can damage it";
        if (writeInPlace(path, old, bytes, reason)) {
            return true;
        }
    }
    qWarning() << "Settings file" << path << "not written:" << reason;
    return false;
}

} // namespace

bool writeFile(const QString& path, const QByteArray& section, const std::vector<KeyWrite>& keys) {
    for (const KeyWrite& k : keys) {
        if (!canWrite(section, k.key)) {
            qWarning() << "Settings key" << section << k.key << "cannot be written";
            return false;
        }
    }
    // The whole file: rewriting only what was read would lose the rest.
    QByteArray old;
    const Loaded loaded = load(path, old, kMaxWholeFileBytes);
    if (loaded == Loaded::Unreadable || loaded == Loaded::TooLarge) {
        qWarning() << "Settings file" << path << "left as it is: it cannot be read whole";
        return false;
    }
    const bool exists = loaded == Loaded::Ok;
    const std::optional<QByteArray> updated = writeKeys(exists ? &old : nullptr, section, keys);
    if (!updated || (exists && *updated == old))
        return true;
    return replace(path, old, exists, *updated);
}

bool writeFile(const QString& path, const QByteArray& section, const QByteArray& key,
               const std::optional<QByteArray>& value) {
    return writeFile(path, section, std::vector<KeyWrite>{{key, value}});
}

} // namespace profile
