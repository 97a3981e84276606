// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/BoardRenderer.h"

#include "core/Game.h"
#include "core/Picture.h"
#include "core/Tervalo1.h"

#include <QFontMetrics>
#include <QPainter>
#include <cmath>

BoardScene BoardScene::of(const Game& game) {
    BoardScene s;
    // The first deal draws the grid; before it the picture is blank.
    s.grid = game.dealt();
    s.background = game.PicFond.backColour();
    for (int n = 1; n <= board::Cells; ++n) {
        s.content[n] = game.cellContent(n);
        s.digitColour[n] = game.cellDigitColour(n);
    }
    return s;
}

QImage BoardRenderer::render(const BoardScene& scene, const QFont& digitFont, qreal dpr) {
    const int side = static_cast<int>(std::ceil(Picture::Size * dpr));
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(toQRgb(scene.background));
    QPainter p(&image);
    const int w = lineWidth(dpr);
    // A cell's square, inside its grid lines, in device pixels.
    auto square = [&](int n) {
        const int left = board::Pitch * (board::column(n) - 1);
        const int top = board::Pitch * (board::row(n) - 1);
        const int x = edge(left, dpr) + (scene.grid ? w : 0);
        const int y = edge(top, dpr) + (scene.grid ? w : 0);
        return QRect(QPoint(x, y),
                     QPoint(edge(left + board::Pitch, dpr) - 1, edge(top + board::Pitch, dpr) - 1));
    };
    if (scene.grid) {
        const QColor black = toQColor(colours::Black);
        const int length = edge(board::GridEnd, dpr) + w;
        for (int k = 0; k <= board::GridEnd; k += board::Pitch) {
            p.fillRect(edge(k, dpr), 0, w, length, black);
            p.fillRect(0, edge(k, dpr), length, w, black);
        }
    }
    QFont font = digitFont;
    font.setPixelSize(qRound(digitFont.pixelSize() * dpr));
    font.setStyleStrategy(QFont::NoAntialias);
    p.setFont(font);
    const int ascent = QFontMetrics(font).ascent();
    for (int n = 1; n <= board::Cells; ++n) {
        if (scene.covered[n]) {
            continue;
        }
        const QRect sq = square(n);
        if (scene.content[n] == cell::Mine) {
            p.fillRect(sq, toQColor(colours::Red));
        }
        if (scene.content[n] > 0) {
            // Where the picture prints it: from the square's corner, as the game does.
            const QPoint at = board::samplePoint(n) + board::DigitOffset;
            p.setPen(toQColor(scene.digitColour[n]));
            p.drawText(QPoint(edge(at.x(), dpr), edge(at.y(), dpr) + ascent),
                       QString::number(scene.content[n]));
        }
    }
    p.end();
    image.setDevicePixelRatio(dpr);
    return image;
}
