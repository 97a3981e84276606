// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/Colour.h"

#include <QFont>
#include <QHash>
#include <QImage>
#include <QString>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

// The board picture: an exact 502x502 raster that keeps its drawing. A pixel read returns
// exactly the colour last drawn there, lines and box edges are one pixel wide on the given
// coordinates (both ends included), and a flood fill stops only at the border colour.
class Picture {
public:
    static constexpr int Size = 502;
    enum class FillStyle { Solid, Transparent };

    Picture();

    void clear();
    void setFillStyle(FillStyle style) { fillStyle_ = style; }
    FillStyle fillStyle() const { return fillStyle_; }
    void setFillColour(Colour c) { fillColour_ = c; }
    Colour fillColour() const { return fillColour_; }
    void setForeColour(Colour c) { foreColour_ = c; }
    Colour foreColour() const { return foreColour_; }
    Colour backColour() const { return backColour_; }
    void setBackColour(Colour c) { backColour_ = c; }

    void line(int x1, int y1, int x2, int y2, Colour c);
    // The outline of the rectangle with these opposite corners; filled with the fill colour
    // too when the fill style is solid.
    void box(int x1, int y1, int x2, int y2, Colour c);
    // colours::None (-1) off the picture.
    Colour pixel(int x, int y) const;
    // Border mode: paints with the fill colour the 4-connected area around (x, y) bounded by
    // pixels of the border colour. Nothing happens on a border pixel, off the picture, or in
    // the transparent fill style (there is nothing to paint with).
    void floodFill(int x, int y, Colour border);

    void setTextPosition(int x, int y) {
        textX_ = x;
        textY_ = y;
    }
    // Draws the text with its top-left corner at the text position, in the fore colour and the
    // picture's font, without antialiasing.
    void print(const QString& text);
    const QFont& font() const { return font_; }

    // Shows the current picture on screen (the widget layer listens).
    void refresh();
    void setOnRefresh(std::function<void()> f) { onRefresh_ = std::move(f); }

    const QImage& image() const { return image_; }

private:
    // The pixels a text sets, as offsets from the text position.
    using Glyph = std::vector<std::pair<int, int>>;
    const Glyph& glyph(const QString& text);
    QRgb* bits();
    static void setPixel(QRgb* bits, int x, int y, QRgb rgb);
    // Any drawing other than a fill may change where the borders lie.
    void forgetFills() { epochStart_ = generation_ + 1; }

    QImage image_;
    QFont font_;
    FillStyle fillStyle_ = FillStyle::Solid;
    Colour fillColour_ = 0;
    Colour foreColour_ = 0;
    Colour backColour_ = colours::BoardBackground;
    int textX_ = 0;
    int textY_ = 0;
    std::function<void()> onRefresh_;
    QHash<QString, Glyph> glyphs_;

    // Per pixel, the number of the last fill that painted it; it doubles as the fill's visited
    // mask, so it is never cleared between fills. Fills numbered from epochStart_ on were made
    // with the border colour epochBorder_ and nothing else was drawn since: each area they
    // painted is still of one colour, so filling it again with that colour can be skipped.
    // 16 bits keep the mask small beside the picture; it is wiped when the numbers run out.
    using Stamp = std::uint16_t;
    std::vector<Stamp> painter_;
    std::uint32_t generation_ = 0;
    std::uint32_t epochStart_ = 1;
    Colour epochBorder_ = 0;
    std::vector<std::pair<int, int>> stack_;
};
