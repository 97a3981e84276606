// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <cstdint>

// The game's colours are 32-bit values laid out 0x00BBGGRR (red in the low byte), as the
// board logic compares them numerically. Only the picture and the widgets convert them.
using Colour = std::int32_t;

namespace colours {
constexpr Colour Black = 0;
constexpr Colour Red = 0x0000FF;
constexpr Colour Yellow = 0x00FFFF;
constexpr Colour White = 0xFFFFFF;
constexpr Colour DarkRed = 0x0000C0;
constexpr Colour Green = 0x00FF00;
constexpr Colour LightRed = 0xC0C0FF;
constexpr Colour InProgress = 0xC0E0FF;
// The board's background: a light grey that is none of the colours the board logic reads
// (black, red, yellow, the digit colours, the region colours), and above 20.
constexpr Colour BoardBackground = 0xC8D0D4;
// No colour: a transparent background, a border not drawn; the board picture reads it off its
// edges. Below every colour the board logic compares with.
constexpr Colour None = -1;
} // namespace colours

// 0x00BBGGRR <-> QColor / QRgb, the one place where the byte order is turned round.
constexpr QRgb toQRgb(Colour c) {
    const auto u = static_cast<std::uint32_t>(c);
    return 0xFF000000u | ((u & 0xFFu) << 16) | (u & 0xFF00u) | ((u >> 16) & 0xFFu);
}
constexpr Colour fromQRgb(QRgb rgb) {
    return static_cast<Colour>(((rgb >> 16) & 0xFFu) | (rgb & 0xFF00u) | ((rgb & 0xFFu) << 16));
}
inline QColor toQColor(Colour c) {
    return QColor::fromRgb(toQRgb(c));
}
