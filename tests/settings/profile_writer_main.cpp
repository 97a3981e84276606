// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Writes the five settings keys over and over, each round one higher than the last, until it
// is killed; it says "ready" once a first round is on disk. With --whole each round is one save
// of the five keys; otherwise one write per key. With --twice it makes two such saves and ends.
#include "settings/SafeSave.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    const char* const keys[] = {"Temps", "PConsecutives", "Pjoue", "PGagne", "Sonore"};
    // The last key lags at most one round behind the others, so resuming from it keeps every
    // key within one round of the first.
    const bool twice = argc > 2 && QByteArray(argv[2]) == "--twice";
    const bool whole = twice || (argc > 2 && QByteArray(argv[2]) == "--whole");
    long long round = profile::readFile(path, "Parametres", "Sonore").text.toLongLong();
    for (bool announced = false;; announced = true) {
        ++round;
        if (whole) {
            std::vector<profile::KeyWrite> save;
            for (const char* key : keys)
                save.push_back({key, QByteArray::number(round)});
            if (!profile::writeFile(path, "Parametres", save))
                return 1;
        } else {
            for (const char* key : keys) {
                if (!profile::writeFile(path, "Parametres", key, QByteArray::number(round)))
                    return 1;
            }
        }
        if (twice && announced)
            return 0;
        if (!announced) {
            std::puts("ready");
            std::fflush(stdout);
        }
    }
}
