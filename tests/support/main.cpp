// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>
#include <QDir>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Qt wants a private runtime folder; a test run may have none (no desktop session).
    QByteArray runtimeDir;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        QByteArray pattern = QDir::tempPath().toLocal8Bit() + "/tervalo-test-XXXXXX";
        if (mkdtemp(pattern.data()) != nullptr) {
            runtimeDir = pattern;
            qputenv("XDG_RUNTIME_DIR", runtimeDir);
        }
    }
    int result = 0;
    {
        QApplication app(argc, argv);
        ::testing::InitGoogleTest(&argc, argv);
        result = RUN_ALL_TESTS();
    }
    if (!runtimeDir.isEmpty()) {
        QDir(QString::fromLocal8Bit(runtimeDir)).removeRecursively();
    }
    return result;
}
