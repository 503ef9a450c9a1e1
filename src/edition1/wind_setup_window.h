#pragma once

#include "setup/roster_window.h"

// The wind edition's setup window: each player browses the vehicles with
// "<<" and ">>" under the picture, and the roster names the player who moves
// first. There are no character names or statistics and no "Exit".
class WindSetupWindow : public RosterWindow {
public:
    explicit WindSetupWindow(Game& game);
    ~WindSetupWindow() override;

    ui::Button Command6, Command7;    // player 1 "<<", ">>"
    ui::Button Command9, Command8;    // player 2 "<<", ">>"
    ui::Button Command12, Command11;  // player 3 "<<", ">>"
    ui::Button Command13, Command14;  // player 4 "<<", ">>"
    ui::Label Label3;                 // "Siapa Duluaan? "
    ui::TextField Text5;              // number (1 to 4) of the player who moves first

    // By player slot 0..3.
    std::array<ui::Button*, 4> previousButton;
    std::array<ui::Button*, 4> nextButton;

    // The seat controls, made after every other field of the window.
    std::array<ui::Button, 4> seatButton;

    // Handlers
    void browse(int slot, int step);  // "<<" (-1) and ">>" (+1)
    void startMatch() override;       // "Start"

protected:
    void takeCharacter(int slot, int number) override;
};
