// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/stats/Statistics.h"

#include "core/Game.h"

#include <QRegularExpression>
#include <charconv>
#include <cstdint>
#include <string>

float successRate(std::int16_t won, std::int16_t played) {
    // Nothing won, or wins against no game played (a hand-edited file): no division.
    if (won <= 0 || played <= 0) {
        return 0.0f;
    }
    // The rate rounded to hundredths, worked out exactly on integers: a double would put
    // 0.625 or 66.665 on the wrong side of the half now and then.
    const std::int64_t numerator = std::int64_t{won} * 10000;
    const std::int64_t hundredths = (2 * numerator + played) / (2 * std::int64_t{played});

    // Read back the two-decimal text, so the float is the one nearest that decimal value.
    const std::string text = std::to_string(hundredths / 100) + '.' +
                             static_cast<char>('0' + hundredths % 100 / 10) +
                             static_cast<char>('0' + hundredths % 10);
    float percent = 0.0f;
    std::from_chars(text.data(), text.data() + text.size(), percent);
    return percent;
}

QString rateText(float percent, const QLocale& locale) {
    // Seven significant digits at most, trailing zeros dropped: 66.67f shows "66.67", not its
    // binary expansion. Only the separator follows the regional settings (no grouping).
    QString text = QString::number(static_cast<double>(percent), 'g', 7);
    text.replace(QLatin1Char('.'), locale.decimalPoint());
    return text + QStringLiteral(" %");
}

namespace {

struct Duration {
    QStringView hours; // digits without leading zeros
    QStringView minutes;
    QStringView seconds;
};

// "h:mm:ss" with any number of hour digits, minutes and seconds 00 to 59.
bool readDuration(const QString& text, Duration& duration) {
    static const QRegularExpression pattern(
        QStringLiteral("\\A([0-9]+):([0-5][0-9]):([0-5][0-9])\\z"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch()) {
        return false;
    }
    QStringView hours = m.capturedView(1);
    while (hours.size() > 1 && hours.front() == QLatin1Char('0')) {
        hours = hours.sliced(1);
    }
    duration = Duration{hours, m.capturedView(2), m.capturedView(3)};
    return true;
}

// Compares durations without a limit on the hours: fewer digits is shorter, then digit by digit.
int compareDurations(const Duration& a, const Duration& b) {
    if (a.hours.size() != b.hours.size()) {
        return a.hours.size() < b.hours.size() ? -1 : 1;
    }
    if (const int h = a.hours.compare(b.hours); h != 0) {
        return h;
    }
    if (const int m = a.minutes.compare(b.minutes); m != 0) {
        return m;
    }
    return a.seconds.compare(b.seconds);
}

} // namespace

bool beatsBestTime(const QString& best, const QString& time) {
    if (best.isEmpty() || best == QLatin1String("0") || best == QLatin1String("0:00:00")) {
        return true;
    }
    Duration b;
    Duration t;
    if (readDuration(best, b) && readDuration(time, t)) {
        return compareDurations(t, b) < 0;
    }
    // Anything else (a hand-edited file) keeps the plain comparison of character codes.
    return QStringView(time).compare(QStringView(best), Qt::CaseSensitive) < 0;
}

void Game::Marquage() {
    controls_.PJoue.text = QString::number(vars_.PartiesJouees);
    controls_.PGagne.text = QString::number(vars_.PartiesGagnees);
    vars_.Pourcentage = successRate(vars_.PartiesGagnees, vars_.PartiesJouees);
    controls_.Pourcent.text = rateText(vars_.Pourcentage, locale);
    controls_.Mines.text = QStringLiteral("10");
    controls_.Mines.back = colours::DarkRed;
    controls_.Mines.fore = colours::White;
    controls_.VictConsActuelle.text = QString::number(vars_.VictCons);
    // The best run's label keeps whatever text it has (one read from the file included) until
    // the current run really passes it.
    if (vars_.VictCons > vars_.VictConsMax) {
        vars_.VictConsMax = vars_.VictCons;
        controls_.VictConsMeilleure.text = QString::number(vars_.VictConsMax);
    }
    controls_.Rejouer.enabled = true;
    controls_.Timer1.enabled = false;
    controls_.RAZ.enabled = true;
}

void Game::RAZ_Click() {
    // The button takes no click during a game.
    if (!controls_.RAZ.enabled) {
        return;
    }
    // The five keys of the reset go to the file as one save.
    writeSettings(SettingsSection, {{QStringLiteral("Temps"), QString()},
                                    {QStringLiteral("PConsecutives"), QStringLiteral("0")},
                                    {QStringLiteral("Pjoue"), QStringLiteral("0")},
                                    {QStringLiteral("PGagne"), QStringLiteral("0")},
                                    {QStringLiteral("Sonore"), QStringLiteral("0")}});

    controls_.TempsMeilleur.text = QStringLiteral("0");
    vars_.VictConsMax = 0;
    controls_.VictConsMeilleure.text = QStringLiteral("0");
    vars_.PartiesJouees = 0;
    controls_.PJoue.text = QStringLiteral("0");
    vars_.PartiesGagnees = 0;
    controls_.PGagne.text = QStringLiteral("0");

    // "Oui" is selected, so the sound is switched on with it: the switch then shows what the
    // game does. The file still gets "0" here; the close writes the option's state over it.
    controls_.Sons[0].value = 1;
    controls_.Sons[1].value = 0;
    vars_.SonActif = -1;

    controls_.Pourcent.text = QStringLiteral("0 %");
}
