// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "settings/ProfileFormat.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

// The settings file on disk: the format of ProfileFormat.h read from a file, and a save that
// replaces the file safely.
namespace profile {

// read() on a file. Reading a missing or unreadable file reads as no file. A key found in the
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
