#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 The Tervalo developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Installs a build tree into a temporary prefix and checks what lands there.

    check_install.py <cmake> <build directory>
"""

import os
import re
import struct
import subprocess
import sys
import tempfile

import layout


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
        return None
    return struct.unpack(">II", head[16:24])


def needed(path):
    """The shared libraries an ELF file names as needed."""
    dynamic = subprocess.run(["readelf", "-d", path], check=True, capture_output=True,
                             text=True).stdout
    return re.findall(r"\(NEEDED\)\s+Shared library: \[([^\]]+)\]", dynamic)


def links_audio(path):
    return any(name.startswith("libpulse") for name in needed(path))


def check(prefix):
    failures = []
    for relative in layout.FILES:
        path = os.path.join(prefix, relative)
        if not os.path.isfile(path) or os.path.islink(path):
            failures.append(f"{relative}: missing or not a plain file")
    executable = os.path.join(prefix, layout.EXECUTABLE)
    if os.path.isfile(executable) and not os.access(executable, os.X_OK):
        failures.append(f"{layout.EXECUTABLE}: not executable")

    # The sound server's client comes with the first sound, through the module, never with the
    # window.
    if os.path.isfile(executable) and links_audio(executable):
        failures.append(f"{layout.EXECUTABLE}: links the sound server's client")
    module = os.path.join(prefix, layout.SOUND_MODULE)
    if os.path.isfile(module) and not links_audio(module):
        failures.append(f"{layout.SOUND_MODULE}: does not link the sound server's client")

    link = os.path.join(prefix, layout.LINK)
    if not os.path.islink(link):
        failures.append(f"{layout.LINK}: not a symbolic link")
    else:
        target = os.readlink(link)
        if target != layout.LINK_TARGET:
            failures.append(f"{layout.LINK}: points to {target}, not {layout.LINK_TARGET}")
        elif os.path.realpath(link) != os.path.realpath(executable):
            failures.append(f"{layout.LINK}: does not resolve to the executable")

    for n in layout.ICON_SIZES:
        relative = f"share/icons/hicolor/{n}x{n}/apps/{layout.APP_ID}.png"
        path = os.path.join(prefix, relative)
        if os.path.isfile(path) and png_size(path) != (n, n):
            failures.append(f"{relative}: a PNG of {png_size(path)}, not {n}x{n}")
    return failures


def main(cmake, build):
    with tempfile.TemporaryDirectory() as scratch:
        prefix = os.path.join(scratch, "usr")
        subprocess.run([cmake, "--install", build, "--prefix", prefix], check=True,
                       stdout=subprocess.DEVNULL)
        failures = check(prefix)
        for failure in failures:
            print("FAIL", failure)
        if not failures:
            print(f"{len(layout.FILES) + 1} entries installed as expected")
        return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: check_install.py <cmake> <build directory>")
    sys.exit(main(sys.argv[1], sys.argv[2]))
