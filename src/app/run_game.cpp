#include "app/run_game.h"

#include "app/command_line.h"
#include "app/game.h"
#include "app/network_play.h"
#include "app/platform_choice.h"
#include "setup/network_window.h"
#include "setup/roster_window.h"
#include "ui/look.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

// The version comes from the project's version in CMake.
#ifndef KESTRAVA_VERSION
#error "KESTRAVA_VERSION is not defined"
#endif

int runGame(int argc, char* argv[], Edition edition)
{
    // The command line is read before QApplication exists, so that --help
    // and --version answer where no display can be opened.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const CommandLineAnswer answer =
        readCommandLine(arguments, edition, QStringLiteral(KESTRAVA_VERSION));
    if (!answer.startGame) {
        std::fputs(answer.standardOutput.toLocal8Bit().constData(), stdout);
        std::fputs(answer.standardError.toLocal8Bit().constData(), stderr);
        return answer.exitStatus;
    }

    const QString platform =
        platformRequest(qEnvironmentVariable("QT_QPA_PLATFORM"), arguments, qEnvironmentVariable("DISPLAY"));
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform.toLatin1());

    QApplication app(argc, argv);
    QApplication::setApplicationName(programName(edition));
    QApplication::setApplicationVersion(QStringLiteral(KESTRAVA_VERSION));
    // Other windows stay open behind the battle window: only closing the
    // setup window (or "Exit") ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    ui::applyLook();

    Game game(edition, QDir::currentPath());
    game.sound().startWithRememberedChoice(answer.mute);
    game.Form1().startInLanguage(answer.language);
    game.camera().startWithRememberedChoice();
    for (int slot = 0; slot < 4; ++slot)
        if (answer.computerSeats[static_cast<std::size_t>(slot)])
            game.Form1().setSeatPlayer(slot, answer.computerSeats[static_cast<std::size_t>(slot)]);
    game.Form1().show();

    // Network play: nothing opens unless the command line or a player asks.
    // Declared after the game, so that leaving the program stops a hosted
    // game (every joined player is told) before the game's windows go.
    NetworkPlay network(game, NetworkPlay::gameOptions());
    if (answer.hosting()) {
        if (network.host(*answer.hostPort, answer.code, answer.remoteSeats))
            network.openWindow();
    } else if (answer.joining()) {
        network.join(JoinRequest{answer.joinHost, *answer.joinPort, answer.code, answer.playerName, answer.character});
    }
    return QApplication::exec();
}
