#include "app/run_game.h"

#include "app/game.h"
#include "setup/roster_window.h"
#include "ui/look.h"

#include <QApplication>
#include <QDir>

int runGame(int argc, char* argv[], Edition edition, const QString& programName)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(programName);
    // Other windows stay open behind the battle window: only closing the
    // setup window (or "Exit") ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    ui::applyLook();

    Game game(edition, QDir::currentPath());
    game.Form1().show();
    return QApplication::exec();
}
