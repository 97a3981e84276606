// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Every text of the window whole in its control, at the scales and font resolutions of common
// desktops: each text is drawn in the font its control would show it in, and its inked pixels
// measured against the control's box.
#include "support/WindowFixture.h"
#include "ui/VkCommand.h"
#include "ui/VkFrame.h"
#include "ui/VkLabel.h"
#include "ui/VkOptionButton.h"

#include <QPainter>
#include <QtMath>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <map>
#include <set>

namespace {

// Besides each control's design text, what the game may write there.
const std::map<QString, QStringList> Shown{
    {"Commentaire", {" Partie en cours...", " BRAVO !...C'est gagné !", " Dommage... Perdu !"}},
    {"TempsActuel", {"0:00:00", "9:59:59", "23:59:59"}},
    {"TempsMeilleur", {"0:00:00", "9:59:59", "23:59:59"}},
    {"Mines", {"10", "0", "-9"}},
    {"PJoué", {"32767"}},
    {"PGagné", {"32767"}},
    {"VictConsActuelle", {"32767"}},
    {"VictConsMeilleure", {"32767"}},
    {"Pourcent", {"66,67 %", "100 %", "0,03 %"}},
};

// The text drawn as its control draws it, on a screen of this scale and font resolution: in
// its box (device pixels, a margin around), placed by the style's line or, for a frame's
// title, by its ink. Returns where it inked, against the box at `margin`.
QRect inked(const QFont& font, const QString& text, QSizeF box, bool byInk, Qt::Alignment align,
            qreal scale, qreal dpi) {
    const int margin = 40;
    QImage image(qCeil(box.width() * scale) + 2 * margin, qCeil(box.height() * scale) + 2 * margin,
                 QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.setDevicePixelRatio(scale);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        p.setFont(font);
        p.setPen(Qt::black);
        const QRectF inBox(margin / scale, margin / scale, box.width(), box.height());
        if (byInk) {
            // Only the size of the ink matters: the frame centres it.
            p.drawText(inBox.topLeft() + QPointF(0, box.height()), text);
        } else {
            p.drawText(inBox, static_cast<int>(align) | Qt::TextDontClip, text);
        }
    }
    // Pixels a reader sees as ink; the faintest edge of antialiasing is not a glyph.
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 200) {
                ink |= QRect(x, y, 1, 1);
            }
        }
    }
    return ink.translated(-margin, -margin);
}

struct Control {
    QWidget* widget;
    bool byInk; // frames place their title by its ink; the others centre the font's line
    Qt::Alignment align;
    std::function<void(const QString&)> setText;
    std::function<QRectF()> box;
    std::function<QFont(qreal, qreal)> font;
};

TEST(TextFit, EveryTextIsWholeInItsControlAtEveryScale) {
    WindowFixture f;
    std::vector<Control> controls;
    for (VkLabel* w : f.window->findChildren<VkLabel*>()) {
        controls.push_back({w, false, Qt::AlignCenter, [w](const QString& t) { w->setText(t); },
                            [w] { return w->textBox(); },
                            [w](qreal s, qreal d) { return w->shownFont(s, d); }});
    }
    for (VkFrame* w : f.window->findChildren<VkFrame*>()) {
        controls.push_back({w, true, Qt::AlignCenter, [w](const QString& t) { w->setTitle(t); },
                            [w] { return w->textBox(); },
                            [w](qreal s, qreal d) { return w->shownFont(s, d); }});
    }
    for (VkCommand* w : f.window->findChildren<VkCommand*>()) {
        controls.push_back({w, false, Qt::AlignCenter, [w](const QString& t) { w->setText(t); },
                            [w] { return w->textBox(); },
                            [w](qreal s, qreal d) { return w->shownFont(s, d); }});
    }
    for (VkOptionButton* w : f.window->findChildren<VkOptionButton*>()) {
        controls.push_back({w, false, Qt::AlignLeft | Qt::AlignVCenter,
                            [w](const QString& t) { w->setText(t); }, [w] { return w->textBox(); },
                            [w](qreal s, qreal d) { return w->shownFont(s, d); }});
    }
    ASSERT_EQ(controls.size(), 10u + 13u + 3u + 2u);

    std::map<std::pair<qreal, int>, std::set<QString>> reduced;
    for (const Control& c : controls) {
        const QString name = c.widget->objectName();
        const QString design = c.byInk ? static_cast<VkFrame*>(c.widget)->title()
                                       : c.widget->property("text").toString();
        QStringList texts{design};
        texts += Shown.count(name) != 0 ? Shown.at(name) : QStringList{};
        for (const QString& text : texts) {
            c.setText(text);
            const QSizeF box = c.box().size();
            for (const qreal scale : {1.0, 1.25, 1.5, 2.0}) {
                for (const int dpi : {96, 120}) {
                    SCOPED_TRACE(QStringLiteral("%1 \"%2\" at %3, %4 dpi")
                                     .arg(name, text)
                                     .arg(scale)
                                     .arg(dpi)
                                     .toStdString());
                    const QFont font = c.font(scale, dpi);
                    if (font.pointSizeF() < c.widget->font().pointSizeF()) {
                        reduced[{scale, dpi}].insert(name);
                    }
                    const QRect ink = inked(font, text, box, c.byInk, c.align, scale, dpi);
                    if (ink.isNull()) {
                        continue; // nothing shown
                    }
                    const QSizeF device = box * scale;
                    EXPECT_LE(ink.width(), device.width());
                    EXPECT_LE(ink.height(), device.height());
                    if (!c.byInk) {
                        EXPECT_GE(ink.left(), 0);
                        EXPECT_GE(ink.top(), 0);
                        EXPECT_LE(ink.right(), device.width());
                        EXPECT_LE(ink.bottom(), device.height());
                    }
                }
            }
        }
        c.setText(design);
    }
    for (const auto& [at, names] : reduced) {
        std::cout << "smaller font at scale " << at.first << ", " << at.second << " dpi:";
        for (const QString& n : names) {
            std::cout << ' ' << n.toStdString();
        }
        std::cout << '\n';
    }
}

} // namespace
