#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Tervalo developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Start-up to the first painted frame, and peak memory, of the game against an empty Qt
# window of the same size, both measured in this one run on this machine.
#
#   bench/startup.sh [build-dir] [runs]
#
# The build directory needs the targets tervalo_first_paint and empty_window (a Release
# build: cmake --build <dir> --target tervalo_first_paint empty_window). Both programs end
# right after their first paint. Runs under Xvfb when it is installed, otherwise on Qt's
# offscreen platform.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(cd "${1:-$here/build/release}" && pwd)"
runs="${2:-40}"
game="$build/bench/tervalo_first_paint"
empty="$build/bench/empty_window"
for program in "$game" "$empty"; do
    [ -x "$program" ] || { echo "missing $program: build it first" >&2; exit 1; }
done

# Under a private X server when possible: the whole script again, inside xvfb-run.
if [ -z "${TERVALO_BENCH_INSIDE:-}" ] && [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null; then
    TERVALO_BENCH_INSIDE=1 exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
        "$0" "$build" "$runs"
fi
if [ -n "${DISPLAY:-}" ]; then
    export QT_QPA_PLATFORM=xcb
    platform="X server $DISPLAY"
else
    export QT_QPA_PLATFORM=offscreen
    platform="offscreen"
fi
XDG_RUNTIME_DIR="$(mktemp -d)"
export XDG_RUNTIME_DIR
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT

python3 - "$runs" "$platform" "$empty" "$game" <<'PY'
import os, statistics, subprocess, sys, time

runs, platform, empty, game = int(sys.argv[1]), sys.argv[2], sys.argv[3], sys.argv[4]

def once(program):
    """Wall time and processor time (ms) and peak resident memory (KiB) of one run."""
    start = time.perf_counter()
    child = subprocess.Popen([program], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    wall = (time.perf_counter() - start) * 1000
    if status != 0:
        sys.exit(f"{program} failed with status {status}")
    return wall, (usage.ru_utime + usage.ru_stime) * 1000, usage.ru_maxrss

# Warm the file and font caches, then alternate so a change in the machine's load touches
# both programs alike.
for _ in range(3):
    once(empty), once(game)
samples = {empty: [], game: []}
for _ in range(runs):
    for program in (empty, game):
        samples[program].append(once(program))

def medians(program):
    return [statistics.median(s[k] for s in samples[program]) for k in range(3)]

e, g = medians(empty), medians(game)
print(f"Start-up to the first painted frame ({platform}, medians of {runs} runs)")
print(f"  {'':14}{'wall':>10}{'processor':>12}{'peak memory':>14}")
for name, m in (("empty window", e), ("tervalo", g)):
    print(f"  {name:14}{m[0]:8.1f} ms{m[1]:9.1f} ms{m[2]:10.0f} KiB")
print(f"  {'ratio':14}{g[0] / e[0]:8.2f} x {g[1] / e[1]:9.2f} x {g[2] / e[2]:10.2f} x"
      "   (targets: time 1.5 x, memory 1.3 x)")

# On a shared machine the load drifts during the run: each game run against the empty-window
# run just before it, with the middle half of those ratios to show how far they spread.
def paired(k):
    ratios = sorted(gs[k] / es[k] for es, gs in zip(samples[empty], samples[game]))
    quarter = len(ratios) // 4
    return statistics.median(ratios), ratios[quarter], ratios[-1 - quarter]

p = [paired(k) for k in range(3)]
print(f"  {'paired ratio':14}{p[0][0]:8.2f} x {p[1][0]:9.2f} x {p[2][0]:10.2f} x")
print(f"  {'  middle half':14}{p[0][1]:5.2f}-{p[0][2]:.2f}{p[1][1]:7.2f}-{p[1][2]:.2f}"
      f"{p[2][1]:8.2f}-{p[2][2]:.2f}")
PY
