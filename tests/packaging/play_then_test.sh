#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Tervalo developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The README's two commands, in that order, in a fresh clone of this repository: tools/play
# builds and starts the game (on a private X server; it is closed as at the end of a session
# once its window shows), then tools/test, which must build and run the whole suite, not
# whatever tools/play left behind.
#   tests/packaging/play_then_test.sh
# CI runs this in place of a bare tools/test: the suite runs once, in the clone.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
source "$here/tools/packages.sh"
"$here/tools/deps.sh" git xvfb xauth xdotool
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
clone="$scratch/tervalo"
git clone -q "$here" "$clone"

echo "== tools/play"
# The game replaces tools/play (exec), so the script's process is the game's.
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    "$1" > "$2" 2>&1 &
    pid=$!
    # The build comes first: generous.
    if ! timeout 1800 xdotool search --sync --onlyvisible --pid "$pid" --name "^Tervalo - " \
            > /dev/null; then
        kill "$pid" 2> /dev/null
        echo "FAIL: no window from tools/play"
        exit 1
    fi
    kill -TERM "$pid"
    wait "$pid"' _ "$clone/tools/play" "$scratch/play.log" ||
    { tail -n 30 "$scratch/play.log"; echo "FAIL: tools/play"; exit 1; }
echo "tools/play showed the game's window and closed cleanly"

echo "== tools/test"
"$clone/tools/test" 2>&1 | tee "$scratch/test.log"
listed="$(cd "$clone/build/release" && ctest -N | sed -n 's/^Total Tests: //p')"
ran="$(sed -n 's/.*tests passed, [0-9]* tests\? failed out of \([0-9]*\)$/\1/p' "$scratch/test.log")"
if [ -z "$ran" ] || [ "$listed" -eq 0 ] || [ "$ran" -ne "$listed" ]; then
    echo "FAIL: tools/test ran ${ran:-no} tests of the ${listed} the suite has"
    exit 1
fi
echo "tools/test after tools/play ran all $ran tests"
