# SPDX-FileCopyrightText: 2026 The Tervalo developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""The installed layout of the game, relative to the installation prefix."""

SOUNDS = ("HALLELU1.wav", "Explosion.wav", "YEAH.wav", "POP.wav")
ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)

EXECUTABLE = "lib/tervalo/tervalo"
# Loaded by the game on its first sound; it alone links the sound server's client.
SOUND_MODULE = "lib/tervalo/libtervalo_sound.so"
LINK = "bin/tervalo"
LINK_TARGET = "../lib/tervalo/tervalo"

FILES = (
    [EXECUTABLE, SOUND_MODULE]
    + [f"lib/tervalo/{name}" for name in SOUNDS]
    + [
        "share/applications/tervalo.desktop",
        "share/metainfo/io.github.tervalo.Tervalo.metainfo.xml",
        "share/icons/hicolor/scalable/apps/tervalo.svg",
    ]
    + [f"share/icons/hicolor/{n}x{n}/apps/tervalo.png" for n in ICON_SIZES]
)
