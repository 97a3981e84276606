// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The sound player against a real sound server of its own: a PulseAudio daemon with a null
// sink, its socket in a temporary folder, no D-Bus. What reaches the server is recorded from
// the sink's monitor and compared with the files, window by window.

#include "platform/sound/PulseSoundPlayer.h"
#include "platform/sound/PulseSoundPlayerProbe.h"
#include "platform/sound/WaveFile.h"

#include "support/WarningLog.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <csignal>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

const QString GameDir = QStringLiteral(TERVALO_GAME_DIR);
const QStringList Sounds = {"HALLELU1.wav", "Explosion.wav", "YEAH.wav", "POP.wav"};

constexpr int Rate = 44100;
constexpr int Window = Rate / 100;       // 10 ms
constexpr double AudibleRms = 164;       // -46 dBFS
constexpr int SilenceBetweenSounds = 40; // windows: what separates two sounds in a recording
// The window's share of a request, in milliseconds. A busy machine may take the processor away
// from the test in the middle of any request, so a few may go over; a request that waits for
// anything goes over every time.
constexpr double RequestBudgetMs = 2.0;
constexpr double RequestCeilingMs = 50.0;

std::vector<qint16> samplesOf(const QByteArray& pcm) {
    std::vector<qint16> samples(size_t(pcm.size() / 2));
    memcpy(samples.data(), pcm.constData(), samples.size() * 2);
    return samples;
}

// Which 10-ms windows of the samples, counted from a start, are audible.
std::vector<bool> audibleWindows(const std::vector<qint16>& samples, qsizetype from = 0,
                                 qsizetype until = -1) {
    if (until < 0 || until > qsizetype(samples.size()))
        until = qsizetype(samples.size());
    std::vector<bool> audible;
    for (qsizetype at = from; at < until; at += Window) {
        const qsizetype end = std::min(at + Window, until);
        double sum = 0;
        for (qsizetype i = at; i < end; ++i)
            sum += double(samples[size_t(i)]) * samples[size_t(i)];
        audible.push_back(std::sqrt(sum / double(end - at)) > AudibleRms);
    }
    return audible;
}

struct Burst {
    qsizetype first = 0; // sample
    qsizetype end = 0;
};

// The stretches of a recording with sound in them, apart from each other by a silence.
std::vector<Burst> burstsIn(const std::vector<qint16>& samples) {
    const std::vector<bool> audible = audibleWindows(samples);
    std::vector<Burst> bursts;
    qsizetype lastAudible = -SilenceBetweenSounds - 1;
    for (qsizetype w = 0; w < qsizetype(audible.size()); ++w) {
        if (!audible[size_t(w)])
            continue;
        if (w - lastAudible > SilenceBetweenSounds)
            bursts.push_back({w * Window, 0});
        bursts.back().end = (w + 1) * Window;
        lastAudible = w;
    }
    return bursts;
}

qsizetype firstLoud(const std::vector<qint16>& samples, qsizetype from) {
    for (qsizetype i = from; i < qsizetype(samples.size()); ++i) {
        if (std::abs(samples[size_t(i)]) > 3 * AudibleRms)
            return i;
    }
    return from;
}

// How much of a file a stretch of the recording holds: the file's own audible windows against
// those of the recording laid on the same grid, the two lined up on their first loud sample.
double shareHeard(const std::vector<qint16>& file, const std::vector<qint16>& recording,
                  const Burst& burst) {
    const auto own = audibleWindows(file);
    const qsizetype origin = firstLoud(recording, burst.first) - firstLoud(file, 0);
    const auto heard = audibleWindows(recording, std::max<qsizetype>(0, origin), burst.end);
    const auto count = [](const std::vector<bool>& v) {
        return std::count(v.begin(), v.end(), true);
    };
    return double(count(heard)) / double(count(own));
}

std::vector<qint16> fileSamples(const QString& name) {
    QFile file(GameDir + QLatin1Char('/') + name);
    WaveFile wave;
    QString why;
    if (!file.open(QIODevice::ReadOnly) || !WaveFile::parse(file.readAll(), wave, why) ||
        wave.sample != WaveFile::Sample::S16LE || wave.channels != 1 || wave.rate != Rate) {
        ADD_FAILURE() << "unexpected sound file " << name.toStdString();
        return {};
    }
    return samplesOf(wave.pcm);
}

enum class Kind { PulseAudio, PipeWire };

