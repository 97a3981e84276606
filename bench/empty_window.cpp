// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FirstPaint.h"

#include <QApplication>
#include <QWidget>

// The yardstick of the start-up measurement: an empty window of the game's size, ending at
// its first painted frame.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget w;
    w.setFixedSize(684, 534);
    quitAfterFirstPaint(w);
    w.show();
    return app.exec();
}
