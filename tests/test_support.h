#pragma once

#include "app/edition.h"
#include "app/game.h"

#include <QImage>
#include <QString>
#include <QStringList>

class SetupWindow;
class WindSetupWindow;

namespace ui {
class Timer;
}

// A game for a test: timers never fire by themselves (tests tick them by
// hand), messages are recorded instead of shown, and ending the program is
// recorded instead of done. Pictures come from the shipped assets folder
// unless another folder is given.
class TestGame {
public:
    explicit TestGame(Edition edition = Edition::Full, const QString& pictureFolder = assetsFolder());
    ~TestGame();

    Game& operator*() { return game; }
    Game* operator->() { return &game; }

    static QString assetsFolder();

    // Messages shown so far, in order.
    QStringList messages;
    // The exit status the program asked to end with, or -1.
    int endStatus = -1;

    Game game;
};

// Ticks a timer n times (a stopped timer does not tick).
void tickTimes(ui::Timer& timer, int n);

// The picture of a file of the shipped assets, to compare with what a field
// shows; a null image when the file cannot be read.
QImage assetImage(const QString& fileName);

// The setup window of each edition, shown as the program shows it at start.
SetupWindow& shownSetup(TestGame& g);
WindSetupWindow& shownWindSetup(TestGame& g);
