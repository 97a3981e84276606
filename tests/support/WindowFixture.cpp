// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/WindowFixture.h"

#include "core/Board.h"

#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>
#include <stdexcept>

WindowFixture::WindowFixture() {
    if (!dir.isValid()) {
        throw std::runtime_error("no temporary folder");
    }
    game.Form_Load(dir.filePath(QStringLiteral("tervalo")));
    window = std::make_unique<Tableau>(game);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) {
        throw std::runtime_error("the window was not exposed");
    }
}

WindowFixture::~WindowFixture() {
    // Closing saves the statistics into the temporary folder, as a real close would.
    window->close();
}

void WindowFixture::dealThroughWindow(const std::vector<int>& mines) {
    random.push(drawsFor(mines));
    click("Rejouer");
}

QWidget* WindowFixture::widget(const QString& objectName) const {
    auto* w = window->findChild<QWidget*>(objectName);
    if (w == nullptr) {
        throw std::runtime_error("no widget " + objectName.toStdString());
    }
    return w;
}

QWidget* WindowFixture::cellWidget(int cell) const {
    return widget(QStringLiteral("BtnBomb_%1").arg(cell));
}

void WindowFixture::clickAt(QPoint windowPos, Qt::MouseButton button) {
    QTest::mouseClick(window->windowHandle(), button, Qt::NoModifier, windowPos);
}

void WindowFixture::leftClick(int cell) {
    // The board lies at the window's top-left corner.
    clickAt(board::buttonRect(cell).center(), Qt::LeftButton);
}

void WindowFixture::rightClick(int cell) {
    clickAt(board::buttonRect(cell).center(), Qt::RightButton);
}

void WindowFixture::click(const char* objectName, Qt::MouseButton button) {
    QWidget* w = widget(QString::fromUtf8(objectName));
    clickAt(w->mapTo(window.get(), w->rect().center()), button);
}
