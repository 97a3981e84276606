#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 The Tervalo developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Every #include "…" under src/ against the layers' rule (README, Layout).

    include_rule.py <src folder>

A file's layer is its first folder under src/; main.cpp alone may include anything. Every
include of ours names its layer ("core/Game.h"). Prints each forbidden include and fails.
"""

import pathlib
import re
import sys

# What each layer may include besides itself.
ALLOWED = {
    "settings": set(),
    "core": {"settings"},
    "ui": {"core", "settings"},
    "platform": {"settings"},
}
# The platform implements the core's interfaces to the outside world, and sees nothing else of
# the core.
ALLOWED_FILES = {"platform": {"core/Services.h"}}

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.MULTILINE)


def faults(src):
    found = []
    files = sorted(p for p in src.rglob("*") if p.suffix in (".h", ".cpp", ".in"))
    if not files:
        return [f"{src}: no source files"]
    for path in files:
        relative = path.relative_to(src)
        if relative.as_posix() == "main.cpp":
            continue
        layer = relative.parts[0]
        if layer not in ALLOWED:
            found.append(f"{relative}: in no layer")
            continue
        for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            name = match.group(1)
            target = name.split("/")[0]
            if "/" not in name or target not in ALLOWED:
                found.append(f"{relative}:{number}: \"{name}\" names no layer")
            elif target != layer and target not in ALLOWED[layer] \
                    and name not in ALLOWED_FILES.get(layer, set()):
                found.append(f"{relative}:{number}: {layer} may not include \"{name}\"")
    return found


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: include_rule.py <src folder>")
    found = faults(pathlib.Path(sys.argv[1]))
    for fault in found:
        print(fault)
    sys.exit(1 if found else 0)


if __name__ == "__main__":
    main()