// A sound server of the test's own, and a recording of what reaches its one sink: a PulseAudio
// daemon, or PipeWire with its session manager and its PulseAudio service.
class SoundServer {
public:
    explicit SoundServer(Kind kind) : kind_(kind) {}
    ~SoundServer() { stop(); }

    bool start() {
        if (!dir_.isValid())
            return false;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        // Their state, cookie and runtime files go in the folder; no session bus is needed.
        for (const char* name : {"HOME", "XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "XDG_STATE_HOME"})
            env.insert(QString::fromLatin1(name), dir_.path());
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("disabled:"));
        env.remove(QStringLiteral("PULSE_SERVER"));

        if (kind_ == Kind::PulseAudio) {
            socket_ = dir_.filePath(QStringLiteral("native"));
            // The sink does not render ahead and rewind: what its monitor records is what a
            // listener would hear, each sample once.
            launch(env, QStringLiteral(TERVALO_PULSEAUDIO),
                   {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                    "--log-target=stderr", "--log-level=error", "--file=/dev/null",
                    "--load=module-null-sink sink_name=tervalo rate=44100 norewinds=1",
                    "--load=module-native-protocol-unix auth-anonymous=1 socket=" + socket_});
        } else {
            // The session manager will not run without a session bus: a private one.
            const QString bus = dir_.filePath(QStringLiteral("bus"));
            launch(env, QStringLiteral(TERVALO_DBUS_DAEMON),
                   {"--session", "--nofork", "--nopidfile", "--address=unix:path=" + bus});
            if (!QTest::qWaitFor([&] { return QFile::exists(bus); }, 20000))
                return false;
            env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), "unix:path=" + bus);
            socket_ = dir_.filePath(QStringLiteral("pulse/native"));
            launch(env, QStringLiteral(TERVALO_PIPEWIRE), {});
            if (!QTest::qWaitFor([&] { return QFile::exists(dir_.filePath("pipewire-0")); }, 20000))
                return false;
            launch(env, QStringLiteral(TERVALO_WIREPLUMBER), {});
            launch(env, QStringLiteral(TERVALO_PIPEWIRE_PULSE), {});
        }
        if (!QTest::qWaitFor([&] { return QFile::exists(socket_); }, 20000))
            return false;
        if (kind_ == Kind::PipeWire) {
            QProcess pactl;
            pactl.start(QStringLiteral(TERVALO_PACTL),
                        {"--server=" + address(), "load-module", "module-null-sink",
                         "sink_name=tervalo", "rate=44100"});
            if (!pactl.waitForFinished(20000) || pactl.exitCode() != 0)
                return false;
        }
        return true;
    }

    QString address() const { return QStringLiteral("unix:") + socket_; }

    void startRecording() {
        recorder_.setStandardOutputFile(dir_.filePath(QStringLiteral("monitor.raw")));
        recorder_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        recorder_.start(QStringLiteral(TERVALO_PAREC),
                        {"--server=" + address(), "--device=tervalo.monitor", "--raw",
                         "--format=s16le", "--rate=44100", "--channels=1", "--latency-msec=20"});
        ASSERT_TRUE(recorder_.waitForStarted(10000));
        QTest::qWait(500); // lets the recording stream settle before the first sound
    }

    std::vector<qint16> stopRecording() {
        recorder_.terminate();
        EXPECT_TRUE(recorder_.waitForFinished(10000));
        QFile raw(dir_.filePath(QStringLiteral("monitor.raw")));
        EXPECT_TRUE(raw.open(QIODevice::ReadOnly));
        return samplesOf(raw.readAll());
    }

    // To the process that serves the player.
    void signal(int number) {
        if (!daemons_.empty())
            ::kill(pid_t(daemons_.back()->processId()), number);
    }

    void stop() {
        if (recorder_.state() != QProcess::NotRunning) {
            recorder_.kill();
            recorder_.waitForFinished(5000);
        }
        signal(SIGCONT);
        while (!daemons_.empty()) {
            QProcess& daemon = *daemons_.back();
            if (daemon.state() != QProcess::NotRunning) {
                daemon.kill();
                daemon.waitForFinished(5000);
            }
            daemons_.pop_back();
        }
    }

