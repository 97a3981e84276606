#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 The Tervalo developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""End-to-end test: the game on a Wayland compositor, a headless Weston of its own.

    wayland.py <tervalo executable>

The game starts with Qt's Wayland platform: the compositor maps its window (read from Weston's
scene graph), the window tells the compositor its fixed size (the same minimum and maximum, read
from the Wayland protocol log) and a screenshot shows the window's designed colours. A second
start on the same settings file hands over to the first and ends with status 0, adding no
window. SIGTERM then closes the game as "Quitter" does: status 0 and the settings file written.
"""

import glob
import os
import re
import signal
import struct
import subprocess
import sys
import tempfile
import time
import zlib

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import play  # noqa: E402
from x11 import wait_for  # noqa: E402

TIMEOUT = play.START_TIMEOUT
OUTPUT = (800, 700)
TITLE = play.TITLE
# Colours the window shows as it opens, and how many pixels of each at least: the statistics
# frame's grey body, the sound frame's pale green one.
SHOWN = {(0xF0, 0xF0, 0xF0): 10000, (0xE8, 0xFF, 0xEA): 3000}


def weston(env, runtime, log):
    socket = "tervalo-test"
    process = subprocess.Popen(
        ["weston", "--backend=headless-backend.so", "--use-pixman", "--debug",
         f"--socket={socket}", f"--width={OUTPUT[0]}", f"--height={OUTPUT[1]}", "--idle-time=0"],
        env=env, stdout=log, stderr=subprocess.STDOUT)
    try:
        wait_for("Weston's socket", lambda: os.path.exists(os.path.join(runtime, socket)),
                 TIMEOUT)
    except BaseException:
        stop(process)
        raise
    return process, socket


def stop(process):
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def toplevels(env):
    """The compositor's top-level windows: (pid, title, x, y, right, bottom) each."""
    out = subprocess.run(["weston-debug", "scene-graph"], env=env, stdout=subprocess.PIPE,
                         stderr=subprocess.DEVNULL, text=True, timeout=10).stdout
    found = []
    for m in re.finditer(r"role xdg_toplevel, PID (\d+), surface ID \d+, top-level window "
                         r"'(.*)' of [^\n]*\n\s*position: \((-?\d+), (-?\d+)\) -> "
                         r"\((-?\d+), (-?\d+)\)", out):
        found.append((int(m[1]), m[2], *(int(v) for v in m.groups()[2:])))
    return found


