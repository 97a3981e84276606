#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 The Tervalo developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""End-to-end test: the window looks the same on a dark desktop, on a private X server.

    desktop_look.py <tervalo executable>

The game starts three times: as it is, under a dark Qt style (Adwaita-Dark) and under the GTK
platform theme with a dark GTK theme. Each window, captured as the screen shows it after
start-up, equals the first pixel for pixel.
"""

import os
import sys
import tempfile

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import play  # noqa: E402
import x11  # noqa: E402

DESKTOPS = {
    "dark Qt style": {"QT_STYLE_OVERRIDE": "Adwaita-Dark"},
    "dark GTK theme": {"QT_QPA_PLATFORMTHEME": "gtk3", "GTK_THEME": "Adwaita:dark"},
}


def shown(executable, env, log):
    with play.running(play.Game(executable, env, log), log) as game:
        return game.settled()


def main():
    built = play.built_game()
    with tempfile.TemporaryDirectory(prefix="tervalo-desktop-look-") as tmp:
        runtime = play.private_folder(tmp)
        exe = play.copy_game(built, tmp)
        server = x11.Xvfb()
        try:
            env = {k: v for k, v in os.environ.items()
                   if not k.startswith(("QT_", "GTK_", "WAYLAND_", "XDG_"))}
            env.update(DISPLAY=server.display, HOME=tmp, XDG_CONFIG_HOME=os.path.join(tmp, "c"),
                       XDG_RUNTIME_DIR=runtime, QT_QPA_PLATFORM="xcb")
            plain = shown(exe, env, os.path.join(tmp, "plain.log"))
            failed = []
            for name, settings in DESKTOPS.items():
                image = shown(exe, dict(env, **settings), os.path.join(tmp, name + ".log"))
                differ = [(x, y) for y in range(play.HEIGHT) for x in range(play.WIDTH)
                          if image.pixel(x, y) != plain.pixel(x, y)]
                share = 100 * len(differ) / (play.WIDTH * play.HEIGHT)
                print(f"{name}: {len(differ)} pixels differ ({share:.2f} %)")
                if differ:
                    xs = [x for x, _ in differ]
                    ys = [y for _, y in differ]
                    failed.append(f"{name}: {len(differ)} pixels differ in "
                                  f"({min(xs)},{min(ys)})-({max(xs)},{max(ys)})")
            if failed:
                raise AssertionError("; ".join(failed))
        finally:
            server.stop()
    print("the same window on every desktop: passed")


if __name__ == "__main__":
    main()
