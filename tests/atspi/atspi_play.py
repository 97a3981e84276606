#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 The Tervalo developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Plays the built game as a screen-reader user does, through the accessibility bus (AT-SPI).

Run on a private X server and D-Bus session, e.g.
    xvfb-run -a dbus-run-session -- /usr/bin/python3 -B atspi_play.py path/to/tervalo

The game is copied into a temporary folder, so its settings file is written there and not
beside the build. A scripted player then plays whole games using only key presses (xdotool)
and what the accessibility bus says: the cell the focus lands on, the phrases the game
announces, and the board's table, read as a screen reader's table commands would read it. It
opens each game on cell 1, which is never a mine, deduces safe cells from the numbers it
hears, guesses (from a seeded choice) when it must, and plays every game to its end, won or
lost. It never looks at the screen and never clicks.
Last, it starts the game on a screen scaled by two and checks the window's size on the X
server. Any failure ends the script with a message and status 1.

With TERVALO_ATSPI_TRANSCRIPT set to a file name, what a screen reader is told during the
first game is written there, one phrase a line.
"""

import faulthandler
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

import pyatspi  # noqa: E402

GAMES = 20
# The whole run is bounded: a hung bus or game must not hold the test suite.
OVERALL_SECONDS = 280
WAIT_SECONDS = 8.0

CELL = re.compile(r"(.+), ligne (\d+), colonne (\d+)")
PLAYING = " Partie en cours..."
WON = " BRAVO !...C'est gagné !"
LOST = " Dommage... Perdu !"


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


class Events:
    """What a screen reader is told unasked: the object that takes the focus, and each
    notification as it shows (the game's announcements and its message line), with the event
    that carried it."""

    TYPES = ("object:state-changed:focused", "object:state-changed:showing")

    def __init__(self):
        self.seen = []
        for kind in self.TYPES:
            pyatspi.Registry.registerEventListener(self._record, kind)

    def _record(self, event):
        if event.detail1 != 1:
            return
        try:
            role = event.source.getRoleName()
            if event.type.startswith("object:state-changed:showing") and role != "notification":
                return
            self.seen.append((event.type, role, event.source.name, event.source.description))
        except GLib.Error:
            pass  # the object went away with the game

    def mark(self):
        return len(self.seen)

    def since(self, mark):
        return self.seen[mark:]

    def focused(self, mark=0):
        """Names of the objects that took the focus since the mark."""
        return [name for kind, _, name, _ in self.seen[mark:] if kind.endswith(":focused")]

    def notified(self, mark=0, description=None):
        return [name for kind, _, name, who in self.seen[mark:]
                if kind.endswith(":showing") and (description is None or who == description)]


def wait_for(predicate, what, seconds=WAIT_SECONDS):
    """Runs the main loop, which delivers the events, until the predicate holds."""
    loop = GLib.MainLoop()
    deadline = time.monotonic() + seconds
    held = []

    def poll():
        if predicate():
            held.append(True)
        elif time.monotonic() < deadline:
            return True
        loop.quit()
        return False

    GLib.timeout_add(5, poll)
    loop.run()
    check(held, "timed out waiting for " + what)


def start_game(folder, executable, extra_env=None):
    game = os.path.join(folder, "tervalo")
    shutil.copy2(executable, game)
    runtime = os.path.join(folder, "runtime")
    os.mkdir(runtime, 0o700)
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
               XDG_RUNTIME_DIR=runtime)
    env.pop("QT_SCALE_FACTOR", None)
    env.update(extra_env or {})
    return subprocess.Popen([game], env=env, cwd=folder)


def find_application(process):
    found = []

    def look():
        check(process.poll() is None, "the game ended at start-up")
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == "tervalo" and app.get_process_id() == process.pid:
                found.append(app)
                return True
        return False

    wait_for(look, "the game on the accessibility bus")
    app = found[0]
    # Read every name afresh from the game, never from a client-side cache.
    app.set_cache_mask(Atspi.Cache.NONE)
    return app


def descendants(app):
    found = []

    def walk(node, depth):
        found.append(node)
        # The board's cells are read through its table, not walked.
        if depth < 8 and node.name != "Plateau":
            for child in node:
                if child is not None:
                    walk(child, depth + 1)

    for window in app:
        walk(window, 0)
    return found


def one(nodes, what, predicate):
    matching = [n for n in nodes if predicate(n)]
    check(len(matching) == 1, f"{len(matching)} objects for {what}")
    return matching[0]


def x_window(process):
    """The game's mapped top-level window on the X server."""
    out = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid",
                          str(process.pid)], capture_output=True, text=True, timeout=10,
                         check=True).stdout.split()
    check(out, "no window of the game on the X server")
    return out[-1]


