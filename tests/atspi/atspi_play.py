#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 The Tervalo developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Plays the built game as a screen-reader user does, through the accessibility bus (AT-SPI).

Run on a private X server and D-Bus session, e.g.
    xvfb-run -a dbus-run-session -- /usr/bin/python3 -B atspi_play.py path/to/tervalo

The game is copied into a temporary folder, so its settings file is written there and not
beside the build. The script finds the game's controls by their accessible names and roles,
presses buttons through their accessible action, plays from the keyboard with xdotool, and
checks that the names say what the cells show and that the message line's changes reach an
AT-SPI client as events. Last, it starts the game on a screen scaled by two and checks the
window's size on the X server. Any failure ends the script with a message and status 1.
"""

import faulthandler
import os
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

# The whole run is bounded: a hung bus or game must not hold the test suite.
OVERALL_SECONDS = 55
WAIT_SECONDS = 8.0


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


class Events:
    """Every name change and focus change an AT-SPI client is told of, with what it read."""

    TYPES = ("object:property-change:accessible-name", "object:state-changed:focused")

    def __init__(self):
        self.seen = []
        for kind in self.TYPES:
            pyatspi.Registry.registerEventListener(self._record, kind)

    def _record(self, event):
        try:
            self.seen.append((event.type, event.source.description, event.source.name,
                              event.detail1))
        except GLib.Error:
            pass  # the object went away with the game

    def names(self, description):
        return [name for kind, who, name, _ in self.seen
                if kind.startswith("object:property-change:accessible-name")
                and who == description]

    def focused(self):
        gained = [who for kind, who, _, detail in self.seen
                  if kind.startswith("object:state-changed:focused") and detail == 1]
        return gained[-1] if gained else None


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

    GLib.timeout_add(20, poll)
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


def controls(app):
    """Every accessible object of the game by its description, which is the control's name."""
    by_name = {}

    def walk(node, depth):
        by_name.setdefault(node.description, node)
        if depth < 8:
            for child in node:
                if child is not None:
                    walk(child, depth + 1)

    for window in app:
        walk(window, 0)
    return by_name


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def revealed_text(board, n):
    """The name of the board's text standing for revealed cell n, if there is one."""
    for child in board:
        if (child is not None and child.getRoleName() == "label"
                and child.name.startswith(f"Case {n} : ")):
            return child.name
    return None


def press(node):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    check("Press" in names, f"{node.description} has no press action: {names}")
    action.doAction(names.index("Press"))


def x_window(process):
    """The game's mapped top-level window on the X server."""
    out = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid",
                          str(process.pid)], capture_output=True, text=True, timeout=10,
                         check=True).stdout.split()
    check(out, "no window of the game on the X server")
    return out[-1]


def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "30", *names], check=True, timeout=10)


