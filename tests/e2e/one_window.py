#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 The Tervalo developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""End-to-end test: one window per settings file, on a private X server.

    one_window.py <tervalo executable>

Two copies of the game in two folders run side by side. While the first is in a game and the
second is in front with the keyboard focus, the first copy is started again: that start ends by itself with
status 0, opens no window, and the running window of its folder comes to the front (raised
and focused). The game in
progress is then played to its end; its statistics are in the settings file at once, and still
there after the game is killed outright. While that game is stopped, a start tells the player
in a window that it does not answer, and ends with an error status.
"""

import os
import re
import signal
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import play  # noqa: E402
import x11  # noqa: E402
from x11 import wait_for  # noqa: E402


def focused(env):
    return int(x11.xdotool(env, "getwindowfocus", "-f").split()[0])


def above(env, upper, lower):
    """Whether window `upper` is stacked above `lower` (xwininfo lists the top first)."""
    out = subprocess.run(["xwininfo", "-root", "-children"], env=env, stdout=subprocess.PIPE,
                         text=True).stdout
    order = [int(m, 16) for m in re.findall(r"^\s+(0x[0-9a-f]+)", out, re.M)]
    return upper in order and lower in order and order.index(upper) < order.index(lower)


def windows(env):
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Tervalo - "],
                         env=env, stdout=subprocess.PIPE, text=True).stdout
    return sorted(int(w) for w in out.split())


def silent_start(exe, env, holder):
    """With the running game stopped, a start tells the player in a window of its own and,
    once that is closed, ends with an error status."""
    os.kill(holder, signal.SIGSTOP)
    began = time.monotonic()
    start = subprocess.Popen([exe], env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)

    def box():
        try:
            return x11.xdotool(env, "search", "--onlyvisible", "--pid", str(start.pid)).split()
        except subprocess.CalledProcessError:
            return None
    try:
        window = wait_for("the message window", box, 5)[0]
        shown = time.monotonic() - began
        x11.xdotool(env, "windowfocus", "--sync", window, "key", "Return")
        status = start.wait(timeout=5)
    finally:
        if start.poll() is None:
            start.kill()
            start.wait()
        os.kill(holder, signal.SIGCONT)
    out = start.stdout.read().decode()
    if status == 0 or "Tervalo est déjà ouvert mais ne répond pas." not in out:
        raise AssertionError(f"a start beside a stopped game: status {status}, {out!r}")
    print(f"a stopped game: the message window after {shown:.1f} s, then status {status}")


def main():
    built = play.built_game()
    with tempfile.TemporaryDirectory(prefix="tervalo-one-window-") as tmp:
        runtime = play.private_folder(tmp)
        folders = [os.path.join(tmp, name) for name in ("un", "deux")]
        exes = []
        for folder in folders:
            os.mkdir(folder)
            exes.append(play.copy_game(built, folder))
        server = x11.Xvfb()
        try:
            env = dict(os.environ)
            for key in ("QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "XAUTHORITY"):
                env.pop(key, None)
            env.update(DISPLAY=server.display, HOME=tmp, XDG_CONFIG_HOME=os.path.join(tmp, "c"),
                       XDG_RUNTIME_DIR=runtime, QT_QPA_PLATFORM="xcb")
            first = play.Game(exes[0], env, os.path.join(tmp, "first.log"))
            with play.running(first, "first folder"):
                other = play.Game(exes[1], env, os.path.join(tmp, "second.log"))
                with play.running(other, "second folder"):
                    first.click(play.centre(play.REJOUER))
                    first.wait_for("the deal", lambda im: not play.rejouer_enabled(im))
                    # The window shown last is on top and has the focus.
                    if focused(env) != other.window or not above(env, other.window, first.window):
                        raise AssertionError("the second folder's window is not in front")
                    before = windows(env)
                    if len(before) != 2:
                        raise AssertionError(f"two folders, {len(before)} windows")

                    again = subprocess.run([exes[0]], env=env, stdout=subprocess.PIPE,
                                           stderr=subprocess.STDOUT, timeout=60)
                    if again.returncode != 0:
                        raise AssertionError(f"the second start ended with status "
                                             f"{again.returncode}: {again.stdout!r}")
                    if windows(env) != before:
                        raise AssertionError("the second start left a window")
                    wait_for("the first window to come to the front",
                             lambda: focused(env) == first.window
                             and above(env, first.window, other.window), 10)
                    print("second start: status 0, no window; the first window raised and focused")

                    # The game in progress goes on; its end is saved at once.
                    played = play.play_game(first, to_lose=True)
                    print(f"game {played}")
                    settings = exes[0] + ".tvo"
                    saved = play.read_file(settings)
                    won = int(played.result == "won")
                    # A loss leaves the best run as read: empty in a first run.
                    run = b"1" if won else b""
                    if not re.fullmatch(rb"\[Parametres\]\r\nTemps=[0-9:]*\r\nPConsecutives=" +
                                        run + rb"\r\nPjoue=1\r\nPGagne=" +
                                        str(won).encode() + rb"\r\nSonore=1\r\n", saved):
                        raise AssertionError(f"settings file after the game: {saved!r}")
                    silent_start(exes[0], env, first.process.pid)
                    os.kill(first.process.pid, signal.SIGKILL)
                    first.process.wait()
                    if play.read_file(settings) != saved:
                        raise AssertionError("the kill changed the settings file")
                    other.quit()
                    play.check_file(exes[1] + ".tvo", play.settings_bytes("", "", 0, 0),
                                    "of the second folder")
        finally:
            server.stop()
    print("one window per settings file: passed")


if __name__ == "__main__":
    main()