def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "12", *names], check=True, timeout=30)


def route(start, target):
    """The fewest keys from one cell to another: arrows, or a jump to a row's or a column's end
    and arrows back."""
    (r0, c0), (r, c) = divmod(start - 1, 10), divmod(target - 1, 10)
    vertical = min(([("Down" if r > r0 else "Up")] * abs(r - r0),
                    ["Prior"] + ["Down"] * r, ["Next"] + ["Up"] * (9 - r)), key=len)
    horizontal = min(([("Right" if c > c0 else "Left")] * abs(c - c0),
                      ["Home"] + ["Right"] * c, ["End"] + ["Left"] * (9 - c)), key=len)
    return vertical + horizontal


def place(n):
    """Row and column of cell n, from 1."""
    return 1 + (n - 1) // 10, 1 + (n - 1) % 10


def is_cell(name, n):
    """Whether a phrase is that of cell n."""
    m = CELL.fullmatch(name)
    return bool(m) and (int(m.group(2)), int(m.group(3))) == place(n)


def neighbours(n):
    r, c = divmod(n - 1, 10)
    return [10 * rr + cc + 1 for rr in range(r - 1, r + 2) for cc in range(c - 1, c + 2)
            if 0 <= rr < 10 and 0 <= cc < 10 and (rr, cc) != (r, c)]


def deduce(shows):
    """Safe cells and mines, from the numbers heard. shows[n] is what cell n shows."""
    mines, safe = set(), set()
    changed = True
    while changed:
        changed = False
        for n, what in shows.items():
            if not what.isdigit():
                continue
            covered = [m for m in neighbours(n) if shows[m] in ("couverte", "mine marquée",
                                                                 "point d'interrogation")]
            known = [m for m in covered if m in mines]
            unknown = [m for m in covered if m not in mines and m not in safe]
            if not unknown:
                continue
            if len(known) == int(what):
                safe.update(unknown)
                changed = True
            elif len(known) + len(unknown) == int(what):
                mines.update(unknown)
                changed = True
    return safe, mines


