#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 The Tervalo developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""One game played by keys under the Orca screen reader, checked on what Orca said.

Run on a private X server and D-Bus session, e.g.
    xvfb-run -a dbus-run-session -- /usr/bin/python3 -B orca_speech.py path/to/tervalo

Orca runs with its default settings in a temporary home and logs every phrase it would speak
to a debug file ("SPEECH OUTPUT: '...'"); its speech server is kept from starting, so no voice
is needed. The scripted player of atspi_play.py plays one game by keys, then presses S and Tabs
round the window back to the board. Orca's log, complete once Orca has ended, must hold cells
the cursor landed on, what a reveal uncovered under the cursor, the message line's end of game
and the statistics with their captions; and each move, deal or Tab into the board must be one
utterance of the one cell landed on alone, what it shows first, with a move to another row
among them. The phrases are printed.
TERVALO_ORCA_PAUSE sets the player's pause after each key (0.4 s by default); longer pauses
let Orca finish every phrase. TERVALO_ORCA_LOG keeps a copy of Orca's whole log.
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

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import atspi_play  # noqa: E402

OVERALL_SECONDS = 170
SPEECH = re.compile(r"SPEECH OUTPUT: '(.*?)' ?\{")
# Orca starts each utterance's log with one of these lines (the second for a key's echo).
UTTERANCE = ("SPEECH: Last spoke", "DEFAULT: Presenting keyboard event")
PLACE = re.compile(r", ligne (\d+), colonne \d+")
CELL = re.compile(r"(couverte|vide|[1-8]|mine marquée|point d'interrogation|mine), "
                  r"ligne \d+, colonne \d+\.?")
STATISTICS = re.compile(r"notification Temps \d+:\d\d:\d\d, meilleur temps (\d+:\d\d:\d\d|aucun)"
                        r"\. Parties jouées 1, gagnées [01], .+ de réussite\. Victoires "
                        r"consécutives [01], meilleure série (\d+|aucun)\. Mines marquées \d+\.")


def start_orca(folder):
    home = os.path.join(folder, "home")
    speechd = os.path.join(home, ".config", "speech-dispatcher")
    os.makedirs(speechd)
    # Without a sound card a speech server would hang Orca's start; Orca then logs its
    # phrases all the same.
    with open(os.path.join(speechd, "speechd.conf"), "w") as conf:
        conf.write("DisableAutoSpawn\n")
    runtime = os.path.join(folder, "orca-runtime")
    os.mkdir(runtime, 0o700)
    env = dict(os.environ, HOME=home, GSETTINGS_BACKEND="memory", XDG_RUNTIME_DIR=runtime)
    log = os.path.join(folder, "orca.log")
    # Orca refuses to start beside another Orca of the same user, and --replace would kill
    # them all, the one reading the desktop or another run of this test included: wait for
    # them to end instead.
    deadline = time.monotonic() + 60
    while subprocess.run(["pgrep", "-u", str(os.getuid()), "-x", "orca"],
                         stdout=subprocess.DEVNULL).returncode == 0:
        atspi_play.check(time.monotonic() < deadline, "another Orca of this user runs")
        time.sleep(1)
    orca = subprocess.Popen(["orca", "--debug-file=" + log], env=env,
                            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    return orca, log


def wait_idle(pid, seconds=60):
    """Waits until a process has used no processor time for a second."""
    def used():
        with open(f"/proc/{pid}/stat") as stat:
            fields = stat.read().rsplit(")", 1)[1].split()
        return int(fields[11]) + int(fields[12])

    deadline = time.monotonic() + seconds
    try:
        before = used()
        while time.monotonic() < deadline:
            time.sleep(1)
            now = used()
            if now == before:
                return
            before = now
    except OSError:
        pass  # it has ended


def read_speech(log):
    """Every phrase Orca would have spoken, and the same grouped by utterance."""
    said, utterances = [], [[]]
    with open(log, encoding="utf-8", errors="replace") as f:
        for line in f:
            if any(marker in line for marker in UTTERANCE):
                utterances.append([])
            elif m := SPEECH.search(line):
                said.append(m.group(1))
                utterances[-1].append(m.group(1))
    return said, utterances


def failures_in(log):
    """What Orca's log lacks of one game played by keys and of S after it; the phrases are
    printed."""
    said, utterances = read_speech(log)
    print("Orca said:")
    for phrase in said:
        print("   ", phrase)
    failures = []
    # A key pressed before Orca is done speaking cuts it short, as for a person: what
    # the cursor landed on is checked on some cell, not on every one.
    if not any(CELL.fullmatch(s) for s in said):
        failures.append("a cell the cursor landed on")
    if not any(re.fullmatch(r"notification (vide|[1-8]), ligne \d+, colonne \d+\.?", s)
               for s in said):
        failures.append("a revealed cell announced where the cursor stands")
    if not any(s in ("notification  BRAVO !...C'est gagné !",
                     "notification  Dommage... Perdu !") for s in said):
        failures.append("the end of the game")
    if not any(STATISTICS.fullmatch(s) for s in said):
        failures.append("the statistics with their captions on S")
    # Each move, Tab into the board or deal is one utterance of Orca's: it must hold the one
    # cell landed on, said by what it shows first, and nothing else (no other cell of its
    # row, no container).
    moves = [u for u in utterances
             if any(PLACE.search(s) and not s.startswith("notification") for s in u)]
    rows = [next(m.group(1) for m in map(PLACE.search, u) if m) for u in moves]
    if not any(a != b for a, b in zip(rows, rows[1:])):
        failures.append("a move to another row")
    for cells in moves:
        if len(cells) != 1 or not CELL.fullmatch(cells[0]):
            failures.append(f"one cell alone, what it shows first, for one move, not {cells}")
            break
    return failures


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    faulthandler.dump_traceback_later(OVERALL_SECONDS, exit=True)
    executable = os.path.abspath(sys.argv[1])
    with tempfile.TemporaryDirectory() as folder:
        try:
            orca, log = start_orca(folder)
        except atspi_play.Failure as failure:
            print("FAILED:", failure, file=sys.stderr)
            return 1
        try:
            # Orca listens once it is on the bus; the game comes after it, as on a desktop.
            deadline = time.monotonic() + 30
            while not os.path.exists(log) or "EVENT MANAGER: registering" not in open(
                    log, encoding="utf-8", errors="replace").read():
                atspi_play.check(time.monotonic() < deadline and orca.poll() is None,
                                 "Orca did not start")
                time.sleep(0.2)
            time.sleep(1)
            events = atspi_play.Events()
            pause = float(os.environ.get("TERVALO_ORCA_PAUSE", "0.4"))
            atspi_play.play(executable, events, games=1, pause=pause)
            atspi_play.check(orca.poll() is None,
                             f"Orca ended during the game (status {orca.returncode})")
        except atspi_play.Failure as failure:
            print("FAILED:", failure, file=sys.stderr)
            return 1
        finally:
            # Orca may lag behind the game on a busy machine; what it has not handled when
            # it ends is never said. Then it writes its log out as it ends.
            wait_idle(orca.pid)
            orca.send_signal(signal.SIGTERM)
            try:
                orca.wait(timeout=30)
            except subprocess.TimeoutExpired:
                orca.kill()
                orca.wait()

        if os.environ.get("TERVALO_ORCA_LOG"):
            shutil.copy(log, os.environ["TERVALO_ORCA_LOG"])
        failures = failures_in(log)
        if failures:
            print("FAILED: Orca never said " + "; ".join(failures), file=sys.stderr)
            return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
