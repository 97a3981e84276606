// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The panel's frames on a scaled screen (QT_SCALE_FACTOR; the build runs this test at 1.25, 1.5,
// 1.75 and 2 as well as at 1): each edge of each frame and bordered label is a whole line of
// device pixels in its colour, as wide as its width times the scale, rounded, and never less
// than one; a label's background reaches its border with no other colour between.
#include "support/WindowFixture.h"
#include "ui/VkFrame.h"
#include "ui/VkLabel.h"

#include <QWindow>
#include <cmath>
#include <gtest/gtest.h>

namespace {

struct Framed {
    QRect place; // in the window
    QRgb colour;
    int width;   // logical pixels
    qint64 back; // a label's background, or -1
};

std::vector<Framed> framed(const WindowFixture& f) {
    std::vector<Framed> all;
    auto place = [&](const QWidget* w) {
        return QRect(w->mapTo(f.window.get(), QPoint(0, 0)), w->size());
    };
    for (const VkFrame* frame : f.window->findChildren<VkFrame*>()) {
        const VkFrame::Look& look = frame->look();
        if (look.border != colours::None && look.borderWidth > 0) {
            all.push_back({place(frame), toQRgb(look.border), look.borderWidth, -1});
        }
    }
    for (const VkLabel* label : f.window->findChildren<VkLabel*>()) {
        if (label->singleBorder()) {
            const Colour back = label->backColour();
            all.push_back({place(label), toQRgb(colours::Black), 1,
                           back == colours::None ? -1 : qint64(toQRgb(back))});
        }
    }
    return all;
}

// A one-pixel line along one side of a frame, in logical pixels of the window.
QRect sideLine(const QRect& r, int side) {
    const QRect lines[] = {{r.left(), r.top(), 1, r.height()},
                           {r.right(), r.top(), 1, r.height()},
                           {r.left(), r.top(), r.width(), 1},
                           {r.left(), r.bottom(), r.width(), 1}};
    return lines[side];
}

TEST(FrameEdges, EveryEdgeIsAWholeDeviceLine) {
    WindowFixture f;
    const qreal dpr = f.window->windowHandle()->devicePixelRatio();
    const QImage shot = f.window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const std::vector<Framed> all = framed(f);
    ASSERT_EQ(all.size(), 23u);
    const char* const names[] = {"left", "right", "top", "bottom"};
    for (const Framed& e : all) {
        const QRect& r = e.place;
        const int wide = std::max(1, static_cast<int>(std::lround(e.width * dpr)));
        // Across each side at its middle, from outside in.
        const QPoint middle(static_cast<int>((r.left() + r.width() / 2.0) * dpr),
                            static_cast<int>((r.top() + r.height() / 2.0) * dpr));
        const QPoint inward[] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        // The first device pixel outside the widget, which Qt places by rounding.
        const auto device = [dpr](int logical) {
            return static_cast<int>(std::lround(logical * dpr));
        };
        const QPoint outside[] = {{device(r.left()) - 1, middle.y()},
                                  {device(r.right() + 1), middle.y()},
                                  {middle.x(), device(r.top()) - 1},
                                  {middle.x(), device(r.bottom() + 1)}};
        for (int side = 0; side < 4; ++side) {
            SCOPED_TRACE(::testing::Message() << r.x() << "," << r.y() << " " << r.width() << "x"
                                              << r.height() << " " << names[side]);
            QPoint p = outside[side];
            for (int k = 0; k < wide + 4 && shot.pixel(p) != e.colour; ++k) {
                p += inward[side];
            }
            int run = 0;
            for (; shot.pixel(p) == e.colour && run < 3 * wide; p += inward[side]) {
                ++run;
            }
            // Where another frame's edge lies on the same logical line, each frame's line is
            // whole within the device pixels it may paint, and the two may not coincide.
            bool shared = false;
            for (const Framed& other : all) {
                for (int s = 0; s < 4; ++s) {
                    shared |= &other != &e &&
                              sideLine(other.place, s).contains(sideLine(r, side).center());
                }
            }
            EXPECT_GE(run, wide);
            EXPECT_LE(run, shared ? wide + 1 : wide);
            if (e.back >= 0) {
                EXPECT_EQ(shot.pixel(p), QRgb(e.back)) << "inside the border";
            }
        }
    }
}

} // namespace
