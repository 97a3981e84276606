// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <csignal>

class QSocketNotifier;

// Turns the end of the session (SIGTERM, SIGHUP) and an interrupt from a terminal (SIGINT)
// into an ordinary close of the window, so the statistics are saved as on "Quitter". The
// handler only writes the signal's number to a pipe; the window is closed from the event loop.
// One instance at a time; the previous handlers are put back when it goes.
class SignalCloser : public QObject {
    Q_OBJECT
public:
    explicit SignalCloser(QWidget* window, QObject* parent = nullptr);
    ~SignalCloser() override;

    SignalCloser(const SignalCloser&) = delete;
    SignalCloser& operator=(const SignalCloser&) = delete;

    // Whether the handlers are in place (false when the pipe could not be made).
    bool isActive() const { return notifier_ != nullptr; }

private:
    void readSignals();

    QPointer<QWidget> window_;
    QSocketNotifier* notifier_ = nullptr;
    int readEnd_ = -1;
    struct sigaction previous_[3] = {};
};
