// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/sound/PulseSoundPlayer.h"

#include "platform/sound/PulseSoundPlayerShared.h"
#include "platform/sound/WaveFile.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <pulse/error.h>
#include <pulse/simple.h>
#include <thread>
#include <utility>

namespace {

// The stream's buffer on the server. Long enough that a thread starved for a while on a busy
// machine does not leave a gap; a cut does not wait for it, since it flushes the buffer.
constexpr int BufferMs = 150;
// The server asks for more in steps this small, so a new request is noticed within it.
constexpr int RequestMs = 20;
// Silence behind each sound: over a buffer's worth, should the server round the buffer up.
constexpr int PaddingMs = 2 * BufferMs;
// Written at a time, between two looks for a new request.
constexpr int ChunkMs = 10;
// Larger files are taken for bad ones rather than read whole into memory.
constexpr qint64 MaxFileBytes = 64 << 20;
// How long the window waits for the thread when the player goes.
constexpr auto StopWait = std::chrono::milliseconds(300);

pa_sample_format_t formatOf(WaveFile::Sample sample) {
    switch (sample) {
    case WaveFile::Sample::U8:
        return PA_SAMPLE_U8;
    case WaveFile::Sample::S16LE:
        return PA_SAMPLE_S16LE;
    case WaveFile::Sample::S24LE:
        return PA_SAMPLE_S24LE;
    case WaveFile::Sample::S32LE:
        return PA_SAMPLE_S32LE;
    case WaveFile::Sample::Float32LE:
        return PA_SAMPLE_FLOAT32LE;
    }
    return PA_SAMPLE_INVALID;
}

struct FreeStream {
    void operator()(pa_simple* stream) const { pa_simple_free(stream); }
};
using Stream = std::unique_ptr<pa_simple, FreeStream>;

} // namespace

namespace {

// Everything the thread owns: the stream, the decoded files and what has been logged.
class Output {
public:
    explicit Output(std::shared_ptr<PulseSoundPlayer::Shared> shared)
        : shared_(std::move(shared)) {}

    void run() {
        std::unique_lock lock(shared_->mutex);
        for (;;) {
            shared_->changed.wait(lock, [&] { return shared_->quit || shared_->request; });
            if (shared_->quit)
                break;
            const QString path = *std::exchange(shared_->request, std::nullopt);
            shared_->newRequest = false;
            shared_->busy = true;
            lock.unlock();
            play(path);
            lock.lock();
            shared_->busy = false;
            shared_->changed.notify_all();
        }
        lock.unlock();
        stream_.reset();
        lock.lock();
        shared_->finished = true;
        shared_->changed.notify_all();
    }

private:
    struct Entry {
        QDateTime modified;
        qint64 size = -1;
        std::shared_ptr<const WaveFile> wave; // null for a file that cannot be played
    };

    // Plays one file, up to a newer request or a failure of the server.
    void play(const QString& path) {
        // Whatever comes of this request, the sound still playing stops now. A server that has
        // gone since the last sound loses the stream, and a new one is asked for below.
        if (stream_)
            flush();
        const std::shared_ptr<const WaveFile> wave = load(path);
        if (!wave || !openFor(*wave))
            return;

        const int frame = wave->bytesPerFrame();
        const qsizetype chunk = qsizetype(frame) * qMax(1, wave->rate * ChunkMs / 1000);
        const QByteArray& pcm = wave->pcm;
        for (qsizetype at = 0; at < pcm.size(); at += chunk) {
            if (!write(pcm.constData() + at, qMin(chunk, pcm.size() - at)))
                return;
        }
        // A server may start a stream, and start it again after running dry, only once it holds
        // a buffer's worth: silence behind the sound carries its end through, however short.
        const QByteArray silence(chunk, wave->sample == WaveFile::Sample::U8 ? '\x80' : '\0');
        const qsizetype padding = qsizetype(frame) * (qint64(wave->rate) * PaddingMs / 1000);
        for (qsizetype done = 0; done < padding; done += chunk) {
            if (!write(silence.constData(), qMin(chunk, padding - done)))
                return;
        }
    }

    // False when a newer request is waiting or the server failed.
    bool write(const char* data, qsizetype size) {
        if (shared_->newRequest)
            return false;
        int error = 0;
        if (pa_simple_write(stream_.get(), data, size_t(size), &error) < 0) {
            lost(error);
            return false;
        }
        return true;
    }

    void flush() {
        int error = 0;
        if (pa_simple_flush(stream_.get(), &error) < 0)
            lost(error);
    }

