// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/Game.h"

#include "core/stats/Statistics.h"
#include "settings/SafeSave.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>
#include <QtGlobal>

namespace {

// A saved text: UTF-8 when its bytes are valid UTF-8 (what we write), otherwise taken as
// Latin-1, as files written on other systems in an 8-bit code page may be.
QString decodeValue(const QByteArray& raw, bool truncated) {
    auto tryUtf8 = [](QByteArrayView bytes, QString& text) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        text = utf8.decode(bytes);
        return !utf8.hasError();
    };
    QString text;
    if (tryUtf8(raw, text)) {
        return text;
    }
    // A value cut at the reader's limit may end inside a character: drop that broken tail.
    if (truncated) {
        for (qsizetype dropped = 1; dropped <= 3 && dropped < raw.size(); ++dropped) {
            if (tryUtf8(QByteArrayView(raw).first(raw.size() - dropped), text)) {
                return text;
            }
        }
    }
    return QString::fromLatin1(raw);
}

} // namespace

QString Game::LireParametre(const QString& section, const QString& key) const {
    constexpr int BufferSize = 255;
    if (vars_.FichierParametres.isEmpty()) {
        return QString();
    }
    const profile::ReadResult result =
        profile::readFile(vars_.FichierParametres, section.toUtf8(), key.toUtf8(), BufferSize);
    return decodeValue(result.text.first(qBound(0, result.n, int(result.text.size()))),
                       result.n >= BufferSize - 1);
}

void Game::writeSetting(const QString& section, const QString& key, const QString& value) const {
    writeSettings(section, {{key, value}});
}

void Game::writeSettings(const QString& section,
                         const std::vector<std::pair<QString, QString>>& values) const {
    // Without a usable folder the statistics live in memory only (said once at start-up).
    if (vars_.FichierParametres.isEmpty()) {
        return;
    }
    // The per-user folder does not exist before the first write. A write that fails says so
    // in the log by itself; the game goes on either way.
    const QString folder = QFileInfo(vars_.FichierParametres).absolutePath();
    if (!QFileInfo::exists(folder)) {
        QDir().mkpath(folder);
    }
    std::vector<profile::KeyWrite> keys;
    keys.reserve(values.size());
    for (const auto& [key, value] : values) {
        keys.push_back({key.toUtf8(), value.toUtf8()});
    }
    profile::writeFile(vars_.FichierParametres, section.toUtf8(), keys);
}

void Game::saveStatistics() const {
    // The labels are saved, not the counters: a game still in progress is not counted.
    writeSettings(SettingsSection,
                  {{QStringLiteral("Temps"), controls_.TempsMeilleur.text},
                   {QStringLiteral("PConsecutives"), controls_.VictConsMeilleure.text},
                   {QStringLiteral("Pjoue"), controls_.PJoue.text},
                   {QStringLiteral("PGagne"), controls_.PGagne.text},
                   {QStringLiteral("Sonore"),
                    controls_.Sons[0].value != 0 ? QStringLiteral("1") : QStringLiteral("0")}});
}