private:
    void launch(const QProcessEnvironment& env, const QString& program, const QStringList& args) {
        auto daemon = std::make_unique<QProcess>();
        daemon->setProcessEnvironment(env);
        daemon->setStandardOutputFile(QProcess::nullDevice());
        const QString log = dir_.filePath(QFileInfo(program).fileName() + QStringLiteral(".log"));
        daemon->setStandardErrorFile(log);
        daemon->start(program, args);
        daemons_.push_back(std::move(daemon));
    }

    Kind kind_;
    QTemporaryDir dir_;
    QString socket_;
    std::vector<std::unique_ptr<QProcess>> daemons_;
    QProcess recorder_;
};

const char* serverName(Kind kind) {
    return kind == Kind::PulseAudio ? "PulseAudio" : "PipeWire";
}

void PrintTo(Kind kind, std::ostream* out) {
    *out << serverName(kind);
}

struct Costs {
    std::vector<double> ms;
    double median() const {
        auto v = ms;
        std::sort(v.begin(), v.end());
        return v.empty() ? 0 : v[v.size() / 2];
    }
    double max() const { return ms.empty() ? 0 : *std::max_element(ms.begin(), ms.end()); }
    qsizetype over(double budget) const {
        return std::count_if(ms.begin(), ms.end(), [&](double m) { return m > budget; });
    }
    void add(const Costs& other) { ms.insert(ms.end(), other.ms.begin(), other.ms.end()); }
};

void expectCheap(const Costs& costs, qsizetype allowedOver) {
    EXPECT_LT(costs.median(), RequestBudgetMs);
    EXPECT_LE(costs.over(RequestBudgetMs), allowedOver);
    EXPECT_LT(costs.max(), RequestCeilingMs);
}

// One request, timed on this (the window's) thread.
void timedPlay(PulseSoundPlayer& player, const QString& name, Costs& costs) {
    QElapsedTimer timer;
    timer.start();
    player.play(QLatin1Char('\\') + name);
    costs.ms.push_back(double(timer.nsecsElapsed()) / 1e6);
}

class SoundServerTest : public ::testing::TestWithParam<Kind> {
protected:
    // Points the players made from now on at a server and its sink.
    static void useServer(const QString& address) {
        qputenv("PULSE_SERVER", address.toLocal8Bit());
        qputenv("PULSE_SINK", "tervalo");
    }

    WarningLog warnings;
};

} // namespace

TEST_P(SoundServerTest, EverySoundReachesTheServerWholeAndARequestCostsTheWindowLittle) {
    SoundServer server(GetParam());
    ASSERT_TRUE(server.start());
    useServer(server.address());

    constexpr int Requests = 5;
    Costs all;
    for (const QString& name : Sounds) {
        SCOPED_TRACE(name.toStdString());
        const std::vector<qint16> file = fileSamples(name);
        ASSERT_FALSE(file.empty());
        const int length = int(file.size() * 1000 / Rate);

        server.startRecording();
        Costs costs;
        {
            // A player of its own: the first request of each file is the first of a run.
            PulseSoundPlayer player(GameDir);
            for (int i = 0; i < Requests; ++i) {
                timedPlay(player, name, costs);
                QTest::qWait(length + 1000); // more than any delay on a busy machine
            }
            EXPECT_TRUE(PulseSoundPlayerProbe::waitUntilIdle(player, 5000));
            QTest::qWait(600); // the end of the last sound, through the server's buffer
        }
        const std::vector<qint16> recording = server.stopRecording();

        const std::vector<Burst> bursts = burstsIn(recording);
        int whole = 0, cut = 0;
        QStringList shares;
        for (const Burst& burst : bursts) {
            const double share = shareHeard(file, recording, burst);
            shares << QString::number(share, 'f', 2);
            (share >= 0.95 ? whole : cut) += 1;
        }
        const int lost = Requests - int(bursts.size());
        printf("%s %-14s requests %d, whole %d, cut %d, lost %d (heard: %s); window cost median "
               "%.3f ms, max %.3f ms\n",
               serverName(GetParam()), qPrintable(name), Requests, whole, cut, lost,
               qPrintable(shares.join(' ')), costs.median(), costs.max());
        EXPECT_EQ(whole, Requests) << "heard: " << shares.join(' ').toStdString();
        EXPECT_EQ(int(bursts.size()), Requests);
        all.add(costs);
    }
    expectCheap(all, 2);
    EXPECT_EQ(warnings.count(QStringLiteral("sound")), 0);
}

