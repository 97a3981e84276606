#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 The Tervalo developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Builds the Debian package of a build tree with CPack and checks its contents and control
fields (the dependencies are worked out by dpkg-shlibdeps, so they must not be empty).

    check_deb.py <cpack> <build directory>
"""

import glob
import os
import subprocess
import sys
import tempfile

import layout


def entries(deb):
    """The package's entries: path (relative to the prefix /usr) -> (type letter, link target)."""
    listing = subprocess.run(["dpkg-deb", "-c", deb], check=True, capture_output=True,
                             text=True).stdout
    found = {}
    for line in listing.splitlines():
        fields = line.split(None, 5)
        if len(fields) < 6:
            continue
        mode, name = fields[0], fields[5]
        target = None
        if " -> " in name:
            name, target = name.split(" -> ", 1)
        if name.startswith("./usr/"):
            found[name[len("./usr/"):].rstrip("/")] = (mode, target)
    return found


def field(deb, name):
    return subprocess.run(["dpkg-deb", "-f", deb, name], check=True, capture_output=True,
                          text=True).stdout.strip()


def check(deb):
    failures = []
    found = entries(deb)
    for relative in layout.FILES:
        mode, _ = found.get(relative, ("", None))
        if not mode.startswith("-"):
            failures.append(f"/usr/{relative}: missing or not a plain file")
    mode, _ = found.get(layout.EXECUTABLE, ("", None))
    if mode and mode[3] != "x":
        failures.append(f"/usr/{layout.EXECUTABLE}: not executable ({mode})")
    mode, target = found.get(layout.LINK, ("", None))
    if not mode.startswith("l") or target != layout.LINK_TARGET:
        failures.append(f"/usr/{layout.LINK}: {mode} -> {target}, not a link to "
                        f"{layout.LINK_TARGET}")

    if field(deb, "Package") != "tervalo":
        failures.append(f"Package is {field(deb, 'Package')!r}")
    if not field(deb, "Maintainer"):
        failures.append("no Maintainer")
    depends = field(deb, "Depends")
    print("Depends:", depends)
    # Worked out by dpkg-shlibdeps from the executable and the sound module (the sound server's
    # client), and the plugins the game only loads.
    for package in ("libc6", "libqt6core6", "libpulse0", "qt6-qpa-plugins", "libqt6svg6"):
        if package not in depends.replace(",", " ").split():
            failures.append(f"Depends lacks {package}")
    return failures


def main(cpack, build):
    with tempfile.TemporaryDirectory() as scratch:
        subprocess.run([cpack, "-G", "DEB", "--config", os.path.join(build, "CPackConfig.cmake"),
                        "-B", scratch], check=True, stdout=subprocess.DEVNULL)
        debs = glob.glob(os.path.join(scratch, "tervalo_*.deb"))
        if len(debs) != 1:
            print("FAIL expected one tervalo_*.deb, found", debs)
            return 1
        print("Package:", os.path.basename(debs[0]), os.path.getsize(debs[0]), "bytes")
        failures = check(debs[0])
        for failure in failures:
            print("FAIL", failure)
        return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: check_deb.py <cpack> <build directory>")
    sys.exit(main(sys.argv[1], sys.argv[2]))
