// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/Game.h"

#include "stats/NumericReading.h"
#include "stats/ProfileFile.h"
#include "window/SettingsPath.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>
#include <QtGlobal>

namespace {

const QString Section = QStringLiteral("Parametres");

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

void Game::Form_Load(const QString& executablePath) {
    v.SonActif = -1;
    v.PartiesJouees = 0;
    v.PartiesGagnees = 0;
    v.VictConsMax = 0;

    v.FichierParametres = settingsFilePath(executablePath);
    if (v.FichierParametres.isEmpty()) {
        qWarning("Tervalo: no usable folder for the settings file (HOME and XDG_CONFIG_HOME are "
                 "unset or relative); the statistics of this run are kept in memory only");
    }

    // The digit colours and the board. The widget layer shows the board as soon as this event
    // returns, before any click; nothing here waits for it.
    ConstruireGrille();

    // Each key is applied as soon as it is read.
    c.TempsMeilleur.text = LireParametre(Section, QStringLiteral("Temps"));

    const QString consecutives = LireParametre(Section, QStringLiteral("PConsecutives"));
    c.VictConsMeilleure.text = consecutives;
    v.VictConsMax = lireNombre(consecutives);

    const QString jouees = LireParametre(Section, QStringLiteral("PJoue"));
    c.PJoue.text = jouees;
    v.PartiesJouees = lireNombre(jouees);

    const QString gagnees = LireParametre(Section, QStringLiteral("PGagne"));
    c.PGagne.text = gagnees;
    v.PartiesGagnees = lireNombre(gagnees);

    // The switch is set here directly: selecting the option does not go through its handler.
    const QString sonore = LireParametre(Section, QStringLiteral("Sonore"));
    const bool sonActif = sonore.isEmpty() || sonore == QLatin1String("1");
    c.Sons[0].value = sonActif ? 1 : 0;
    c.Sons[1].value = sonActif ? 0 : 1;
    v.SonActif = sonActif ? -1 : 0;

    Marquage();
}

void Game::Form_Unload() {
    Enregistrer();
}

void Game::Enregistrer() const {
    // The labels are saved, not the counters: a game still in progress is not counted.
    EcrireParametres(Section, {{QStringLiteral("Temps"), c.TempsMeilleur.text},
                               {QStringLiteral("PConsecutives"), c.VictConsMeilleure.text},
                               {QStringLiteral("Pjoue"), c.PJoue.text},
                               {QStringLiteral("PGagne"), c.PGagne.text},
                               {QStringLiteral("Sonore"),
                                c.Sons[0].value != 0 ? QStringLiteral("1") : QStringLiteral("0")}});
}
