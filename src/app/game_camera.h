#pragma once

class Game;

// The view that keeps the action in sight: the setup window's "Kamera ikut"
// box, remembered from one start to the next, and the key C. The battle
// window's camera (BattleWindow::CentreOnTurn, FollowTurns and its timer
// `kamera`) moves the view.
class GameCamera {
public:
    explicit GameCamera(Game& game)
        : game_(game)
    {
    }

    // Whether the view follows the turns and the shell: the box is ticked.
    bool follows();

    // At program start: the remembered choice ticks or clears the box. From
    // then on the player's clicks on the box are remembered.
    void startWithRememberedChoice();
    // The player clicked the box.
    void boxClicked();

    // The player's C: centres the view on the vehicle whose turn it is,
    // whether or not the box is ticked.
    void centreOnTurn();

private:
    Game& game_;
    bool remembering_ = false;
};