def png_pixels(path):
    """Width, height and rows of (r, g, b) bytes of an 8-bit RGB or RGBA PNG."""
    with open(path, "rb") as f:
        data = f.read()
    pos, idat = 8, b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour = struct.unpack(">IIBB", body[:10])
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    if depth != 8 or colour not in (2, 6):
        raise AssertionError(f"screenshot in an unexpected PNG format ({depth}, {colour})")
    bpp = 3 if colour == 2 else 4
    raw = zlib.decompress(idat)
    stride = width * bpp
    rows, previous = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for x in range(stride):
            a = line[x - bpp] if x >= bpp else 0
            b = previous[x]
            c = previous[x - bpp] if x >= bpp else 0
            if kind == 1:
                line[x] = (line[x] + a) & 255
            elif kind == 2:
                line[x] = (line[x] + b) & 255
            elif kind == 3:
                line[x] = (line[x] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[x] = (line[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(bytes(line))
        previous = line
    return width, height, [[tuple(r[i:i + 3]) for i in range(0, stride, bpp)] for r in rows]


def screenshot(env, folder):
    before = set(glob.glob(os.path.join(folder, "wayland-screenshot-*.png")))
    subprocess.run(["weston-screenshooter"], env=env, cwd=folder, check=True, timeout=20,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    made = set(glob.glob(os.path.join(folder, "wayland-screenshot-*.png"))) - before
    if len(made) != 1:
        raise AssertionError("weston-screenshooter made no screenshot")
    return png_pixels(made.pop())


def main():
    built = play.built_game()
    started = time.monotonic()
    with tempfile.TemporaryDirectory(prefix="tervalo-wayland-") as tmp:
        runtime = play.private_folder(tmp)
        folder = os.path.join(tmp, "game")
        os.mkdir(folder)
        exe = play.copy_game(built, folder)
        env = {k: v for k, v in os.environ.items()
               if not k.startswith(("QT_", "WAYLAND_", "XDG_")) and k != "DISPLAY"}
        env.update(HOME=tmp, XDG_CONFIG_HOME=os.path.join(tmp, "c"), XDG_RUNTIME_DIR=runtime)
        with open(os.path.join(tmp, "weston.log"), "wb") as weston_log:
            compositor, socket = weston(env, runtime, weston_log)
            game = None
            try:
                env["WAYLAND_DISPLAY"] = socket
                game_env = dict(env, QT_QPA_PLATFORM="wayland", WAYLAND_DEBUG="client")
                if "ASAN_OPTIONS" in game_env:
                    # Qt's Wayland plugins leak at exit from code already unloaded, which no
                    # suppression can name; every other check of the sanitizers stays on.
                    game_env["ASAN_OPTIONS"] += ":detect_leaks=0"
                game_log = open(os.path.join(tmp, "game.log"), "wb")
                game = subprocess.Popen([exe], env=game_env, cwd=folder, stdout=game_log,
                                        stderr=subprocess.STDOUT)

                def mapped():
                    if game.poll() is not None:
                        raise AssertionError(f"the game ended with status {game.returncode}")
                    return [w for w in toplevels(env) if w[0] == game.pid]

                windows = wait_for("the game's window on the compositor", mapped, TIMEOUT, 0.1)
                pid, title, left, top, right, bottom = windows[0]
                if len(windows) != 1 or title != TITLE:
                    raise AssertionError(f"the compositor shows {windows}")
                print(f"window mapped after {time.monotonic() - started:.1f} s at "
                      f"({left},{top})-({right},{bottom})")
                game_log.flush()
                with open(game_log.name, "rb") as f:
                    protocol = f.read().decode(errors="replace")
                sizes = {kind: re.findall(rf"xdg_toplevel@\d+\.set_{kind}_size\((\d+), (\d+)\)",
                                          protocol) for kind in ("min", "max")}
                fixed = [(str(play.WIDTH), str(play.HEIGHT))]
                if sizes["min"][-1:] != fixed or sizes["max"][-1:] != fixed:
                    raise AssertionError(f"sizes told to the compositor: {sizes}")

                def drawn():
                    width, height, pixels = screenshot(env, tmp)
                    counts = dict.fromkeys(SHOWN, 0)
                    for y in range(max(top, 0), min(bottom, height)):
                        for rgb in pixels[y][max(left, 0):min(right, width)]:
                            if rgb in counts:
                                counts[rgb] += 1
                    return all(counts[c] >= n for c, n in SHOWN.items())

                wait_for("the window's colours on the screen", drawn, TIMEOUT, 0.2)
                print(f"window drawn after {time.monotonic() - started:.1f} s")

                again = subprocess.run([exe], env=game_env, cwd=folder, stdout=subprocess.PIPE,
                                       stderr=subprocess.STDOUT, timeout=TIMEOUT)
                if again.returncode != 0:
                    raise AssertionError(f"the second start ended with status {again.returncode}:\n"
                                         f"{again.stdout.decode(errors='replace')[-6000:]}")
                if [w[:2] for w in toplevels(env) if w[1] == TITLE] != [(game.pid, TITLE)]:
                    raise AssertionError(f"after a second start: {toplevels(env)}")
                print(f"second start handed over after {time.monotonic() - started:.1f} s")

                settings = exe + ".tvo"
                if os.path.exists(settings):
                    raise AssertionError("the settings file exists before the game closed")
                game.send_signal(signal.SIGTERM)
                status = game.wait(timeout=TIMEOUT)
                if status != 0:
                    raise AssertionError(f"the game ended with status {status} on SIGTERM")
                play.check_file(settings, play.settings_bytes("", "", 0, 0), "after SIGTERM")
                print(f"saved and ended on SIGTERM after {time.monotonic() - started:.1f} s")
            except BaseException:
                if game is not None:
                    with open(os.path.join(tmp, "game.log"), "rb") as f:
                        sys.stderr.write(f.read().decode(errors="replace")[-4000:])
                raise
            finally:
                if game is not None and game.poll() is None:
                    game.kill()
                    game.wait()
                stop(compositor)
    print("the game on Wayland: passed")


if __name__ == "__main__":
    main()
