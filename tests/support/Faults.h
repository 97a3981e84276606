// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "support/WarningLog.h"

#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <sys/resource.h>

// Real faults for the settings file's tests: a disk that fills, a device that fails at the
// flush, a folder that cannot take a new file.

// Files of this process cannot grow past `bytes` while it lives: a write beyond fails with
// EFBIG, as a full device would fail it, and needs no privilege. SIGXFSZ is ignored meanwhile.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

// A small tmpfs mounted for the test (root only), unmounted when it goes; `inodes` limits how
// many files it holds, the root folder included.
class SmallFilesystem {
public:
    explicit SmallFilesystem(int kilobytes, int inodes = 0);
    ~SmallFilesystem();
    SmallFilesystem(const SmallFilesystem&) = delete;
    SmallFilesystem& operator=(const SmallFilesystem&) = delete;
    bool isValid() const { return mounted_; }
    QString path() const { return dir_.path(); }
    // Fills every free byte with a file of its own; free() deletes it.
    void fill();
    void free();

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
};

// A folder that cannot take a new file but holds a settings file that can be written: for root
// a read-only tmpfs with a writable file bound over the file's name, for others a folder
// without write permission. `populate` fills the folder before it becomes read-only.
class ReadOnlyFolder {
public:
    ReadOnlyFolder(const QString& fileName, const QByteArray& contents,
                   const std::function<void(const QString& folder)>& populate = {});
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;
    bool isValid() const { return valid_; }
    QString folder() const { return dir_.path(); }
    QString file() const;

private:
    QTemporaryDir dir_;
    QTemporaryDir backing_;
    QString fileName_;
    bool mounted_ = false;
    bool bound_ = false;
    bool valid_ = false;
};

// An ext4 filesystem on a loop device whose backing store is full: the filesystem has room, but
// a block it writes for the first time finds none below it, so the data is accepted and fails
// only at the sync (thin provisioning, a full host disk under a virtual machine). Root only;
// `populate` fills the folder while the store still has room. why() says what was missing.
class FullBackingStore {
public:
    explicit FullBackingStore(const std::function<void(const QString& folder)>& populate);
    ~FullBackingStore();
    FullBackingStore(const FullBackingStore&) = delete;
    FullBackingStore& operator=(const FullBackingStore&) = delete;
    bool isValid() const { return why_.isEmpty(); }
    QString why() const { return why_; }
    QString folder() const { return dir_.filePath(QStringLiteral("ext4")); }

private:
    QTemporaryDir dir_;
    QString why_;
    bool storeMounted_ = false;
    bool ext4Mounted_ = false;
};

// Drops the page cache, so what is read next comes from the device (root only).
bool dropCaches();

// Runs a system command; true when it ended with status 0.
bool runCommand(const QString& program, const QStringList& arguments);
