// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

// Our reader and writer of the private-profile settings format ("[Section]" headers and
// "key=value" lines), byte-compatible with the files the game has always written.
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

// The same on a file. Reading a missing or unreadable file reads as no file. A key found in the
// first MiB costs no more; the rest of a larger file is read only for a key not found there.
ReadResult readFile(const QString& path, const QByteArray& section, const QByteArray& key,
                    int bufsize = 255, const QByteArray& fallback = {});

// One save: the keys are applied in order to the contents in memory, exactly as that many
// single-key writes would apply them, and the file is replaced once, so a crash leaves either
// the whole old file or the whole new one. The replacement goes through a temporary file beside
// the file; when none can be made there (a writable file in a folder that cannot be written),
// the file is rewritten in place, its room reserved first and its data synced, and the run says
// once that it saved in place. The new data is synced before it replaces the old file, and the
// folder after. On any failure (a full disk, a failed flush or sync) the old file is left as it
// was and one warning names the path and the reason; the result is then false. A replaced file
// keeps its permissions. A save reads the whole file, so that every byte that is not one of its
// keys is kept; a file over 256 MiB is left as it is, with a warning.
bool writeFile(const QString& path, const QByteArray& section, const std::vector<KeyWrite>& keys);
bool writeFile(const QString& path, const QByteArray& section, const QByteArray& key,
               const std::optional<QByteArray>& value);

} // namespace profile
