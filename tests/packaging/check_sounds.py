#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 The Tervalo developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Checks the game's sound effects in a directory: present, 16-bit PCM WAV, shorter than 2 s,
and not silent.

    check_sounds.py <directory>
"""

import struct
import sys
import wave

NAMES = ("HALLELU1.wav", "Explosion.wav", "YEAH.wav", "POP.wav")


def pcm_format_tag(path):
    """The format tag of the fmt chunk: 1 for plain PCM."""
    with open(path, "rb") as f:
        data = f.read()
    if data[0:4] != b"RIFF" or data[8:12] != b"WAVE":
        return None
    offset = 12
    while offset + 8 <= len(data):
        chunk, size = data[offset:offset + 4], struct.unpack("<I", data[offset + 4:offset + 8])[0]
        if chunk == b"fmt ":
            return struct.unpack("<H", data[offset + 8:offset + 10])[0]
        offset += 8 + size + (size & 1)
    return None


def main(directory):
    failures = []
    for name in NAMES:
        path = f"{directory}/{name}"
        try:
            tag = pcm_format_tag(path)
            with wave.open(path, "rb") as w:
                width, rate, frames = w.getsampwidth(), w.getframerate(), w.getnframes()
                channels = w.getnchannels()
                raw = w.readframes(frames)
        except (OSError, wave.Error, EOFError) as error:
            failures.append(f"{name}: {error}")
            continue
        seconds = frames / rate if rate else 0.0
        samples = struct.unpack(f"<{len(raw) // 2}h", raw) if width == 2 else ()
        peak = max((abs(s) for s in samples), default=0)
        print(f"{name}: {channels} channel(s), {rate} Hz, {8 * width} bits, {seconds:.3f} s, "
              f"peak {peak}")
        if tag != 1:
            failures.append(f"{name}: format tag {tag}, not PCM")
        if width != 2:
            failures.append(f"{name}: {8 * width}-bit samples, not 16-bit")
        if not 0.0 < seconds < 2.0:
            failures.append(f"{name}: lasts {seconds:.3f} s")
        if peak < 1000:
            failures.append(f"{name}: practically silent (peak {peak})")
    for failure in failures:
        print("FAIL", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: check_sounds.py <directory>")
    sys.exit(main(sys.argv[1]))
