#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 The Tervalo developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Builds the fuzz seed corpus from the settings-file test vectors, plus a few seeds of our own.

Each seed is: one flag byte (bit 0 no file, bit 1 delete, bits 2-7 the buffer size, 63 for
255), then section, key, value (or read default) and file contents separated by 0x1F.
Run from anywhere: fuzz/make_corpus.py
"""
import json
import pathlib

HERE = pathlib.Path(__file__).resolve().parent
VECTORS = HERE.parent / "tests" / "data" / "settings-file"
CORPUS = HERE / "corpus"
SEP = b"\x1f"


def seed(no_file, delete, bufsize, section, key, value, contents):
    flags = (1 if no_file else 0) | (2 if delete else 0) | ((63 if bufsize >= 63 else bufsize) << 2)
    return bytes([flags]) + SEP.join([section, key, value, contents])


def latin1(text):
    return b"" if text is None else text.encode("latin-1")


def main():
    CORPUS.mkdir(exist_ok=True)
    for old in CORPUS.iterdir():
        old.unlink()
    seeds = {}
    for path in sorted(VECTORS.glob("*.json")):
        vector = json.loads(path.read_text())
        initial = vector["initial"]
        for i, op in enumerate(vector["ops"]):
            if op["section"] is None or op["key"] is None:
                continue
            if op["op"] == "get":
                data = seed(initial is None, False, op["bufsize"], latin1(op["section"]),
                            latin1(op["key"]), latin1(op["default"]), latin1(initial))
            else:
                data = seed(initial is None, op["value"] is None, 255, latin1(op["section"]),
                            latin1(op["key"]), latin1(op["value"]), latin1(initial))
            seeds[f"{vector['name']}-{i}"] = data

    game = "[Parametres]\r\nTemps=0:01:47\r\nPConsecutives=3\r\nPjoue=12\r\nPGagne=7\r\nSonore=1\r\n"
    seeds["utf16le"] = seed(False, False, 255, b"Parametres", b"PJoue", b"13",
                            b"\xff\xfe" + game.encode("utf-16-le"))
    seeds["utf16be"] = seed(False, False, 255, b"Parametres", b"Sonore", b"0",
                            b"\xfe\xff" + game.encode("utf-16-be") + b"x")
    seeds["utf8bom"] = seed(False, False, 255, b"Parametres", b"Temps", b"",
                            b"\xef\xbb\xbf" + game.encode("latin-1"))
    seeds["delete"] = seed(False, True, 255, b"Parametres", b"Pjoue", b"",
                           game.encode("latin-1"))
    for i, number in enumerate(["12", "12abc", "1 2", "2.5", "3.5", "-3.5", "&H1F", "&O17",
                                "1e2", "-7", "1e999", "&HFFFFFFFFFF", "nan", "32767.5",
                                "0.000005e6", "1d2", ".5", "- 4\t2\n1"]):
        seeds[f"number-{i}"] = seed(True, False, 255, b"Parametres", b"PGagne",
                                    number.encode("latin-1"), b"")
    for name, data in seeds.items():
        (CORPUS / name).write_bytes(data)
    print(f"{len(seeds)} seeds in {CORPUS}")


if __name__ == "__main__":
    main()
