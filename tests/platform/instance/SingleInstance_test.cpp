// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// One window per settings file, checked on the built game itself: real processes, started and
// killed as a player or a session would.
#include "support/Faults.h"
#include "support/OrdinaryUser.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <memory>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

#ifndef TERVALO_GAME
#error "TERVALO_GAME must name the built game"
#endif

namespace {

// Generous: under the sanitizers the game starts several times slower.
constexpr int StartMs = 30000;
const QByteArray Shown = "shown at the request of a later start";

QString copyGame(const QString& folder) {
    const QString exe = folder + QStringLiteral("/tervalo");
    QFile::copy(QStringLiteral(TERVALO_GAME), exe);
    return exe;
}

class Games : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(runtime.isValid());
        ASSERT_TRUE(config.isValid());
        ASSERT_TRUE(here.isValid());
        exe = copyGame(here.path());
    }

    // The game from `program` (run with `args`), on the offscreen platform, saying when it is
    // asked to show itself; `adjust` changes its environment.
    std::unique_ptr<QProcess> start(const QString& program, const QStringList& args = {},
                                    const std::function<void(QProcessEnvironment&)>& adjust = {}) {
        auto game = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        env.insert(QStringLiteral("QT_LOGGING_RULES"),
                   QStringLiteral("tervalo.instance.info=true"));
        if (adjust) {
            adjust(env);
        }
        game->setProcessEnvironment(env);
        game->setProcessChannelMode(QProcess::MergedChannels);
        game->start(program, args);
        return game;
    }

    // The first file below `folder` that `filter` admits and `except` does not list, once there
    // is one.
    static QString entry(const QString& folder, QDir::Filters filter,
                         const QStringList& except = {}) {
        const QDeadlineTimer deadline(StartMs);
        do {
            QDirIterator it(folder, {QStringLiteral("*")}, filter | QDir::Hidden,
                            QDirIterator::Subdirectories);
            while (it.hasNext()) {
                if (const QString path = it.next(); !except.contains(path)) {
                    return path;
                }
            }
            QThread::msleep(20);
        } while (!deadline.hasExpired());
        return {};
    }

    // Whether the game listening at `socket` answers a request to show itself within `ms`:
    // it then has its window and runs.
    static bool answers(const QString& socket, int ms) {
        const QDeadlineTimer deadline(ms);
        do {
            QLocalSocket client;
            client.connectToServer(socket);
            if (client.waitForConnected(100) && client.write("show\n") == 5 &&
                client.waitForReadyRead(static_cast<int>(deadline.remainingTime())) &&
                client.readAll() == "ok\n") {
                return true;
            }
            QThread::msleep(50);
        } while (!deadline.hasExpired());
        return false;
    }

    // Whether the game printed `text` within the time given (its output is kept in `log`).
    static bool says(QProcess& game, const QByteArray& text, QByteArray& log, int ms = StartMs) {
        const QDeadlineTimer deadline(ms);
        while (!log.contains(text)) {
            if (deadline.hasExpired() || game.state() == QProcess::NotRunning) {
                log += game.readAll();
                return log.contains(text);
            }
            game.waitForReadyRead(100);
            log += game.readAll();
        }
        return true;
    }

    static void expectEndsAtOnceWithoutError(QProcess& game) {
        ASSERT_TRUE(game.waitForFinished(StartMs)) << "a second start should end by itself";
        EXPECT_EQ(game.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(game.exitCode(), 0) << game.readAll().toStdString();
    }

    static void expectStillRunning(QProcess& game, int ms = 1500) {
        EXPECT_FALSE(game.waitForFinished(ms)) << game.readAll().toStdString();
    }

    // Closes the game as a session's end would; it saves and ends normally.
    static void close(QProcess& game) {
        game.terminate();
        ASSERT_TRUE(game.waitForFinished(StartMs));
        EXPECT_EQ(game.exitCode(), 0);
    }

    QTemporaryDir runtime;
    QTemporaryDir config;
    QTemporaryDir here; // where the game's copy lies, beside its settings file
    QString exe;
};

