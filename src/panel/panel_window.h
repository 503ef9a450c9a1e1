#pragma once

#include "app/game_words.h"

#include <optional>

#include "ui/controls.h"
#include "ui/timer.h"
#include "ui/window.h"

#include <functional>

class Game;

// What differs between the four panels: their layout (design A for players 1
// and 3, design B for players 2 and 4), gauge speed, resize margin and player
// 4's guide line. Their facing at load is the player's facing at the start.
struct PanelDesign {
    ui::Twips clientWidth, clientHeight;
    ui::Rect gerakan, kiri, atas, bawah, kanan, Label3, Command1, ProgressBar1, slider1, Label4, Label1, score1;
    int gaugeIntervalMs;         // 30, or 20 in player3
    ui::Twips gaugeMargin;       // 3510 or 3210
    bool highGaugeMovesLineStart;  // player4's high gauge also places the line's start

    static PanelDesign forSlot(int slot);
};

// A player's control window `player1` .. `player4`: movement points and step
// moves, turning, the far and high gauges with the guide line, and the
// three-stage fire button. One class serves all four panels.
class PanelWindow : public ui::Window {
public:
    PanelWindow(Game& game, int slot);
    ~PanelWindow() override;

    int slot() const { return slot_; }

    // What the fire button's caption says: the stage of this player's shot,
    // nothing for a caption the game never writes.
    std::optional<words::FireStage> fireStage() const { return words::fireStageOf(Command1.caption()); }
    // Which way Label1 says the vehicle faces; nothing for any other text.
    std::optional<words::Facing> facing() const { return words::facingOf(Label1.caption()); }
    bool facesRight() const { return facing() == words::Facing::Right; }

    ui::Frame gerakan;             // (movement) holds all the controls
    ui::Button kiri, kanan, atas, bawah;  // left, right (turn or step), up, down
    ui::Label Label3;              // movement points
    ui::Label Label1;              // facing: "kanan" or "kiri"
    ui::Button Command1;           // fire: "tembak", "far ok", "high ok"
    ui::ProgressBar ProgressBar1;  // far gauge, 0..50
    ui::ProgressBar slider1;       // high gauge, 0..50
    ui::Label Label4;              // "Ketinggian:" (height), beside the high gauge
    ui::Label score1;              // the player's score

    ui::Timer Timer2;  // far gauge
    ui::Timer Timer6;  // high gauge

    // ---- Handlers ----
    void kiriClick();
    void kananClick();
    void atasClick();
    void bawahClick();
    void farGaugeTick();   // Timer2
    void highGaugeTick();  // Timer6
    void fireClick();      // Command1
    void resized();

    // Told right after every tick of either gauge, with the gauge raised and
    // mirrored: a computer player presses the fire button on the very tick
    // its gauge reaches the power it wants. An empty function removes it.
    void onGaugeTick(std::function<void()> observer) { gaugeObserver_ = std::move(observer); }

private:
    // The design is worked out once and handed to every field's initialiser.
    PanelWindow(Game& game, int slot, const PanelDesign& design);

    void turnOrStepSideways(words::Facing side, ui::Twips step);
    void stepVertically(ui::Twips step);
    // One tick of a rising gauge, mirrored into the battle window for the
    // flight; the far gauge always places the guide line's start, the high
    // gauge only in player4.
    void raiseGauge(ui::ProgressBar& gauge, ui::ProgressBar& mirror, ui::Timer& timer, bool placesLineStart);
    void placeGuideLineStart();
    void placeGuideLineEnd();

    Game& game_;
    int slot_;
    PanelDesign design_;
    std::function<void()> gaugeObserver_;
};
