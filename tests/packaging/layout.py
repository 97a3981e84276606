# SPDX-FileCopyrightText: 2026 The Tervalo developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""The installed layout of the game, relative to the installation prefix."""

SOUNDS = ("HALLELU1.wav", "Explosion.wav", "YEAH.wav", "POP.wav")
ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
# The desktop entry, the AppStream data and the icons share the application's id.
APP_ID = "io.github.tervalo.Tervalo"

EXECUTABLE = "lib/tervalo/tervalo"
# Loaded by the game on its first sound; it alone links the sound server's client.
SOUND_MODULE = "lib/tervalo/libtervalo_sound.so"
# Where a distribution puts it, bin/ gives way to games/ (-DCMAKE_INSTALL_BINDIR=games).
LINK = "bin/tervalo"
LINK_TARGET = "../lib/tervalo/tervalo"

FILES = (
    [EXECUTABLE, SOUND_MODULE]
    + [f"lib/tervalo/{name}" for name in SOUNDS]
    + [
        "share/man/man6/tervalo.6",
        f"share/applications/{APP_ID}.desktop",
        f"share/metainfo/{APP_ID}.metainfo.xml",
        f"share/icons/hicolor/scalable/apps/{APP_ID}.svg",
    ]
    + [f"share/icons/hicolor/{n}x{n}/apps/{APP_ID}.png" for n in ICON_SIZES]
)