TEST_F(Games, ASecondStartShowsTheFirstWindowAndEnds) {
    QTemporaryDir elsewhere;
    auto first = start(exe);
    ASSERT_FALSE(entry(runtime.path(), QDir::System).isEmpty());

    auto second = start(exe);
    expectEndsAtOnceWithoutError(*second);
    QByteArray log;
    EXPECT_TRUE(says(*first, Shown, log)) << log.toStdString();

    // A game on another settings file runs beside it.
    auto other = start(copyGame(elsewhere.path()));
    expectStillRunning(*other);
    close(*other);
    close(*first);
    EXPECT_TRUE(QFileInfo::exists(exe + QStringLiteral(".tvo")));
    EXPECT_FALSE(QFileInfo::exists(exe + QStringLiteral(".tvo.lock")));
}

TEST_F(Games, TwoStartsAtOnceGiveOneWindow) {
    auto a = start(exe);
    auto b = start(exe);
    // One of them ends by itself with status 0; the other keeps its window and was shown.
    const QDeadlineTimer deadline(StartMs);
    while (a->state() != QProcess::NotRunning && b->state() != QProcess::NotRunning &&
           !deadline.hasExpired()) {
        a->waitForFinished(50);
        b->waitForFinished(50);
    }
    QProcess& ended = a->state() == QProcess::NotRunning ? *a : *b;
    QProcess& running = &ended == a.get() ? *b : *a;
    ASSERT_EQ(ended.state(), QProcess::NotRunning);
    EXPECT_EQ(ended.exitCode(), 0);
    QByteArray log;
    EXPECT_TRUE(says(running, Shown, log)) << log.toStdString();
    expectStillRunning(running, 500);
    close(running);
}

TEST_F(Games, TheLockOfAKilledGameNeverBlocks) {
    auto killed = start(exe);
    ASSERT_FALSE(entry(runtime.path(), QDir::System).isEmpty());
    killed->kill();
    ASSERT_TRUE(killed->waitForFinished(StartMs));
    ASSERT_FALSE(entry(runtime.path(), QDir::Files).isEmpty());

    // Its lock and its socket are left behind; the next start takes them over and answers.
    auto next = start(exe);
    expectStillRunning(*next);
    auto later = start(exe);
    expectEndsAtOnceWithoutError(*later);
    QByteArray log;
    EXPECT_TRUE(says(*next, Shown, log)) << log.toStdString();
    close(*next);
}

// A shared, writable settings file in a folder that cannot be written: the lock goes to the
// user's runtime folder, a second start still finds the first, and the close saves in place.
TEST_F(Games, AFolderThatCannotHoldTheLock) {
    ReadOnlyFolder folder(QStringLiteral("tervalo.tvo"), "[Parametres]\r\nPjoue=10\r\n",
                          [this](const QString& dir) { exe = copyGame(dir); });
    ASSERT_TRUE(folder.isValid());
    auto first = start(exe);
    const QDeadlineTimer deadline(StartMs);
    while (QDir(runtime.path()).entryList({QStringLiteral("tervalo-*.lock")}).isEmpty() &&
           !deadline.hasExpired()) {
        QThread::msleep(20);
    }
    auto second = start(exe);
    expectEndsAtOnceWithoutError(*second);
    QByteArray log;
    EXPECT_TRUE(says(*first, Shown, log)) << log.toStdString();
    close(*first);
    QFile saved(folder.file());
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), QByteArray("[Parametres]\r\nPjoue=10\r\nTemps=\r\nPConsecutives=\r\n"
                                          "PGagne=0\r\nSonore=1\r\n"));
    EXPECT_EQ(QDir(folder.folder()).entryList(QDir::Files),
              QStringList({"tervalo", "tervalo.tvo"}));
}

