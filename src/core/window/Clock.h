// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <cstdint>

// "h:mm:ss": the hours unpadded and counting on past 24, minutes and seconds on two digits.
QString clockText(std::int64_t seconds);
