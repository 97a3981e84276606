// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/CommandLine.h"
#include "platform/Version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QList>
#include <QMessageLogContext>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

void print(FILE* stream, const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fflush(stream);
}

// The options QGuiApplication, QApplication and the X11 platform plugin take for themselves.
// Returns them as --help-all lists them.
QString acceptQtOptions(QCommandLineParser& parser) {
    const char* const withValue[] = {"platform",
                                     "platformpluginpath",
                                     "platformtheme",
                                     "plugin",
                                     "qwindowgeometry",
                                     "qwindowicon",
                                     "qwindowtitle",
                                     "qmljsdebugger",
                                     "display",
                                     "geometry",
                                     "name",
                                     "title",
                                     "visual",
                                     "style",
                                     "stylesheet",
                                     "session"};
    const char* const flags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};
    QString listed = QStringLiteral("\nQt's own options, passed on to Qt (see the Qt "
                                    "documentation of QApplication):\n");
    for (const char* name : withValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
        listed += QStringLiteral("  -%1 <value>\n").arg(QLatin1String(name));
    }
    for (const char* name : flags) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
        listed += QStringLiteral("  -%1\n").arg(QLatin1String(name));
    }
    return listed;
}

struct Held {
    QtMsgType type;
    QString category;
    QString text;
};

QList<Held>& held() {
    static QList<Held> messages;
    return messages;
}

void holdOrStop(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtFatalMsg) {
        held().append({type, QString::fromUtf8(context.category ? context.category : ""), text});
        return;
    }
    const QByteArray display = qgetenv("DISPLAY");
    const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
    QString line;
    if (display.isEmpty() && wayland.isEmpty()) {
        line = QStringLiteral("tervalo: no display to open the window on (neither DISPLAY nor "
                              "WAYLAND_DISPLAY is set); start the game from a desktop session.\n");
    } else {
        line = QStringLiteral("tervalo: cannot open the window on the display (DISPLAY=%1, "
                              "WAYLAND_DISPLAY=%2).\n")
                   .arg(QString::fromLocal8Bit(display), QString::fromLocal8Bit(wayland));
    }
    print(stderr, line);
    std::_Exit(1);
}

} // namespace

std::optional<int> handleCommandLine(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));

    QCommandLineParser parser;
    // "-platform offscreen" as Qt spells its own options, never "-p -l -a…".
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Tervalo, a mine-clearing game: reveal the 90 safe cells of a 10 x 10 "
                       "board\nwithout touching its 10 mines. See tervalo(6)."));
    // Qt's own help options would promise Qt's options under --help-all and print --help.
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Displays this help."));
    const QCommandLineOption helpAll(QStringLiteral("help-all"),
                                     QStringLiteral("Displays this help and the Qt options the "
                                                    "game passes on to Qt."));
    parser.addOption(help);
    parser.addOption(helpAll);
    const QCommandLineOption version = parser.addVersionOption();
    const QString qtOptions = acceptQtOptions(parser);

    const QString program = QStringLiteral("tervalo");
    const bool parsed = parser.parse(arguments);
    const bool wantsHelp = parsed && (parser.isSet(help) || parser.isSet(helpAll));
    const bool asked = wantsHelp || (parsed && parser.isSet(version));
    if (parsed && !asked && parser.positionalArguments().isEmpty())
        return std::nullopt;

    // The help text names the program from QCoreApplication's arguments; none needs a display.
    int count = argc;
    QCoreApplication core(count, argv);
    if (!parsed) {
        print(stderr, program + QStringLiteral(": ") + parser.errorText() + QLatin1Char('\n') +
                          parser.helpText());
        return 2;
    }
    if (!parser.positionalArguments().isEmpty()) {
        print(stderr, program + QStringLiteral(": unexpected argument '") +
                          parser.positionalArguments().constFirst() + QStringLiteral("'\n") +
                          parser.helpText());
        return 2;
    }
    if (wantsHelp) {
        print(stdout, parser.helpText() + (parser.isSet(helpAll) ? qtOptions : QString()));
        return 0;
    }
    print(stdout, program + QLatin1Char(' ') + QStringLiteral(TERVALO_VERSION) + QLatin1Char('\n'));
    return 0;
}

DisplayGuard::DisplayGuard() : previous_(qInstallMessageHandler(holdOrStop)) {}

DisplayGuard::~DisplayGuard() {
    qInstallMessageHandler(previous_);
    const QList<Held> messages = std::exchange(held(), {});
    for (const Held& m : messages) {
        const QByteArray category = m.category.toUtf8();
        const QMessageLogContext context(nullptr, 0, nullptr,
                                         category.isEmpty() ? nullptr : category.constData());
        qt_message_output(m.type, context, m.text);
    }
}
