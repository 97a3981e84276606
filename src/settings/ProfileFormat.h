// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

// Our reader and writer of the private-profile settings format ("[Section]" headers and
// "key=value" lines), byte-compatible with the files the game has always written. Pure
// functions on the file's contents; SafeSave.h puts them on disk.
namespace profile {

struct ReadResult {
    int n = 0;       // bytes copied, without the terminating NUL
    QByteArray text; // the first n bytes of the value (or of the default)
};

// Reads one key from file contents; `contents` is null when there is no file.
// Section and key match without regard to ASCII case; the buffer holds bufsize - 1 bytes.
// Names and values are trimmed of blanks and tabs, a value loses one pair of matching outer
// quotes and ends at a NUL; the first matching section and key win; a missing key gives the
// fallback without its trailing blanks. Lines end at LF, CRLF or a lone CR. A file with a
// UTF-16 byte-order mark is read as UTF-16 (values come back as Latin-1), a UTF-8 mark is
// skipped.
ReadResult read(const QByteArray* contents, const QByteArray& section, const QByteArray& key,
                int bufsize = 255, const QByteArray& fallback = {});

// Whether a key can be written at all: a key that is empty, starts with '[' or holds '=', and
// a section that holds ']', would not read back; neither may hold a line break or a NUL.
bool canWrite(const QByteArray& section, const QByteArray& key);

// Returns the new contents after writing one key (a null value deletes the key): the file is
// created when absent, a missing section is appended, a missing key becomes the last key of its
// section, an existing key gets its new value in place with every other byte kept. New lines
// end in CRLF; a value stops at its first line break or NUL. Contents come back unchanged when
// canWrite() is false.
QByteArray write(const QByteArray* contents, const QByteArray& section, const QByteArray& key,
                 const std::optional<QByteArray>& value);

// One key's write in a save.
struct KeyWrite {
    QByteArray key;
    std::optional<QByteArray> value; // null deletes the key
};

// The value of a key as it stands in the contents (no buffer limit, no fallback); nothing when
// the key is missing.
std::optional<QByteArray> lookup(const QByteArray& contents, const QByteArray& section,
                                 const QByteArray& key);

// Several keys written in order, exactly as that many single-key writes would apply them, with
// the contents decoded and encoded once; every key must pass canWrite(). Nothing when there was
// no file and the keys only delete (deleting from no file creates none).
std::optional<QByteArray> writeKeys(const QByteArray* contents, const QByteArray& section,
                                    const std::vector<KeyWrite>& keys);

} // namespace profile