// What a power cut, a restored backup or another program can leave where a lock was: the next
// start shows its window all the same.
TEST_F(Games, NothingLeftAtTheLockKeepsTheGameFromStarting) {
    auto killed = start(exe);
    const QString socket = entry(runtime.path(), QDir::System);
    ASSERT_FALSE(socket.isEmpty());
    killed->kill();
    ASSERT_TRUE(killed->waitForFinished(StartMs));
    // Every lock file the game made, wherever it made it.
    QStringList locks;
    for (const QString& folder : {here.path(), runtime.path()}) {
        for (const QFileInfo& lock : QDir(folder).entryInfoList({"*.lock"}, QDir::Files)) {
            locks << lock.filePath();
        }
    }
    ASSERT_FALSE(locks.isEmpty());
    const auto write = [](const QByteArray& bytes) {
        return [bytes](const QString& path) {
            QFile file(path);
            return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
        };
    };
    const std::pair<const char*, std::function<bool(const QString&)>> leftovers[] = {
        {"empty", write("")},
        {"garbage", write(QByteArray("\xff\xfe\0\x01 ~~\n", 8))},
        {"another host", write("4242\ntervalo\nanother-host\n")},
        {"folder", [](const QString& path) { return QDir().mkdir(path); }},
        {"dangling symlink", [](const QString& path) { return QFile::link(path + "~", path); }},
        {"FIFO", [](const QString& path) { return ::mkfifo(QFile::encodeName(path), 0600) == 0; }},
        {"symlink to /dev/zero",
         [](const QString& path) { return QFile::link("/dev/zero", path); }},
    };
    for (const auto& [kind, leave] : leftovers) {
        for (const QString& lock : locks) {
            QFile::remove(lock);
            QDir(lock).removeRecursively();
            ASSERT_TRUE(leave(lock)) << kind;
        }
        QElapsedTimer clock;
        clock.start();
        auto game = start(exe);
        if (answers(socket, 5000)) {
            std::cout << kind << ": answered after " << clock.elapsed() << " ms\n";
        } else {
            ADD_FAILURE() << kind << ": no window within 5 s";
        }
        game->kill();
        game->waitForFinished(StartMs);
    }
}