def play(executable, events):
    with tempfile.TemporaryDirectory() as folder:
        game = start_game(folder, executable)
        try:
            app = find_application(game)
            c = controls(app)

            # The board: a hundred push buttons named after their cell, the window's controls
            # described by their names, the labels named by the text they show.
            for n in range(1, 101):
                cell = c.get(f"BtnBomb_{n}")
                check(cell is not None, f"no cell {n}")
                check(cell.getRoleName() == "push button", f"cell {n}: {cell.getRoleName()}")
                check(cell.name == f"Case {n}", f"cell {n} is named {cell.name!r}")
            check(showing(c["BtnBomb_1"]) and not showing(c["BtnBomb_37"]),
                  "between games only the first cell shows")
            for name, role, text in [("Commentaire", "label", "Partie en cours..."),
                                     ("Mines", "label", "10"), ("PJoué", "label", "0"),
                                     ("Pourcent", "label", "0 %"),
                                     ("Rejouer", "push button", "Rejouer"),
                                     ("Quitter", "push button", "Quitter"),
                                     ("RAZ", "push button", "RAZ Statistiques")]:
                check(name in c, f"no control {name}")
                check(c[name].getRoleName() == role, f"{name}: role {c[name].getRoleName()}")
                check(c[name].name == text, f"{name} is named {c[name].name!r}")
            for name, key in [("Rejouer", "Alt+R"), ("Quitter", "Alt+Q"), ("RAZ", "Alt+Z")]:
                action = c[name].queryAction()
                bindings = [action.getKeyBinding(i) for i in range(action.nActions)]
                check(key in bindings, f"{name}'s key bindings: {bindings}")

            # The keyboard goes to the game's window; Qt then shows where its focus is.
            subprocess.run(["xdotool", "windowfocus", "--sync", x_window(game)], check=True,
                           timeout=10)
            wait_for(lambda: events.focused() == "Rejouer", "the focus on Rejouer")

            # A deal through the accessible action: the message line says so.
            press(c["Rejouer"])
            wait_for(lambda: " Partie en cours..." in events.names("Commentaire"),
                     "the message line's change to ' Partie en cours...'")
            wait_for(lambda: events.focused() == "BtnBomb_1", "the focus on the first cell")
            check(all(showing(c[f"BtnBomb_{n}"]) for n in (1, 37, 100)), "covered cells show")
            wait_for(lambda: events.names("TempsActuel"), "the clock's tick", 3.0)

            # Marks from the keyboard: "M" and the context-menu key, the names follow the face.
            keys("m")
            wait_for(lambda: c["BtnBomb_1"].name == "Case 1 : mine marquée", "cell 1 marked")
            keys("Right")
            wait_for(lambda: events.focused() == "BtnBomb_2", "the focus on cell 2")
            keys("Menu")
            wait_for(lambda: c["BtnBomb_2"].name == "Case 2 : mine marquée", "cell 2 marked")
            keys("m")
            wait_for(lambda: c["BtnBomb_2"].name == "Case 2 : point d'interrogation",
                     "cell 2 questioned")
            check("Case 2 : mine marquée" in events.names("BtnBomb_2"),
                  "no event for cell 2's mark")
            wait_for(lambda: c["Mines"].name == "2", "two marks counted")

            # Space on a marked cell reveals nothing; Return on the next one reveals it.
            keys("space", "Right")
            wait_for(lambda: events.focused() == "BtnBomb_3", "the focus on cell 3")
            check(showing(c["BtnBomb_2"]), "a marked cell was revealed")
            keys("Return")
            wait_for(lambda: not showing(c["BtnBomb_3"]), "cell 3 revealed")
            lost = c["Commentaire"].name == " Dommage... Perdu !"
            # With its button gone, the board itself says what the cell shows.
            wait_for(lambda: revealed_text(c["PicFond"], 3) is not None,
                     "cell 3's content on the board")
            content = revealed_text(c["PicFond"], 3)
            expected = r"Case 3 : mine" if lost else r"Case 3 : (vide|[1-8])"
            check(re.fullmatch(expected, content), f"revealed cell 3 reads {content!r}")
            if lost:
                wait_for(lambda: events.focused() == "Rejouer", "the focus on Rejouer")
            else:
                wait_for(lambda: (events.focused() or "").startswith("BtnBomb_")
                         and events.focused() != "BtnBomb_3", "the focus on another cell")
                # A cell revealed through its accessible action.
                target = next(f"BtnBomb_{n}" for n in range(100, 0, -1)
                              if showing(c[f"BtnBomb_{n}"]) and n not in (1, 2))
                press(c[target])
                wait_for(lambda: not showing(c[target]), target + " revealed")

            # The clock rewrote the panel every second; the message line spoke of its changes
            # only.
            said = events.names("Commentaire")
            now = c["Commentaire"].name
            changes = [" Partie en cours..."] + ([now] if now != " Partie en cours..." else [])
            check(said == changes, f"the message line said {said}, not {changes}")

            # "Quitter" through its action: the game ends and saves its settings beside it.
            press(c["Quitter"])
            game.wait(timeout=WAIT_SECONDS)
            check(game.returncode == 0, f"the game ended with status {game.returncode}")
            check(os.path.exists(os.path.join(folder, "tervalo.tvo")), "no settings file")
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