    void lost(int error) {
        stream_.reset();
        warnServer(error);
    }

    // A stream for this file's format, kept from the last sound when it fits.
    bool openFor(const WaveFile& wave) {
        if (stream_ && format_.sameFormat(wave))
            return true;
        stream_.reset();
        pa_sample_spec sampleFormat{};
        sampleFormat.format = formatOf(wave.sample);
        sampleFormat.rate = quint32(wave.rate);
        sampleFormat.channels = quint8(wave.channels);
        const quint32 bytesPerMs = quint32(wave.bytesPerFrame()) * quint32(wave.rate) / 1000;
        pa_buffer_attr buffer{};
        buffer.maxlength = quint32(-1);
        buffer.tlength = bytesPerMs * BufferMs;
        buffer.prebuf = quint32(-1); // as much as tlength
        buffer.minreq = bytesPerMs * RequestMs;
        buffer.fragsize = quint32(-1);
        int error = 0;
        stream_.reset(pa_simple_new(nullptr, "Tervalo", PA_STREAM_PLAYBACK, nullptr,
                                    "Effets sonores", &sampleFormat, nullptr, &buffer, &error));
        if (!stream_) {
            warnServer(error);
            return false;
        }
        format_ = wave;
        format_.pcm.clear();
        serverWarned_ = false; // a later loss is worth a word again
        return true;
    }

    void warnServer(int error) {
        // A player on its way out has nothing to say about a server it no longer needs.
        if (serverWarned_ || shared_->quitting)
            return;
        serverWarned_ = true;
        qWarning("The sound server cannot be used (%s); sounds stay silent until it can.",
                 pa_strerror(error));
    }

    // The file decoded, read again only when it has changed since.
    std::shared_ptr<const WaveFile> load(const QString& path) {
        const QFileInfo info(path);
        if (!info.isFile()) {
            warnFile(path, QStringLiteral("is missing"));
            return nullptr;
        }
        Entry& entry = files_[path];
        if (entry.size == info.size() && entry.modified == info.lastModified())
            return entry.wave;
        entry = Entry{info.lastModified(), info.size(), nullptr};

        QFile file(path);
        if (info.size() > MaxFileBytes) {
            warnFile(path, QStringLiteral("is too large"));
            return nullptr;
        }
        if (!file.open(QIODevice::ReadOnly)) {
            warnFile(path, QStringLiteral("cannot be read"));
            return nullptr;
        }
        auto wave = std::make_shared<WaveFile>();
        QString why;
        if (!WaveFile::parse(file.readAll(), *wave, why)) {
            warnFile(path, why);
            return nullptr;
        }
        entry.wave = std::move(wave);
        return entry.wave;
    }

    void warnFile(const QString& path, const QString& why) {
        if (warned_.contains(path))
            return;
        warned_.insert(path);
        qWarning("Sound file %s %s; it stays silent.", qUtf8Printable(path), qUtf8Printable(why));
    }

    std::shared_ptr<PulseSoundPlayer::Shared> shared_;
    Stream stream_;
    WaveFile format_; // the stream's format, without samples
    bool serverWarned_ = false;
    std::map<QString, Entry> files_;
    QSet<QString> warned_;
};

} // namespace

PulseSoundPlayer::PulseSoundPlayer(QString directory) : shared_(std::make_shared<Shared>()) {
    shared_->directory = std::move(directory);
    // The thread keeps its own hold on the shared state, so it may outlive the player.
    thread_ = std::thread([shared = shared_] { Output(shared).run(); });
}

PulseSoundPlayer::~PulseSoundPlayer() {
    std::unique_lock lock(shared_->mutex);
    shared_->quit = true;
    shared_->quitting = true;
    shared_->newRequest = true;
    shared_->changed.notify_all();
    const bool finished =
        shared_->changed.wait_for(lock, StopWait, [&] { return shared_->finished; });
    lock.unlock();
    if (finished)
        thread_.join();
    else
        thread_.detach();
}

QString PulseSoundPlayer::pathFor(const QString& directory, const QString& fileName) {
    QString name = fileName;
    if (name.startsWith(QLatin1Char('\\')))
        name.remove(0, 1);
    return directory + QLatin1Char('/') + name;
}

void PulseSoundPlayer::play(const QString& fileName) {
    const QString path = pathFor(shared_->directory, fileName);
    const std::lock_guard lock(shared_->mutex);
    shared_->request = path;
    shared_->newRequest = true;
    shared_->changed.notify_all();
}