class Player:
    def __init__(self, app, events, table, message):
        self.app = app
        self.events = events
        self.table = table
        self.message = message
        self.cursor = 1
        self.keys_pressed = 0
        self.transcript = []
        self.pause = 0.0  # after each key, as a person who listens before the next one

    def read_board(self):
        """Every cell as the table gives it, as a screen reader's table commands read it."""
        shows = {}
        for n in range(1, 101):
            name = self.table.getAccessibleAt((n - 1) // 10, (n - 1) % 10).name
            m = CELL.fullmatch(name)
            check(m and (int(m.group(2)), int(m.group(3))) == place(n), f"cell {n} reads {name!r}")
            shows[n] = m.group(1)
        return shows

    def press(self, *names):
        self.keys_pressed += len(names)
        if not self.pause:
            keys(*names)
            return
        for name in names:
            keys(name)
            time.sleep(self.pause)

    def go(self, target):
        if target == self.cursor:
            return
        mark = self.events.mark()
        self.press(*route(self.cursor, target))
        wait_for(lambda: any(is_cell(name, target) for name in self.events.focused(mark)),
                 f"the focus on cell {target}")
        # Moves only: nothing else spoke of focus on the way but cells.
        check(all(CELL.fullmatch(name) for name in self.events.focused(mark)),
              f"the focus left the board: {self.events.focused(mark)}")
        self.cursor = target

    def act(self, key, cell):
        """Plays the cursor's cell and returns what the game announces of it."""
        mark = self.events.mark()
        self.press(key)
        heard = []

        def announced():
            heard[:] = [n for n in self.events.notified(mark) if is_cell(n, cell)]
            return heard

        wait_for(announced, f"the announcement of cell {cell}")
        check(not self.events.focused(mark), "the focus moved by itself")
        return CELL.fullmatch(heard[-1]).group(1)

    def tab_round(self):
        """Between games Tab leads from the board to the next deal first and to the reset
        last but one, then back to the board's cursor."""
        mark = self.events.mark()
        self.press(*["Tab"] * 5)
        wait_for(lambda: any(is_cell(n, self.cursor) for n in self.events.focused(mark)),
                 "the focus back on the board")
        stops = [n for n in self.events.focused(mark) if n != "Plateau"]
        check(stops[:4] == ["Rejouer", "Oui", "RAZ Statistiques", "Quitter"],
              f"Tab went through {stops}")

    def end_of_game(self, mark):
        ends = [n for n in self.events.notified(mark, "Message de la partie")
                if n in (WON, LOST)]
        return ends[-1] if ends else None

    def play(self, number, mark_a_mine):
        choose = random.Random(number)
        start = self.events.mark()
        # The first game from "Rejouer", the others from the board with Alt+R.
        self.press("Return" if number == 0 else "alt+r")
        wait_for(lambda: PLAYING in self.events.notified(start, "Message de la partie"),
                 "the message line's ' Partie en cours...'")
        self.cursor = 1
        wait_for(lambda: any(n == "couverte, ligne 1, colonne 1"
                             for n in self.events.focused(start) + self.events.notified(start)),
                 "cell 1 spoken at the deal")
        marked = False
        while True:
            shows = self.read_board()
            safe, mines = deduce(shows)
            # The deal never puts a mine on cell 1: a game opens there, not on a guess.
            safe.add(1)
            covered = [n for n, what in shows.items() if what == "couverte"]
            if mark_a_mine and not marked and mines & set(covered):
                target = min(mines & set(covered))
                self.go(target)
                check(self.act("m", target) == "mine marquée", f"cell {target} not marked")
                marked = True
                continue
            options = sorted(safe & set(covered))
            guess = not options
            if guess:
                options = [n for n in covered if n not in mines] or covered
            target = choose.choice(options) if guess else options[0]
            self.go(target)
            mark = self.events.mark()
            shown = self.act("space", target)
            check(shown not in ("couverte", "mine marquée", "point d'interrogation"),
                  f"cell {target} still covered: {shown}")
            check(guess or shown != "mine", f"cell {target}, deduced safe, was a mine")
            if shown == "mine":
                wait_for(lambda: self.end_of_game(mark) == LOST, "the message ' Dommage... Perdu !'")
            end = self.end_of_game(mark) or (self.message.name if self.message.name in (WON, LOST)
                                             else None)
            if end is not None:
                wait_for(lambda: self.end_of_game(mark) == end, "the end message as it shows")
                # Between games the keys play nothing: Space again changes nothing.
                after = self.events.mark()
                self.press("space", "m")
                time.sleep(0.1)
                check(not self.events.notified(after), "a key played between games")
                if number == 0:
                    # S tells the clock and every statistic, between games too.
                    self.press("s")
                    wait_for(lambda: any(n.startswith("Temps ") and "Parties jouées 1, " in n
                                         for n in self.events.notified(after)),
                             "the statistics said on S")
                    self.tab_round()
                    self.transcript = [(kind.split(":")[-1], role, name)
                                       for kind, role, name, _ in self.events.since(start)]
                return end == WON


def play(executable, events, games=GAMES, pause=0.0):
    with tempfile.TemporaryDirectory() as folder:
        game = start_game(folder, executable)
        try:
            app = find_application(game)
            nodes = descendants(app)
            board = one(nodes, "the board", lambda n: n.name == "Plateau")
            table = board.queryTable()
            check((table.nRows, table.nColumns) == (10, 10),
                  f"a table of {table.nRows}x{table.nColumns}")
            check(board.childCount == 100, f"the board has {board.childCount} children")
            check(all(board.getChildAtIndex(i).getRoleName() == "table cell"
                      for i in range(0, 100, 11)), "cells of the role table cell")
            message = one(nodes, "the message line",
                          lambda n: n.description == "Message de la partie")
            check(message.getRoleName() == "notification", f"message: {message.getRoleName()}")
            for name, key in [("Rejouer", "Alt+R"), ("Quitter", "Alt+Q"),
                              ("RAZ Statistiques", "Alt+Z")]:
                button = one(nodes, name, lambda n, name=name: n.getRoleName() == "push button"
                             and n.name == name)
                action = button.queryAction()
                bindings = [action.getKeyBinding(i) for i in range(action.nActions)]
                check(key in bindings, f"{name}'s key bindings: {bindings}")
            check(not any(re.search(r"_\d|^vk|Btn", n.description) for n in nodes),
                  "a description names a control")

            # The keyboard goes to the game's window.
            subprocess.run(["xdotool", "windowfocus", "--sync", x_window(game)], check=True,
                           timeout=10)
            wait_for(lambda: "Rejouer" in events.focused(), "the focus on Rejouer")

            player = Player(app, events, table, message)
            player.pause = pause
            results = []
            for number in range(games):
                results.append(player.play(number, mark_a_mine=number == 0))
            print(f"{games} games by keyboard: {results.count(True)} won, "
                  f"{results.count(False)} lost, {player.keys_pressed} keys")
            print("A screen reader was told, in the first game:")
            for kind, role, name in player.transcript:
                print(f"  [{kind} {role}] {name}")
            transcript = os.environ.get("TERVALO_ATSPI_TRANSCRIPT")
            if transcript:
                with open(transcript, "w", encoding="utf-8") as out:
                    for kind, role, name in player.transcript:
                        out.write(f"[{kind} {role}] {name}\n")

            # "Quitter" through its action: the game ends and saves its settings beside it.
            quitter = one(descendants(app), "Quitter",
                          lambda n: n.getRoleName() == "push button" and n.name == "Quitter")
            action = quitter.queryAction()
            action.doAction([action.getName(i) for i in range(action.nActions)].index("Press"))
            game.wait(timeout=WAIT_SECONDS)
            check(game.returncode == 0, f"the game ended with status {game.returncode}")
            with open(os.path.join(folder, "tervalo.tvo"), encoding="latin-1") as saved:
                text = saved.read()
            check(f"Pjoue={games}" in text, f"the settings file holds {text!r}")
        finally:
            if game.poll() is None:
                game.kill()
                game.wait()


def high_density(executable):
    """On a screen scaled by two the window takes twice the device pixels each way."""
    with tempfile.TemporaryDirectory() as folder:
        game = start_game(folder, executable, {"QT_SCALE_FACTOR": "2"})
        try:
            window = x_window(game)
            size = []

            def measured():
                out = subprocess.run(["xdotool", "getwindowgeometry", window],
                                     capture_output=True, text=True, timeout=10).stdout
                size[:] = [line.split()[-1] for line in out.splitlines() if "Geometry" in line]
                return size == ["1368x1068"]

            wait_for(measured, "a window of 1368x1068 device pixels")
        finally:
            game.send_signal(signal.SIGTERM)  # closes like "Quitter"
            try:
                game.wait(timeout=WAIT_SECONDS)
            except subprocess.TimeoutExpired:
                game.kill()
                game.wait()


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    executable = os.path.abspath(sys.argv[1])
    # Past the time allowed, show where the run hung and end it.
    faulthandler.dump_traceback_later(OVERALL_SECONDS, exit=True)
    started = time.monotonic()
    events = Events()
    try:
        play(executable, events)
        high_density(executable)
    except Failure as failure:
        print("FAILED:", failure, file=sys.stderr)
        return 1
    print(f"passed in {time.monotonic() - started:.1f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main())
