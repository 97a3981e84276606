// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

// For the start-up measurement: ends the program as soon as the window's first frame has
// been painted and handed to the window system. The exit is queued from the first paint
// event, so it runs once that paint and its flush are done; nothing is torn down or saved.
class FirstPaintExit : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !queued_) {
            queued_ = true;
            QTimer::singleShot(0, [] {
                std::fflush(nullptr);
                std::_Exit(0);
            });
        }
        return false;
    }

private:
    bool queued_ = false;
};

inline void quitAfterFirstPaint(QWidget& window) {
    window.installEventFilter(new FirstPaintExit(&window));
}
