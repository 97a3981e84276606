// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QWidget>

// Speaks a phrase through a screen reader without moving its focus: an object of the role
// "notification", shown anew with each phrase, which screen readers read as it shows. Used for
// what changes under the board's cursor, which a screen reader would not say of a table cell
// that merely changes its name. Nothing of it is seen on screen.
class Announcer : public QWidget {
    Q_OBJECT
public:
    explicit Announcer(QWidget* parent = nullptr);

    void say(const QString& phrase);
    QString phrase() const { return phrase_; }

    // Tells assistive technologies that a notification object has something new to say.
    static void announce(QWidget* notification);

private:
    QString phrase_;
};
