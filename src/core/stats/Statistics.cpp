// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/stats/Statistics.h"

#include "core/Game.h"

#include <QRegularExpression>
#include <charconv>
#include <cstdint>
#include <string>

float tauxDeReussite(std::int16_t gagnees, std::int16_t jouees) {
    // Nothing won, or wins against no game played (a hand-edited file): no division.
    if (gagnees <= 0 || jouees <= 0) {
        return 0.0f;
    }
    // The rate rounded to hundredths, worked out exactly on integers: a double would put
    // 0.625 or 66.665 on the wrong side of the half now and then.
    const std::int64_t numerateur = std::int64_t{gagnees} * 10000;
    const std::int64_t centiemes = (2 * numerateur + jouees) / (2 * std::int64_t{jouees});

    // Read back the two-decimal text, so the float is the one nearest that decimal value.
    const std::string texte = std::to_string(centiemes / 100) + '.' +
                              static_cast<char>('0' + centiemes % 100 / 10) +
                              static_cast<char>('0' + centiemes % 10);
    float pourcentage = 0.0f;
    std::from_chars(texte.data(), texte.data() + texte.size(), pourcentage);
    return pourcentage;
}

QString texteTaux(float pourcentage, const QLocale& locale) {
    // Seven significant digits at most, trailing zeros dropped: 66.67f shows "66.67", not its
    // binary expansion. Only the separator follows the regional settings (no grouping).
    QString texte = QString::number(static_cast<double>(pourcentage), 'g', 7);
    texte.replace(QLatin1Char('.'), locale.decimalPoint());
    return texte + QStringLiteral(" %");
}

namespace {

struct Duree {
    QStringView heures; // digits without leading zeros
    QStringView minutes;
    QStringView secondes;
};

// "h:mm:ss" with any number of hour digits, minutes and seconds 00 to 59.
bool lireDuree(const QString& texte, Duree& duree) {
    static const QRegularExpression forme(
        QStringLiteral("\\A([0-9]+):([0-5][0-9]):([0-5][0-9])\\z"));
    const QRegularExpressionMatch m = forme.match(texte);
    if (!m.hasMatch()) {
        return false;
    }
    QStringView heures = m.capturedView(1);
    while (heures.size() > 1 && heures.front() == QLatin1Char('0')) {
        heures = heures.sliced(1);
    }
    duree = Duree{heures, m.capturedView(2), m.capturedView(3)};
    return true;
}

// Compares durations without a limit on the hours: fewer digits is shorter, then digit by digit.
int compareDurees(const Duree& a, const Duree& b) {
    if (a.heures.size() != b.heures.size()) {
        return a.heures.size() < b.heures.size() ? -1 : 1;
    }
    if (const int h = a.heures.compare(b.heures); h != 0) {
        return h;
    }
    if (const int m = a.minutes.compare(b.minutes); m != 0) {
        return m;
    }
    return a.secondes.compare(b.secondes);
}

} // namespace

bool remplaceMeilleurTemps(const QString& meilleur, const QString& temps) {
    if (meilleur.isEmpty() || meilleur == QLatin1String("0") ||
        meilleur == QLatin1String("0:00:00")) {
        return true;
    }
    Duree b;
    Duree t;
    if (lireDuree(meilleur, b) && lireDuree(temps, t)) {
        return compareDurees(t, b) < 0;
    }
    // Anything else (a hand-edited file) keeps the plain comparison of character codes.
    return QStringView(temps).compare(QStringView(meilleur), Qt::CaseSensitive) < 0;
}

void Game::Marquage() {
    c.PJoue.text = QString::number(v.PartiesJouees);
    c.PGagne.text = QString::number(v.PartiesGagnees);
    v.Pourcentage = tauxDeReussite(v.PartiesGagnees, v.PartiesJouees);
    c.Pourcent.text = texteTaux(v.Pourcentage, locale);
    c.Mines.text = QStringLiteral("10");
    c.Mines.back = colours::DarkRed;
    c.Mines.fore = colours::White;
    c.VictConsActuelle.text = QString::number(v.VictCons);
    // The best run's label keeps whatever text it has (one read from the file included) until
    // the current run really passes it.
    if (v.VictCons > v.VictConsMax) {
        v.VictConsMax = v.VictCons;
        c.VictConsMeilleure.text = QString::number(v.VictConsMax);
    }
    c.Rejouer.enabled = true;
    c.Timer1.enabled = false;
    c.RAZ.enabled = true;
}

void Game::RAZ_Click() {
    // The button takes no click during a game.
    if (!c.RAZ.enabled) {
        return;
    }
    // The five keys of the reset go to the file as one save.
    EcrireParametres(SettingsSection, {{QStringLiteral("Temps"), QString()},
                                       {QStringLiteral("PConsecutives"), QStringLiteral("0")},
                                       {QStringLiteral("Pjoue"), QStringLiteral("0")},
                                       {QStringLiteral("PGagne"), QStringLiteral("0")},
                                       {QStringLiteral("Sonore"), QStringLiteral("0")}});

    c.TempsMeilleur.text = QStringLiteral("0");
    v.VictConsMax = 0;
    c.VictConsMeilleure.text = QStringLiteral("0");
    v.PartiesJouees = 0;
    c.PJoue.text = QStringLiteral("0");
    v.PartiesGagnees = 0;
    c.PGagne.text = QStringLiteral("0");

    // "Oui" is selected, so the sound is switched on with it: the switch then shows what the
    // game does. The file still gets "0" here; the close writes the option's state over it.
    c.Sons[0].value = 1;
    c.Sons[1].value = 0;
    v.SonActif = -1;

    c.Pourcent.text = QStringLiteral("0 %");
}
