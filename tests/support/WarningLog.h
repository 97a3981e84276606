// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

// Every warning logged while it lives, from any thread (the sound player logs from its own).
// Warnings still reach the handler that was there before.
class WarningLog {
public:
    WarningLog();
    ~WarningLog();
    WarningLog(const WarningLog&) = delete;
    WarningLog& operator=(const WarningLog&) = delete;

    QStringList messages() const;
    // How many warnings contain `text`.
    qsizetype count(const QString& text) const;
    void clear();
};
