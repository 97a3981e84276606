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
QString decoder(const QByteArray& octets, bool coupe) {
    auto essai = [](QByteArrayView bytes, QString& texte) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        texte = utf8.decode(bytes);
        return !utf8.hasError();
    };
    QString texte;
    if (essai(octets, texte)) {
        return texte;
    }
    // A value cut at the reader's limit may end inside a character: drop that broken tail.
    if (coupe) {
        for (qsizetype retire = 1; retire <= 3 && retire < octets.size(); ++retire) {
            if (essai(QByteArrayView(octets).first(octets.size() - retire), texte)) {
                return texte;
            }
        }
    }
    return QString::fromLatin1(octets);
}

} // namespace

QString Game::LireParametre(const QString& section, const QString& key) const {
    constexpr int Taille = 255;
    if (v.FichierParametres.isEmpty()) {
        return QString();
    }
    const profile::ReadResult lu =
        profile::readFile(v.FichierParametres, section.toUtf8(), key.toUtf8(), Taille);
    return decoder(lu.text.first(qBound(0, lu.n, int(lu.text.size()))), lu.n >= Taille - 1);
}

void Game::EcrireParametre(const QString& section, const QString& key, const QString& value) const {
    EcrireParametres(section, {{key, value}});
}

void Game::EcrireParametres(const QString& section,
                            const std::vector<std::pair<QString, QString>>& values) const {
    // Without a usable folder the statistics live in memory only (said once at start-up).
    if (v.FichierParametres.isEmpty()) {
        return;
    }
    // The per-user folder does not exist before the first write. A write that fails says so
    // in the log by itself; the game goes on either way.
    const QString dossier = QFileInfo(v.FichierParametres).absolutePath();
    if (!QFileInfo::exists(dossier)) {
        QDir().mkpath(dossier);
    }
    std::vector<profile::KeyWrite> cles;
    cles.reserve(values.size());
    for (const auto& [key, value] : values) {
        cles.push_back({key.toUtf8(), value.toUtf8()});
    }
    profile::writeFile(v.FichierParametres, section.toUtf8(), cles);
}

void Game::Enregistrer() const {
    // The labels are saved, not the counters: a game still in progress is not counted.
    EcrireParametres(SettingsSection,
                     {{QStringLiteral("Temps"), c.TempsMeilleur.text},
                      {QStringLiteral("PConsecutives"), c.VictConsMeilleure.text},
                      {QStringLiteral("Pjoue"), c.PJoue.text},
                      {QStringLiteral("PGagne"), c.PGagne.text},
                      {QStringLiteral("Sonore"),
                       c.Sons[0].value != 0 ? QStringLiteral("1") : QStringLiteral("0")}});
}
