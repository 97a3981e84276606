// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <cstdint>

// The number at the start of a saved text, as the statistics are read back: blanks, tabs and
// line feeds ignored anywhere, optional sign, "." decimal point, optional exponent, "&H" and
// "&O" prefixes, stopping at the first character that cannot continue the number; rounded half
// to even and held in a 16-bit counter, values beyond its range clamped to the nearest bound.
// "&H" and "&O" digits are an unsigned magnitude ("&HFFFF" is 65535, so 32767); a text with no
// number ("", "abc", "nan", "inf") gives 0.
std::int16_t readNumber(const QString& text);
