// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/Picture.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cstdlib>
#include <limits>

Picture::Picture() : image_(Size, Size, QImage::Format_RGB32) {
    // Rows of 502 pixels of 4 bytes are already 4-byte aligned: the rows follow on unpadded,
    // so a pixel is at y * Size + x.
    Q_ASSERT(image_.bytesPerLine() == Size * int(sizeof(QRgb)));
    // Arial 36 points bold, as 48 pixels so that it does not depend on the screen's resolution.
    // Without antialiasing every pixel of a digit is exactly the fore colour.
    font_ = QFont(QStringLiteral("Arial"));
    font_.setPixelSize(48);
    font_.setBold(true);
    font_.setStyleStrategy(QFont::NoAntialias);
    image_.fill(toQRgb(backColour_));
    stack_.reserve(4096);
}

void Picture::clear() {
    image_.fill(toQRgb(backColour_));
    forgetFills();
}

QRgb* Picture::bits() {
    // Detaches once, if the widget layer still holds a copy; then the pixels are ours.
    return reinterpret_cast<QRgb*>(image_.bits());
}

void Picture::setPixel(QRgb* bits, int x, int y, QRgb rgb) {
    if (x >= 0 && y >= 0 && x < Size && y < Size) {
        bits[y * Size + x] = rgb;
    }
}

void Picture::line(int x1, int y1, int x2, int y2, Colour c) {
    forgetFills();
    const QRgb rgb = toQRgb(c);
    QRgb* const pixels = bits();
    if (y1 == y2) {
        const int from = std::max(std::min(x1, x2), 0);
        const int to = std::min(std::max(x1, x2), Size - 1);
        if (y1 >= 0 && y1 < Size && from <= to) {
            std::fill(pixels + y1 * Size + from, pixels + y1 * Size + to + 1, rgb);
        }
        return;
    }
    // Bresenham, both ends included; points off the picture are dropped one by one.
    const int dx = std::abs(x2 - x1);
    const int dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1;
    const int sy = y1 < y2 ? 1 : -1;
    int error = dx + dy;
    int x = x1;
    int y = y1;
    for (;;) {
        setPixel(pixels, x, y, rgb);
        if (x == x2 && y == y2) {
            break;
        }
        const int e2 = 2 * error;
        if (e2 >= dy) {
            error += dy;
            x += sx;
        }
        if (e2 <= dx) {
            error += dx;
            y += sy;
        }
    }
}

void Picture::box(int x1, int y1, int x2, int y2, Colour c) {
    const int left = std::min(x1, x2);
    const int right = std::max(x1, x2);
    const int top = std::min(y1, y2);
    const int bottom = std::max(y1, y2);
    if (fillStyle_ == FillStyle::Solid) {
        const QRgb fill = toQRgb(fillColour_);
        QRgb* const pixels = bits();
        for (int y = std::max(top + 1, 0); y <= std::min(bottom - 1, Size - 1); ++y) {
            for (int x = std::max(left + 1, 0); x <= std::min(right - 1, Size - 1); ++x) {
                pixels[y * Size + x] = fill;
            }
        }
    }
    line(left, top, right, top, c);
    line(left, bottom, right, bottom, c);
    line(left, top, left, bottom, c);
    line(right, top, right, bottom, c);
}

Colour Picture::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= Size || y >= Size) {
        return colours::None;
    }
    return fromQRgb(reinterpret_cast<const QRgb*>(image_.constBits())[y * Size + x]);
}

void Picture::floodFill(int x, int y, Colour border) {
    if (fillStyle_ != FillStyle::Solid || x < 0 || y < 0 || x >= Size || y >= Size) {
        return;
    }
    const QRgb wall = toQRgb(border);
    const QRgb paint = toQRgb(fillColour_);
    QRgb* const pixels = bits();
    if (pixels[y * Size + x] == wall) {
        return;
    }
    if (border != epochBorder_) {
        forgetFills();
        epochBorder_ = border;
    }
    if (painter_.empty()) {
        // Made on the first fill rather than with the window: nothing is filled before the
        // first deal.
        painter_.assign(std::size_t(Size) * Size, 0);
    }
    const std::uint32_t last = painter_[std::size_t(y) * Size + x];
    if (last >= epochStart_ && pixels[y * Size + x] == paint) {
        return; // the whole area already has the fill colour
    }
    if (generation_ == std::numeric_limits<Stamp>::max()) {
        std::fill(painter_.begin(), painter_.end(), 0);
        generation_ = 0;
        epochStart_ = 1;
    }
    const Stamp g = static_cast<Stamp>(++generation_);
    Stamp* const marks = painter_.data();

    // Scanline fill: paint the whole run through a seed, then seed each open run just above
    // and just below it.
    stack_.clear();
    stack_.emplace_back(x, y);
    while (!stack_.empty()) {
        const auto [sx, sy] = stack_.back();
        stack_.pop_back();
        QRgb* const row = pixels + sy * Size;
        Stamp* const mark = marks + std::size_t(sy) * Size;
        if (mark[sx] == g || row[sx] == wall) {
            continue;
        }
        int left = sx;
        while (left > 0 && row[left - 1] != wall && mark[left - 1] != g) {
            --left;
        }
        int right = sx;
        while (right < Size - 1 && row[right + 1] != wall && mark[right + 1] != g) {
            ++right;
        }
        for (int i = left; i <= right; ++i) {
            row[i] = paint;
            mark[i] = g;
        }
        for (const int ny : {sy - 1, sy + 1}) {
            if (ny < 0 || ny >= Size) {
                continue;
            }
            const QRgb* const nrow = pixels + ny * Size;
            const Stamp* const nmark = marks + std::size_t(ny) * Size;
            bool inRun = false;
            for (int i = left; i <= right; ++i) {
                const bool open = nmark[i] != g && nrow[i] != wall;
                if (open && !inRun) {
                    stack_.emplace_back(i, ny);
                }
                inRun = open;
            }
        }
    }
    if (paint == wall) {
        forgetFills(); // the fill moved the borders
    }
}

const Picture::Glyph& Picture::glyph(const QString& text) {
    auto found = glyphs_.constFind(text);
    if (found != glyphs_.cend()) {
        return *found;
    }
    // Drawn once in black on white; the pixels it sets are the same in any colour, since
    // nothing is blended.
    const QFontMetrics metrics(font_);
    const int margin = metrics.height();
    QImage scratch(metrics.horizontalAdvance(text) + 2 * margin, metrics.height() + 2 * margin,
                   QImage::Format_RGB32);
    scratch.fill(Qt::white);
    {
        QPainter painter(&scratch);
        painter.setFont(font_);
        painter.setPen(Qt::black);
        painter.drawText(QPoint(margin, margin + metrics.ascent()), text);
    }
    Glyph g;
    const QRgb white = QColor(Qt::white).rgb();
    for (int y = 0; y < scratch.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
        for (int x = 0; x < scratch.width(); ++x) {
            if (row[x] != white) {
                g.emplace_back(x - margin, y - margin);
            }
        }
    }
    return *glyphs_.insert(text, std::move(g));
}

void Picture::print(const QString& text) {
    forgetFills();
    const QRgb rgb = toQRgb(foreColour_);
    const Glyph& g = glyph(text);
    QRgb* const pixels = bits();
    for (const auto& [dx, dy] : g) {
        setPixel(pixels, textX_ + dx, textY_ + dy, rgb);
    }
}

void Picture::refresh() {
    if (onRefresh_) {
        onRefresh_();
    }
}
