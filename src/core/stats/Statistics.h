// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLocale>
#include <QString>
#include <cstdint>

// The settings file's one section: the statistics and the sound switch.
inline const QString SettingsSection = QStringLiteral("Parametres");

// The success rate in percent, rounded to two decimals (halves away from zero) as the panel
// shows it, computed wide so no count of games overflows; 0 when nothing was won or nothing
// was played.
float successRate(std::int16_t won, std::int16_t played);

// The rate's text on the panel: shortest decimal text (at most seven significant digits), the
// locale's decimal separator, then " %".
QString rateText(float percent, const QLocale& locale);

// Whether a win in `time` (the clock's text) replaces the best time `best`.
// "0:00:00", "0" and the empty text mean no best time yet. Two valid "h:mm:ss" times compare
// as durations (an equal time keeps the best); other texts compare character by character.
bool beatsBestTime(const QString& best, const QString& time);
