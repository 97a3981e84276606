// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/SignalCloser.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int Caught[3] = {SIGTERM, SIGHUP, SIGINT};

// The write end of the pipe, read by the handler; -1 when no closer is installed.
volatile sig_atomic_t writeEnd = -1;

extern "C" void onSignal(int number) {
    const int saved = errno;
    const int fd = writeEnd;
    if (fd >= 0) {
        const unsigned char byte = static_cast<unsigned char>(number);
        // A full pipe already holds a pending close: losing this byte changes nothing.
        [[maybe_unused]] const ssize_t written = ::write(fd, &byte, 1);
    }
    errno = saved;
}

} // namespace

SignalCloser::SignalCloser(QWidget* window, QObject* parent) : QObject(parent), window_(window) {
    if (writeEnd >= 0) {
        qWarning("Tervalo: the session's end is already handled elsewhere");
        return;
    }
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) {
        qWarning("Tervalo: cannot watch for the session's end (pipe: %s)", strerror(errno));
        return;
    }
    readEnd_ = fds[0];
    writeEnd = fds[1];

    notifier_ = new QSocketNotifier(readEnd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &SignalCloser::readSignals);

    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < 3; ++i) {
        if (::sigaction(Caught[i], &action, &previous_[i]) != 0) {
            qWarning("Tervalo: cannot catch signal %d: %s", Caught[i], strerror(errno));
        }
    }
}

SignalCloser::~SignalCloser() {
    if (notifier_ == nullptr) {
        return;
    }
    for (int i = 0; i < 3; ++i) {
        ::sigaction(Caught[i], &previous_[i], nullptr);
    }
    const int fd = writeEnd;
    writeEnd = -1;
    ::close(fd);
    ::close(readEnd_);
}

void SignalCloser::readSignals() {
    unsigned char bytes[64];
    bool any = false;
    while (::read(readEnd_, bytes, sizeof bytes) > 0) {
        any = true;
    }
    if (!any) {
        return;
    }
    // Several signals in a row close the window once; the close itself saves the statistics.
    // Without a window on screen there is nothing to save, but the program must still end.
    if (window_ != nullptr && window_->isVisible()) {
        window_->close();
    } else {
        QCoreApplication::quit();
    }
}
