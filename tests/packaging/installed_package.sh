#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Tervalo developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the Debian package with apt-get, starts the installed game as root on a private X
# server, checks that its window shows, that a sound request (a mark on a cell) loads the sound
# module without a warning about a missing file, and that its statistics go to the per-user
# file, never beside the game in /usr; then purges the package and checks that none of its
# files remains.
#   tests/packaging/installed_package.sh build/deb/tervalo_*_amd64.deb
# Needs root (it installs a package): skips otherwise.
set -euo pipefail
deb="$(realpath "$1")"
if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP: installing a package needs root"
    exit 0
fi
if dpkg-query -W -f='${Status}' tervalo 2>/dev/null | grep -q 'ok installed'; then
    echo "FAIL: tervalo is already installed; purge it first"
    exit 1
fi

scratch="$(mktemp -d)"
game=""
xvfb=""
cleanup() {
    [ -n "$game" ] && kill -KILL "$game" 2>/dev/null || true
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    [ -f "$scratch/game.log" ] && sed 's/^/  game: /' "$scratch/game.log"
    exit 1
}

DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" > "$scratch/apt.log" 2>&1 ||
    { cat "$scratch/apt.log"; fail "apt-get install"; }
dpkg-query -L tervalo > "$scratch/files"
for path in /usr/games/tervalo /usr/lib/tervalo/tervalo /usr/lib/tervalo/libtervalo_sound.so \
    /usr/share/man/man6/tervalo.6.gz /usr/share/applications/io.github.tervalo.Tervalo.desktop; do
    [ -e "$path" ] || fail "$path is not installed"
done
/usr/games/tervalo --version | grep -qx 'tervalo [0-9.]*' || fail "tervalo --version"

# The installed game, as root, on its own X server, with a home of its own.
home="$scratch/home"
mkdir -p "$home" "$scratch/runtime"
chmod 700 "$scratch/runtime"
# The server writes its display number once it accepts connections.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3> "$scratch/display" > /dev/null 2>&1 &
xvfb=$!
for _ in $(seq 200); do
    grep -q . "$scratch/display" && break
    sleep 0.1
done
grep -q . "$scratch/display" || fail "Xvfb did not start"
export DISPLAY=":$(head -n 1 "$scratch/display")"
env -i PATH=/usr/bin:/bin:/usr/games HOME="$home" DISPLAY="$DISPLAY" \
    XDG_RUNTIME_DIR="$scratch/runtime" /usr/games/tervalo > "$scratch/game.log" 2>&1 &
game=$!
window="$(timeout 60 xdotool search --sync --onlyvisible --pid "$game" --name '^Tervalo - ' |
    head -n 1)" || fail "the game's window did not show"
echo "window $window shown"

# "Rejouer" deals, then a right click on the first cell marks it: the mark sounds.
sleep 1
xdotool mousemove --window "$window" 592 467 click 1
sleep 0.5
xdotool mousemove --window "$window" 25 25 click 3
for _ in $(seq 100); do
    grep -q libtervalo_sound.so "/proc/$game/maps" && break
    sleep 0.1
done
grep -q /usr/lib/tervalo/libtervalo_sound.so "/proc/$game/maps" ||
    fail "the sound module was not loaded after a sound request"
sleep 1
if grep -E "is missing|cannot be loaded" "$scratch/game.log"; then
    fail "a sound file or the sound module was not found"
fi

# Closed as at the end of a session: the statistics are saved, in the per-user file.
kill -TERM "$game"
status=0
wait "$game" || status=$?
game=""
[ "$status" -eq 0 ] || fail "the game ended with status $status"
[ -f "$home/.config/tervalo/tervalo.tvo" ] || fail "no statistics in ~/.config/tervalo/tervalo.tvo"
[ ! -e /usr/lib/tervalo/tervalo.tvo ] || fail "root's statistics were written into /usr/lib/tervalo"
echo "statistics kept in ~/.config/tervalo/tervalo.tvo"
sed 's/^/  game: /' "$scratch/game.log"

DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq tervalo > "$scratch/apt.log" 2>&1 ||
    { cat "$scratch/apt.log"; fail "apt-get purge"; }
if dpkg-query -W -f='${Status}' tervalo 2>/dev/null | grep -q 'installed'; then
    fail "tervalo is still known to dpkg after the purge"
fi
left=0
while read -r path; do
    # The folders it shared with other packages stay.
    if [ -L "$path" ] || { [ -e "$path" ] && { [ ! -d "$path" ] || [[ "$path" == *tervalo* ]]; }; }; then
        echo "left behind: $path"
        left=1
    fi
done < "$scratch/files"
[ "$left" -eq 0 ] || fail "files of the package remain after the purge"
echo "installed, ran and purged: $(wc -l < "$scratch/files") paths, none left"