// The file reached through a symlink from another copy of the game, and the file's folder
// deleted and made again during a game: still the one window.
TEST_F(Games, OneWindowPerFileThroughSymlinksAndAfterItsFolderWent) {
    QTemporaryDir there;
    QFile file(exe + QStringLiteral(".tvo"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString other = copyGame(there.path());
    ASSERT_TRUE(QFile::link(file.fileName(), other + QStringLiteral(".tvo")));
    auto first = start(exe);
    ASSERT_FALSE(entry(runtime.path(), QDir::System).isEmpty());
    auto second = start(other);
    expectEndsAtOnceWithoutError(*second);

    ASSERT_TRUE(QDir(here.path()).removeRecursively());
    ASSERT_TRUE(QDir().mkpath(here.path()));
    copyGame(here.path());
    auto third = start(exe);
    expectEndsAtOnceWithoutError(*third);
    close(*first);
}

// Connections that never make a request, or make an unknown one, cannot pile up.
TEST_F(Games, SilentOrUnknownConnectionsAreClosed) {
    auto game = start(exe);
    const QString socket = entry(runtime.path(), QDir::System);
    ASSERT_TRUE(answers(socket, StartMs));
    const auto connected = [&socket] {
        auto client = std::make_unique<QLocalSocket>();
        client->connectToServer(socket);
        EXPECT_TRUE(client->waitForConnected(1000));
        return client;
    };
    const auto closed = [](QLocalSocket& client, int ms) {
        return client.state() == QLocalSocket::UnconnectedState || client.waitForDisconnected(ms);
    };
    auto unknown = connected();
    unknown->write("hello");
    EXPECT_TRUE(closed(*unknown, 500)) << "an unknown request is not closed at once";

    std::vector<std::unique_ptr<QLocalSocket>> silent;
    for (int i = 0; i < 8; ++i) {
        silent.push_back(connected());
    }
    QThread::msleep(1000);
    const auto open = std::count_if(silent.begin(), silent.end(),
                                    [&](auto& client) { return !closed(*client, 10); });
    EXPECT_GE(open, 1);
    EXPECT_LE(open, 4) << "too many connections open at once";
    for (auto& client : silent) {
        EXPECT_TRUE(closed(*client, 3000)) << "a silent connection is still open after 4 s";
    }
    EXPECT_TRUE(answers(socket, 1000));
    close(*game);
}

// A socket of another user at `path` that answers "ok" to every request.
class Squatter {
public:
    explicit Squatter(const QString& path) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray bytes = QFile::encodeName(path);
        std::copy_n(bytes.begin(), std::min(bytes.size(), qsizetype(sizeof address.sun_path - 1)),
                    address.sun_path);
        listening_ = ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                     ::chmod(bytes.constData(), 0777) == 0 && ::listen(fd_, 8) == 0;
        answering_ = std::thread([fd = fd_] {
            for (int client; (client = ::accept(fd, nullptr, nullptr)) >= 0; ::close(client)) {
                char request[512];
                if (::read(client, request, sizeof request) > 0) {
                    (void)!::write(client, "ok\n", 3);
                }
            }
        });
    }
    ~Squatter() {
        ::shutdown(fd_, SHUT_RDWR);
        answering_.join();
        ::close(fd_);
    }
    Squatter(const Squatter&) = delete;
    Squatter& operator=(const Squatter&) = delete;
    bool isListening() const { return listening_; }

private:
    int fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    bool listening_ = false;
    std::thread answering_;
};

// Another user learns every name the player's games use in a shared temporary folder, takes
// each first (as after a reboot emptied the folder) and answers every request: the player's
// games still find each other, and a game hears no one but its own user.
TEST_F(Games, AnotherUserCannotAnswerForTheGame) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root, to run the player's games as a user of their own";
    }
    uid_t uid = 0;
    gid_t gid = 0;
    ASSERT_TRUE(ordinaryUser(uid, gid));
    QTemporaryDir shared;
    ASSERT_EQ(::chmod(QFile::encodeName(shared.path()), 01777), 0);
    ASSERT_EQ(::chown(QFile::encodeName(here.path()), uid, gid), 0);
    const auto play = [&] {
        return start(QStringLiteral("setpriv"),
                     {"--reuid", QString::number(uid), "--regid", QString::number(gid),
                      "--clear-groups", exe},
                     [&](QProcessEnvironment& env) {
                         env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
                         env.insert(QStringLiteral("TMPDIR"), shared.path());
                         env.insert(QStringLiteral("HOME"), here.path());
                         env.insert(QStringLiteral("XDG_CONFIG_HOME"), here.path());
                     });
    };
    QStringList taken;
    std::vector<std::unique_ptr<Squatter>> squatters;
    for (int round = 0; round < 2; ++round) {
        auto game = play();
        const QString used = entry(shared.path(), QDir::System, taken);
        ASSERT_FALSE(used.isEmpty());
        game->kill();
        ASSERT_TRUE(game->waitForFinished(StartMs));
        // The name's first folder in the shared one (or the socket itself) becomes the other
        // user's.
        const QString top =
            shared.path() + QLatin1Char('/') +
            QDir(shared.path()).relativeFilePath(used).section(QLatin1Char('/'), 0, 0);
        QFile::remove(top);
        QDir(top).removeRecursively();
        squatters.push_back(std::make_unique<Squatter>(used));
        ASSERT_TRUE(squatters.back()->isListening());
        taken << used;
    }

    auto second = play();
    const QString own = entry(shared.path(), QDir::System, taken);
    auto third = play();
    expectEndsAtOnceWithoutError(*third);
    QByteArray log;
    EXPECT_TRUE(says(*second, Shown, log)) << log.toStdString();
    // Root may reach the player's socket, but is not the player: no answer; nor is root's
    // answer believed, should root take the game's socket.
    EXPECT_FALSE(answers(own, 500));
    ASSERT_TRUE(QFile::remove(own));
    Squatter root(own);
    auto fourth = play();
    QByteArray told;
    EXPECT_TRUE(says(*fourth, "Tervalo est déjà ouvert mais ne répond pas.", told, 5000))
        << told.toStdString();
    fourth->kill();
    fourth->waitForFinished(StartMs);
    close(*second);
}

} // namespace
