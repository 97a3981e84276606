// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/Play.h"

#include <algorithm>

namespace play {

std::vector<int> neighbours(int cell) {
    std::vector<int> out;
    const int r = (cell - 1) / 10;
    const int c = (cell - 1) % 10;
    for (int dr = -1; dr <= 1; ++dr) {
        for (int dc = -1; dc <= 1; ++dc) {
            const int rr = r + dr;
            const int cc = c + dc;
            if ((dr != 0 || dc != 0) && rr >= 0 && rr < 10 && cc >= 0 && cc < 10) {
                out.push_back(rr * 10 + cc + 1);
            }
        }
    }
    return out;
}

bool isMine(const BoardFixture& f, int cell) {
    const auto& pos = f.game.v.PosBombes;
    return std::find(pos.begin() + 1, pos.end(), cell) != pos.end();
}

int minesAround(const BoardFixture& f, int cell) {
    int n = 0;
    for (int k : neighbours(cell)) {
        n += isMine(f, k) ? 1 : 0;
    }
    return n;
}

std::vector<int> safeCells(const BoardFixture& f) {
    std::vector<int> out;
    for (int n = 1; n <= 100; ++n) {
        if (!isMine(f, n)) {
            out.push_back(n);
        }
    }
    return out;
}

std::set<int> openedBy(const BoardFixture& f, int cell) {
    std::set<int> region;
    std::vector<int> todo{cell};
    while (!todo.empty()) {
        const int n = todo.back();
        todo.pop_back();
        if (isMine(f, n) || minesAround(f, n) != 0 || !region.insert(n).second) {
            continue;
        }
        for (int k : neighbours(n)) {
            todo.push_back(k);
        }
    }
    std::set<int> opened = region;
    for (int n : region) {
        for (int k : neighbours(n)) {
            opened.insert(k);
        }
    }
    return opened;
}

std::set<int> hiddenCells(const BoardFixture& f) {
    std::set<int> out;
    for (int n = 1; n <= 100; ++n) {
        if (!f.game.c.BtnBomb[n].visible) {
            out.insert(n);
        }
    }
    return out;
}

} // namespace play
