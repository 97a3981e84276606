// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/BoardFixture.h"

#include "core/Board.h"

#include <algorithm>
#include <map>
#include <set>
#include <stdexcept>
#include <string>

BoardFixture::BoardFixture() {
    game.buildBoard();
    game.v.SonActif = -1; // as start-up leaves it without a settings file
}

void BoardFixture::deal(const std::vector<int>& mines) {
    if (mines.size() != 10) {
        throw std::invalid_argument("a deal has ten mines, not " + std::to_string(mines.size()));
    }
    for (std::size_t i = 0; i < mines.size(); ++i) {
        const int m = mines[i];
        if (m < 2 || m > 98 || m == 10 || m == 91) {
            throw std::invalid_argument("cell " + std::to_string(m) + " is never drawn");
        }
        if (std::count(mines.begin(), mines.end(), m) > 1) {
            throw std::invalid_argument("cell " + std::to_string(m) + " given twice");
        }
    }
    random.push(drawsFor(mines));
    game.Rejouer_Click();
    for (std::size_t i = 0; i < mines.size(); ++i) {
        if (game.v.PosBombes[i + 1] != mines[i]) {
            throw std::logic_error("the deal did not draw the mines given");
        }
    }
}

std::vector<int> BoardFixture::minesOf(const QString& picture) {
    std::vector<int> mines;
    int n = 0;
    for (const QChar ch : picture) {
        if (ch.isSpace()) {
            continue;
        }
        ++n;
        if (ch == QLatin1Char('*')) {
            mines.push_back(n);
        }
    }
    if (n != 100) {
        throw std::invalid_argument("a board picture has 100 cells, not " + std::to_string(n));
    }
    return mines;
}

void BoardFixture::dealPicture(const QString& picture) {
    deal(minesOf(picture));
}

QString BoardFixture::contents() const {
    QString text;
    for (int n = 1; n <= 100; ++n) {
        const int k = content(n);
        text += k == 9 ? QLatin1Char('*') : k == 0 ? QLatin1Char('.') : QChar(u'0' + k);
        if (n % 10 == 0 && n < 100) {
            text += QLatin1Char('\n');
        }
    }
    return text;
}

void BoardFixture::advance(std::int64_t seconds) {
    clock.monotonic += seconds * 1000;
    clock.dayFraction += static_cast<double>(seconds) / 86400.0;
    if (clock.dayFraction >= 1.0) {
        clock.dayFraction -= 1.0;
    }
}

namespace reference {
CellTable contents(const std::vector<int>& mines) {
    CellTable table{};
    auto isMine = [&](int r, int c) {
        return r >= 1 && r <= 10 && c >= 1 && c <= 10 &&
               std::find(mines.begin(), mines.end(), 10 * (r - 1) + c) != mines.end();
    };
    for (int r = 1; r <= 10; ++r) {
        for (int c = 1; c <= 10; ++c) {
            int count = 0;
            for (int dr = -1; dr <= 1; ++dr) {
                for (int dc = -1; dc <= 1; ++dc) {
                    count += (dr != 0 || dc != 0) && isMine(r + dr, c + dc);
                }
            }
            table[10 * (r - 1) + c] = isMine(r, c) ? 9 : count;
        }
    }
    return table;
}

CellTable regions(const CellTable& contents, bool corners) {
    CellTable label{};
    int next = 0;
    for (int start = 1; start <= 100; ++start) {
        if (contents[start] != 0 || label[start] != 0) {
            continue;
        }
        label[start] = ++next;
        std::vector<int> todo{start};
        while (!todo.empty()) {
            const int n = todo.back();
            todo.pop_back();
            const int r = (n - 1) / 10 + 1;
            const int c = (n - 1) % 10 + 1;
            for (int dr = -1; dr <= 1; ++dr) {
                for (int dc = -1; dc <= 1; ++dc) {
                    const bool side = (dr == 0) != (dc == 0);
                    const bool corner = dr != 0 && dc != 0;
                    const int rr = r + dr;
                    const int cc = c + dc;
                    if (!(side || (corners && corner)) || rr < 1 || rr > 10 || cc < 1 || cc > 10) {
                        continue;
                    }
                    const int m = 10 * (rr - 1) + cc;
                    if (contents[m] == 0 && label[m] == 0) {
                        label[m] = next;
                        todo.push_back(m);
                    }
                }
            }
        }
    }
    return label;
}

::testing::AssertionResult regionValuesAgree(const std::array<Colour, 101>& zones,
                                             const CellTable& contents) {
    const CellTable labels = regions(contents, true);
    std::map<int, Colour> valueOfLabel;
    std::set<Colour> valuesSeen;
    for (int n = 1; n <= 100; ++n) {
        bool ok = contents[n] != 9 || zones[n] == 255;
        if (ok && labels[n] != 0) {
            const auto [at, fresh] = valueOfLabel.emplace(labels[n], zones[n]);
            ok = zones[n] > 20 &&
                 (fresh ? valuesSeen.insert(zones[n]).second : at->second == zones[n]);
        }
        if (!ok) {
            return ::testing::AssertionFailure() << "cell " << n << " (content " << contents[n]
                                                 << ") has region value " << zones[n];
        }
    }
    return ::testing::AssertionSuccess();
}
} // namespace reference

QImage BoardFixture::expectedPicture() const {
    Picture expected;
    expected.clear();
    expected.setFillStyle(Picture::FillStyle::Solid);
    expected.setFillColour(colours::Red);
    for (int n = 1; n <= 100; ++n) {
        if (content(n) == 9) {
            const int left = board::Pitch * (board::column(n) - 1);
            const int top = board::Pitch * (board::row(n) - 1);
            expected.box(left, top, left + board::Pitch, top + board::Pitch, colours::Red);
        }
    }
    for (int at = 0; at <= board::GridEnd; at += board::Pitch) {
        expected.line(at, 0, at, board::GridEnd, colours::Black);
        expected.line(0, at, board::GridEnd, at, colours::Black);
    }
    for (int n = 1; n <= 100; ++n) {
        if (content(n) > 0) {
            const QPoint p = board::samplePoint(n);
            expected.setForeColour(game.v.Cases[n][4]);
            expected.setTextPosition(p.x() - 13, p.y() - 27);
            expected.print(QString::number(content(n)));
        }
    }
    return expected.image();
}
