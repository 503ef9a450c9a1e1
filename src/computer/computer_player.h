#pragma once

#include "computer/planner.h"
#include "ui/timer.h"
#include "ui/window.h"

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>

class BattleWindow;
class Game;

namespace computer {

// The computer players of a game. They act only as a person at the mouse
// could: at the start of a turn one pointer move over the battlefield (which
// steps the next wind and, in the wind edition, brings the panel), then the
// panel's buttons, at a pace people can follow. What they know they read off
// the screen.
//
// Their pace is the timer of a window of their own, hidden, that exists only
// once a seat has been given to the computer: a game of people alone keeps
// exactly the windows and timers it always had.
class ComputerWindow : public ui::Window {
public:
    explicit ComputerWindow(Game& game);
    ~ComputerWindow() override;

    ui::Timer Timer1;  // the computer players' pace, kPaceMs

    static constexpr int kPaceMs = 100;
    // Ticks of Timer1 before the first press of a turn, after a step has
    // glided in, and after a turn on the spot.
    static constexpr int kFirstActionTicks = 8;
    static constexpr int kAfterStepTicks = 3;
    static constexpr int kAfterTurnTicks = 2;
    // The least time from the panel showing to the shell leaving, in ms: the
    // first fire press waits for it where the gauges alone would be quicker.
    static constexpr int kLeastTurnMs = 1600;
    // The most it may take: a long plan (a turn, four steps, full gauges)
    // shortens its pauses after steps and turns to stay within it.
    static constexpr int kMostTurnMs = 5800;

    // A new match begins ("Start"): the planners forget their earlier shots.
    void newMatch();

    // What a planner decided, for whoever measures the players.
    struct Thought {
        int slot = 0;
        Level level = Level::Easy;
        Plan plan;
        double thinkMs = 0;  // the processor time reading the screen and planning took
    };
    void onThought(std::function<void(const Thought&)> observer) { thoughtObserver_ = std::move(observer); }

    // Where plans come from: each seat's Planner, unless a test gives the
    // players plans of its own choosing.
    using PlanMaker = std::function<Plan(int slot, Level level, const Situation& situation)>;
    void setPlanMaker(PlanMaker maker) { planMaker_ = std::move(maker); }

    // The seat acting now, if a computer's turn is under way.
    std::optional<int> actingSlot() const;
    // Timer1 ticks since the acting seat's turn began (0 when none acts).
    int turnTicks() const;

    // Where a person's pointer can be put nearest (x, y) of the battlefield
    // picture: inside the part of it the battle window shows, off the edge
    // buttons. In the battlefield's twips.
    struct PointerPlace {
        ui::Twips x = 0, y = 0;
    };
    static PointerPlace reachablePlace(const BattleWindow& battle, ui::Twips x, ui::Twips y);

    // What the screen shows the player of SLOT at the start of its turn.
    static Situation readSituation(Game& game, int slot);

    // ---- Handlers ----
    void paceTick();  // Timer1

private:
    enum class Stage {
        Nudge,      // the turn has just begun: the pointer move
        Panel,      // waiting for the panel to show; then the plan
        Pause,      // waiting before the next press
        Glide,      // a step glides; the panel shows again when it arrives
        Fire,       // the fire presses; the third ends the turn
    };
    struct Turn {
        int slot = 0;
        Stage stage = Stage::Nudge;
        Plan plan;
        std::size_t nextPress = 0;
        int wait = 0;         // ticks left in a pause
        int ticks = 0;        // Timer1 ticks since the turn began
        int shownTicks = -1;  // Timer1 ticks since the panel first showed
        int panelWait = 0;    // ticks spent waiting for the panel
        int stepPause = kAfterStepTicks;  // this turn's pauses
        int turnPause = kAfterTurnTicks;
    };

    // The player whose turn it is, as a person at the screen would see it:
    // the marked player, or in the wind edition the player the next pointer
    // move hands a destroyed player's turn to.
    std::optional<int> turnOwner();
    void nudge(int slot);
    // No vehicle is on the battlefield.
    bool nobodyLeft();
    void think(Turn& turn);
    // The pauses of a plan: the designed ones, or shorter where the plan
    // would otherwise take longer than kMostTurnMs.
    void choosePauses(Turn& turn, int gaugeIntervalMs) const;
    void act(Turn& turn);
    // A press of the fire button; the one that launches ends the turn, and
    // TURN with it.
    void pressFire(const Turn& turn);
    // Right after a gauge tick of the acting panel.
    void gaugeTicked();
    void endTurn();
    Planner& plannerFor(int slot, Level level);

    Game& game_;
    std::optional<Turn> turn_;
    std::array<std::unique_ptr<Planner>, 4> planners_;
    std::function<void(const Thought&)> thoughtObserver_;
    PlanMaker planMaker_;
    int drawWait_ = 0;  // pace ticks since the last vehicle went
};

} // namespace computer
