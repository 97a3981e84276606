// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

// What a screen reader finds on the panel besides the plain widgets: each frame's caption as a
// text of its own, read before the values under it, and the sound options named by their own
// text alone ("Oui", not after their frame "Son", which a screen reader already says as their
// group).

// Makes the panel's option buttons and captions answer with these interfaces; once is enough.
void installPanelAccessible();

// A frame's caption for assistive technologies: lies over the frame's title bar, paints
// nothing and lets the mouse through.
class FrameCaption : public QWidget {
    Q_OBJECT
public:
    FrameCaption(const QString& caption, int titleHeight, QWidget* frame);
};
