// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/OrdinaryUser.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

bool ordinaryUser(uid_t& uid, gid_t& gid) {
    const char* name = "tervalo-player";
    if (::getpwnam(name) == nullptr) {
        EXPECT_EQ(QProcess::execute(QStringLiteral("useradd"), {"--no-create-home", name}), 0);
    }
    const passwd* user = ::getpwnam(name);
    if (user == nullptr) {
        ADD_FAILURE() << "no user " << name;
        return false;
    }
    uid = user->pw_uid;
    gid = user->pw_gid;
    return true;
}

void runAsOrdinaryUser() {
    uid_t uid = 0;
    gid_t gid = 0;
    if (!ordinaryUser(uid, gid)) {
        return;
    }
    // The build folder may be out of the user's reach: the program is copied to one of its own.
    QTemporaryDir here;
    const QString copy = here.filePath(QStringLiteral("tests"));
    ASSERT_TRUE(QFile::copy(QStringLiteral("/proc/self/exe"), copy));
    ASSERT_EQ(::chown(QFile::encodeName(here.path()).constData(), uid, gid), 0);
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    QProcess run;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("XDG_RUNTIME_DIR")); // root's
    env.insert(QStringLiteral("HOME"), here.path());
    run.setProcessEnvironment(env);
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(
        QStringLiteral("setpriv"),
        {"--reuid", QString::number(uid), "--regid", QString::number(gid), "--clear-groups", copy,
         QStringLiteral("--gtest_filter=%1.%2")
             .arg(QString::fromUtf8(test->test_suite_name()), QString::fromUtf8(test->name()))});
    ASSERT_TRUE(run.waitForFinished(60000));
    const QByteArray output = run.readAll();
    EXPECT_EQ(run.exitCode(), 0) << output.constData();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.constData();
    EXPECT_FALSE(output.contains("SKIPPED")) << output.constData();
}
