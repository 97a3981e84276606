// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/BoardCursor.h"
#include "core/Controls.h"
#include "core/Picture.h"
#include "core/Services.h"
#include "core/Tervalo1.h"

#include <QLocale>
#include <QString>
#include <utility>
#include <vector>

enum class MouseButton { Left = 1, Right = 2, Middle = 4 };

// The code behind the window Tableau: the game's state, the model of its controls, the board
// picture, and every procedure and event handler. It knows no widget; the widget layer shows
// `controls()` and `PicFond` after each event it forwards here.
//
// The procedures are defined in the source file of the subsystem they belong to
// (core/minefield/, core/endgame/, core/stats/, core/window/).
class Game {
public:
    Game(RandomSource& random, GameClock& clock, SoundPlayer& sound);

    const Tervalo1& vars() const { return vars_; }         // the program-wide variables
    const Controls& controls() const { return controls_; } // the window's controls
    Picture PicFond;                                       // the board picture
    QLocale locale = QLocale::system(); // the user's regional settings (the rate's separator)

    // What the board's widgets show: whether a board was ever dealt (before the first deal the
    // picture is blank), and a cell's content and the colour its number was printed in.
    bool dealt() const { return vars_.PosBombes[1] != 0; }
    int cellContent(int n) const { return vars_.Cases[n][cell::Content]; }
    Colour cellDigitColour(int n) const { return vars_.Cases[n][cell::DigitColour]; }

    // The keyboard's place on the board; back on cell 1 at every deal.
    BoardCursor cursor;

    // Events of the window and its controls.
    void Form_Load(const QString& executablePath); // start-up, once per run
    void Form_Unload();                            // shutdown: save the statistics
    void Rejouer_Click();
    void RAZ_Click();
    void Sons_Click(int index);
    void Timer1_Timer();
    void BtnBomb_Click(int index);
    void BtnBomb_MouseUp(int index, MouseButton button);

    // A key pressed while the board has the keyboard focus: moves the cursor, or plays its cell
    // as the mouse would, only while a game runs and only on a covered cell. S asks for the
    // statistics, at any time.
    enum class KeyOutcome { NotABoardKey, Nothing, Moved, Played, Statistics };
    KeyOutcome PicFond_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool autoRepeat);
    // What cell n shows, then where, in words, for a screen reader: "3, ligne 4, colonne 7".
    QString cellDescription(int n) const;
    // The clock and every statistic with its caption, in the panel's order, for a screen
    // reader: "Temps 0:00:12, meilleur temps 0:00:08. Parties jouées 5, …".
    QString statisticsPhrase() const;

    // Board construction at start-up: digit colours, buttons, mine pictures, sample points.
    void buildBoard();

    // New game.
    void Nouveau();
    void ColoriageRouge();
    void PlaceBombes();

    // Cell numbers and regions.
    void Chiffrage();
    void Encadre(int x, int y, Colour colour);

    // End of game.
    void FinDePartie();
    void Explosion(int index);

    // Statistics.
    void Marquage();
    // Saves what the close saves (the five keys of the shutdown), in one replacement of the file.
    void saveStatistics() const;

    // Settings file.
    QString LireParametre(const QString& section, const QString& key) const;
    void writeSetting(const QString& section, const QString& key, const QString& value) const;
    // Several keys written as one save: the file is replaced once, with every key or none.
    void writeSettings(const QString& section,
                       const std::vector<std::pair<QString, QString>>& values) const;

    // Plays a sound when the switch is on; a request with the switch off never reaches the player.
    void playSound(const QString& fileName);

    // Whether the game is dealt and not yet over (the clock runs exactly then).
    bool gameInProgress() const { return controls_.Timer1.enabled; }
    // The milliseconds from now to the clock's next tick: the next whole period of the time
    // elapsed since the deal, so the clock never shows a second late. At least 1.
    int msToNextTick();
    // Tells deals apart: the monotonic reading taken at the last deal.
    std::int64_t dealStamp() const { return dealMonotonicMs_; }

protected:
    // Written only by the procedures and events above; read outside through the accessors.
    Tervalo1 vars_;
    Controls controls_;

private:
    bool tenCellsLeft(); // the board check after a reveal

    RandomSource& random_;
    GameClock& clock_;
    SoundPlayer& sound_;
    std::int64_t dealMonotonicMs_ = 0; // monotonic reading at the deal
};
