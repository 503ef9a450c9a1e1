#pragma once

#include <array>

class Game;

// What the players hear of the game's events. A sound plays only while the
// setup window's "Suara" box is ticked, and nothing waits for it: playing a
// sound changes nothing in play.
class GameSound {
public:
    explicit GameSound(Game& game)
        : game_(game)
    {
    }

    // The turn passes to a player: heard once for each passing (two players
    // handed the turn in one scheduler tick hear one chime), and only while
    // the match is on, with two vehicles or more in play. Once a match has a
    // winner or ends in a draw the turns that still pass are silent.
    void turnPasses();
    // A vehicle starts a step.
    void stepStarts();
    // The third fire press launches a new shot.
    void shotFired();
    // The shell touches the vehicle of SLOT. The flight finds the touch again
    // on later ticks; it is heard once per shot and vehicle.
    void shellTouches(int slot);
    // A vehicle is destroyed; played before its message opens.
    void vehicleDestroyed();
    // The match has a winner, or ends in a draw; played before the message.
    void winnerDeclared();
    void drawDeclared();

    // Whether sounds play: the "Suara" box is ticked.
    bool on();

    // At program start: the remembered choice ticks or clears the box, unless
    // MUTE turns sound off for this run alone. From then on the player's
    // clicks on the box are remembered (a muted run remembers only a click).
    void startWithRememberedChoice(bool mute);
    // The player clicked the "Suara" box.
    void boxClicked();

private:
    Game& game_;
    bool remembering_ = false;
    std::array<bool, 4> touchedThisShot_{};
};