TEST_P(SoundServerTest, ANewRequestCutsOffTheSoundStillPlaying) {
    SoundServer server(GetParam());
    ASSERT_TRUE(server.start());
    useServer(server.address());
    const std::vector<qint16> pop = fileSamples("POP.wav");
    constexpr int Before = 500; // ms of the long sound before the short one cuts in
    int before = Before;

    server.startRecording();
    {
        PulseSoundPlayer player(GameDir);
        // The stream is open already, as it is for every sound but the first of a run.
        player.play("\\POP.wav");
        QTest::qWait(1000);
        QElapsedTimer between;
        between.start();
        player.play("\\HALLELU1.wav");
        QTest::qWait(Before);
        before = int(between.elapsed()); // a busy machine may have kept the test a while longer
        player.play("\\POP.wav");
        EXPECT_TRUE(PulseSoundPlayerProbe::waitUntilIdle(player, 5000));
        QTest::qWait(2000); // longer than what was left of the first sound
    }
    const std::vector<qint16> recording = server.stopRecording();

    // After the first short sound, one stretch of sound: the long one up to the cut, then the
    // short one whole.
    std::vector<Burst> bursts = burstsIn(recording);
    ASSERT_EQ(bursts.size(), 2u);
    bursts.erase(bursts.begin());
    const int heardMs = int((bursts[0].end - bursts[0].first) * 1000 / Rate);
    const int popMs = int(pop.size() * 1000 / Rate);
    printf("%s cut: %d ms heard for %d ms + the %d ms sound that cut in\n", serverName(GetParam()),
           heardMs, before, popMs);
    // Not what the server still held of the long sound when the cut came: that is dropped, so
    // the cut comes well within the stream's buffer of 150 ms.
    EXPECT_LT(heardMs, before + popMs + 50);
    EXPECT_GT(heardMs, before + popMs - 50);
    const std::vector<qint16> tail(recording.begin() + bursts[0].end - qsizetype(pop.size()),
                                   recording.begin() + bursts[0].end);
    EXPECT_GE(shareHeard(pop, tail, Burst{0, qsizetype(tail.size())}), 0.95);
}

// No server, one that has stopped answering, one that goes away in the middle of a sound: the
// window's requests stay as cheap, the player goes without waiting, the game hears nothing and
// the log says so once.
TEST_P(SoundServerTest, WithoutAWorkingServerTheGameGoesOnSilently) {
    enum class Trouble { None, NoServer, Stopped, StoppedBeforeFirstSound, Killed };
    const struct {
        const char* what;
        Trouble trouble;
        int warnings; // about the server
    } cases[] = {
        {"no server", Trouble::NoServer, 1},
        {"server stops answering", Trouble::Stopped, 0},
        {"server never answers", Trouble::StoppedBeforeFirstSound, 0},
        {"server goes away", Trouble::Killed, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        warnings.clear();
        SoundServer server(GetParam());
        if (c.trouble == Trouble::NoServer) {
            useServer(QStringLiteral("unix:/nonexistent/tervalo/native"));
        } else {
            ASSERT_TRUE(server.start());
            useServer(server.address());
        }
        if (c.trouble == Trouble::StoppedBeforeFirstSound)
            server.signal(SIGSTOP);

        Costs costs;
        QElapsedTimer gone;
        {
            PulseSoundPlayer player(GameDir);
            timedPlay(player, "HALLELU1.wav", costs);
            QTest::qWait(400);
            if (c.trouble == Trouble::Stopped)
                server.signal(SIGSTOP);
            if (c.trouble == Trouble::Killed)
                server.signal(SIGKILL);
            for (int i = 0; i < 10; ++i) {
                timedPlay(player, i % 2 ? "POP.wav" : "YEAH.wav", costs);
                QTest::qWait(50);
            }
            QTest::qWait(300);
            gone.start();
        }
        const qint64 goneMs = gone.elapsed();
        printf("%s %s: window cost median %.3f ms, max %.3f ms; player gone in %lld ms\n",
               serverName(GetParam()), c.what, costs.median(), costs.max(), goneMs);
        expectCheap(costs, 1);
        EXPECT_LT(goneMs, 1000);
        EXPECT_EQ(warnings.count(QStringLiteral("sound server")), c.warnings);
        // Let a thread stuck on a stopped server see it go.
        server.stop();
    }
}

INSTANTIATE_TEST_SUITE_P(Servers, SoundServerTest,
                         ::testing::Values(Kind::PulseAudio, Kind::PipeWire),
                         [](const auto& info) { return std::string(serverName(info.param)); });
