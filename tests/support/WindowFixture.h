// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "support/BoardFixture.h"
#include "ui/Tableau.h"

#include <QTemporaryDir>
#include <array>
#include <memory>
#include <vector>

// A deal in which cell 1 is a number, so revealing it opens nothing else: the mines on cells
// 2-9, 12 and 13.
constexpr std::array MinesAroundCellOne{2, 3, 4, 5, 6, 7, 8, 9, 12, 13};

// The real window on a game started up in a temporary folder, driven the way a player does:
// clicks at a position of the window, so a hidden or disabled control really gets nothing.
struct WindowFixture : BoardFixture {
    QTemporaryDir dir;
    std::unique_ptr<Tableau> window;

    WindowFixture();
    ~WindowFixture();

    // Deals the given mines through a click on "Rejouer".
    void dealThroughWindow(const std::vector<int>& mines);
    void leftClick(int cell);
    void rightClick(int cell);
    void click(const char* objectName, Qt::MouseButton button = Qt::LeftButton);
    QWidget* widget(const QString& objectName) const;
    QWidget* cellWidget(int cell) const;

private:
    void clickAt(QPoint windowPos, Qt::MouseButton button);
};
