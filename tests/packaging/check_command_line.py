#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 The Tervalo developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Runs the built game with the options a user or a desktop might give it, with no display, and
checks each exit status and what is printed where.

    check_command_line.py <tervalo executable> <version>
"""

import os
import subprocess
import sys


def run(executable, arguments, **extra):
    # No display, and no platform chosen: what a text console or an ssh session gives.
    env = {name: value for name, value in os.environ.items()
           if name not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE")}
    env.update(extra)
    try:
        done = subprocess.run([executable] + arguments, env=env, capture_output=True, text=True,
                              timeout=60)
    except subprocess.TimeoutExpired:
        return None, "", "(timed out: it waited for something)"
    return done.returncode, done.stdout, done.stderr


def main(executable, version):
    cases = [
        # arguments, extra environment, status, what stdout holds, what stderr holds
        (["--help"], {}, 0, ["Usage:", "--help", "--version"], []),
        (["-h"], {}, 0, ["Usage:"], []),
        # --help-all keeps its promise: Qt's options, as passed on to Qt.
        (["--help-all"], {}, 0, ["Usage:", "--help-all", "-platform <value>", "-reverse"], []),
        (["--version"], {}, 0, [f"tervalo {version}\n"], []),
        # Qt's own options are Qt's, not errors.
        (["-platform", "offscreen", "--version"], {}, 0, [f"tervalo {version}\n"], []),
        (["--bogus"], {}, 2, [], ["bogus", "Usage:"]),
        (["-x"], {}, 2, [], ["Usage:"]),
        (["board.tvo"], {}, 2, [], ["board.tvo", "Usage:"]),
        ([], {}, 1, [], ["DISPLAY"]),
        # A display that is named but cannot be reached.
        ([], {"DISPLAY": ":9876"}, 1, [], [":9876"]),
    ]
    failures = []
    for arguments, extra, status, out_has, err_has in cases:
        label = " ".join(arguments) or "(no option)"
        if extra:
            label += " with " + " ".join(f"{k}={v}" for k, v in extra.items())
        code, out, err = run(executable, arguments, **extra)
        problems = []
        if code != status:
            problems.append(f"status {code}, not {status}")
        for text in out_has:
            if text not in out:
                problems.append(f"stdout lacks {text!r}")
        for text in err_has:
            if text not in err:
                problems.append(f"stderr lacks {text!r}")
        if status == 0 and err:
            problems.append("something on stderr")
        if status != 0 and out:
            problems.append("something on stdout")
        if status == 1 and (len(err.splitlines()) != 1 or not err.startswith("tervalo: ")):
            problems.append("not one line starting with 'tervalo: ' on stderr")
        if problems:
            failures.append(f"{label}: {'; '.join(problems)}\n  stdout: {out!r}\n  stderr: {err!r}")
        else:
            print(f"ok {label}: status {code}")
    for failure in failures:
        print("FAIL", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: check_command_line.py <tervalo executable> <version>")
    sys.exit(main(sys.argv[1], sys.argv[2]))
