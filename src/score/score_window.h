#pragma once

#include "ui/controls.h"
#include "ui/timer.h"
#include "ui/window.h"

#include <array>

class Game;

// The score board `Score`: mirrors the players' names and live scores once a
// second while "Baca Score" is ticked, and carries scores from one match to
// the next.
class ScoreWindow : public ui::Window {
public:
    explicit ScoreWindow(Game& game);
    ~ScoreWindow() override;

    ui::CheckBox Check1;  // "Baca Score" (read scores): mirroring on or off
    ui::Frame Frame1, Frame2, Frame3, Frame4;        // rows of players 1..4
    ui::TextField Text1, Text2, Text3, Text4;        // names
    ui::TextField Text1q, Text2q, text3q, Text4q;    // scores
    ui::Button Command1;  // "OK": hides the board
    ui::Timer Timer1;     // mirroring, 1000 ms

    // By player slot 0..3.
    std::array<ui::TextField*, 4> nameText;
    std::array<ui::TextField*, 4> scoreText;

    // ---- Handlers ----
    void mirrorTick();   // Timer1
    void checkClick();   // Check1
    void okClick();      // Command1

private:
    Game& game_;
};
