// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/WarningLog.h"

#include <mutex>

namespace {
std::mutex warningsMutex;
QStringList warnings;
QtMessageHandler previousHandler = nullptr;

void collect(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg) {
        const std::lock_guard lock(warningsMutex);
        warnings << message;
    }
    if (previousHandler != nullptr) {
        previousHandler(type, context, message);
    }
}
} // namespace

WarningLog::WarningLog() {
    clear();
    previousHandler = qInstallMessageHandler(collect);
}

WarningLog::~WarningLog() {
    qInstallMessageHandler(previousHandler);
    previousHandler = nullptr;
}

QStringList WarningLog::messages() const {
    const std::lock_guard lock(warningsMutex);
    return warnings;
}

qsizetype WarningLog::count(const QString& text) const {
    const std::lock_guard lock(warningsMutex);
    return warnings.filter(text).size();
}

void WarningLog::clear() {
    const std::lock_guard lock(warningsMutex);
    warnings.clear();
}
